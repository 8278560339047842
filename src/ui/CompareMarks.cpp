#include "ui/CompareMarks.h"

#include <algorithm>

namespace {

std::wstring_view WithoutTrailing(std::wstring_view path, wchar_t separator)
{
    if (path.size() > 1 && path.back() == separator)
        path.remove_suffix(1);
    return path;
}

}  // namespace

std::wstring EntryOfRoot(std::wstring_view root, std::wstring_view folder, std::wstring_view name,
                         wchar_t separator)
{
    root = WithoutTrailing(root, separator);
    folder = WithoutTrailing(folder, separator);
    if (folder == root)
        return std::wstring(name);
    // "/" and "C:\" already end in the separator that starts the rest.
    size_t start = !root.empty() && root.back() == separator ? root.size() : root.size() + 1;
    if (folder.size() <= start || folder.substr(0, root.size()) != root ||
        (start > root.size() && folder[root.size()] != separator))
        return {};
    std::wstring_view rest = folder.substr(start);
    return std::wstring(rest.substr(0, rest.find(separator)));
}

void AddMark(std::vector<std::wstring>& names, const std::wstring& entry)
{
    if (!entry.empty() && std::find(names.begin(), names.end(), entry) == names.end())
        names.push_back(entry);
}
