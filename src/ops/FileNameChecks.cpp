#include "ops/FileNameChecks.h"

#include <algorithm>

#include "net/TextCodec.h"

namespace {

bool IsControl(wchar_t c)
{
    return c < 32 || c == 127;
}

wchar_t LowerAscii(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

}  // namespace

std::optional<std::wstring> CheckNewFolderName(std::wstring_view text)
{
    std::wstring name = TrimControlsAndSpaces(text);
    constexpr std::wstring_view kRefused = L"\\/:*?<>|";
    bool refused = std::any_of(name.begin(), name.end(), [&](wchar_t c) {
        return IsControl(c) || kRefused.find(c) != std::wstring_view::npos;
    });
    if (name.empty() || refused)
        return std::nullopt;
    return name;
}

std::wstring RenameText(std::wstring_view edited)
{
    return TrimControlsAndSpaces(edited);
}

bool SameNameIgnoringCase(std::wstring_view a, std::wstring_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return LowerAscii(x) == LowerAscii(y); });
}

RenameStep ClassifyRename(std::wstring_view oldName, std::wstring_view newText)
{
    if (!newText.empty() && newText.rfind(L'.') == 0)
        return RenameStep::OnlyExtension;
    if (newText.empty() && oldName.empty())
        return RenameStep::NothingNamed;
    if (std::any_of(newText.begin(), newText.end(), [](wchar_t c) { return c == L'/' || IsControl(c); }))
        return RenameStep::BadCharacter;
    if (oldName.empty())
        return RenameStep::CreateFolder;
    if (newText.empty())
        return RenameStep::EmptyName;
    if (SameNameIgnoringCase(oldName, newText))
        return RenameStep::Unchanged;
    return RenameStep::Rename;
}
