#include "ui/FtpExplorerDialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include <ctime>
#include <memory>
#include <vector>

#include "ftp/Login.h"
#include "ftp/RemoteCommands.h"
#include "ftp/RemoteListing.h"
#include "net/Log.h"
#include "ops/Notice.h"
#include "ops/ProxySettingsStore.h"
#include "ui/BalloonTip.h"
#include "ui/DialogFields.h"
#include "ui/SavedPlacement.h"
#include "ui/ExplorerRules.h"
#include "ui/HelpTopic.h"
#include "ui/ListView.h"
#include "ui/MessagePrompt.h"
#include "ui/ProgressDialog.h"
#include "ui/SiteDialogIds.h"
#include "ui/Tooltip.h"

namespace {

constexpr UINT_PTR kStartTimer = 1;
constexpr UINT_PTR kKeepAliveTimer = 2;
constexpr UINT kStartDelayMs = 100;
constexpr UINT kFirstKeepAliveMs = 40000;
constexpr UINT kKeepAliveMs = 30000;
constexpr UINT kLabelEdited = WM_APP + 1;
const wchar_t kTitle[] = L"FTP Explorer";

// The list says so when the folder holds no subfolders.
LRESULT CALLBACK ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    LRESULT result = DefSubclassProc(list, message, wParam, lParam);
    if (message == WM_PAINT && ListView_GetItemCount(list) == 0)
        PaintEmptyListText(list, L"There is no item in the list.");
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(list, ListProcedure, 1);
    return result;
}

class FtpExplorer {
public:
    FtpExplorer(const ExplorerSite& site, std::wstring& path) : site_(site), path_(path), start_(path) {}

    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Initialise(HWND dialog);
    void Layout();
    void OnCommand(int command);
    bool OnNotify(const NMHDR& header);
    void Start();
    void KeepAlive();
    NetResult Run(const std::function<NetResult(TaskContext&)>& step);
    NetResult LogIn(TaskContext& context);
    bool ReconnectIfClosed();
    void List(bool messages);
    void FillRows(const std::vector<ExplorerEntry>& entries);
    void Open();
    void Up();
    void StartEdit(bool newRow);
    void FinishEdit();
    void Delete();
    void Select();
    void ShowMenu(POINT at);
    void UpdateStates();
    void ShowConnectionState();
    std::vector<int> SelectedRows() const;
    std::wstring RowName(int row) const;
    void Message(const std::wstring& caption, const std::wstring& text);

    ExplorerSite site_;
    std::wstring& path_;
    std::wstring start_;
    FtpSession session_;
    std::unique_ptr<ProgressDialog> progress_;
    Tooltip tips_;
    HWND dialog_ = nullptr;
    HWND list_ = nullptr;
    HWND status_ = nullptr;
    HIMAGELIST images_ = nullptr;
    int dateOrder_ = 0;
    bool busy_ = false;
    bool editing_ = false;
    bool editingNewRow_ = false;
    std::wstring editOldName_;
    std::optional<std::wstring> editedText_;
};

std::wstring LocaleDateOrder()
{
    wchar_t order[4] = L"0";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IDATE, order, 4);
    return order;
}

LocalTimeParts LocalParts(int64_t seconds)
{
    std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_s(&local, &time);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

INT_PTR CALLBACK FtpExplorer::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* explorer = reinterpret_cast<FtpExplorer*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<FtpExplorer*>(lParam)->Initialise(dialog);
        return TRUE;
    }
    return explorer ? explorer->Handle(message, wParam, lParam) : FALSE;
}

