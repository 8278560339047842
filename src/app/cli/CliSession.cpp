#include "app/cli/CliSession.h"

#include "app/cli/CliConsole.h"
#include "ftp/RemoteCommands.h"

bool ConnectInStartFolder(TaskContext& context, FtpSession& session, const ServerTarget& target)
{
    if (!ConnectSession(context, session, target))
        return false;
    if (target.path.empty() || ChangeRemoteFolder(context, session, target.path) == NetResult::Ok)
        return true;
    PrintError(L"cannot change to the remote folder " + target.path);
    return false;
}
