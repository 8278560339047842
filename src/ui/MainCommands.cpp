// The main window's commands: menus, toolbars, buttons and keys, each routed
// to the connection manager, the file commands, the transfer jobs or the
// local pane.
#include <windows.h>

#include <shellapi.h>

#include "ftp/RemoteNames.h"
#include "net/Log.h"
#include "ops/ChmodCommand.h"
#include "ops/DeleteCommand.h"
#include "ops/DownloadJob.h"
#include "ops/LocalFiles.h"
#include "ops/NewFolderCommand.h"
#include "ops/Notice.h"
#include "ops/OpenCommand.h"
#include "ops/RemoteNameRulesStore.h"
#include "ops/RemoteNavigation.h"
#include "ops/RenameCommand.h"
#include "ops/Shell.h"
#include "ops/SyncWalk.h"
#include "ops/Synchronize.h"
#include "ops/UploadJob.h"
#include "store/Registry.h"
#include "ui/AboutDialog.h"
#include "ui/AboutIds.h"
#include "ui/CompareMarks.h"
#include "ui/ControlIds.h"
#include "ui/HelpTopic.h"
#include "ui/ImportExportCommands.h"
#include "ui/MainWindow.h"
#include "ui/OptionsSheet.h"
#include "ui/PermissionsDialog.h"
#include "ui/SiteCommands.h"

namespace {

const wchar_t kProgramName[] = L"Tarnwick File Transfer Software";

std::wstring Trimmed(const std::wstring& text)
{
    size_t first = text.find_first_not_of(L" \t");
    size_t last = text.find_last_not_of(L" \t");
    return first == std::wstring::npos ? L"" : text.substr(first, last - first + 1);
}

}  // namespace

