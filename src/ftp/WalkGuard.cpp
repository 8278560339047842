#include "ftp/WalkGuard.h"

#include <algorithm>
#include <utility>

#include "ftp/RemoteNames.h"

namespace {

std::wstring WithoutTrailingSlash(std::wstring_view path)
{
    while (path.size() > 1 && path.back() == L'/')
        path.remove_suffix(1);
    return std::wstring(path);
}

}  // namespace

WalkGuard::WalkGuard(std::wstring_view rootPath)
    : path_{WithoutTrailingSlash(rootPath)}
{
}

bool WalkGuard::Enter(std::wstring_view name, std::wstring_view serverPath, std::wstring& skipLine)
{
    std::wstring shown = JoinRemotePath(path_.back(), name);
    std::wstring path = WithoutTrailingSlash(serverPath);
    if (path.empty())
        skipLine = L"Skipped folder " + shown + L": the server did not tell its path.";
    else if (std::find(path_.begin(), path_.end(), path) != path_.end())
        skipLine = L"Skipped folder " + shown + L": it leads back to " + path + L", a folder above it.";
    else if (Depth() >= kMaxDepth)
        skipLine = L"Skipped folder " + shown + L": more than 64 folders deep.";
    else {
        skipLine.clear();
        path_.push_back(std::move(path));
        return true;
    }
    return false;
}

void WalkGuard::Leave()
{
    if (path_.size() > 1)
        path_.pop_back();
}
