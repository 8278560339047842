// The main window's life: its creation, the layout of
// its controls, and the messages that are not commands.
#include "ui/MainWindow.h"

#include <commctrl.h>
#include <ole2.h>
#include <windowsx.h>

#include <algorithm>

#include "net/Log.h"
#include "ops/Standby.h"
#include "store/Registry.h"
#include "ui/ControlIds.h"
#include "ui/FieldBalloon.h"

namespace {

constexpr UINT_PTR kMenuStateTimer = 4;
constexpr UINT kMenuStateDelayMs = 15;
constexpr int kDefaultDividerY = 500;

// Dialog units to pixels at the window's font.
int DialogX(HWND window, int units)
{
    RECT rect{0, 0, units, 0};
    MapDialogRect(window, &rect);
    return rect.right;
}

int DialogY(HWND window, int units)
{
    RECT rect{0, 0, 0, units};
    MapDialogRect(window, &rect);
    return rect.bottom;
}

HICON LoadSmallIcon(int id)
{
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
}

}  // namespace

MainWindow::MainWindow() = default;

MainWindow::~MainWindow()
{
    for (HICON icon : statusIcons_)
        if (icon)
            DestroyIcon(icon);
}

bool MainWindow::Create()
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefDlgProcW;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(IDI_TARNWICK));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"" MAIN_WINDOW_CLASS;
    RegisterClassExW(&windowClass);
    accelerators_ = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_ACCELERATORS));
    window_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr, DialogProcedure,
                                 reinterpret_cast<LPARAM>(this));
    return window_ != nullptr;
}

INT_PTR CALLBACK MainWindow::DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        auto* self = reinterpret_cast<MainWindow*>(lParam);
        self->window_ = window;
        self->Initialise();
        return TRUE;
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    return self ? self->HandleMessage(message, wParam, lParam) : FALSE;
}

void MainWindow::Initialise()
{
    OleInitialize(nullptr);
    parts_ = std::make_unique<Parts>(window_);
    ConnectionWindow parts{parts_->progress, parts_->prompt, parts_->login, remote_, local_,
                           *this, *this, *this, parts_->certificates};
    manager_ = std::make_unique<ConnectionManager>(parts);

    HINSTANCE instance = GetModuleHandleW(nullptr);
    SendMessageW(window_, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconW(instance, MAKEINTRESOURCEW(IDI_TARNWICK))));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadSmallIcon(IDI_TARNWICK)));
    statusIcons_[0] = LoadSmallIcon(IDI_STATUS_OFFLINE);
    statusIcons_[1] = LoadSmallIcon(IDI_STATUS_ONLINE1);
    statusIcons_[2] = LoadSmallIcon(IDI_STATUS_ONLINE2);

    // The controls.
    localPath_.Attach(GetDlgItem(window_, IDC_LOCAL_PATH));
    localFilter_.Attach(GetDlgItem(window_, IDC_LOCAL_FILTER));
    remoteFilter_.Attach(GetDlgItem(window_, IDC_REMOTE_FILTER));
    remote_.Attach(window_, [this]() -> const RemoteFolderHistory& { return manager_->History(); },
                   [this] { return manager_->Connected(); });
    local_.Create(window_, IDC_LOCAL_PANE);
    // First in the Tab order, and so the focus at the start: the local pane, then the boxes.
    SetWindowPos(local_.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    log_.Create(window_, IDC_LOG_PANEL);
    divider_.Create(window_, IDC_DIVIDER, [this](int y) { MoveDivider(y); });
    status_.Create(window_, IDC_STATUS_BAR);
    localFilter_.SetCueText(L"[Filter]");
    remoteFilter_.SetCueText(L"[Filter]");

    dividerY_ = ReadInt(MainWindowKey(), L"DividerY", kDefaultDividerY);
    filtersOn_ = ReadBool(SettingsKey(), L"FiltersOn", false);
    ModifyMenuW(GetMenu(window_), IDM_SHOW_FILTERS, MF_BYCOMMAND | MF_STRING, IDM_SHOW_FILTERS,
                filtersOn_ ? L"Hide Filters" : L"Show Filters");
    siteMenu_ = GetSubMenu(GetSubMenu(GetMenu(window_), 0), 0);
    RebuildSiteMenu();
    CreateToolbars();
    AddTooltips();
    LogWrite(L"Tarnwick File Transfer Software Run", LogInformation);
    remote_.SetSortOrder({RemoteColumnFromSetting(ReadInt(SettingsKey(), L"LVRemoteFileSorter", 0)),
                          ReadBool(SettingsKey(), L"LVRemoteFileSorterAscend", true)});
    remoteDrop_ = new FileDropTarget([this](const std::vector<std::wstring>& paths) { UploadDropped(paths); });
    RegisterDragDrop(remote_.List().Handle(), remoteDrop_);
    WriteString(SettingsKey(), L"DragSource", L"local");
    filters_ = LoadFilterLists();
    ShowFilterBoxes();
    Layout();
    remote_.FitColumns();
    manager_->RefreshStatus();
    remote_.RefreshPathBox();
    RefreshPaneStates();
}

