// tarnwick-cli get SERVER REMOTE LOCAL and put SERVER LOCAL REMOTE: one file
// each way, with progress on the console. Remote names are taken relative to
// the URL's path (or the site's start folder).
#include <algorithm>

#include "app/cli/CliSession.h"
#include "ftp/Transfer.h"

namespace {

using TransferFunction = NetResult (*)(TaskContext&, FtpSession&, const std::wstring&, const std::wstring&,
                                       std::wstring*);

// Logs in, changes to the start folder and runs the transfer; the exit code.
int RunTransfer(const CliArguments& args, const wchar_t* usage, const wchar_t* verb, TransferFunction transfer,
                bool remoteFirst)
{
    ConsoleTaskContext context(true);
    return RunWithSession(context, args, 3, 3, usage, true, [&](TaskContext& task, FtpSession& session) {
        const std::wstring& remote = remoteFirst ? args[1] : args[2];
        const std::wstring& local = remoteFirst ? args[2] : args[1];
        std::wstring replyText;
        NetResult result = transfer(task, session, remote, local, &replyText);
        if (task.IsCancelled()) {
            PrintError(std::wstring(verb) + L" cancelled");
            return 1;
        }
        if (result != NetResult::Ok) {
            PrintError(std::wstring(verb) + L" failed" + (replyText.empty() ? L"" : L": " + replyText));
            return 1;
        }
        PrintLine(std::wstring(verb) + L" complete.");
        return 0;
    });
}

}  // namespace

int RunGetCommand(const CliArguments& args)
{
    if (std::find(args.begin(), args.end(), L"-r") != args.end())
        return RunRecursiveGet(args);
    return RunTransfer(args, L"get URL|LABEL REMOTE LOCAL", L"Download", Download, true);
}

int RunPutCommand(const CliArguments& args)
{
    if (std::find(args.begin(), args.end(), L"-r") != args.end())
        return RunRecursivePut(args);
    auto upload = [](TaskContext& context, FtpSession& session, const std::wstring& remote,
                     const std::wstring& local, std::wstring* replyText) {
        return Upload(context, session, remote, local, replyText);
    };
    return RunTransfer(args, L"put URL|LABEL LOCAL REMOTE", L"Upload", upload, false);
}