void MainWindow::OnCommand(int command, int code, HWND control)
{
    if (code == CBN_SETFOCUS && control) {
        lastBox_ = control;
        return;
    }
    if (command == IDM_KEY_DELETE || command == IDM_KEY_RENAME) {
        // Delete and F2 act on the pane that has the focus, elsewhere on nothing.
        bool rename = command == IDM_KEY_RENAME;
        if (remote_.List().HasFocus())
            command = rename ? IDM_REMOTE_RENAME : IDM_REMOTE_DELETE;
        else if (GetFocus() == local_.Handle() || IsChild(local_.Handle(), GetFocus()))
            command = rename ? IDM_LOCAL_RENAME : IDM_LOCAL_DELETE;
        else
            return;
    }
    if (OnSiteCommand(command))
        return;
    switch (command) {
    case IDOK:
        // Enter: the box that had the focus last runs its command.
        if (lastBox_ == localPath_.Handle())
            GoLocal();
        else if (lastBox_ == remote_.PathBox().Handle())
            GoRemote();
        else if (lastBox_ == remoteFilter_.Handle())
            FilterCommand(PaneSide::Remote, true);
        else if (lastBox_ == localFilter_.Handle())
            FilterCommand(PaneSide::Local, true);
        break;
    case IDC_LOCAL_FILTER_APPLY:
    case IDC_LOCAL_FILTER_REMOVE:
        FilterCommand(PaneSide::Local, command == IDC_LOCAL_FILTER_APPLY);
        break;
    case IDC_REMOTE_FILTER_APPLY:
    case IDC_REMOTE_FILTER_REMOVE:
        FilterCommand(PaneSide::Remote, command == IDC_REMOTE_FILTER_APPLY);
        break;
    case IDC_LOCAL_GO:
        GoLocal();
        break;
    case IDC_REMOTE_GO:
        GoRemote();
        break;
    case IDC_UPLOAD:
        Upload();
        break;
    case IDC_DOWNLOAD:
        Download();
        break;
    case IDC_SYNCHRONIZE:
        SynchronizeCommand();
        break;
    case IDM_LOGS:
        OpenLogFolder();
        break;
    case IDM_SHOW_FILTERS:
        ToggleFilters();
        break;
    case IDM_LOCAL_OPEN:
        local_.Open();
        break;
    case IDM_LOCAL_DELETE:
        local_.Delete(parts_->prompt);
        break;
    case IDM_LOCAL_RENAME:
        local_.Rename();
        break;
    case IDM_LOCAL_NEW_FOLDER:
        NewLocalFolderCommand();
        break;
    case IDM_LOCAL_REFRESH:
        local_.Refresh();
        break;
    case IDM_LOCAL_BACK:
        local_.Back();
        break;
    case IDM_LOCAL_FORWARD:
        local_.Forward();
        break;
    case IDM_LOCAL_UP:
        local_.Up();
        break;
    case IDM_LOCAL_TREE:
        local_.ToggleTree();
        break;
    case IDM_REMOTE_OPEN:
        OpenRemote();
        break;
    case IDM_REMOTE_DELETE:
        DeleteRemote();
        break;
    case IDM_REMOTE_RENAME:
        StartRemoteRename();
        break;
    case IDM_REMOTE_NEW_FOLDER:
        NewRemoteFolderCommand();
        break;
    case IDM_REMOTE_REFRESH:
        RefreshRemote();
        break;
    case IDM_REMOTE_UP:
        UpRemote();
        break;
    case IDM_REMOTE_BACK:
        RunRemoteStep(L"FTP Connect", [&](TaskContext& context) {
            return manager_->GoBack(context) ? NetResult::Ok : NetResult::Failed;
        });
        break;
    case IDM_REMOTE_FORWARD:
        RunRemoteStep(L"FTP Connect", [&](TaskContext& context) {
            return manager_->GoForward(context) ? NetResult::Ok : NetResult::Failed;
        });
        break;
    case IDM_REMOTE_CHMOD:
        ChmodRemote();
        break;
    case IDM_REMOTE_COPY:
        CopyRemote();
        break;
    case IDM_REMOTE_PASTE:
        PasteRemote();
        break;
    case IDM_SITES:
        RunSiteManager(window_, *manager_);
        break;
    case IDM_SETUP_WIZARD:
        RunNewSite(window_, *manager_);
        break;
    case IDM_QUICK:
        RunQuickConnect(window_, *manager_);
        break;
    case IDM_OPTIONS:
        ShowOptionsSheet(window_);
        break;
    case IDM_COMPARE:
        CompareCommand();
        break;
    case IDM_EXPORT_SETTINGS:
    case IDM_IMPORT_SETTINGS:
    case IDM_EXPORT_SITES:
    case IDM_IMPORT_SITES:
        if (RunImportExportCommand(window_, parts_->prompt, command))
            RebuildSiteMenu();
        break;
    case IDM_HELP_TOPICS:
        ShowHelpTopic(window_, L"index");
        break;
    case IDM_ABOUT:
        ShowAboutDialog(window_);
        break;
    default:
        if (OnBookmarkCommand(command, control))
            break;
        if (command > IDM_COLUMN_FIRST && command < IDM_COLUMN_FIRST + kRemoteColumnCount)
            remote_.ToggleColumn(static_cast<RemoteColumn>(command - IDM_COLUMN_FIRST));
        return;
    }
    RefreshPaneStates();
}

bool MainWindow::OnSiteCommand(int command)
{
    if (command == IDM_CONNECT) {
        ConnectCommand();
    } else if (command == IDM_DISCONNECT) {
        manager_->DisconnectCommand();
    } else if (command == IDM_NEW_SITE) {
        NewSite();
    } else if (command >= IDM_SITE_FIRST && command <= IDM_SITE_LAST) {
        manager_->ConnectSiteFromMenu(static_cast<size_t>(command - IDM_SITE_FIRST));
    } else {
        return false;
    }
    // A connection dropped or made on the way shows at once, not at the next check.
    manager_->RefreshStatus();
    RefreshPaneStates();
    return true;
}

void MainWindow::ConnectCommand()
{
    if (manager_->Connected())
        ShowSiteMenu();
    else
        manager_->ConnectCurrentSite(true);
}

void MainWindow::NotYetAvailable(const wchar_t* text)
{
    ShowNotice(parts_->prompt, kProgramName, text, PromptIcon::Information);
}

void MainWindow::GoLocal()
{
    if (!local_.GoToPath(localPath_.Text()))
        ShowNotice(parts_->prompt, kProgramName, L"Path is not valid.", PromptIcon::Error);
    else if (localPath_.HasFocus())
        SetFocus(local_.ListHandle());  // as in Explorer: the typed folder is open, its files are next
}