void FtpExplorer::Initialise(HWND dialog)
{
    dialog_ = dialog;
    list_ = GetDlgItem(dialog, IDC_FE_LIST);
    status_ = GetDlgItem(dialog, IDC_FE_STATUS);
    progress_ = std::make_unique<ProgressDialog>(dialog);
    dateOrder_ = LocaleDateOrder()[0] - L'0';
    SetWindowTextW(dialog, (std::wstring(kTitle) + L" - " + site_.host).c_str());

    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT);
    SetWindowSubclass(list_, ListProcedure, 1, 0);
    int icon = GetSystemMetrics(SM_CXSMICON);
    images_ = ImageList_Create(icon, icon, ILC_COLOR32 | ILC_MASK, 1, 0);
    SHFILEINFOW info{};
    if (SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info),
                       SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON)) {
        ImageList_AddIcon(images_, info.hIcon);
        DestroyIcon(info.hIcon);
    }
    ListView_SetImageList(list_, images_, LVSIL_SMALL);
    const wchar_t* columns[] = {L"Name", L"Size", L"Type", L"Modified"};
    const int widths[] = {170, 60, 70, 130};
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = i == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = MulDiv(widths[i], icon, 16);
        column.pszText = const_cast<wchar_t*>(columns[i]);
        ListView_InsertColumn(list_, i, &column);
    }
    int parts[] = {MulDiv(200, icon, 16), -1};
    SendMessageW(status_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));

    tips_.Create(dialog);
    tips_.Add(GetDlgItem(dialog, IDC_FE_UP), L"Up to higher level (Ctrl+U)");
    tips_.Add(GetDlgItem(dialog, IDC_FE_NEW), L"Create new directory");
    tips_.Add(GetDlgItem(dialog, IDC_FE_OPEN), ExplorerOpenTip(0));
    tips_.Add(GetDlgItem(dialog, IDC_FE_PATH), L"Current directory");
    tips_.Add(list_, L"List of files and subdirectories. Double-click to change directory or download.");
    SetFieldText(dialog, IDC_FE_PATH, path_);
    UpdateStates();
    RestoreExplorerPlacement(dialog);
    Layout();
    SetTimer(dialog, kStartTimer, kStartDelayMs, nullptr);
}

void FtpExplorer::Layout()
{
    RECT client;
    GetClientRect(dialog_, &client);
    SendMessageW(status_, WM_SIZE, 0, 0);
    RECT bar;
    GetWindowRect(status_, &bar);
    RECT units{7, 14, 50, 0};
    MapDialogRect(dialog_, &units);
    int margin = units.left;
    int buttonHeight = units.top;
    int buttonWidth = units.right;
    int bottom = client.bottom - Height(bar) - margin;
    int buttonsTop = bottom - buttonHeight;
    int x = client.right - margin;
    for (int id : {IDHELP, IDCANCEL, IDC_FE_SELECT}) {
        x -= buttonWidth;
        SetWindowPos(GetDlgItem(dialog_, id), nullptr, x, buttonsTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        x -= margin;
    }
    HWND path = GetDlgItem(dialog_, IDC_FE_PATH);
    RECT pathRect;
    GetWindowRect(path, &pathRect);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&pathRect), 2);
    SetWindowPos(path, nullptr, 0, 0, client.right - 2 * margin, Height(pathRect), SWP_NOMOVE | SWP_NOZORDER);
    int listTop = pathRect.bottom + margin / 2;
    SetWindowPos(list_, nullptr, margin, listTop, client.right - 2 * margin, buttonsTop - margin / 2 - listTop,
                 SWP_NOZORDER);
    InvalidateRect(dialog_, nullptr, TRUE);
}

INT_PTR FtpExplorer::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        Layout();
        return TRUE;
    case WM_TIMER:
        if (wParam == kStartTimer) {
            KillTimer(dialog_, kStartTimer);
            Start();
        } else if (wParam == kKeepAliveTimer) {
            KeepAlive();
        }
        return TRUE;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return TRUE;
    case WM_NOTIFY: {
        bool handled = OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        return handled;
    }
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == list_) {
            ShowMenu(ContextMenuPoint(list_, lParam));
        }
        return TRUE;
    case kLabelEdited:
        FinishEdit();
        return TRUE;
    case WM_DESTROY:
        SaveExplorerPlacement(dialog_);
        KillTimer(dialog_, kKeepAliveTimer);
        if (session_.IsOpen()) {
            SendCommand(NullContext(), session_, "QUIT\r\n");
            session_.Close();
        }
        ImageList_Destroy(images_);
        return FALSE;
    default:
        return FALSE;
    }
}

void FtpExplorer::OnCommand(int command)
{
    switch (command) {
    case IDOK:
        // Enter: ends a label edit, otherwise opens the selected folder.
        if (editing_)
            SetFocus(list_);
        else
            Open();
        break;
    case IDC_FE_OPEN:
        Open();
        break;
    case IDC_FE_UP:
        Up();
        break;
    case IDC_FE_NEW:
        StartEdit(true);
        break;
    case IDC_FE_RENAME:
        StartEdit(false);
        break;
    case IDC_FE_DELETE:
        Delete();
        break;
    case IDC_FE_REFRESH:
        List(true);
        break;
    case IDC_FE_SELECT:
        Select();
        break;
    case IDCANCEL:
        if (editing_)
            ListView_CancelEditLabel(list_);
        else
            EndDialog(dialog_, IDCANCEL);
        break;
    case IDHELP:
        ShowHelpTopic(dialog_, L"ftpexplorer");
        break;
    default:
        break;
    }
}

