#include "ops/ChmodCommand.h"

#include <optional>

#include "ftp/RemoteListing.h"
#include "ftp/ReplyParsing.h"
#include "net/Log.h"
#include "net/TextCodec.h"

namespace {

constexpr uint16_t kNotImplementedForParameter = 504;

void ShowSteps(TaskContext& context, const wchar_t* what)
{
    context.SetStatus(what, 0);
    context.SetStatus(L"Setting Data", 1);
    context.SetStatus(L"Sending Command", 1);
}

// Reads the permissions back and warns when the server kept others than sent.
NetResult CheckServerKept(TaskContext& context, FtpSession& session, const std::wstring& name,
                          const PermissionDigits& sent)
{
    ShowSteps(context, L"Getting Permissions");
    std::wstring text;
    NetResult result = GetRemotePermissions(context, session, name, text);
    if (result == NetResult::Cancelled)
        return result;
    std::optional<PermissionDigits> now = DigitsFromPermissionText(text);
    if (now && *now != sent)
        LogWarning(L"The server overwrote some of the permissions for %ls.", name.c_str());
    return NetResult::Ok;
}

}  // namespace

PermissionDigits DialogDigits(const SelectedRemoteRow& focused)
{
    return DigitsFromPermissionText(focused.permissions).value_or(PermissionDigits{});
}

NetResult ChangeRemotePermissions(TaskContext& context, Connection& connection,
                                  std::vector<SelectedRemoteRow>& rows, const PermissionDigits& digits)
{
    LogInfo(L"Changing Permissions...");
    NetResult overall = NetResult::Ok;
    for (SelectedRemoteRow& row : rows) {
        if (context.IsCancelled())
            return NetResult::Cancelled;
        FtpSession& session = connection.Session();
        std::wstring name = ServerName(row);
        ShowSteps(context, L"Changing Permissions");
        std::string verb = "SITE chmod " + WideToUtf8(ChmodDigitsText(digits));
        uint16_t code = 0;
        NetResult sent = SendCommand(context, session, CommandLine(verb, WideToUtf8(name)), nullptr, &code);
        if (sent == NetResult::Cancelled)
            return sent;
        if (code == kNotImplementedForParameter) {
            LogError(L"Changing file permissions is not supported on this server.");
            return NetResult::Failed;
        }
        if (code == 0)  // no reply: the connection is gone
            return NetResult::Failed;
        if (code < 200 || code > 299) {
            LogError(L"Changing file permissions failed for file %ls.", name.c_str());
            overall = NetResult::Failed;
            continue;
        }
        LogInfo(L"File permissions set for file %ls.", name.c_str());
        if (CheckServerKept(context, session, name, digits) == NetResult::Cancelled)
            return NetResult::Cancelled;
        row.permissions = PermissionTextAfterChmod(row.permissions, digits);
    }
    return overall;
}