void MainWindow::CreateToolbars()
{
    mainBar_.Create(window_, IDC_MAIN_TOOLBAR,
                    {{IDM_SITES, ToolImages::View, VIEW_DETAILS, L"Sites", L"Show Site Manager", true},
                     {},
                     {IDM_CONNECT, ToolImages::View, VIEW_NETCONNECT, L"Connect", L"Connect Site", true},
                     {IDM_QUICK, ToolImages::Standard, STD_FIND, L"Quick", L"Quickly Connect"},
                     {},
                     {IDM_DISCONNECT, ToolImages::View, VIEW_NETDISCONNECT, L"Disconnect", L"Disconnect Site"},
                     {IDM_LOGS, ToolImages::Standard, STD_FILEOPEN, L"Logs", L"View Log Files"},
                     {IDM_OPTIONS, ToolImages::Standard, STD_PROPERTIES, L"Options", L"Adjust settings and options"}},
                    true);
    localBar_.Create(window_, IDC_LOCAL_TOOLBAR,
                     {{IDM_LOCAL_RENAME, ToolImages::Standard, STD_REPLACE, L"Rename"},
                      {IDM_LOCAL_NEW_FOLDER, ToolImages::View, VIEW_NEWFOLDER, L"New Folder"},
                      {IDM_LOCAL_DELETE, ToolImages::Standard, STD_DELETE, L"Delete"},
                      {IDM_LOCAL_REFRESH, ToolImages::Standard, STD_REDOW, L"Refresh"},
                      {IDM_LOCAL_TREE, ToolImages::History, HIST_VIEWTREE, L"Folder Explorer"},
                      {},
                      {IDM_LOCAL_UP, ToolImages::View, VIEW_PARENTFOLDER, L"Up"},
                      {IDM_LOCAL_BACK, ToolImages::History, HIST_BACK, L"Back"},
                      {IDM_LOCAL_FORWARD, ToolImages::History, HIST_FORWARD, L"Forward"},
                      {},
                      {IDM_LOCAL_BOOKMARKS, ToolImages::History, HIST_FAVORITES, L"Local Bookmarks"}},
                     false);
    remoteBar_.Create(window_, IDC_REMOTE_TOOLBAR,
                      {{IDM_REMOTE_RENAME, ToolImages::Standard, STD_REPLACE, L"Rename"},
                       {IDM_REMOTE_NEW_FOLDER, ToolImages::View, VIEW_NEWFOLDER, L"New Folder"},
                       {IDM_REMOTE_DELETE, ToolImages::Standard, STD_DELETE, L"Delete"},
                       {IDM_REMOTE_REFRESH, ToolImages::Standard, STD_REDOW, L"Refresh"},
                       {},
                       {IDM_REMOTE_UP, ToolImages::View, VIEW_PARENTFOLDER, L"Up"},
                       {IDM_REMOTE_BACK, ToolImages::History, HIST_BACK, L"Back"},
                       {IDM_REMOTE_FORWARD, ToolImages::History, HIST_FORWARD, L"Forward"},
                       {},
                       {IDM_REMOTE_BOOKMARKS, ToolImages::History, HIST_FAVORITES, L"Remote Bookmarks"}},
                      false);
}

void MainWindow::AddTooltips()
{
    tips_.Create(window_);
    const std::pair<int, const wchar_t*> tips[] = {
        {IDC_LOCAL_GO, L"Open the current local folder"},
        {IDC_REMOTE_GO, L"Open the current remote folder"},
        {IDC_LOCAL_FILTER_APPLY, L"Search the local folder for the terms in the filter"},
        {IDC_REMOTE_FILTER_APPLY, L"Search the remote folder for the terms in the filter"},
        {IDC_UPLOAD, L"Upload the selected file"},
        {IDC_DOWNLOAD, L"Download the selected file"},
        {IDC_SYNCHRONIZE, L"Synchronize the remote and local folders.  Both sides will receive the latest copies."},
    };
    for (const auto& [id, text] : tips)
        tips_.Add(GetDlgItem(window_, id), text);
}

