// tarnwick-cli export-sites, import-sites, export-settings, import-settings:
// the text files of saved sites and FTP options, read and written against
// the registry.
#include <algorithm>
#include <cstdint>

#include "app/cli/CliCommands.h"
#include "app/cli/CliConsole.h"
#include "app/cli/CliPrompt.h"
#include "store/Registry.h"
#include "store/SettingsImportExport.h"
#include "store/SiteImportExport.h"

namespace {

std::vector<std::wstring> SavedLabels()
{
    std::vector<std::wstring> labels;
    for (const RegKeyRef& label : EnumerateSubkeys(SitesKey()))
        labels.push_back(label.name);
    return labels;
}

int ReportExport(ExportResult result, const std::wstring& path)
{
    switch (result) {
    case ExportResult::Written:
        PrintLine(L"Written to " + path + L".");
        return 0;
    case ExportResult::Cancelled:
        PrintError(L"\"" + path + L"\" was not overwritten");
        return 1;
    case ExportResult::Failed:
        break;
    }
    PrintError(L"cannot write \"" + path + L"\"");
    return 1;
}

}  // namespace

int RunExportSitesCommand(const CliArguments& arguments)
{
    std::optional<bool> preset;
    std::optional<CliArguments> args =
        TakePromptArguments(arguments, 1, SIZE_MAX, L"export-sites FILE [LABEL...] [--overwrite|--skip]", preset);
    if (!args)
        return 2;
    std::vector<std::wstring> saved = SavedLabels();
    std::vector<std::wstring> labels(args->begin() + 1, args->end());
    for (const std::wstring& label : labels) {
        if (std::find(saved.begin(), saved.end(), label) == saved.end()) {
            PrintError(L"no saved site is labelled \"" + label + L"\"");
            return 2;
        }
    }
    if (labels.empty())
        labels = saved;
    if (labels.empty()) {
        PrintError(L"there are no saved sites to export");
        return 1;
    }
    const std::wstring& path = args->front();
    ConsolePrompt prompt(preset);
    return ReportExport(ExportSites(path, labels, prompt), path);
}

int RunImportSitesCommand(const CliArguments& arguments)
{
    std::optional<bool> preset;
    std::optional<CliArguments> args = TakePromptArguments(arguments, 1, 1, L"import-sites FILE [--overwrite|--skip]", preset);
    if (!args)
        return 2;
    ConsolePrompt prompt(preset);
    SiteImportResult result = ImportSites(args->front(), prompt);
    if (!result.sitesFound) {
        PrintError(std::wstring(kNoSitesInFile));
        return 1;
    }
    PrintLine(std::to_wstring(result.stored) + L" sites imported, " + std::to_wstring(result.kept) +
              L" existing sites kept.");
    if (!result.allRecordsRead) {
        PrintError(std::wstring(kRecordsNotRead));
        return 1;
    }
    return 0;
}

int RunExportSettingsCommand(const CliArguments& arguments)
{
    std::optional<bool> preset;
    std::optional<CliArguments> args =
        TakePromptArguments(arguments, 1, 1, L"export-settings FILE [--overwrite|--skip]", preset);
    if (!args)
        return 2;
    ConsolePrompt prompt(preset);
    return ReportExport(ExportSettings(args->front(), prompt), args->front());
}

int RunImportSettingsCommand(const CliArguments& args)
{
    if (args.size() != 1) {
        PrintError(L"usage: tarnwick-cli import-settings FILE");
        return 2;
    }
    if (!ImportSettings(args[0])) {
        PrintError(std::wstring(kNoSettingsInFile));
        return 1;
    }
    PrintLine(L"Settings imported.");
    return 0;
}
