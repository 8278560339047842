// The remote pane's Refresh, Up, Back and Forward: each reopens a folder
// through the same path as any other change of folder.
#include "net/Log.h"
#include "ops/ConnectionManager.h"
#include "ops/RemoteNavigation.h"

namespace {

// After a command the first keep-alive check comes at once.
constexpr uint32_t kKeepAliveSoonMs = 100;

}  // namespace

bool ConnectionManager::Refresh(TaskContext& context)
{
    if (!connected_)
        return false;
    LogInfo(L"Refreshing...");
    window_.scheduler.StopTimer(TimerId::KeepAlive);
    bool opened = OpenFolder(context, false);
    LogInfo(L"Refreshed.");
    window_.scheduler.SetTimer(TimerId::KeepAlive, kKeepAliveSoonMs);
    return opened;
}

bool ConnectionManager::CanGoUp() const
{
    return connected_ && currentFolder_ != L"/";
}

bool ConnectionManager::GoUp(TaskContext& context)
{
    if (!CanGoUp())
        return false;
    std::wstring left = currentFolder_;
    SetCurrentFolder(RemoteParentFolder(left));
    if (OpenFolder(context, true))
        return true;
    SetCurrentFolder(left);
    return false;
}

bool ConnectionManager::CanGoBack() const
{
    return connected_ && history_.CanBack();
}

bool ConnectionManager::CanGoForward() const
{
    return connected_ && history_.CanForward();
}

bool ConnectionManager::GoBack(TaskContext& context)
{
    RemoteFolderHistory moved = history_;
    return connected_ && moved.Back() && OpenHistoryEntry(context, moved.Position());
}

bool ConnectionManager::GoForward(TaskContext& context)
{
    RemoteFolderHistory moved = history_;
    return connected_ && moved.Forward() && OpenHistoryEntry(context, moved.Position());
}

// Opens the entry without changing the history; the window shows the new
// position either way. A folder that cannot be opened leaves the one shown.
bool ConnectionManager::OpenHistoryEntry(TaskContext& context, size_t position)
{
    std::wstring shown = currentFolder_;
    history_.SetPosition(position);
    window_.remote.HistoryChanged(position);
    SetCurrentFolder(history_.At(position));
    if (OpenFolder(context, false))
        return true;
    SetCurrentFolder(shown);
    return false;
}
