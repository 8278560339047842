#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// "YYYYMMDDHHMMSS" of a moment given in seconds since 1970-01-01 UTC, in UTC,
// as MFMT wants it.
std::string MfmtTimeText(int64_t secondsSince1970);

// "MFMT YYYYMMDDHHMMSS name\r\n" with the whole UTF-8 name.
std::string MfmtCommandLine(int64_t secondsSince1970, std::string_view utf8Name);