void MainWindow::GoRemote()
{
    if (!manager_->Connected()) {
        ConnectCommand();
        return;
    }
    std::wstring folder = Trimmed(remote_.PathText());
    if (!folder.empty())
        OpenRemoteFolder(folder, true);
}

NetResult MainWindow::RunRemoteStep(const std::wstring& title, const std::function<NetResult(TaskContext&)>& step)
{
    remote_.List().CancelEdit();
    StopTimer(TimerId::KeepAlive);
    NetResult result = parts_->progress.Run(title, step);
    if (manager_->Connected())
        SetTimer(TimerId::KeepAlive, ConnectionTimings{}.firstCheckMs);
    return result;
}

bool MainWindow::OpenRemoteFolder(const std::wstring& folder, bool recordHistory)
{
    std::wstring previous = manager_->CurrentFolder();
    manager_->SetCurrentFolder(folder);
    NetResult result = RunRemoteStep(L"FTP Connect", [&](TaskContext& context) {
        return manager_->OpenFolder(context, recordHistory) ? NetResult::Ok : NetResult::Failed;
    });
    if (result != NetResult::Ok) {
        manager_->SetCurrentFolder(previous);
        return false;
    }
    return true;
}

void MainWindow::FocusRemoteName(const std::wstring& name)
{
    int row = remote_.FindRow(name);
    if (row >= 0)
        remote_.List().FocusRow(row);
}

void MainWindow::OpenRemote()
{
    std::vector<SelectedRemoteRow> rows = remote_.SelectedRows();
    if (rows.size() != 1 || !manager_->Connected())
        return;
    const SelectedRemoteRow& row = rows[0];
    auto openFile = [&](const SelectedRemoteRow& file) {
        RunRemoteStep(L"FTP Download", [&](TaskContext& context) {
            return OpenRemoteFile(context, *manager_, SystemShell(), file);
        });
    };
    if (row.kind == RemoteKind::Folder) {
        std::wstring folder = JoinRemotePath(manager_->CurrentFolder(), row.name);
        if (OpenRemoteFolder(folder, true))
            LogInfo(L"Change directory successfully: %ls", manager_->CurrentFolder().c_str());
    } else if (row.kind == RemoteKind::Link) {
        size_t arrow = row.name.find(L"->");
        std::wstring target = Trimmed(arrow == std::wstring::npos ? ServerName(row) : row.name.substr(arrow + 2));
        LogInfo(L"Attempt to open symbolic link as directory: %ls", target.c_str());
        std::wstring folder = target.starts_with(L"/") ? target : JoinRemotePath(manager_->CurrentFolder(), target);
        if (!OpenRemoteFolder(folder, true)) {
            LogInfo(L"Attempt to open symbolic link as file: %ls", target.c_str());
            openFile({target, RemoteKind::File, row.permissions});
        }
    } else {
        openFile(row);
    }
}

void MainWindow::RefreshRemote()
{
    if (!manager_->Connected())
        return;
    const RemoteRow* focused = remote_.Row(remote_.List().FocusedRow());
    std::wstring focusName = focused ? focused->name : L"";
    RunRemoteStep(L"FTP Connect", [&](TaskContext& context) {
        return manager_->Refresh(context) ? NetResult::Ok : NetResult::Failed;
    });
    FocusRemoteName(focusName);
}

void MainWindow::UpRemote()
{
    std::wstring left = RemoteFolderName(manager_->CurrentFolder());
    NetResult result = RunRemoteStep(L"FTP Connect", [&](TaskContext& context) {
        return manager_->GoUp(context) ? NetResult::Ok : NetResult::Failed;
    });
    if (result == NetResult::Ok)
        FocusRemoteName(left);
}

void MainWindow::DeleteRemote()
{
    RemoteSelection selection{manager_->CurrentFolder(), remote_.SelectedRows()};
    if (!manager_->Connected() || selection.rows.empty())
        return;
    if (!DeleteQuestion(selection.rows)) {
        RefreshRemote();
        return;
    }
    int focused = remote_.List().FocusedRow();
    RunRemoteStep(L"Deleting", [&](TaskContext& context) {
        NetResult result = DeleteRemoteSelection(context, *manager_, parts_->prompt, selection, true);
        if (result != NetResult::Cancelled || manager_->Connected())
            manager_->OpenFolder(context, false);
        return result;
    });
    if (remote_.RowCount() > 0)
        remote_.List().FocusRow(std::min(focused, remote_.RowCount() - 1));
}

