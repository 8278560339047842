// tarnwick-cli ls, mkdir, rmdir, rm, mv, rmtree, cd and pwd: remote folders
// and files. Relative paths start at the URL's path (or the site's start
// folder).
#include <algorithm>
#include <cstdio>

#include "app/cli/CliCommands.h"
#include "app/cli/CliConsole.h"
#include "app/cli/CliSession.h"
#include "ftp/RemoteCommands.h"
#include "ftp/RemoteListing.h"
#include "ftp/RemoteTime.h"

namespace {

int WithSession(const CliArguments& args, size_t minimum, size_t maximum, const wchar_t* usage,
                const SessionAction& action)
{
    ConsoleTaskContext context;
    return RunWithSession(context, args, minimum, maximum, usage, true, action);
}

// Exit code 0 with `done` printed, or 1 with why.
int Report(NetResult result, const std::wstring& done, const std::wstring& failed)
{
    if (result == NetResult::Ok) {
        PrintLine(done);
        return 0;
    }
    PrintError(result == NetResult::Cancelled ? L"cancelled" : failed);
    return 1;
}

std::wstring UtcText(int64_t seconds)
{
    CalendarTime t = SecondsToUtcTime(seconds);
    wchar_t text[32];
    swprintf(text, 32, L"%04d-%02d-%02dT%02d:%02d:%02dZ", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return text;
}

// name, size, kind, modification time (UTC) and permissions, tab-separated;
// "-" for what the listing did not say.
std::wstring EntryLine(const RemoteEntry& entry)
{
    const wchar_t* kind = !entry.hasKind ? L"-" : entry.isLink ? L"link" : entry.isFolder ? L"folder" : L"file";
    return entry.name + L"\t" + (entry.hasSize ? std::to_wstring(entry.size) : L"-") + L"\t" + kind + L"\t" +
           (entry.hasModified ? UtcText(entry.modified) : L"-") + L"\t" +
           (entry.permissions.empty() ? L"-" : entry.permissions);
}

using PathCommand = NetResult (*)(TaskContext&, FtpSession&, const std::wstring&, uint16_t*);

// A command on one remote path: the path, then what became of it.
int OnePathCommand(const CliArguments& args, const wchar_t* usage, PathCommand command, const std::wstring& done,
                   const std::wstring& failed)
{
    return WithSession(args, 2, 2, usage, [&](TaskContext& context, FtpSession& session) {
        return Report(command(context, session, args[1], nullptr), done + args[1], failed + args[1]);
    });
}

// The console context of a tree delete also shows each file it deletes.
class TreeDeleteConsole : public ConsoleTaskContext {
public:
    TreeDeleteConsole() : ConsoleTaskContext(true) {}
    void SetStatus(const std::wstring& text, int) override { PrintLine(text); }
};

}  // namespace

int RunLsCommand(const CliArguments& args)
{
    return WithSession(args, 1, 2, L"ls URL|LABEL [PATH]", [&](TaskContext& context, FtpSession& session) {
        if (args.size() == 2 && ChangeRemoteFolder(context, session, args[1]) != NetResult::Ok) {
            PrintError(L"cannot change to the remote folder " + args[1]);
            return 1;
        }
        RemoteListing listing;
        NetResult result = ListRemoteFolder(context, session, listing);
        if (result != NetResult::Ok)
            return Report(result, L"", listing.dataConnectionFailed ? L"no data connection could be opened"
                                                                    : L"the folder could not be listed");
        for (const RemoteEntry& entry : listing.entries) {
            if (!IsDotEntry(entry))
                PrintLine(EntryLine(entry));
        }
        return 0;
    });
}

int RunMkdirCommand(const CliArguments& args)
{
    return OnePathCommand(args, L"mkdir URL|LABEL PATH", MakeRemoteFolder, L"Created ", L"cannot create the folder ");
}

int RunRmdirCommand(const CliArguments& args)
{
    return OnePathCommand(args, L"rmdir URL|LABEL PATH", RemoveRemoteFolder, L"Removed ", L"cannot remove the folder ");
}

int RunRmCommand(const CliArguments& args)
{
    if (std::find(args.begin(), args.end(), L"-r") != args.end())
        return RunRecursiveRmCommand(args);
    return OnePathCommand(args, L"rm URL|LABEL NAME", DeleteRemoteFile, L"Deleted ", L"cannot delete the file ");
}

int RunMvCommand(const CliArguments& args)
{
    return WithSession(args, 3, 3, L"mv URL|LABEL OLD NEW", [&](TaskContext& context, FtpSession& session) {
        return Report(RenameRemote(context, session, args[1], args[2]), L"Renamed " + args[1] + L" to " + args[2],
                      L"cannot rename " + args[1]);
    });
}

int RunRmtreeCommand(const CliArguments& args)
{
    TreeDeleteConsole context;
    return RunWithSession(context, args, 2, 2, L"rmtree URL|LABEL FOLDER", true, [&](TaskContext& task, FtpSession& session) {
        return Report(DeleteRemoteTree(task, session, args[1]), L"Deleted " + args[1] + L" with everything in it",
                      L"cannot delete everything in " + args[1]);
    });
}

int RunCdCommand(const CliArguments& args)
{
    return WithSession(args, 2, 2, L"cd URL|LABEL PATH", [&](TaskContext& context, FtpSession& session) {
        std::wstring path = args[1];
        return Report(ChangeRemoteFolderTracked(context, session, path), path,
                      L"cannot change to the remote folder " + args[1]);
    });
}

int RunPwdCommand(const CliArguments& args)
{
    return WithSession(args, 1, 1, L"pwd URL|LABEL", [&](TaskContext& context, FtpSession& session) {
        std::wstring path;
        return Report(GetRemoteFolder(context, session, path), path, L"the server did not tell its current folder");
    });
}