bool FtpExplorer::OnNotify(const NMHDR& header)
{
    if (header.hwndFrom != list_)
        return false;
    switch (header.code) {
    case LVN_ITEMCHANGED:
        UpdateStates();
        return false;
    case NM_DBLCLK:
        Open();
        return false;
    case LVN_KEYDOWN:
        if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == 'U' && GetKeyState(VK_CONTROL) < 0)
            Up();
        else if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE)
            Delete();
        else if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_F2)
            StartEdit(false);
        return false;
    case LVN_BEGINLABELEDITW:
        // Only Rename and Create new directory edit labels, never a slow click.
        SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, editing_ ? FALSE : TRUE);
        return true;
    case LVN_ENDLABELEDITW: {
        const auto& edit = reinterpret_cast<const NMLVDISPINFOW&>(header);
        editedText_ = edit.item.pszText ? std::optional<std::wstring>(edit.item.pszText) : std::nullopt;
        // The folder is listed again once the list has closed its edit control.
        PostMessageW(dialog_, kLabelEdited, 0, 0);
        SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, FALSE);
        return true;
    }
    default:
        return false;
    }
}

NetResult FtpExplorer::Run(const std::function<NetResult(TaskContext&)>& step)
{
    return progress_->Run(kTitle, step);
}

NetResult FtpExplorer::LogIn(TaskContext& context)
{
    LoginRequest request;
    request.hostText = site_.host;
    request.user = site_.user.empty() ? L"anonymous" : site_.user;
    request.password = site_.password;
    request.secure = site_.tls;
    request.implicit = site_.implicitTls;
    return Login(context, session_, request, ReadProxySettings());
}

void FtpExplorer::Start()
{
    if (Run([&](TaskContext& context) { return LogIn(context); }) != NetResult::Ok) {
        EndDialog(dialog_, IDCANCEL);
        return;
    }
    ShowConnectionState();
    List(true);
    SetTimer(dialog_, kKeepAliveTimer, kFirstKeepAliveMs, nullptr);
}

void FtpExplorer::KeepAlive()
{
    SetTimer(dialog_, kKeepAliveTimer, kKeepAliveMs, nullptr);
    if (busy_ || !session_.IsOpen())
        return;
    if (SendCommand(NullContext(), session_, "PWD\r\n") != NetResult::Ok)
        ShowConnectionState();
}

void FtpExplorer::ShowConnectionState()
{
    SendMessageW(status_, SB_SETTEXTW, 1,
                 reinterpret_cast<LPARAM>(session_.IsOpen() ? L"Connected" : L"Disconnected"));
}

bool FtpExplorer::ReconnectIfClosed()
{
    if (session_.IsOpen())
        return true;
    NetResult result = Run([&](TaskContext& context) {
        NetResult login = LogIn(context);
        return login == NetResult::Ok ? ChangeRemoteFolderTracked(context, session_, path_) : login;
    });
    ShowConnectionState();
    if (result == NetResult::Failed && session_.IsOpen())
        ShowBalloonTip(list_, L"Cannot Open Directory", L"The selected item is not a directory, please select a new item.");
    return result == NetResult::Ok;
}

void FtpExplorer::Message(const std::wstring& caption, const std::wstring& text)
{
    MessagePrompt prompt(dialog_);
    ShowNotice(prompt, caption, text);
}

