#pragma once
#include <cstddef>
#include <functional>

#include "app/cli/CliCommands.h"
#include "app/cli/CliConsole.h"
#include "app/cli/CliServer.h"
#include "ops/Connection.h"

// Logs in and changes to the target's start folder (the URL's path or the
// site's remote folder) when it names one; prints a message and returns false
// when either fails.
bool ConnectInStartFolder(TaskContext& context, FtpSession& session, const ServerTarget& target);

// The command's session; a reconnect logs in afresh on the same one.
class CliConnection : public Connection {
public:
    CliConnection(const ServerTarget& target, bool enterStartFolder);
    // The first log-in; prints why when it fails.
    bool Connect(TaskContext& context);
    FtpSession& Session() override { return session_; }
    NetResult Reconnect(TaskContext& context) override;

private:
    ServerTarget target_;
    bool enterStartFolder_;
    FtpSession session_;
};

using SessionAction = std::function<int(TaskContext&, FtpSession&)>;
using ConnectionAction = std::function<int(TaskContext&, Connection&)>;

// The frame of the commands that work on a server (named by args[0]): checks
// the argument count, logs in (and enters the start folder when asked) and
// runs the action; returns the exit code.
int RunWithConnection(ConsoleTaskContext& context, const CliArguments& args, size_t minimum, size_t maximum,
                      const wchar_t* usage, bool enterStartFolder, const ConnectionAction& action);
int RunWithSession(ConsoleTaskContext& context, const CliArguments& args, size_t minimum, size_t maximum,
                   const wchar_t* usage, bool enterStartFolder, const SessionAction& action);
