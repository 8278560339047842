#pragma once
#include <string>

// The folder of a file chosen in a file dialog, remembered for the next one:
// the path up to its last "\" or "/" (without it); "" for a bare name.
std::wstring ChosenFileFolder(const std::wstring& path);
