// tarnwick-cli get -r SERVER REMOTE LOCALDIR and put -r SERVER LOCAL
// REMOTEDIR: whole folder trees through the transfer jobs. Every question is
// answered by a flag or asked on the console; progress stays on one line.
#include <windows.h>

#include <algorithm>

#include "app/cli/CliCommands.h"
#include "app/cli/CliConsole.h"
#include "app/cli/CliPrompt.h"
#include "app/cli/CliServer.h"
#include "ftp/RemoteCommands.h"
#include "ops/DirectConnection.h"
#include "ops/DownloadJob.h"
#include "ops/ProxySettingsStore.h"
#include "ops/RemoteNameRulesStore.h"
#include "ops/UploadJob.h"

namespace {

// Overwrite questions go to --overwrite/--skip, the roll-back questions after
// a cancel to --delete-partial/--keep-partial; a preset answers "for all".
class TransferPrompt : public UserPrompt {
public:
    TransferPrompt(std::optional<bool> overwrite, std::optional<bool> deletePartial)
        : overwrite_(overwrite), deletePartial_(deletePartial), overwritePrompt_(overwrite),
          rollbackPrompt_(deletePartial)
    {
    }
    PromptAnswer Ask(const PromptQuestion& question) override
    {
        if (question.declineButton.empty()) {  // a notice
            PrintLine(question.text);
            return {true, false};
        }
        bool rollback = question.acceptButton == L"Delete";
        PromptAnswer answer = (rollback ? rollbackPrompt_ : overwritePrompt_).Ask(question);
        answer.checked = (rollback ? deletePartial_ : overwrite_).has_value();
        return answer;
    }

private:
    std::optional<bool> overwrite_;
    std::optional<bool> deletePartial_;
    ConsolePrompt overwritePrompt_;
    ConsolePrompt rollbackPrompt_;
};

// Status and progress of the whole job on one console line.
class OneLineProgress : public ConsoleTaskContext {
public:
    void SetStatus(const std::wstring& text, int line) override
    {
        if (line == 0 && text.find(L" of ") != std::wstring::npos)
            status_ = text;
    }
    void SetProgress(double fraction) override
    {
        int percent = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 100.0);
        if (percent == percent_ && status_ == shown_)
            return;
        percent_ = percent;
        shown_ = status_;
        PrintInPlace(status_ + L" " + std::to_wstring(percent) + L"%");
    }

private:
    std::wstring status_;
    std::wstring shown_;
    int percent_ = -1;
};

struct RecursiveArguments {
    CliArguments args;
    std::optional<bool> overwrite;
    std::optional<bool> deletePartial;
};

std::optional<RecursiveArguments> TakeRecursiveArguments(const CliArguments& arguments, const wchar_t* usage)
{
    RecursiveArguments taken;
    CliArguments rest = arguments;
    std::erase(rest, L"-r");
    bool keep = std::erase(rest, L"--keep-partial") > 0;
    bool remove = std::erase(rest, L"--delete-partial") > 0;
    std::optional<CliArguments> args = TakePromptArguments(rest, 3, 3, usage, taken.overwrite);
    if (!args)
        return std::nullopt;
    if (keep && remove) {
        PrintError(std::wstring(L"usage: tarnwick-cli ") + usage);
        return std::nullopt;
    }
    if (keep || remove)
        taken.deletePartial = remove;
    taken.args = *args;
    return taken;
}

int Report(NetResult result, const wchar_t* verb)
{
    PrintLine(L"");
    if (result == NetResult::Ok) {
        PrintLine(std::wstring(verb) + L" complete.");
        return 0;
    }
    PrintError(std::wstring(verb) + (result == NetResult::Cancelled
                                         ? L" cancelled"
                                         : L" failed: not every file was transferred (the log above tells which)"));
    return 1;
}

// Logs in to the server named by args[0] into its start folder.
bool OpenConnection(TaskContext& context, const std::wstring& server, std::optional<DirectConnection>& connection)
{
    std::optional<ServerTarget> target = ResolveServer(server);
    if (!target)
        return false;
    connection.emplace(target->login, ReadProxySettings(), target->path);
    if (connection->Open(context) == NetResult::Ok)
        return true;
    PrintError(L"log-in to " + target->login.hostText + L" failed");
    return false;
}

}  // namespace

int RunRecursiveGet(const CliArguments& arguments)
{
    const wchar_t* usage = L"get -r URL|LABEL REMOTE LOCALDIR [--overwrite|--skip] [--keep-partial|--delete-partial]";
    std::optional<RecursiveArguments> taken = TakeRecursiveArguments(arguments, usage);
    if (!taken)
        return 2;
    OneLineProgress context;
    std::optional<DirectConnection> connection;
    if (!OpenConnection(context, taken->args[0], connection))
        return 1;
    std::wstring remote = taken->args[1];
    while (remote.size() > 1 && remote.back() == L'/')
        remote.pop_back();
    size_t slash = remote.find_last_of(L'/');
    if (slash != std::wstring::npos) {
        std::wstring parent = slash == 0 ? L"/" : remote.substr(0, slash);
        if (ChangeRemoteFolder(context, connection->Session(), parent) != NetResult::Ok) {
            PrintError(L"cannot change to the remote folder " + parent);
            return 1;
        }
        remote = remote.substr(slash + 1);
    }
    std::wstring local = FullLocalPath(taken->args[2]);
    CreateDirectoryW(local.c_str(), nullptr);
    TransferPrompt prompt(taken->overwrite, taken->deletePartial);
    // Ctrl+C is seen at once: there is no late press to wait for.
    return Report(DownloadSelection(context, *connection, prompt, {remote}, local, LateCancel::NotAwaited),
                  L"Download");
}

int RunRecursivePut(const CliArguments& arguments)
{
    const wchar_t* usage = L"put -r URL|LABEL LOCAL REMOTEDIR [--overwrite|--skip] [--keep-partial|--delete-partial]";
    std::optional<RecursiveArguments> taken = TakeRecursiveArguments(arguments, usage);
    if (!taken)
        return 2;
    std::wstring local = FullLocalPath(taken->args[1]);
    if (GetFileAttributesW(local.c_str()) == INVALID_FILE_ATTRIBUTES) {
        PrintError(L"no local file or folder " + local);
        return 1;
    }
    OneLineProgress context;
    std::optional<DirectConnection> connection;
    if (!OpenConnection(context, taken->args[0], connection))
        return 1;
    TransferPrompt prompt(taken->overwrite, taken->deletePartial);
    std::wstring root = local.substr(0, local.find_last_of(L"\\/"));
    // --overwrite or --skip is the answer "for all" before the first question.
    OverwriteMemory answered;
    if (taken->overwrite)
        answered = {true, *taken->overwrite};
    return Report(UploadSelection(context, *connection, prompt, {local}, root, taken->args[2], ReadRemoteNameRules(),
                                  answered),
                  L"Upload");
}
