#pragma once
#include <string>
#include <vector>

#include "store/Registry.h"

// A list kept as the values "0", "1", … of one key (bookmark lists).

// Reads from "0" upward to the first missing number; a value that cannot be
// read as text is left out and does not end the list.
std::vector<std::wstring> ReadNumberedValues(const RegKeyRef& key);

// Writes the list from "0" and removes the numbers that followed it, so the
// key then holds exactly this list.
void WriteNumberedValues(const RegKeyRef& key, const std::vector<std::wstring>& values);
