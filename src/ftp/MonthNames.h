#pragma once
#include <string_view>

// Month 1-12 of a month name or number as Unix servers list it in a dozen
// languages, 0 when the text is none. Only A-Z are folded to lower case; the
// accented and non-Latin names are matched as the bytes of the code pages
// their servers use (Windows-1252, Windows-1251, Shift-JIS, EUC-KR and the
// digit + C6 D4 form), and in UTF-8.
int MonthFromName(std::string_view text);
