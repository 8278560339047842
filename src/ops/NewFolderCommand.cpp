#include "ops/NewFolderCommand.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "ftp/RemoteCommands.h"
#include "ftp/RemoteListing.h"
#include "ftp/RemoteNames.h"
#include "net/Log.h"
#include "ops/FileNameChecks.h"
#include "ops/FolderReconnect.h"
#include "ops/Notice.h"

namespace {

constexpr int kMakeFolderAttempts = 3;

// The name the dialog lets through, or nothing after telling the user.
std::optional<std::wstring> CheckedName(UserPrompt& prompt, const std::wstring& typedName)
{
    std::optional<std::wstring> name = CheckNewFolderName(typedName);
    if (!name)
        ShowNotice(prompt, L"New Folder", std::wstring(kInvalidNewFolderName), PromptIcon::Warning);
    return name;
}

// The rows the remote pane would show for the current folder.
struct FolderRows {
    NetResult result = NetResult::Failed;
    size_t count = 0;
    bool holdsName = false;
};

FolderRows ListRows(TaskContext& context, FtpSession& session, const std::wstring& name)
{
    RemoteListing listing;
    FolderRows rows;
    rows.result = ListRemoteFolder(context, session, listing);
    for (const RemoteEntry& entry : listing.entries) {
        if (IsDotEntry(entry))
            continue;
        ++rows.count;
        rows.holdsName = rows.holdsName || OwnName(entry) == name;
    }
    return rows;
}

}  // namespace

NetResult NewRemoteFolder(TaskContext& context, Connection& connection, UserPrompt& prompt,
                          const std::wstring& folder, const std::wstring& typedName)
{
    std::optional<std::wstring> name = CheckedName(prompt, typedName);
    if (!name)
        return NetResult::Failed;
    FolderRows before = ListRows(context, connection.Session(), *name);
    if (before.result == NetResult::Cancelled)
        return NetResult::Cancelled;
    if (before.holdsName) {
        ShowNotice(prompt, L"Already exists", L"A file or directory with that name already exists",
                   PromptIcon::Information);
        return NetResult::Failed;
    }
    NetResult made = NetResult::Failed;
    for (int attempt = 1; attempt <= kMakeFolderAttempts; ++attempt) {
        made = MakeRemoteFolder(context, connection.Session(), *name);
        if (made != NetResult::Failed)
            break;
        if (attempt < kMakeFolderAttempts && ReconnectInFolder(context, connection, folder) == NetResult::Cancelled)
            return NetResult::Cancelled;
    }
    if (made == NetResult::Cancelled)
        return made;
    if (made == NetResult::Failed)
        LogError(L"Failed to create directory: %ls", name->c_str());
    FolderRows after = ListRows(context, connection.Session(), *name);
    if (after.result == NetResult::Cancelled)
        return NetResult::Cancelled;
    // A listing that failed before cannot be compared: the name must show then.
    bool grew = before.result == NetResult::Ok ? after.count != before.count : after.holdsName;
    if (after.result == NetResult::Ok && grew) {
        LogInfo(L"New folder '%ls' created.", name->c_str());
        return NetResult::Ok;
    }
    ShowNotice(prompt, L"Folder Creation Failed",
               L"Failed to create the folder '" + *name +
                   L"'. Make sure you have permission to create folders on this server.",
               PromptIcon::Warning);
    LogError(L"Failed to create folder '%ls'.", name->c_str());
    return NetResult::Failed;
}

bool NewLocalFolder(UserPrompt& prompt, const std::wstring& localFolder, const std::wstring& typedName)
{
    std::optional<std::wstring> name = CheckedName(prompt, typedName);
    if (!name)
        return false;
    std::wstring path = localFolder;
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/')
        path += L'\\';
    path += *name;
    if (CreateDirectoryW(path.c_str(), nullptr))
        return true;
    ShowNotice(prompt, L"Folder Creation Failed", L"Could not create folder, try a different name");
    return false;
}
