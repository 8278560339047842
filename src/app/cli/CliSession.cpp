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

CliConnection::CliConnection(const ServerTarget& target, bool enterStartFolder)
    : target_(target), enterStartFolder_(enterStartFolder)
{
}

bool CliConnection::Connect(TaskContext& context)
{
    return enterStartFolder_ ? ConnectInStartFolder(context, session_, target_)
                             : ConnectSession(context, session_, target_);
}

NetResult CliConnection::Reconnect(TaskContext& context)
{
    // The same session object logs in again: callers keep references to it.
    session_.Close();
    if (Connect(context))
        return NetResult::Ok;
    return context.IsCancelled() ? NetResult::Cancelled : NetResult::Failed;
}

int RunWithConnection(ConsoleTaskContext& context, const CliArguments& args, size_t minimum, size_t maximum,
                      const wchar_t* usage, bool enterStartFolder, const ConnectionAction& action)
{
    if (args.size() < minimum || args.size() > maximum) {
        PrintError(std::wstring(L"usage: tarnwick-cli ") + usage);
        return 2;
    }
    std::optional<ServerTarget> target = ResolveServer(args[0]);
    if (!target)
        return 2;
    CliConnection connection(*target, enterStartFolder);
    return connection.Connect(context) ? action(context, connection) : 1;
}

int RunWithSession(ConsoleTaskContext& context, const CliArguments& args, size_t minimum, size_t maximum,
                   const wchar_t* usage, bool enterStartFolder, const SessionAction& action)
{
    return RunWithConnection(context, args, minimum, maximum, usage, enterStartFolder,
                             [&](TaskContext& task, Connection& connection) { return action(task, connection.Session()); });
}