void FtpExplorer::List(bool messages)
{
    busy_ = true;
    std::wstring remembered;
    NetResult changed = Run([&](TaskContext& context) {
        GetRemoteFolder(context, session_, remembered);
        return ChangeRemoteFolderTracked(context, session_, path_);
    });
    if (changed == NetResult::Failed) {
        if (messages)
            Message(L"FTP Explorer - Change Directory", L"Unable to change to the directory \"" + path_ + L"\".");
        path_ = remembered;
        changed = Run([&](TaskContext& context) { return ChangeRemoteFolderTracked(context, session_, path_); });
        if (changed == NetResult::Failed) {
            path_ = start_;
            changed = Run([&](TaskContext& context) { return ChangeRemoteFolderTracked(context, session_, path_); });
        }
    }
    if (changed == NetResult::Cancelled) {
        busy_ = false;
        return;
    }
    SetFieldText(dialog_, IDC_FE_PATH, path_);
    ListView_DeleteAllItems(list_);
    std::vector<ExplorerEntry> entries;
    bool passiveFailed = false;
    NetResult listed = Run([&](TaskContext& context) {
        RemoteListing listing;
        NetResult result = ListRemoteFolder(context, session_, listing);
        passiveFailed = listing.dataConnectionFailed;
        for (RemoteEntry& entry : listing.entries) {
            if (IsDotEntry(entry) || !EntryIsFolder(context, session_, listing, entry))
                continue;
            entries.push_back({ExplorerRowName(entry.name), EntryModifiedTime(context, session_, listing, entry)});
            if (listing.cancelled || context.IsCancelled())
                return NetResult::Cancelled;
        }
        return listing.cancelled ? NetResult::Cancelled : result;
    });
    if (listed == NetResult::Cancelled)
        entries.clear();
    OrderExplorerEntries(entries);
    FillRows(entries);
    busy_ = false;
    ShowConnectionState();
    if (passiveFailed)
        Message(kTitle, L"Passive Connection Failed!\r\nSee the help page \"" + HelpPagePath(L"passivemode") +
                            L"\" on data connections that cannot be opened.");
    UpdateStates();
    SetFocus(list_);
    if (!entries.empty())
        ListView_SetItemState(list_, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void FtpExplorer::FillRows(const std::vector<ExplorerEntry>& entries)
{
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    int row = 0;
    for (const ExplorerEntry& entry : entries) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(entry.name.c_str());
        item.iImage = 0;
        ListView_InsertItem(list_, &item);
        ListView_SetItemText(list_, row, 1, const_cast<wchar_t*>(L""));
        ListView_SetItemText(list_, row, 2, const_cast<wchar_t*>(L"Folder"));
        std::wstring when;
        if (entry.modified != 0) {
            LocalTimeParts parts = LocalParts(entry.modified);
            when = ExplorerDateText(parts, dateOrder_) + L" " + ExplorerTimeText(parts);
        }
        ListView_SetItemText(list_, row, 3, const_cast<wchar_t*>(when.c_str()));
        ++row;
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

std::vector<int> FtpExplorer::SelectedRows() const
{
    std::vector<int> rows;
    for (int row = ListView_GetNextItem(list_, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list_, row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

std::wstring FtpExplorer::RowName(int row) const
{
    wchar_t name[260] = L"";
    ListView_GetItemText(list_, row, 0, name, 260);
    return name;
}

void FtpExplorer::Open()
{
    std::vector<int> rows = SelectedRows();
    if (rows.size() != 1)
        return;
    path_ = RowName(rows[0]);
    List(true);
}

void FtpExplorer::Up()
{
    if (!ReconnectIfClosed())
        return;
    path_ = ExplorerParentFolder(path_);
    List(true);
}

void FtpExplorer::StartEdit(bool newRow)
{
    if (editing_)
        return;
    int row;
    if (newRow) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = ListView_GetItemCount(list_);
        item.pszText = const_cast<wchar_t*>(L"");
        row = ListView_InsertItem(list_, &item);
        editOldName_.clear();
    } else {
        std::vector<int> rows = SelectedRows();
        if (rows.size() != 1)
            return;
        row = rows[0];
        editOldName_ = RowName(row);
    }
    editing_ = true;
    editingNewRow_ = newRow;
    SetFocus(list_);
    ListView_EditLabel(list_, row);
}

void FtpExplorer::FinishEdit()
{
    editing_ = false;
    std::wstring text = editedText_.value_or(L"");
    NetResult result = NetResult::Ok;
    if (!text.empty()) {
        bool failed = false;
        result = Run([&](TaskContext& context) {
            NetResult done = editingNewRow_ ? MakeRemoteFolder(context, session_, text)
                                            : RenameRemote(context, session_, editOldName_, text);
            failed = done == NetResult::Failed;
            return done;
        });
        if (failed && editingNewRow_)
            Message(L"FTP Explorer - Create Directory",
                    L"Create directory failed.\r\n\r\nDirectory already exists or you do not have permission to "
                    L"create directories with this FTP user account.");
        else if (failed)
            Message(L"FTP Explorer - Rename File",
                    L"Rename file failed.\r\n\r\nCheck you have permission to rename files with this FTP user "
                    L"account.");
    }
    if (result != NetResult::Cancelled)
        List(false);
}

void FtpExplorer::Delete()
{
    std::vector<int> rows = SelectedRows();
    if (editing_ || rows.empty())
        return;
    PromptQuestion question;
    question.caption = L"FTP Explorer - Confirm Delete";
    question.text = L"Are you sure you want to delete the selected file(s) or directory(s)?";
    question.acceptButton = L"Delete";
    question.declineButton = L"Don't Delete";
    if (!MessagePrompt(dialog_).Ask(question).accepted || !ReconnectIfClosed())
        return;
    std::vector<std::wstring> names;
    for (int row : rows)
        names.push_back(RowName(row));
    std::wstring failedName;
    bool failedFolder = false;
    NetResult result = Run([&](TaskContext& context) {
        for (const std::wstring& name : names) {
            RemoteKind kind = RemoteKind::File;
            NetResult asked = GetRemoteKind(context, session_, name, kind);
            if (asked == NetResult::Cancelled)
                return asked;
            bool folder = asked == NetResult::Ok ? kind == RemoteKind::Folder : name.find(L'.') == std::wstring::npos;
            LogInfo(folder ? L"Deleting folder: %ls" : L"Deleting file: %ls", name.c_str());
            NetResult deleted = folder ? DeleteRemoteTree(context, session_, name)
                                       : DeleteRemoteFile(context, session_, name);
            if (deleted != NetResult::Ok) {
                failedName = name;
                failedFolder = folder;
                return deleted;
            }
        }
        return NetResult::Ok;
    });
    if (result == NetResult::Cancelled)
        return;
    if (result == NetResult::Failed) {
        if (failedFolder)
            Message(L"FTP Explorer - Delete Directory", L"Unable to delete directory \"" + failedName + L"\".");
        else
            Message(L"FTP Explorer - Delete File", L"Unable to delete file \"" + failedName + L"\".");
        return;
    }
    List(false);
}

void FtpExplorer::Select()
{
    std::vector<int> rows = SelectedRows();
    if (rows.size() == 1) {
        path_ = RowName(rows[0]);
        List(true);
    }
    EndDialog(dialog_, IDOK);
}

void FtpExplorer::ShowMenu(POINT at)
{
    size_t selected = SelectedRows().size();
    ExplorerCommandStates states = DecideExplorerCommands(selected);
    HMENU menu = CreatePopupMenu();
    auto add = [&](int command, const wchar_t* text, bool enabled) {
        AppendMenuW(menu, MF_STRING | (enabled ? 0 : MF_GRAYED), command, text);
    };
    add(IDM_FE_DOWNLOAD, L"Download File (Enter)", false);
    add(IDM_FE_VIEW, L"View or Open File", false);
    add(IDC_FE_OPEN, L"Change Directory (Enter)", states.changeDirectory);
    add(IDC_FE_NEW, L"Create new directory", true);
    add(IDC_FE_RENAME, L"Rename", states.rename);
    add(IDC_FE_DELETE, L"Delete", states.remove);
    SetMenuDefaultItem(menu, states.changeIsDefault ? IDC_FE_OPEN : IDM_FE_DOWNLOAD, FALSE);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, dialog_, nullptr);
    DestroyMenu(menu);
}

void FtpExplorer::UpdateStates()
{
    size_t selected = SelectedRows().size();
    ExplorerCommandStates states = DecideExplorerCommands(selected);
    EnableWindow(GetDlgItem(dialog_, IDC_FE_OPEN), states.changeDirectory);
    EnableWindow(GetDlgItem(dialog_, IDC_FE_RENAME), states.rename);
    EnableWindow(GetDlgItem(dialog_, IDC_FE_DELETE), states.remove);
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = dialog_;
    info.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog_, IDC_FE_OPEN));
    std::wstring tip = ExplorerOpenTip(selected);
    info.lpszText = tip.data();
    SendMessageW(tips_.Handle(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    std::wstring count = ExplorerCountText(static_cast<size_t>(ListView_GetItemCount(list_)), selected);
    SendMessageW(status_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(count.c_str()));
}

}  // namespace

bool OpenFtpExplorer(HWND owner, const ExplorerSite& site, std::wstring& folder)
{
    std::wstring path = folder.empty() ? L"/" : folder;
    FtpExplorer explorer(site, path);
    if (DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_FTP_EXPLORER), owner, FtpExplorer::Procedure,
                        reinterpret_cast<LPARAM>(&explorer)) != IDOK)
        return false;
    folder = path;
    return true;
}
