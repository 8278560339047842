// tarnwick-cli get SERVER REMOTE LOCAL and put SERVER LOCAL REMOTE: one file
// each way, with progress on the console. Remote names are taken relative to
// the URL's path (or the site's start folder).
#include "app/cli/CliCommands.h"
#include "app/cli/CliConsole.h"
#include "app/cli/CliSession.h"
#include "ftp/Transfer.h"

namespace {

using TransferFunction = NetResult (*)(TaskContext&, FtpSession&, const std::wstring&, const std::wstring&,
                                       std::wstring*);

// Logs in, changes to the start folder and runs the transfer; the exit code.
int RunTransfer(const CliArguments& args, const wchar_t* verb, TransferFunction transfer, const std::wstring& remote,
                const std::wstring& local)
{
    std::optional<ServerTarget> target = ResolveServer(args[0]);
    if (!target)
        return 2;
    ConsoleTaskContext context(true);
    FtpSession session;
    if (!ConnectInStartFolder(context, session, *target))
        return 1;
    std::wstring replyText;
    NetResult result = transfer(context, session, remote, local, &replyText);
    if (context.IsCancelled()) {
        PrintError(std::wstring(verb) + L" cancelled");
        return 1;
    }
    if (result != NetResult::Ok) {
        PrintError(std::wstring(verb) + L" failed" + (replyText.empty() ? L"" : L": " + replyText));
        return 1;
    }
    PrintLine(std::wstring(verb) + L" complete.");
    return 0;
}

}  // namespace

int RunGetCommand(const CliArguments& args)
{
    if (args.size() != 3) {
        PrintError(L"usage: tarnwick-cli get URL|LABEL REMOTE LOCAL");
        return 2;
    }
    return RunTransfer(args, L"Download", Download, args[1], args[2]);
}

int RunPutCommand(const CliArguments& args)
{
    if (args.size() != 3) {
        PrintError(L"usage: tarnwick-cli put URL|LABEL LOCAL REMOTE");
        return 2;
    }
    return RunTransfer(args, L"Upload", Upload, args[2], args[1]);
}
