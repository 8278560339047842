#include "store/SettingsImportExport.h"

#include "store/Registry.h"
#include "store/SettingsFile.h"

ExportResult ExportSettings(const std::wstring& path, UserPrompt& prompt)
{
    RegKeyRef settings = SettingsKey();
    FtpOptionValues values{};
    for (size_t i = 0; i < kFileFtpOptions.size(); ++i)
        values[i] = ReadBool(settings, kFileFtpOptions[i], false);
    return WriteExportFile(path, FormatSettingsFile(values), prompt);
}

bool ImportSettings(const std::wstring& path)
{
    FtpOptionsFound found;
    if (!ReadImportFile(path, [&](std::string_view line) { ReadSettingsLine(line, found); }))
        return false;
    RegKeyRef settings = SettingsKey();
    bool any = false;
    for (size_t i = 0; i < kFileFtpOptions.size(); ++i) {
        if (!found[i])
            continue;
        WriteBool(settings, kFileFtpOptions[i], *found[i]);
        any = true;
    }
    return any;
}
