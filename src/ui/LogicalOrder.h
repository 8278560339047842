#pragma once
#include <string_view>

// Names as people read them: case-insensitive, runs of digits compared by
// their value ("file9" before "file10", "a007" equal to "a7"). Negative, zero
// or positive, like a three-way comparison.
int CompareLogical(std::wstring_view a, std::wstring_view b);
