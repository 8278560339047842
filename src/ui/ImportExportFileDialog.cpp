#include "ui/ImportExportFileDialog.h"

#include <commdlg.h>

#include <vector>

#include "store/Registry.h"
#include "ui/ChosenFileFolder.h"

std::optional<std::wstring> ChooseImportExportFile(HWND owner, const wchar_t* title, FileUse use)
{
    RegKeyRef settings = SettingsKey();
    std::wstring folder = ReadString(settings, L"ExportImportFolder");
    std::vector<wchar_t> file(MAX_PATH * 4, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = L"Text Documents\0*.txt\0";
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title;
    dialog.lpstrDefExt = L"txt";
    // The program asks its own question before an existing file is replaced.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    bool chosen = false;
    if (use == FileUse::Import) {
        dialog.Flags |= OFN_FILEMUSTEXIST;
        chosen = GetOpenFileNameW(&dialog) != FALSE;
    } else {
        chosen = GetSaveFileNameW(&dialog) != FALSE;
    }
    if (!chosen)
        return std::nullopt;
    std::wstring path = file.data();
    WriteString(settings, L"ExportImportFolder", ChosenFileFolder(path));
    return path;
}
