#include "ops/RemoteNavigation.h"

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'/' || c == L'\\';
}

std::wstring_view WithoutTrailingSeparator(std::wstring_view folder)
{
    if (folder.size() > 1 && IsSeparator(folder.back()))
        folder.remove_suffix(1);
    return folder;
}

}  // namespace

std::wstring RemoteParentFolder(std::wstring_view folder)
{
    folder = WithoutTrailingSeparator(folder);
    size_t last = folder.find_last_of(L"/\\");
    if (last == std::wstring_view::npos || last == 0)
        return L"/";
    return std::wstring(folder.substr(0, last));
}

std::wstring RemoteFolderName(std::wstring_view folder)
{
    folder = WithoutTrailingSeparator(folder);
    size_t last = folder.find_last_of(L"/\\");
    return std::wstring(last == std::wstring_view::npos ? folder : folder.substr(last + 1));
}
