#include "ftp/ListingNumbers.h"

#include <limits>

namespace {

constexpr uint64_t kMaxSize = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());

uint64_t SaturatingMultiply(uint64_t a, uint64_t b)
{
    if (a != 0 && b > kMaxSize / a)
        return kMaxSize;
    return a * b;
}

uint64_t AppendDigit(uint64_t value, char digit)
{
    uint64_t d = static_cast<uint64_t>(digit - '0');
    return value > (kMaxSize - d) / 10 ? kMaxSize : value * 10 + d;
}

uint64_t UnitFactor(char unit)
{
    switch (unit) {
    case 'K': case 'k': return uint64_t{1} << 10;
    case 'M': case 'm': return uint64_t{1} << 20;
    case 'G': case 'g': return uint64_t{1} << 30;
    case 'T': case 't': return uint64_t{1} << 40;
    default: return 0;
    }
}

bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

bool IsAllDigits(std::string_view token)
{
    if (token.empty())
        return false;
    for (char c : token) {
        if (!IsDigit(c))
            return false;
    }
    return true;
}

bool EndsInDigit(std::string_view token)
{
    return !token.empty() && IsDigit(token.back());
}

int32_t LeadingNumber(std::string_view token)
{
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    int32_t value = 0;
    for (size_t i = 0; i < token.size() && IsDigit(token[i]); ++i) {
        int32_t d = token[i] - '0';
        value = value > (kMax - d) / 10 ? kMax : value * 10 + d;
    }
    return value;
}

uint64_t ReadSizeNumber(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    uint64_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        value = AppendDigit(value, text[i]);
    return negative ? 0 : value;
}

bool ParseSizeText(std::string_view text, uint64_t& value)
{
    if (text.empty())
        return false;
    if (IsAllDigits(text)) {
        value = ReadSizeNumber(text);
        return true;
    }
    uint64_t factor = UnitFactor(text.back());
    std::string_view number = text.substr(0, text.size() - 1);
    if (factor == 0 || (!number.empty() && number[0] == '.'))
        return false;
    // The digits are read as one integer, then scaled back by the fraction.
    uint64_t digits = 0;
    for (char c : number) {
        if (IsDigit(c))
            digits = AppendDigit(digits, c);
        else if (c != '.')
            return false;
    }
    size_t lastDot = number.rfind('.');
    size_t fractionDigits = lastDot == std::string_view::npos ? 0 : number.size() - lastDot - 1;
    uint64_t result = SaturatingMultiply(digits, factor);
    for (size_t i = 0; i < fractionDigits; ++i)
        result /= 10;
    value = result;
    return true;
}
