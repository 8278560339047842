#include "ops/FolderReconnect.h"

#include "ftp/RemoteCommands.h"

NetResult ReconnectInFolder(TaskContext& context, Connection& connection, const std::wstring& folder)
{
    NetResult result = connection.Reconnect(context);
    if (result != NetResult::Ok || folder.empty())
        return result;
    return ChangeRemoteFolder(context, connection.Session(), folder);
}
