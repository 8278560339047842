// tarnwick-cli sync SERVER LOCALDIR [REMOTEDIR] and compare: both trees file
// by file, the newest copy of each file to the other side.
#include <windows.h>

#include <algorithm>

#include "app/cli/CliCommands.h"
#include "app/cli/CliConsole.h"
#include "app/cli/CliPrompt.h"
#include "app/cli/CliSession.h"
#include "ops/RemoteNameRulesStore.h"
#include "ops/SyncReport.h"
#include "ops/Synchronize.h"

namespace {

// The confirmation goes to --yes, the overwrite questions to
// --overwrite/--skip (a preset answers "for all"); without a flag the
// console asks.
class SyncPrompt : public UserPrompt {
public:
    SyncPrompt(bool yes, std::optional<bool> overwrite)
        : overwrite_(overwrite), confirmPrompt_(yes ? std::optional<bool>(true) : std::nullopt, L"--yes"),
          overwritePrompt_(overwrite)
    {
    }
    PromptAnswer Ask(const PromptQuestion& question) override
    {
        if (question.declineButton.empty()) {  // a notice
            PrintLine(question.text);
            return {true, false};
        }
        if (question.caption == L"Synchronize")
            return confirmPrompt_.Ask(question);
        PromptAnswer answer = overwritePrompt_.Ask(question);
        answer.checked = overwrite_.has_value();
        return answer;
    }

private:
    std::optional<bool> overwrite_;
    ConsolePrompt confirmPrompt_;
    ConsolePrompt overwritePrompt_;
};

// "/sync/a: Download notes.txt: newer on the server (...)".
void PrintItems(const std::vector<SyncItem>& items)
{
    for (const SyncItem& item : items)
        PrintLine(item.remoteFolder + L": " + SyncDecisionLine(item.decision));
}

int Failure(NetResult result, const wchar_t* what)
{
    PrintError(std::wstring(what) + (result == NetResult::Cancelled
                                         ? L" cancelled"
                                         : L" failed: not everything was compared or transferred (the log above "
                                           L"tells what)"));
    return 1;
}

}  // namespace

int RunSyncCommand(const CliArguments& arguments)
{
    const wchar_t* usage = L"sync URL|LABEL LOCALDIR [REMOTEDIR] [--dry-run] [--yes] [--overwrite|--skip]";
    CliArguments rest = arguments;
    SyncOptions options;
    options.dryRun = std::erase(rest, L"--dry-run") > 0;
    bool yes = std::erase(rest, L"--yes") > 0;
    std::optional<bool> overwrite;
    std::optional<CliArguments> args = TakePromptArguments(rest, 2, 3, usage, overwrite);
    if (!args)
        return 2;
    std::wstring local = FullLocalPath((*args)[1]);
    std::wstring remote = args->size() > 2 ? (*args)[2] : L"";
    options.rules = ReadRemoteNameRules();
    ConsoleTaskContext context;
    return RunWithConnection(context, *args, 2, 3, usage, true, [&](TaskContext& task, Connection& connection) {
        SyncPrompt prompt(yes, overwrite);
        SyncPlan plan;
        NetResult result = SynchronizeFolders(task, connection, prompt, local, remote, options, &plan);
        if (result != NetResult::Ok)
            return Failure(result, L"Synchronize");
        if (options.dryRun) {
            PrintItems(plan.downloads);
            PrintItems(plan.uploads);
        }
        PrintLine(std::to_wstring(plan.downloads.size()) + L" to download, " + std::to_wstring(plan.uploads.size()) +
                  (options.dryRun ? L" to upload (dry run: nothing transferred)." : L" to upload: done."));
        return 0;
    });
}

int RunCompareCommand(const CliArguments& arguments)
{
    const wchar_t* usage = L"compare URL|LABEL LOCALDIR [REMOTEDIR]";
    if (arguments.size() < 2 || arguments.size() > 3) {
        PrintError(std::wstring(L"usage: tarnwick-cli ") + usage);
        return 2;
    }
    std::wstring local = FullLocalPath(arguments[1]);
    std::wstring remote = arguments.size() > 2 ? arguments[2] : L"";
    ConsoleTaskContext context;
    return RunWithConnection(context, arguments, 2, 3, usage, true, [&](TaskContext& task, Connection& connection) {
        if (GetFileAttributesW(local.c_str()) == INVALID_FILE_ATTRIBUTES) {
            PrintError(L"no local folder " + local);
            return 1;
        }
        SyncPlan plan;
        std::wstring rootPath;
        NetResult result = CompareFolders(task, connection, local, remote, ReadRemoteNameRules(), plan, rootPath);
        if (result != NetResult::Ok)
            return Failure(result, L"Compare");
        PrintLine(L"Newer or missing here (" + std::to_wstring(plan.downloads.size()) + L"):");
        PrintItems(plan.downloads);
        PrintLine(L"Newer or missing on the server (" + std::to_wstring(plan.uploads.size()) + L"):");
        PrintItems(plan.uploads);
        return 0;
    });
}
