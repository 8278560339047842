#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// The program keeps text as UTF-16 (wchar_t on Windows) and speaks UTF-8 on
// the wire and in files. Names, paths and reply lines live in 260-unit fields:
// at most 259 units of text.
constexpr size_t kMaxTextUnits = 259;

// Decodes UTF-8; byte sequences that are not valid UTF-8 become U+FFFD, never
// an error.
std::wstring Utf8ToWide(std::string_view utf8);

// Encodes as UTF-8; unpaired surrogates become U+FFFD.
std::string WideToUtf8(std::wstring_view wide);

// WideToUtf8 cut to at most maxBytes without splitting a character.
std::string WideToUtf8Limited(std::wstring_view wide, size_t maxBytes = kMaxTextUnits);

// Cuts to at most maxUnits UTF-16 units without splitting a surrogate pair.
std::wstring CutText(std::wstring_view text, size_t maxUnits = kMaxTextUnits);

// Cuts UTF-8 text to at most maxBytes without splitting a character.
std::string CutUtf8(std::string_view text, size_t maxBytes = kMaxTextUnits);

// Strips leading and trailing characters up to and including the space
// (control characters and blanks).
std::wstring TrimControlsAndSpaces(std::wstring_view text);
std::string TrimControlsAndSpaces(std::string_view text);

// Removes leading and trailing space characters only.
std::wstring TrimSpaces(std::wstring_view text);

// ASCII-only case folding (A-Z), as the listings and filters use it.
// 0-15 for a hex digit of either case, -1 for anything else.
int HexDigitValue(wchar_t c);

std::string AsciiLower(std::string_view text);
std::wstring AsciiLower(std::wstring_view text);
bool EqualsIgnoreAsciiCase(std::wstring_view a, std::wstring_view b);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreAsciiCase(std::string_view text, std::string_view prefix);
