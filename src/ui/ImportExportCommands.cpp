#include "ui/ImportExportCommands.h"

#include "ops/Notice.h"
#include "store/SettingsImportExport.h"
#include "store/SiteImportExport.h"
#include "ui/ControlIds.h"
#include "ui/ImportExportFileDialog.h"
#include "ui/SiteExportDialog.h"

namespace {

bool ImportSitesFromFile(HWND owner, UserPrompt& prompt)
{
    std::optional<std::wstring> path = ChooseImportExportFile(owner, L"Open file to import...", FileUse::Import);
    if (!path)
        return false;
    SiteImportResult result = ImportSites(*path, prompt);
    if (!result.sitesFound)
        ShowNotice(prompt, std::wstring(kBadFormatCaption), std::wstring(kNoSitesInFile), PromptIcon::Warning);
    if (!result.allRecordsRead)
        ShowNotice(prompt, std::wstring(kImportErrorCaption), std::wstring(kRecordsNotRead), PromptIcon::Error);
    return result.stored > 0;
}

void ExportSettingsToFile(HWND owner, UserPrompt& prompt)
{
    std::optional<std::wstring> path = ChooseImportExportFile(owner, L"Export Settings to File...", FileUse::Export);
    if (path)
        ExportSettings(*path, prompt);
}

void ImportSettingsFromFile(HWND owner, UserPrompt& prompt)
{
    std::optional<std::wstring> path =
        ChooseImportExportFile(owner, L"Import Settings from File...", FileUse::Import);
    if (path && !ImportSettings(*path))
        ShowNotice(prompt, std::wstring(kBadFormatCaption), std::wstring(kNoSettingsInFile), PromptIcon::Warning);
}

}  // namespace

bool RunImportExportCommand(HWND owner, UserPrompt& prompt, int command)
{
    switch (command) {
    case IDM_EXPORT_SITES:
        ShowSiteExportDialog(owner);
        return false;
    case IDM_IMPORT_SITES:
        return ImportSitesFromFile(owner, prompt);
    case IDM_EXPORT_SETTINGS:
        ExportSettingsToFile(owner, prompt);
        return false;
    case IDM_IMPORT_SETTINGS:
        ImportSettingsFromFile(owner, prompt);
        return false;
    default:
        return false;
    }
}
