#include "ops/LocalNames.h"

#include <algorithm>
#include <array>

#include "ftp/RemoteNames.h"
#include "net/TextCodec.h"

namespace {

// Opening any of these in any folder reaches the device, whatever the case and
// whatever extension follows. COM and LPT count with a superscript digit too.
constexpr std::array<std::wstring_view, 32> kDeviceNames = {
    L"con",  L"prn",  L"aux",  L"nul",  L"conin$", L"conout$", L"com0", L"com1",
    L"com2", L"com3", L"com4", L"com5", L"com6",   L"com7",    L"com8", L"com9",
    L"lpt0", L"lpt1", L"lpt2", L"lpt3", L"lpt4",   L"lpt5",    L"lpt6", L"lpt7",
    L"lpt8", L"lpt9",
    L"com\u00b9", L"com\u00b2", L"com\u00b3", L"lpt\u00b9", L"lpt\u00b2", L"lpt\u00b3"};

bool IsDeviceName(std::wstring_view name)
{
    // The part before the first dot without the spaces around it: Windows
    // drops trailing ones ("nul .txt" is the device), and leading ones are
    // refused too rather than trusted.
    std::wstring_view base = name.substr(0, name.find(L'.'));
    while (!base.empty() && base.back() == L' ')
        base.remove_suffix(1);
    while (!base.empty() && base.front() == L' ')
        base.remove_prefix(1);
    return std::find(kDeviceNames.begin(), kDeviceNames.end(), AsciiLower(base)) != kDeviceNames.end();
}

}  // namespace

std::wstring_view LocalNameRefusal(std::wstring_view name)
{
    if (name.empty())
        return L"the name is empty";
    if (name == L"." || name == L"..")
        return L"\".\" and \"..\" name a folder, not an entry in it";
    if (std::wstring_view suspicious = SuspiciousNameReason(name); !suspicious.empty())
        return suspicious;
    if (name.find(L':') != std::wstring_view::npos)
        return L"the name holds \":\" (a drive or an alternate data stream)";
    for (wchar_t c : name)
        if (c < 0x20 || c == 0x7F)
            return L"the name holds a control character";
    if (name.find_first_of(L"<>\"|?*") != std::wstring_view::npos)
        return L"the name holds one of < > \" | ? *";
    if (name.back() == L'.' || name.back() == L' ')
        return L"the name ends in a dot or a space";
    if (IsDeviceName(name))
        return L"the name is a reserved device name";
    return {};
}

std::optional<std::wstring> LocalNameForRemote(std::wstring_view remoteName, std::wstring& whyRefused)
{
    whyRefused = LocalNameRefusal(remoteName);
    if (!whyRefused.empty())
        return std::nullopt;
    return std::wstring(remoteName);
}
