#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Keeps a recursive walk of remote folders finite. A link to "." or to a
// folder above it would lead the walk round for ever, and servers that keep
// the linked path in PWD never repeat a path at all, so both the path and the
// depth are checked. The walk asks before it lists each folder it entered.
class WalkGuard {
public:
    static constexpr size_t kMaxDepth = 64;

    // rootPath: the server's path (PWD) of the folder the walk starts in.
    explicit WalkGuard(std::wstring_view rootPath);

    // The walk changed into the folder `name` of the current folder and the
    // server reports its path as `serverPath` (PWD). True: the folder is now
    // the current one and the walk may list it. False: the walk must leave it
    // unlisted, and skipLine holds the line for the log. Paths compare exactly;
    // a trailing "/" does not count. An empty serverPath (PWD gave nothing)
    // cannot be checked and is refused.
    bool Enter(std::wstring_view name, std::wstring_view serverPath, std::wstring& skipLine);

    // The walk has finished the current folder and is back in its parent.
    // Nothing happens at the root.
    void Leave();

    // Folders entered below the root.
    size_t Depth() const { return path_.size() - 1; }

private:
    std::vector<std::wstring> path_;  // server paths from the root down
};
