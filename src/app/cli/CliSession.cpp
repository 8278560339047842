#include "app/cli/CliSession.h"

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

int RunWithSession(ConsoleTaskContext& context, const CliArguments& args, size_t minimum, size_t maximum,
                   const wchar_t* usage, bool enterStartFolder, const SessionAction& action)
{
    if (args.size() < minimum || args.size() > maximum) {
        PrintError(std::wstring(L"usage: tarnwick-cli ") + usage);
        return 2;
    }
    std::optional<ServerTarget> target = ResolveServer(args[0]);
    if (!target)
        return 2;
    FtpSession session;
    bool connected = enterStartFolder ? ConnectInStartFolder(context, session, *target)
                                      : ConnectSession(context, session, *target);
    return connected ? action(context, session) : 1;
}
