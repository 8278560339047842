// The remote pane and the shell: dragging rows out, Copy and Paste. Rows
// leave the server as files downloaded into a folder of the temporary folder
// first; files from the shell arrive as an upload.
#include <windows.h>

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include "ops/DownloadJob.h"
#include "ops/LocalFiles.h"
#include "store/Registry.h"
#include "ui/MainWindow.h"

namespace {

std::wstring TempFolder(const wchar_t* name)
{
    wchar_t temp[MAX_PATH + 1] = L"";
    GetTempPathW(MAX_PATH + 1, temp);
    std::wstring folder = temp;
    if (!folder.empty() && folder.back() != L'\\')
        folder += L'\\';
    return folder + name;
}

void DeleteFolderTree(const std::wstring& folder)
{
    std::wstring from = folder + L'\0';  // the list ends in two terminators
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&operation);
}

std::vector<std::wstring> EntriesOf(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

}  // namespace

bool MainWindow::ClipboardHoldsShellItems() const
{
    return IsClipboardFormatAvailable(RegisterClipboardFormatW(CFSTR_SHELLIDLIST)) != FALSE;
}

std::vector<std::wstring> MainWindow::DownloadSelectionInto(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    for (const SelectedRemoteRow& row : remote_.SelectedRows())
        names.push_back(row.name);
    if (!manager_->Connected() || names.empty())
        return {};
    DeleteFolderTree(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    RunRemoteStep(L"Downloading file list", [&](TaskContext& context) {
        return DownloadSelection(context, *manager_, parts_->prompt, names, folder);
    });
    return EntriesOf(folder);
}

void MainWindow::CopyRemote()
{
    std::wstring folder = TempFolder(L"TarnwickCopyFolder");
    std::vector<std::wstring> entries = DownloadSelectionInto(folder);
    if (entries.empty())
        return;
    if (IDataObject* data = CreateFileDataObject(folder, entries)) {
        OleSetClipboard(data);
        data->Release();
    }
}

void MainWindow::PasteRemote()
{
    IDataObject* data = nullptr;
    if (!ClipboardHoldsShellItems() || FAILED(OleGetClipboard(&data)) || !data)
        return;
    std::vector<std::wstring> paths = DroppedPaths(data);
    data->Release();
    if (!paths.empty())
        UploadPaths(paths, LocalParent(paths[0]), L"");
}

void MainWindow::DragRemote()
{
    WriteString(SettingsKey(), L"DragSource", L"remote");
    std::wstring folder = TempFolder(L"trwk");
    std::vector<std::wstring> entries = DownloadSelectionInto(folder);
    if (!entries.empty()) {
        if (IDataObject* data = CreateFileDataObject(folder, entries)) {
            DragFiles(data);
            data->Release();
        }
    }
    DeleteFolderTree(folder);
    local_.Refresh();
    WriteString(SettingsKey(), L"DragSource", L"local");
}
