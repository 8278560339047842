#pragma once
#include <string>
#include <string_view>

// Names as people read them: case-insensitive, runs of digits compared by
// their value ("file9" before "file10", "a007" equal to "a7"). Negative, zero
// or positive, like a three-way comparison.
int CompareLogical(std::wstring_view a, std::wstring_view b);

// Appends to `key` a text whose plain comparison with another such key orders
// as CompareLogical does: letters folded, and each run of digits as "0", the
// count of its significant digits, then those digits. Sorting a large folder
// by keys made once per name is several times faster than comparing names.
void AppendLogicalKey(std::wstring_view name, std::wstring& key);
