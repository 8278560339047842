// tarnwick-cli raw SERVER COMMAND...: logs in and sends each command line,
// printing every reply.
#include <climits>

#include "app/cli/CliSession.h"
#include "ftp/ReplyParsing.h"
#include "net/TextCodec.h"

int RunRawCommand(const CliArguments& args)
{
    ConsoleTaskContext context;
    auto sendEach = [&](TaskContext& task, FtpSession& session) {
        int exitCode = 0;
        for (size_t i = 1; i < args.size(); ++i) {
            std::string line = CommandLine(WideToUtf8(args[i]));
            LogCommand(line);
            uint16_t code = 0;
            std::vector<std::string> earlierLines;
            NetResult result = SendRaw(task, session, line, session.timeouts.send);
            if (result == NetResult::Ok)
                result = ReadReply(task, session, session.timeouts.reply, code, nullptr, &earlierLines);
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
    };
    return RunWithSession(context, args, 1, SIZE_MAX, L"raw URL|LABEL COMMAND...", false, sendEach);
}
