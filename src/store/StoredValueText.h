#pragma once
#include <string>
#include <string_view>

// Every stored value is text: integers as decimal, booleans as "1"/"0".
// Absent and empty texts both mean "use the default".

// The leading signed decimal integer of text; text that does not start with
// one reads as 0. Numbers beyond the 32-bit range saturate.
int ParseStoredInt(std::wstring_view text, int fallback);

// True unless the text starts with the digit '0'.
bool ParseStoredBool(std::wstring_view text, bool fallback);

std::wstring FormatStoredInt(int value);
std::wstring FormatStoredBool(bool value);