void MainWindow::Layout()
{
    RECT client;
    GetClientRect(window_, &client);
    if (client.right <= 0 || client.bottom <= 0)
        return;
    status_.Layout();
    int margin = DialogX(window_, 4);
    int gap = DialogX(window_, 2);
    int goWidth = DialogX(window_, 24);
    int filterButton = DialogX(window_, 48);
    int middle = DialogX(window_, 58);
    int buttonHeight = DialogY(window_, 14);
    RECT combo;
    GetWindowRect(localPath_.Handle(), &combo);
    int rowHeight = Height(combo);

    int top = 0;
    int mainHeight = mainBar_.PreferredHeight();
    MoveWindow(mainBar_.Handle(), 0, top, client.right, mainHeight, TRUE);
    top += mainHeight + gap;

    int statusTop = client.bottom - status_.Height();
    int dividerHeight = DialogY(window_, 3);
    int paneMinimum = top + 3 * rowHeight + 60;
    int logMinimum = DialogY(window_, 40);
    int dividerY = std::clamp(dividerY_, paneMinimum, std::max(paneMinimum, statusTop - dividerHeight - logMinimum));

    int sideWidth = std::max(100, static_cast<int>(client.right) - 2 * margin - middle) / 2;
    struct Side {
        int left;
        int path, go, filter, apply, remove, toolbar, pane;
        Toolbar* bar;
    };
    Side sides[2] = {
        {margin, IDC_LOCAL_PATH, IDC_LOCAL_GO, IDC_LOCAL_FILTER, IDC_LOCAL_FILTER_APPLY, IDC_LOCAL_FILTER_REMOVE,
         IDC_LOCAL_TOOLBAR, IDC_LOCAL_PANE, &localBar_},
        {static_cast<int>(client.right) - margin - sideWidth, IDC_REMOTE_PATH, IDC_REMOTE_GO, IDC_REMOTE_FILTER,
         IDC_REMOTE_FILTER_APPLY, IDC_REMOTE_FILTER_REMOVE, IDC_REMOTE_TOOLBAR, IDC_REMOTE_LIST, &remoteBar_},
    };
    HDWP moves = BeginDeferWindowPos(20);
    auto place = [&](int id, int x, int y, int w, int h) {
        moves = DeferWindowPos(moves, GetDlgItem(window_, id), nullptr, x, y, std::max(w, 0), std::max(h, 0),
                               SWP_NOZORDER | SWP_NOACTIVATE);
    };
    for (const Side& side : sides) {
        int y = top;
        place(side.path, side.left, y, sideWidth - goWidth - gap, rowHeight);
        place(side.go, side.left + sideWidth - goWidth, y, goWidth, rowHeight);
        y += rowHeight + gap;
        for (int id : {side.filter, side.apply, side.remove})
            ShowWindow(GetDlgItem(window_, id), filtersOn_ ? SW_SHOWNA : SW_HIDE);
        if (filtersOn_) {
            int boxWidth = sideWidth - 2 * (filterButton + gap);
            place(side.filter, side.left, y, boxWidth, rowHeight);
            place(side.apply, side.left + boxWidth + gap, y, filterButton, rowHeight);
            place(side.remove, side.left + boxWidth + gap + filterButton + gap, y, filterButton, rowHeight);
            y += rowHeight + gap;
        }
        int barHeight = side.bar->PreferredHeight();
        place(side.toolbar, side.left, y, sideWidth, barHeight);
        y += barHeight;
        if (side.pane == IDC_LOCAL_PANE)
            local_.Move({side.left, y, side.left + sideWidth, dividerY});
        else
            place(side.pane, side.left, y, sideWidth, dividerY - y);
    }
    // The buttons between the panes, in the middle of the panes' height.
    int middleLeft = margin + sideWidth + gap;
    int middleWidth = static_cast<int>(client.right) - 2 * margin - 2 * sideWidth - 2 * gap;
    int buttonsTop = top + (dividerY - top - 3 * buttonHeight - 2 * gap) / 2;
    int i = 0;
    for (int id : {IDC_UPLOAD, IDC_DOWNLOAD, IDC_SYNCHRONIZE})
        place(id, middleLeft, buttonsTop + (i++) * (buttonHeight + 2 * gap), middleWidth, buttonHeight);
    place(IDC_DIVIDER, 0, dividerY, client.right, dividerHeight);
    place(IDC_LOG_PANEL, margin, dividerY + dividerHeight, client.right - 2 * margin,
          statusTop - dividerY - dividerHeight - gap);
    EndDeferWindowPos(moves);
    // The remote columns share the list's new width, as the local ones do.
    remote_.FitColumns();
}

