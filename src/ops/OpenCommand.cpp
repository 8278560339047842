#include "ops/OpenCommand.h"

#include <windows.h>

#include "ftp/Transfer.h"
#include "net/Log.h"
#include "ops/LocalNames.h"

namespace {

std::wstring TemporaryFolder()
{
    wchar_t path[MAX_PATH + 1] = {};
    DWORD length = GetTempPathW(MAX_PATH + 1, path);
    return length > 0 && length <= MAX_PATH ? std::wstring(path, length) : std::wstring();
}

NetResult CannotOpen(const std::wstring& name, const std::wstring& why)
{
    LogError(L"Cannot open file: %ls", name.c_str());
    if (!why.empty())
        LogError(L"%ls", why.c_str());
    return NetResult::Failed;
}

}  // namespace

NetResult OpenRemoteFile(TaskContext& context, Connection& connection, Shell& shell, const SelectedRemoteRow& row)
{
    std::wstring name = ServerName(row);
    std::wstring why;
    std::optional<std::wstring> localName = LocalNameForRemote(name, why);
    if (!localName)
        return CannotOpen(name, why);
    std::wstring folder = TemporaryFolder();
    if (folder.empty())
        return CannotOpen(name, L"The temporary folder cannot be found.");
    std::wstring localPath = folder + *localName;
    std::wstring replyText;
    NetResult result = Download(context, connection.Session(), name, localPath, &replyText);
    // A download cancelled after its last block still gives Ok: what arrived
    // may be cut short, so it is not opened.
    if (result == NetResult::Cancelled || context.IsCancelled())
        return NetResult::Cancelled;
    if (result != NetResult::Ok)
        return CannotOpen(name, replyText);
    if (!shell.OpenFile(localPath))
        return CannotOpen(name, L"No program could be started for the file.");
    LogInfo(L"Open file successfully: %ls", name.c_str());
    return NetResult::Ok;
}
