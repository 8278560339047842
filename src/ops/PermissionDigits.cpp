#include "ops/PermissionDigits.h"

namespace {

bool IsOctalDigit(wchar_t c)
{
    return c >= L'0' && c <= L'7';
}

// One triple such as "r-x"; nothing when a place holds anything else.
std::optional<uint8_t> TripleDigit(std::wstring_view triple)
{
    uint8_t digit = 0;
    if (triple[0] == L'r')
        digit |= 4;
    else if (triple[0] != L'-')
        return std::nullopt;
    if (triple[1] == L'w')
        digit |= 2;
    else if (triple[1] != L'-')
        return std::nullopt;
    if (triple[2] == L'x' || triple[2] == L's' || triple[2] == L't')
        digit |= 1;
    else if (triple[2] != L'-' && triple[2] != L'S' && triple[2] != L'T' && triple[2] != L'l')
        return std::nullopt;
    return digit;
}

std::optional<PermissionDigits> DigitsFromTriples(std::wstring_view nine)
{
    std::optional<uint8_t> owner = TripleDigit(nine.substr(0, 3));
    std::optional<uint8_t> group = TripleDigit(nine.substr(3, 3));
    std::optional<uint8_t> others = TripleDigit(nine.substr(6, 3));
    if (!owner || !group || !others)
        return std::nullopt;
    return PermissionDigits{*owner, *group, *others};
}

std::wstring TriplesText(const PermissionDigits& digits)
{
    PermissionFlags flags = FlagsFromDigits(digits);
    std::wstring text;
    for (size_t i = 0; i < flags.size(); ++i)
        text += flags[i] ? L"rwx"[i % 3] : L'-';
    return text;
}

bool IsTriples(std::wstring_view text)
{
    return text.size() == 9 && DigitsFromTriples(text);
}

}  // namespace

PermissionFlags FlagsFromDigits(const PermissionDigits& digits)
{
    PermissionFlags flags{};
    const uint8_t values[3] = {digits.owner, digits.group, digits.others};
    for (size_t i = 0; i < 3; ++i) {
        flags[i * 3] = values[i] & 4;
        flags[i * 3 + 1] = values[i] & 2;
        flags[i * 3 + 2] = values[i] & 1;
    }
    return flags;
}

PermissionDigits DigitsFromFlags(const PermissionFlags& flags)
{
    uint8_t values[3] = {};
    for (size_t i = 0; i < 3; ++i)
        values[i] = (flags[i * 3] ? 4 : 0) | (flags[i * 3 + 1] ? 2 : 0) | (flags[i * 3 + 2] ? 1 : 0);
    return {values[0], values[1], values[2]};
}

std::optional<PermissionDigits> ParseChmodDigits(std::wstring_view text)
{
    if (text.size() == 4 && text[0] == L'0')
        text.remove_prefix(1);
    if (text.size() != 3 || !IsOctalDigit(text[0]) || !IsOctalDigit(text[1]) || !IsOctalDigit(text[2]))
        return std::nullopt;
    return PermissionDigits{static_cast<uint8_t>(text[0] - L'0'), static_cast<uint8_t>(text[1] - L'0'),
                            static_cast<uint8_t>(text[2] - L'0')};
}

std::wstring ChmodDigitsText(const PermissionDigits& digits)
{
    return {static_cast<wchar_t>(L'0' + (digits.owner & 7)), static_cast<wchar_t>(L'0' + (digits.group & 7)),
            static_cast<wchar_t>(L'0' + (digits.others & 7))};
}

std::optional<PermissionDigits> DigitsFromPermissionText(std::wstring_view text)
{
    if (text.size() >= 10)
        return DigitsFromTriples(text.substr(1, 9));
    if (text.size() == 9 && !IsOctalDigit(text[0]))
        return DigitsFromTriples(text);
    if (text.size() < 3)
        return std::nullopt;
    for (wchar_t c : text)
        if (!IsOctalDigit(c))
            return std::nullopt;
    return ParseChmodDigits(text.substr(text.size() - 3));
}

std::wstring PermissionTextAfterChmod(std::wstring_view listed, const PermissionDigits& digits)
{
    if (listed.size() >= 10)
        return listed[0] + TriplesText(digits);
    if (IsTriples(listed))
        return TriplesText(digits);
    return L"0" + ChmodDigitsText(digits);
}

bool PermissionsAllowReading(std::wstring_view listed)
{
    std::optional<PermissionDigits> digits = DigitsFromPermissionText(listed);
    return !digits || digits->owner >= 4 || digits->group >= 4 || digits->others >= 4;
}
