#include "ftp/TransferSize.h"

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t';
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether "(", digits, "bytes", ")" start at `open` (spaces allowed between
// them); the number, when it fits, in `value`.
bool IsSizeGroupAt(std::string_view text, size_t open, std::optional<uint64_t>& value)
{
    size_t i = open + 1;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    size_t digitsStart = i;
    value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        uint64_t digit = static_cast<uint64_t>(text[i] - '0');
        if (value && *value > (UINT64_MAX - digit) / 10)
            value.reset();
        if (value)
            *value = *value * 10 + digit;
    }
    if (i == digitsStart)
        return false;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    constexpr std::string_view kBytes = "bytes";
    if (text.size() - i < kBytes.size())
        return false;
    for (char expected : kBytes) {
        if (Lower(text[i++]) != expected)
            return false;
    }
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    return i < text.size() && text[i] == ')';
}

}  // namespace

std::optional<uint64_t> AnnouncedSize(std::string_view replyText)
{
    for (size_t open = replyText.size(); open-- > 0;) {
        std::optional<uint64_t> size;
        if (replyText[open] == '(' && IsSizeGroupAt(replyText, open, size))
            return size;
    }
    return std::nullopt;
}

std::wstring TransferStopText(std::wstring_view what, uint64_t moved, std::optional<uint64_t> expected)
{
    std::wstring text(what);
    text += L" after " + std::to_wstring(moved);
    if (expected)
        text += L" of " + std::to_wstring(*expected);
    return text + L" bytes.";
}

std::optional<std::wstring> SizeMismatchText(uint64_t moved, std::optional<uint64_t> expected)
{
    if (!expected || moved == *expected)
        return std::nullopt;
    if (moved < *expected)
        return TransferStopText(L"The transfer ended", moved, expected);
    return L"The server sent " + std::to_wstring(moved) + L" bytes where " + std::to_wstring(*expected) +
           L" were expected.";
}