void MainWindow::MoveDivider(int y)
{
    dividerY_ = y;
    Layout();
}

void MainWindow::Destroy()
{
    remote_.List().CancelEdit();
    RevokeDragDrop(remote_.List().Handle());
    if (remoteDrop_)
        remoteDrop_->Release();
    remoteDrop_ = nullptr;
    RemoteSortOrder order = remote_.SortOrder();
    WriteInt(SettingsKey(), L"LVRemoteFileSorter", RemoteColumnSetting(order.column));
    WriteBool(SettingsKey(), L"LVRemoteFileSorterAscend", order.ascending);
    filters_.local.boxText = localFilter_.Text();
    filters_.remote.boxText = remoteFilter_.Text();
    SaveFilterLists(filters_);
    WriteInt(MainWindowKey(), L"DividerY", dividerY_);
    WriteBool(SettingsKey(), L"FiltersOn", filtersOn_);
    LogWrite(L"Tarnwick File Transfer Software Exit.", LogInformation);
    if (onDestroy_)
        onDestroy_(window_);
    for (int timer = 1; timer <= 4; ++timer)
        KillTimer(window_, timer);
    OleUninitialize();
    PostQuitMessage(0);
}

void MainWindow::OnTimer(UINT_PTR timer)
{
    switch (timer) {
    case static_cast<UINT_PTR>(TimerId::StartUp):
        KillTimer(window_, timer);
        manager_->StartUp();
        break;
    case static_cast<UINT_PTR>(TimerId::StatusBlink):
        manager_->BlinkTick();
        return;
    case static_cast<UINT_PTR>(TimerId::KeepAlive):
        // A step in a progress dialog owns the session; the check comes later.
        if (parts_->progress.Dialog())
            return;
        KillTimer(window_, timer);
        manager_->KeepAliveTick();
        break;
    case kMenuStateTimer:
        KillTimer(window_, timer);
        RefreshMenuStates();
        return;
    default:
        return;
    }
    RefreshPaneStates();
}

void MainWindow::SetTimer(TimerId timer, uint32_t milliseconds)
{
    ::SetTimer(window_, static_cast<UINT_PTR>(timer), milliseconds, nullptr);
}

void MainWindow::StopTimer(TimerId timer)
{
    KillTimer(window_, static_cast<UINT_PTR>(timer));
}

void MainWindow::ShowBalloon(const std::wstring& title, const std::wstring& text)
{
    ShowFieldBalloon(remote_.PathBox().EditHandle(), title, text, TTI_WARNING);
}

void MainWindow::SetStatusText(const std::wstring& text)
{
    status_.SetText(0, text);
}

void MainWindow::SetStatusIcon(StatusIcon icon)
{
    status_.SetIcon(1, statusIcons_[static_cast<int>(icon)]);
}

void MainWindow::PostCancel()
{
    PostMessageW(window_, WM_COMMAND, IDCANCEL, 0);
}

void MainWindow::SiteMenuChanged()
{
    RebuildSiteMenu();
}

bool MainWindow::TranslateKey(MSG& message)
{
    if (!accelerators_ || message.message < WM_KEYFIRST || message.message > WM_KEYLAST)
        return false;
    // Typing in a path or filter box keeps its editing keys; the Ctrl
    // commands and F1 (help) still work there.
    wchar_t className[16] = L"";
    GetClassNameW(message.hwnd, className, 16);
    bool help = message.wParam == VK_F1;
    if (lstrcmpiW(className, L"Edit") == 0 && GetKeyState(VK_CONTROL) >= 0 && !help)
        return false;
    if (!TranslateAcceleratorW(window_, accelerators_, &message))
        return false;
    RefreshPaneStates();
    return true;
}

