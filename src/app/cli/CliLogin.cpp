// tarnwick-cli login SERVER: logs in, asks the server's features and prints
// what the session learnt.
#include "app/cli/CliSession.h"

int RunLoginCommand(const CliArguments& args)
{
    ConsoleTaskContext context;
    return RunWithSession(context, args, 1, 1, L"login URL|LABEL", false, [](TaskContext& task, FtpSession& session) {
        QueryFeatures(task, session);
        PrintLine(std::wstring(L"TLS: ") + (session.TlsActive() ? L"yes" : L"no"));
        PrintLine(L"Features: " + FeatureNames(session.features));
        return 0;
    });
}
