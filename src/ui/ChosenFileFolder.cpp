#include "ui/ChosenFileFolder.h"

std::wstring ChosenFileFolder(const std::wstring& path)
{
    size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}