void MainWindow::StartRemoteRename()
{
    int focused = remote_.List().FocusedRow();
    if (!manager_->Connected() || remote_.List().SelectedCount() != 1 || !remote_.Row(focused))
        return;
    LogInfo(L"Renaming...");
    renaming_ = true;
    remote_.List().EditLabel(focused);
}

void MainWindow::FinishRemoteRename(const NMLVDISPINFOW& edit)
{
    renaming_ = false;
    const RemoteRow* row = remote_.Row(edit.item.iItem);
    if (!edit.item.pszText || !row)
        return;
    // The rename runs once the list has closed its edit control.
    pendingRename_ = {RemoteListPane::SelectedOf(*row), edit.item.pszText};
    PostMessageW(window_, kRenameEdited, 0, 0);
}

void MainWindow::RenameEdited()
{
    if (!pendingRename_)
        return;
    auto [selected, text] = *pendingRename_;
    pendingRename_.reset();
    std::wstring focusName = selected.name;
    RunRemoteStep(L"FTP Connect", [&](TaskContext& context) {
        NetResult result = RenameRemoteRow(context, *manager_, parts_->prompt, selected, text, focusName);
        manager_->OpenFolder(context, false);
        return result;
    });
    FocusRemoteName(focusName);
}

void MainWindow::NewRemoteFolderCommand()
{
    if (!manager_->Connected())
        return;
    std::optional<std::wstring> name = AskText(window_, {L"New Folder", L"Enter name for new folder:", L"", false});
    if (!name)
        return;
    std::wstring folder = manager_->CurrentFolder();
    NetResult result = RunRemoteStep(L"FTP Connect", [&](TaskContext& context) {
        NetResult made = NewRemoteFolder(context, *manager_, parts_->prompt, folder, *name);
        manager_->OpenFolder(context, false);
        return made;
    });
    if (result == NetResult::Ok)
        FocusRemoteName(Trimmed(*name));
}

void MainWindow::NewLocalFolderCommand()
{
    std::optional<std::wstring> name = AskText(window_, {L"New Folder", L"Enter name for new folder:", L"", false});
    if (name)
        local_.NewFolder(parts_->prompt, *name);
}

void MainWindow::Download()
{
    std::vector<std::wstring> names;
    bool folderSelected = false;
    for (const SelectedRemoteRow& row : remote_.SelectedRows()) {
        names.push_back(row.name);
        folderSelected = folderSelected || row.kind != RemoteKind::File;
    }
    if (!manager_->Connected() || names.empty() || !local_.IsFileSystemFolder() ||
        !FilterWarning(PaneSide::Remote, remoteFilter_.Text(), folderSelected, parts_->prompt))
        return;
    std::wstring localFolder = local_.Folder();
    RunRemoteStep(L"Downloading file list", [&](TaskContext& context) {
        return DownloadSelection(context, *manager_, parts_->prompt, names, localFolder);
    });
    local_.Refresh();
}

void MainWindow::Upload()
{
    std::vector<std::wstring> paths = local_.Selection();
    bool folderSelected = false;
    for (const std::wstring& path : paths)
        folderSelected = folderSelected || LocalFolderExists(path);
    if (manager_->Connected() && !paths.empty() &&
        FilterWarning(PaneSide::Local, localFilter_.Text(), folderSelected, parts_->prompt))
        UploadPaths(paths, local_.Folder(), L"");
}

void MainWindow::UploadDropped(const std::vector<std::wstring>& paths)
{
    // A drag out of the remote list itself uploads nothing.
    if (paths.empty() || ReadString(SettingsKey(), L"DragSource", L"local") == L"remote")
        return;
    POINT at;
    GetCursorPos(&at);
    LVHITTESTINFO hit{};
    hit.pt = at;
    ScreenToClient(remote_.List().Handle(), &hit.pt);
    const RemoteRow* row = remote_.Row(ListView_HitTest(remote_.List().Handle(), &hit));
    std::wstring into = row && row->kind == RemoteKind::Folder ? JoinRemotePath(manager_->CurrentFolder(), row->name)
                                                              : L"";
    UploadPaths(paths, LocalParent(paths[0]), into);
    RefreshPaneStates();
}

