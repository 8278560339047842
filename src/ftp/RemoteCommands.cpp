#include "ftp/RemoteCommands.h"

#include "ftp/ReplyParsing.h"
#include "net/TextCodec.h"

namespace {

// One command with a path argument under the usual rule (Ok for 200-399 and
// 150); the reply code goes to *code.
NetResult PathCommand(TaskContext& context, FtpSession& session, std::string_view verb, const std::wstring& path,
                      uint16_t* code)
{
    uint16_t replyCode = 0;
    NetResult result = SendCommand(context, session, CommandLine(verb, WideToUtf8(path)), nullptr, &replyCode);
    if (code)
        *code = replyCode;
    return result;
}

// The path a 257 reply quotes; a doubled quote stands for one quote.
std::string QuotedPath(std::string_view text)
{
    size_t open = text.find('"');
    if (open == std::string_view::npos)
        return {};
    std::string path;
    for (size_t i = open + 1; i < text.size(); ++i) {
        if (text[i] != '"') {
            path += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
            path += '"';
            ++i;
        } else {
            break;
        }
    }
    return path;
}

}  // namespace

NetResult ChangeRemoteFolder(TaskContext& context, FtpSession& session, const std::wstring& path, uint16_t* code)
{
    return PathCommand(context, session, "CWD", path, code);
}

NetResult GetRemoteFolder(TaskContext& context, FtpSession& session, std::wstring& path)
{
    uint16_t code = 0;
    std::string text;
    NetResult result = SendCommand(context, session, "PWD\r\n", &text, &code);
    if (result == NetResult::Cancelled)
        return result;
    if (code < 200 || code > 299)
        return NetResult::Failed;
    path = Utf8ToWide(QuotedPath(text));
    return NetResult::Ok;
}

NetResult MakeRemoteFolder(TaskContext& context, FtpSession& session, const std::wstring& path, uint16_t* code)
{
    if (code)
        *code = 0;
    if (context.IsCancelled())
        return NetResult::Cancelled;
    if (path.empty() || path == L"/")
        return NetResult::Ok;
    uint16_t replyCode = 0;
    NetResult result = PathCommand(context, session, "MKD", path, &replyCode);
    if (code)
        *code = replyCode;
    if (result == NetResult::Failed && replyCode == 521)
        return NetResult::Ok;  // the folder exists already
    return result;
}

NetResult DeleteRemoteFile(TaskContext& context, FtpSession& session, const std::wstring& name, uint16_t* code)
{
    return PathCommand(context, session, "DELE", name, code);
}

NetResult RemoveRemoteFolder(TaskContext& context, FtpSession& session, const std::wstring& name, uint16_t* code)
{
    return PathCommand(context, session, "RMD", name, code);
}

NetResult RenameRemote(TaskContext& context, FtpSession& session, const std::wstring& oldName,
                       const std::wstring& newName, uint16_t* code)
{
    NetResult result = PathCommand(context, session, "RNFR", oldName, code);
    if (result != NetResult::Ok)
        return result;
    return PathCommand(context, session, "RNTO", newName, code);
}

NetResult ChangeRemoteFolderTracked(TaskContext& context, FtpSession& session, std::wstring& path)
{
    context.SetStatus(L"Changing directory to " + path, 0);
    if (!path.empty()) {
        NetResult result = ChangeRemoteFolder(context, session, path);
        if (result != NetResult::Ok)
            return result;
    }
    std::wstring current;
    NetResult result = GetRemoteFolder(context, session, current);
    if (result == NetResult::Ok)
        path = current;
    return result;
}
