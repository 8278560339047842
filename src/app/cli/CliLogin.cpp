// tarnwick-cli login SERVER: logs in, asks the server's features and prints
// what the session learnt.
#include "app/cli/CliCommands.h"
#include "app/cli/CliConsole.h"
#include "app/cli/CliServer.h"

int RunLoginCommand(const CliArguments& args)
{
    if (args.size() != 1) {
        PrintError(L"usage: tarnwick-cli login URL|LABEL");
        return 2;
    }
    std::optional<ServerTarget> target = ResolveServer(args[0]);
    if (!target)
        return 2;
    ConsoleTaskContext context;
    FtpSession session;
    if (!ConnectSession(context, session, *target))
        return 1;
    QueryFeatures(context, session);
    PrintLine(std::wstring(L"TLS: ") + (session.TlsActive() ? L"yes" : L"no"));
    PrintLine(L"Features: " + FeatureNames(session.features));
    return 0;
}
