#include "store/StoredValueText.h"

#include <climits>
#include <cstdint>

int ParseStoredInt(std::wstring_view text, int fallback)
{
    if (text.empty())
        return fallback;
    size_t i = 0;
    bool negative = false;
    if (text[0] == L'-' || text[0] == L'+') {
        negative = text[0] == L'-';
        ++i;
    }
    // Accumulated as a magnitude one beyond INT_MAX so that INT_MIN fits.
    const int64_t limit = negative ? -static_cast<int64_t>(INT_MIN) : INT_MAX;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - L'0');
        if (magnitude > limit) {
            magnitude = limit;
            break;
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

bool ParseStoredBool(std::wstring_view text, bool fallback)
{
    if (text.empty())
        return fallback;
    return text[0] != L'0';
}

std::wstring FormatStoredInt(int value)
{
    return std::to_wstring(value);
}

std::wstring FormatStoredBool(bool value)
{
    return value ? L"1" : L"0";
}