void MainWindow::UploadPaths(const std::vector<std::wstring>& paths, const std::wstring& localRoot,
                             const std::wstring& remoteRoot)
{
    if (!manager_->Connected() || paths.empty())
        return;
    std::wstring folder = manager_->CurrentFolder();
    SetTimer(TimerId::KeepAlive, 60000);
    parts_->progress.Run(L"Uploading file list", [&](TaskContext& context) {
        NetResult result = UploadSelection(context, *manager_, parts_->prompt, paths, localRoot, remoteRoot,
                                           ReadRemoteNameRules());
        // Back in the folder shown, whichever folder received the files.
        manager_->SetCurrentFolder(folder);
        if (manager_->Connected())
            manager_->OpenFolder(context, false);
        return result;
    });
    if (manager_->Connected())
        SetTimer(TimerId::KeepAlive, ConnectionTimings{}.keepAliveMs);
}

void MainWindow::SynchronizeCommand()
{
    if (!manager_->Connected() || !local_.IsFileSystemFolder())
        return;
    SyncOptions options;
    options.rules = ReadRemoteNameRules();
    options.noConfirmation = &syncNoConfirmation_;
    std::wstring localRoot = local_.Folder();
    std::wstring remoteRoot = manager_->CurrentFolder();
    RunRemoteStep(L"Synchronizing", [&](TaskContext& context) {
        NetResult result = SynchronizeFolders(context, *manager_, parts_->prompt, localRoot, remoteRoot, options);
        if (manager_->Connected())
            manager_->OpenFolder(context, false);
        return result;
    });
    local_.Refresh();
}

void MainWindow::OpenLogFolder()
{
    ShellExecuteW(window_, L"open", LogFolder().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MainWindow::ToggleFilters()
{
    filtersOn_ = !filtersOn_;
    WriteBool(SettingsKey(), L"FiltersOn", filtersOn_);
    ModifyMenuW(GetMenu(window_), IDM_SHOW_FILTERS, MF_BYCOMMAND | MF_STRING, IDM_SHOW_FILTERS,
                filtersOn_ ? L"Hide Filters" : L"Show Filters");
    Layout();
}

void MainWindow::ChmodRemote()
{
    std::vector<SelectedRemoteRow> rows = remote_.SelectedRows();
    const RemoteRow* focused = remote_.Row(remote_.List().FocusedRow());
    if (!manager_->Connected() || rows.empty() || !focused)
        return;
    std::optional<PermissionDigits> digits = AskPermissions(window_, DialogDigits(RemoteListPane::SelectedOf(*focused)));
    if (!digits)
        return;
    RunRemoteStep(L"Changing File Permissions", [&](TaskContext& context) {
        return ChangeRemotePermissions(context, *manager_, rows, *digits);
    });
    for (const SelectedRemoteRow& row : rows)
        remote_.SetPermissions(row.name, row.permissions);
}

void MainWindow::CompareCommand()
{
    if (!manager_->Connected() || !local_.IsFileSystemFolder())
        return;
    std::wstring localRoot = local_.Folder();
    SyncPlan plan;
    std::wstring remoteRoot;
    NetResult result = RunRemoteStep(L"Comparing Directories", [&](TaskContext& context) {
        if (!manager_->OpenFolder(context, false))
            return NetResult::Failed;
        return CompareFolders(context, *manager_, localRoot, L"", ReadRemoteNameRules(), plan, remoteRoot);
    });
    if (result == NetResult::Cancelled)
        return;
    std::vector<std::wstring> remoteNames;
    for (const SyncItem& item : plan.downloads)
        AddMark(remoteNames, EntryOfRoot(remoteRoot, item.remoteFolder, RemoteRowName(item.listedName), L'/'));
    std::vector<std::wstring> localNames;
    for (const SyncItem& item : plan.uploads)
        if (item.decision.local)
            AddMark(localNames, EntryOfRoot(localRoot, item.localFolder, item.decision.local->name, L'\\'));
    remote_.SelectNames(remoteNames);
    local_.SelectNames(localNames);
}

void MainWindow::ShowFilterBoxes()
{
    localFilter_.SetItems(filters_.local.entries);
    localFilter_.SetEditText(filters_.local.boxText);
    remoteFilter_.SetItems(filters_.remote.entries);
    remoteFilter_.SetEditText(filters_.remote.boxText);
}