INT_PTR MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        Layout();
        return TRUE;
    case WM_DPICHANGED: {
        // Moved to a screen of another scale: the size the system suggests.
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, Width(*suggested), Height(*suggested),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    }
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        RECT minimum{0, 0, 532, 280};
        MapDialogRect(window_, &minimum);
        AdjustWindowRectEx(&minimum, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), TRUE,
                           static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
        // At high scaling the template's size can exceed the screen; the
        // window must still fit the monitor it is on.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
        info->ptMinTrackSize = {std::min(Width(minimum), Width(monitor.rcWork)),
                                std::min(Height(minimum), Height(monitor.rcWork))};
        return TRUE;
    }
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!OnNotify(*reinterpret_cast<NMHDR*>(lParam), result))
            return FALSE;
        SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<HWND>(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return TRUE;
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    case WM_INITMENUPOPUP:
        // A menu opened before the delayed refresh still shows the states of now.
        RefreshMenuStates();
        return TRUE;
    case kLocalFolderChangedMessage:
        localPath_.PushFront(local_.Folder(), 10);
        manager_->RecordRecentFolders();
        RefreshPaneStates();
        return TRUE;
    case kLocalSelectionChangedMessage:
        ::SetTimer(window_, kMenuStateTimer, kMenuStateDelayMs, nullptr);
        RefreshPaneStates();
        return TRUE;
    case kRemoteHistoryChanged:
        remote_.RefreshPathBox();
        return TRUE;
    case kRenameEdited:
        RenameEdited();
        RefreshPaneStates();
        return TRUE;
    case kUploadRequest:
        Upload();
        return TRUE;
    case kStartUpDone:
        PostMessageW(window_, kPostStart, 0, 0);
        return TRUE;
    case kPostStart:
        manager_->StartUp();
        RefreshPaneStates();
        return TRUE;
    case kActivate: {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        GetWindowPlacement(window_, &placement);
        bool maximized = IsIconic(window_) ? (placement.flags & WPF_RESTORETOMAXIMIZED) != 0 : IsZoomed(window_);
        ShowWindow(window_, maximized ? SW_SHOWMAXIMIZED : SW_RESTORE);
        SetForegroundWindow(window_);
        return TRUE;
    }
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMQUERYSUSPEND || wParam == PBT_APMQUERYSTANDBY || wParam == PBT_APMSUSPEND)
            Standby().Begin();
        else if (wParam == PBT_APMRESUMESUSPEND || wParam == PBT_APMRESUMECRITICAL)
            Standby().End();
        SetWindowLongPtrW(window_, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case kCloseRequest:
    case WM_CLOSE:
        DestroyWindow(window_);
        return TRUE;
    case WM_DESTROY:
        Destroy();
        return TRUE;
    default:
        return FALSE;
    }
}

bool MainWindow::OnNotify(NMHDR& header, LRESULT& result)
{
    if (remote_.OnNotify(header, result))
        return true;
    if (header.hwndFrom == remote_.List().Handle()) {
        switch (header.code) {
        case NM_DBLCLK:
            OnCommand(IDM_REMOTE_OPEN, 0, nullptr);
            return true;
        case LVN_ITEMCHANGED:
        case LVN_ODSTATECHANGED:
            ::SetTimer(window_, kMenuStateTimer, kMenuStateDelayMs, nullptr);
            RefreshPaneStates();
            return true;
        case LVN_BEGINDRAG:
            DragRemote();
            RefreshPaneStates();
            return true;
        case LVN_BEGINLABELEDITW:
            // Only the Rename command edits a name; a click on a selected row does not.
            result = renaming_ ? FALSE : TRUE;
            return true;
        case LVN_ENDLABELEDITW:
            FinishRemoteRename(reinterpret_cast<NMLVDISPINFOW&>(header));
            result = FALSE;
            return true;
        default:
            return false;
        }
    }
    switch (header.code) {
    case TBN_GETINFOTIPW:
        for (const Toolbar* bar : {&mainBar_, &localBar_, &remoteBar_})
            if (header.hwndFrom == bar->Handle())
                bar->FillTooltip(reinterpret_cast<NMTBGETINFOTIPW&>(header));
        result = 0;
        return true;
    case TBN_DROPDOWN:
        OnToolbarDropDown(reinterpret_cast<NMTOOLBARW&>(header));
        result = TBDDRET_DEFAULT;
        return true;
    default:
        return false;
    }
}

void MainWindow::OnToolbarDropDown(const NMTOOLBARW& request)
{
    if (request.hdr.hwndFrom != mainBar_.Handle())
        return;
    RECT button = mainBar_.ButtonRect(request.iItem);
    ShowSiteMenuAt({button.left, button.bottom});
    RefreshPaneStates();
}

void MainWindow::OnContextMenu(HWND source, POINT at)
{
    if (source != remote_.List().Handle())
        return;
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: at the list's top left corner.
        RECT list;
        GetWindowRect(source, &list);
        at = {list.left + 8, list.top + 8};
    }
    CommandStates states = DecideCommandStates(Facts());
    if (remote_.HeaderContains(at))
        remote_.ShowColumnMenu(window_, at, states.columnMenu);
    else
        ShowRemoteMenu(at);
}
