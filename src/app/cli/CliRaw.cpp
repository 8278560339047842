// tarnwick-cli raw SERVER COMMAND...: logs in and sends each command line,
// printing every reply.
#include "app/cli/CliCommands.h"
#include "app/cli/CliConsole.h"
#include "app/cli/CliServer.h"
#include "ftp/ReplyParsing.h"
#include "net/TextCodec.h"

int RunRawCommand(const CliArguments& args)
{
    if (args.empty()) {
        PrintError(L"usage: tarnwick-cli raw URL|LABEL COMMAND...");
        return 2;
    }
    std::optional<ServerTarget> target = ResolveServer(args[0]);
    if (!target)
        return 2;
    ConsoleTaskContext context;
    FtpSession session;
    if (!ConnectSession(context, session, *target))
        return 1;
    int exitCode = 0;
    for (size_t i = 1; i < args.size(); ++i) {
        std::string line = CommandLine(WideToUtf8(args[i]));
        LogCommand(line);
        uint16_t code = 0;
        std::vector<std::string> earlierLines;
        NetResult result = SendRaw(context, session, line, session.timeouts.send);
        if (result == NetResult::Ok)
            result = ReadReply(context, session, session.timeouts.reply, code, nullptr, &earlierLines);
        if (result != NetResult::Ok) {
            PrintError(L"no reply to \"" + args[i] + L"\"");
            return 1;
        }
        // The final line is in the log; the lines before it are printed here.
        for (const std::string& earlier : earlierLines)
            PrintLine(Utf8ToWide(earlier));
        if (code >= 400 || code < 100)
            exitCode = 1;
    }
    return exitCode;
}
