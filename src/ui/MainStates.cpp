// What the main window enables and shows after each command and navigation,
// and the menus it builds.
#include "ui/MainWindow.h"

#include "store/SiteStore.h"
#include "ui/ControlIds.h"
#include "ui/SiteCommands.h"

namespace {

void EnableMenuEntry(HMENU menu, int command, bool enabled)
{
    EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

PaneFacts MainWindow::Facts() const
{
    PaneFacts facts;
    facts.connected = manager_->Connected();
    facts.remoteRowFocused = remote_.List().FocusedRow() >= 0 && remote_.RowCount() > 0;
    facts.remoteSelected = remote_.List().SelectedCount();
    facts.remoteAtRoot = manager_->CurrentFolder() == L"/";
    facts.remoteCanBack = manager_->History().CanBack();
    facts.remoteCanForward = manager_->History().CanForward();
    facts.localSelected = local_.SelectedCount();
    facts.localIsFileSystemFolder = local_.IsFileSystemFolder();
    facts.localCanBack = local_.CanBack();
    facts.localCanForward = local_.CanForward();
    return facts;
}

void MainWindow::RefreshPaneStates()
{
    if (!manager_)
        return;
    PaneFacts facts = Facts();
    CommandStates states = DecideCommandStates(facts);
    if (facts.connected) {
        remote_.SetEmptyText(L"No files in this folder", L"");
    } else {
        remote_.SetEmptyText(L"Not connected", L"Not connected. Click the 'Connect' button to connect.");
        if (!remote_.PathBox().HasFocus())
            remote_.RefreshPathBox();
    }
    for (int id : {IDC_REMOTE_PATH, IDC_REMOTE_GO, IDC_REMOTE_FILTER, IDC_REMOTE_FILTER_APPLY,
                   IDC_REMOTE_FILTER_REMOVE})
        EnableWindow(GetDlgItem(window_, id), states.remotePathBox);
    const std::pair<int, bool> remoteButtons[] = {
        {IDM_REMOTE_RENAME, states.remoteRename},     {IDM_REMOTE_DELETE, states.remoteDelete},
        {IDM_REMOTE_NEW_FOLDER, states.remoteNewFolder}, {IDM_REMOTE_REFRESH, states.remoteRefresh},
        {IDM_REMOTE_UP, states.remoteUp},             {IDM_REMOTE_BACK, states.remoteBack},
        {IDM_REMOTE_FORWARD, states.remoteForward},   {IDM_REMOTE_BOOKMARKS, states.remoteBookmarks},
    };
    HMENU menu = GetMenu(window_);
    for (const auto& [command, enabled] : remoteButtons)
        remoteBar_.EnableButton(command, enabled);
    for (int command : {IDM_REMOTE_REFRESH, IDM_REMOTE_BACK, IDM_REMOTE_FORWARD, IDM_REMOTE_UP})
        for (const auto& [button, enabled] : remoteButtons)
            if (button == command)
                EnableMenuEntry(menu, command, enabled);
    const std::pair<int, bool> localButtons[] = {
        {IDM_LOCAL_RENAME, states.localRename}, {IDM_LOCAL_DELETE, states.localDelete},
        {IDM_LOCAL_BACK, states.localBack},     {IDM_LOCAL_FORWARD, states.localForward},
    };
    for (const auto& [command, enabled] : localButtons)
        localBar_.EnableButton(command, enabled);
    EnableWindow(GetDlgItem(window_, IDC_DOWNLOAD), states.download);
    EnableWindow(GetDlgItem(window_, IDC_UPLOAD), states.upload);
    EnableWindow(GetDlgItem(window_, IDC_SYNCHRONIZE), states.synchronize);
    mainBar_.EnableButton(IDM_DISCONNECT, states.disconnect);
}

void MainWindow::RefreshMenuStates()
{
    CommandStates states = DecideCommandStates(Facts());
    HMENU menu = GetMenu(window_);
    const std::pair<int, bool> entries[] = {
        {IDM_DISCONNECT, states.disconnect},     {IDM_COMPARE, states.compare},
        {IDC_UPLOAD, states.upload},             {IDC_DOWNLOAD, states.download},
        {IDC_SYNCHRONIZE, states.synchronize},   {IDM_LOCAL_OPEN, states.localOpen},
        {IDM_LOCAL_RENAME, states.localRename},  {IDM_LOCAL_DELETE, states.localDelete},
        {IDM_LOCAL_NEW_FOLDER, states.localNewFolder},
    };
    for (const auto& [command, enabled] : entries)
        EnableMenuEntry(menu, command, enabled);
}

void MainWindow::RebuildSiteMenu()
{
    while (GetMenuItemCount(siteMenu_) > 0)
        DeleteMenu(siteMenu_, 0, MF_BYPOSITION);
    CurrentSiteName current = ReadCurrentSiteName();
    int index = 0;
    for (const SiteSlot& site : EnumerateSites()) {
        if (IDM_SITE_FIRST + index > IDM_SITE_LAST)
            break;
        std::wstring user = SiteUserDisplay(site.slot);
        std::wstring text = site.label + L" (" + user + L"@" + site.server + L")";
        bool isCurrent = site.label == current.label && site.server == current.server && user == current.user;
        AppendMenuW(siteMenu_, MF_STRING | (isCurrent && manager_->Connected() ? MF_CHECKED : 0),
                    IDM_SITE_FIRST + index++, text.c_str());
    }
    if (index > 0)
        AppendMenuW(siteMenu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(siteMenu_, MF_STRING, IDM_NEW_SITE, L"New Site ...");
    DrawMenuBar(window_);
}

void MainWindow::ShowSiteMenuAt(POINT at)
{
    RebuildSiteMenu();
    TrackPopupMenu(siteMenu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
}

void MainWindow::ShowSiteMenu()
{
    RECT button = mainBar_.ButtonRect(IDM_CONNECT);
    ShowSiteMenuAt({button.left, button.bottom});
}

void MainWindow::NewSite()
{
    RunNewSite(window_, *manager_);
}

void MainWindow::ShowRemoteMenu(POINT at)
{
    PaneFacts facts = Facts();
    CommandStates states = DecideCommandStates(facts);
    size_t selected = remote_.List().SelectedCount();
    HMENU menu = CreatePopupMenu();
    auto add = [&](int command, const wchar_t* text, bool enabled) {
        AppendMenuW(menu, MF_STRING | (enabled ? 0 : MF_GRAYED), command, text);
    };
    add(IDM_REMOTE_OPEN, L"Open", selected == 1);
    SetMenuDefaultItem(menu, IDM_REMOTE_OPEN, FALSE);
    add(IDC_DOWNLOAD, L"Download", states.download);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    bool folderSelected = false;
    for (const SelectedRemoteRow& row : remote_.SelectedRows())
        folderSelected = folderSelected || row.kind == RemoteKind::Folder;
    add(IDM_REMOTE_COPY, L"Copy", facts.remoteRowFocused || folderSelected);
    add(IDM_REMOTE_PASTE, L"Paste", facts.connected && ClipboardHoldsShellItems());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    add(IDM_REMOTE_DELETE, L"Delete", states.remoteDelete);
    add(IDM_REMOTE_RENAME, L"Rename", selected == 1);
    add(IDM_REMOTE_NEW_FOLDER, L"New Folder", states.remoteNewFolder);
    add(IDM_REMOTE_REFRESH, L"Refresh", states.remoteRefresh);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    add(IDM_REMOTE_CHMOD, L"Change File Permissions", states.remoteDelete);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
    DestroyMenu(menu);
}
