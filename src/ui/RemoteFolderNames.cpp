#include "ui/RemoteFolderNames.h"

namespace {

std::wstring_view WithoutTrailingSeparator(std::wstring_view folder)
{
    if (folder.size() > 1 && (folder.back() == L'/' || folder.back() == L'\\'))
        folder.remove_suffix(1);
    return folder;
}

}  // namespace

std::wstring RemoteParent(std::wstring_view folder)
{
    folder = WithoutTrailingSeparator(folder);
    size_t cut = folder.find_last_of(L"/\\");
    return cut == std::wstring_view::npos || cut == 0 ? L"/" : std::wstring(folder.substr(0, cut));
}

std::wstring FolderLeftByUp(std::wstring_view folder)
{
    folder = WithoutTrailingSeparator(folder);
    size_t cut = folder.find_last_of(L"/\\");
    return std::wstring(cut == std::wstring_view::npos ? folder : folder.substr(cut + 1));
}
