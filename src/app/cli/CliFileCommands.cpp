// tarnwick-cli chmod SERVER DIGITS NAME... and rm -r SERVER NAME...: the
// remote pane's permission change and delete, through the same operations.
// Names are taken relative to the URL's path (or the site's start folder).
#include <algorithm>

#include "app/cli/CliCommands.h"
#include "app/cli/CliPrompt.h"
#include "app/cli/CliSession.h"
#include "ftp/RemoteCommands.h"
#include "ftp/RemoteListing.h"
#include "ops/ChmodCommand.h"
#include "ops/DeleteCommand.h"

namespace {

constexpr const wchar_t* kChmodUsage = L"chmod URL|LABEL DIGITS NAME...";
constexpr const wchar_t* kRmUsage = L"rm -r [--yes] URL|LABEL NAME...";

int Cancelled()
{
    PrintError(L"cancelled");
    return 1;
}

// The rows to delete, each with the kind the server tells; nothing (after
// saying why) when a name is not on the server.
std::optional<RemoteSelection> SelectionOf(TaskContext& context, FtpSession& session, const CliArguments& names,
                                           int& exitCode)
{
    RemoteSelection selection;
    exitCode = 1;
    if (GetRemoteFolder(context, session, selection.folder) != NetResult::Ok) {
        PrintError(context.IsCancelled() ? L"cancelled" : L"the server did not tell its current folder");
        return std::nullopt;
    }
    for (const std::wstring& name : names) {
        RemoteKind kind = RemoteKind::Unknown;
        if (GetRemoteKind(context, session, name, kind) == NetResult::Cancelled) {
            Cancelled();
            return std::nullopt;
        }
        if (kind == RemoteKind::Unknown) {
            PrintError(L"no file or folder named " + name);
            return std::nullopt;
        }
        selection.rows.push_back({name, kind, L""});
    }
    return selection;
}

// A folder the server would not let the delete enter counts as deleted there:
// the exit code says whether every name is really gone.
int CheckGone(TaskContext& context, FtpSession& session, const RemoteSelection& selection)
{
    for (const SelectedRemoteRow& row : selection.rows) {
        RemoteKind kind = RemoteKind::Unknown;
        GetRemoteKind(context, session, row.name, kind);
        if (kind != RemoteKind::Unknown) {
            PrintError(row.name + L" is still on the server");
            return 1;
        }
    }
    PrintLine(L"Deleted " + std::to_wstring(selection.rows.size()) + L" name(s)");
    return 0;
}

}  // namespace

int RunChmodCommand(const CliArguments& args)
{
    if (args.size() < 3) {
        PrintError(std::wstring(L"usage: tarnwick-cli ") + kChmodUsage);
        return 2;
    }
    std::optional<PermissionDigits> digits = ParseChmodDigits(args[1]);
    if (!digits) {
        PrintError(L"\"" + args[1] + L"\" are not permission digits: three octal digits such as 755 (or 0755)");
        return 2;
    }
    ConsoleTaskContext context;
    return RunWithConnection(context, args, 3, args.size(), kChmodUsage, true,
                             [&](TaskContext& task, Connection& connection) {
        std::vector<SelectedRemoteRow> rows;
        for (size_t i = 2; i < args.size(); ++i)
            rows.push_back({args[i], RemoteKind::File, L""});
        NetResult result = ChangeRemotePermissions(task, connection, rows, *digits);
        if (result == NetResult::Cancelled)
            return Cancelled();
        if (result != NetResult::Ok) {
            PrintError(L"the permissions were not changed for every name");
            return 1;
        }
        PrintLine(L"Permissions set to " + ChmodDigitsText(*digits));
        return 0;
    });
}

int RunRecursiveRmCommand(const CliArguments& arguments)
{
    CliArguments args = arguments;
    std::erase(args, L"-r");
    bool yes = std::erase(args, L"--yes") > 0;
    if (args.size() < 2) {
        PrintError(std::wstring(L"usage: tarnwick-cli ") + kRmUsage);
        return 2;
    }
    ConsoleTaskContext context;
    return RunWithConnection(context, args, 2, args.size(), kRmUsage, true,
                             [&](TaskContext& task, Connection& connection) {
        int exitCode = 1;
        std::optional<RemoteSelection> selection =
            SelectionOf(task, connection.Session(), CliArguments(args.begin() + 1, args.end()), exitCode);
        if (!selection)
            return exitCode;
        ConsolePrompt prompt(yes ? std::optional<bool>(true) : std::nullopt, L"--yes");
        NetResult result = DeleteRemoteSelection(task, connection, prompt, *selection, false);
        if (result == NetResult::Cancelled) {
            PrintError(task.IsCancelled() ? L"cancelled" : L"nothing deleted: the delete was not confirmed");
            return 1;
        }
        if (result != NetResult::Ok)
            return 1;  // the operation said why
        return CheckGone(task, connection.Session(), *selection);
    });
}
