#pragma once
#include <cstdint>
#include <string_view>

// Number reading for listing columns. Listings are untrusted: every reader
// saturates instead of overflowing.

inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// True when the token is not empty and every byte is '0'-'9'.
bool IsAllDigits(std::string_view token);
bool EndsInDigit(std::string_view token);

// Value of the leading digits (0 without any); saturates at INT32_MAX.
int32_t LeadingNumber(std::string_view token);

// A decimal size after leading white space with an optional sign; saturates at
// 2^63 - 1. A negative size is meaningless and reads as 0.
uint64_t ReadSizeNumber(std::string_view text);

// A size column: all digits, or digits and '.' followed by a unit K, M, G or T
// (either case, powers of 1024), so "1.5K" is 1536. A unit alone is 0.
bool ParseSizeText(std::string_view text, uint64_t& value);
