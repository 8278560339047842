#include "ui/LocalPaneWindow.h"

#include <shellapi.h>

#include <algorithm>
#include <optional>

#include "ops/FileNameChecks.h"
#include "ops/LocalDeleteCommand.h"
#include "ops/NewFolderCommand.h"
#include "store/FilterList.h"
#include "ui/FileDragDrop.h"
#include "ui/ListView.h"
#include "ui/LogicalOrder.h"
#include "ui/RemoteColumnText.h"

namespace {

constexpr wchar_t kClassName[] = L"LEXPLORER";
constexpr UINT kRefreshAfterRename = WM_APP + 1;
constexpr int kListId = 1;
constexpr int kTreeId = 2;
constexpr size_t kMaxPath = 259;

// The list's columns; their widths share the list's width in these proportions.
// Each keeps at least the width of its header and its sample text.
struct ColumnInfo {
    const wchar_t* text;
    int relativeWidth;
    int format;
    std::wstring sample;
};
const ColumnInfo kColumns[] = {
    {L"Name", 34, LVCFMT_LEFT, RemoteColumnSample(RemoteColumn::Name)},
    {L"Size", 14, LVCFMT_RIGHT, RemoteColumnSample(RemoteColumn::Size)},
    {L"Type", 20, LVCFMT_LEFT, L"File folder"},
    {L"Date modified", 32, LVCFMT_LEFT, RemoteColumnSample(RemoteColumn::Date)}};
constexpr int kColumnCount = 4;

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

std::wstring JoinLocal(const std::wstring& folder, const std::wstring& name)
{
    if (folder.empty() || IsSeparator(folder.back()))
        return folder + name;
    return folder + L'\\' + name;
}

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool ContainsName(const std::vector<std::wstring>& names, const std::wstring& name)
{
    return std::any_of(names.begin(), names.end(), [&](const std::wstring& n) { return SameName(n, name); });
}

bool IsFolderPath(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsDriveRoot(const std::wstring& folder)
{
    return folder.size() == 3 && folder[1] == L':' && IsSeparator(folder[2]);
}

// A typed folder as an absolute path without a trailing separator ("C:\" for
// a drive), or nothing when it names no folder.
std::optional<std::wstring> FolderFromText(const std::wstring& text)
{
    size_t first = text.find_first_not_of(L" \t");
    size_t last = text.find_last_not_of(L" \t");
    if (first == std::wstring::npos)
        return std::nullopt;
    std::wstring typed = text.substr(first, last - first + 1);
    bool drive = typed.size() >= 2 && iswalpha(typed[0]) && typed[1] == L':';
    bool share = typed.size() >= 2 && IsSeparator(typed[0]) && IsSeparator(typed[1]);
    if (typed.size() > kMaxPath || (!drive && !share))
        return std::nullopt;  // a relative path would depend on the working folder
    if (typed.size() == 2 && drive)
        typed += L'\\';
    wchar_t full[MAX_PATH];
    DWORD length = GetFullPathNameW(typed.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length > kMaxPath)
        return std::nullopt;
    std::wstring folder(full, length);
    while (folder.size() > 3 && IsSeparator(folder.back()))
        folder.pop_back();
    if (!IsFolderPath(folder))
        return std::nullopt;
    return folder;
}

// The folder above; empty (the computer) above a drive or a share.
std::wstring ParentFolder(const std::wstring& folder)
{
    if (IsDriveRoot(folder))
        return L"";
    size_t cut = folder.find_last_of(L"\\/");
    if (cut == std::wstring::npos)
        return L"";
    std::wstring parent = folder.substr(0, cut);
    if (parent.size() == 2 && parent[1] == L':')
        parent += L'\\';
    return IsFolderPath(parent) ? parent : L"";
}

int64_t FileTimeSeconds(const FILETIME& time)
{
    ULARGE_INTEGER ticks;
    ticks.LowPart = time.dwLowDateTime;
    ticks.HighPart = time.dwHighDateTime;
    return static_cast<int64_t>(ticks.QuadPart / 10000000ULL) - 11644473600LL;
}

std::vector<std::wstring> Drives()
{
    std::vector<std::wstring> drives;
    wchar_t buffer[512];
    DWORD length = GetLogicalDriveStringsW(512, buffer);
    for (const wchar_t* at = buffer; length > 0 && length < 512 && *at; at += wcslen(at) + 1)
        drives.emplace_back(at);
    return drives;
}

// The subfolders (folders true) or all entries of a folder, without "." and "..".
std::vector<WIN32_FIND_DATAW> FolderEntries(const std::wstring& folder, bool foldersOnly)
{
    std::vector<WIN32_FIND_DATAW> entries;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW(JoinLocal(folder, L"*").c_str(), FindExInfoStandard, &data,
                                   foldersOnly ? FindExSearchLimitToDirectories : FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        bool isFolder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        if (wcscmp(data.cFileName, L".") == 0 || wcscmp(data.cFileName, L"..") == 0 || (foldersOnly && !isFolder))
            continue;
        entries.push_back(data);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return entries;
}

// The system's icon index and type text of a path; by its name alone unless
// it is a drive.
SHFILEINFOW ShellInfo(const std::wstring& path, bool folder, bool drive)
{
    SHFILEINFOW info{};
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_TYPENAME;
    if (!drive)
        flags |= SHGFI_USEFILEATTRIBUTES;
    DWORD attributes = folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    if (!SHGetFileInfoW(path.c_str(), attributes, &info, sizeof(info), flags)) {
        info.iIcon = 0;
        info.szTypeName[0] = L'\0';
    }
    if (info.szTypeName[0] == L'\0')
        wcscpy(info.szTypeName, folder ? L"Folder" : L"File");
    return info;
}

HIMAGELIST SystemSmallImages()
{
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

void AddColumn(HWND list, int index, const wchar_t* text, int width, int format)
{
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(text);
    ListView_InsertColumn(list, index, &column);
}

std::wstring TreeText(HWND tree, HTREEITEM node)
{
    wchar_t text[MAX_PATH] = L"";
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = node;
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    TreeView_GetItem(tree, &item);
    return text;
}

HTREEITEM AddTreeNode(HWND tree, HTREEITEM parent, const std::wstring& text, int icon)
{
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.cChildren = 1;  // found out when the node is expanded
    insert.item.iImage = icon;
    insert.item.iSelectedImage = icon;
    return TreeView_InsertItem(tree, &insert);
}

}  // namespace

LocalPaneWindow::LocalPaneWindow(Shell& shell) : shell_(shell) {}

LocalPaneWindow::~LocalPaneWindow()
{
    if (window_)
        DestroyWindow(window_);
}

bool LocalPaneWindow::Create(HWND parent, int controlId)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    if (!GetClassInfoW(instance, kClassName, &windowClass)) {
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DSHADOW + 1);  // the line between tree and list
        windowClass.lpszClassName = kClassName;
        if (!RegisterClassW(&windowClass))
            return false;
    }
    parent_ = parent;
    // A control parent: Tab goes into the list and the tree.
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                              0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, this);
    if (!window_)
        return false;
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS |
                                LVS_SHAREIMAGELISTS,
                            0, 0, 0, 0, window_, reinterpret_cast<HMENU>(kListId), instance, nullptr);
    tree_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                            WS_CHILD | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                TVS_SHOWSELALWAYS,
                            0, 0, 0, 0, window_, reinterpret_cast<HMENU>(kTreeId), instance, nullptr);
    if (!list_ || !tree_)
        return false;
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT);
    if (HIMAGELIST images = SystemSmallImages()) {
        ListView_SetImageList(list_, images, LVSIL_SMALL);
        TreeView_SetImageList(tree_, images, TVSIL_NORMAL);
    }
    for (int i = 0; i < kColumnCount; ++i)
        AddColumn(list_, i, kColumns[i].text, kColumns[i].relativeWidth, kColumns[i].format);
    dropTarget_ = new FileDropTarget([this](const std::vector<std::wstring>& paths) { DropFiles(paths); });
    RegisterDragDrop(list_, dropTarget_);  // fails without OLE: no drops then
    FillList();
    return true;
}

void LocalPaneWindow::Move(const RECT& rect)
{
    MoveWindow(window_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void LocalPaneWindow::NavigateTo(const std::wstring& folder)
{
    GoToPath(folder);
}

bool LocalPaneWindow::GoToPath(const std::wstring& text)
{
    std::optional<std::wstring> folder = FolderFromText(text);
    return folder && Show(*folder, true);
}

void LocalPaneWindow::RefillList()
{
    EndRename();
    std::vector<std::wstring> selected = SelectedNames();
    FillList();
    SelectNames(selected);
}

void LocalPaneWindow::Refresh()
{
    RefillList();
    if (!treeShown_) {
        filling_ = true;
        TreeView_DeleteAllItems(tree_);  // built again when shown
        filling_ = false;
        return;
    }
    std::vector<std::wstring> expanded;
    CollectExpanded(TreeView_GetRoot(tree_), expanded);
    FillTreeRoots();
    Reexpand(TreeView_GetRoot(tree_), expanded);
    SelectTreeFolder();
}

void LocalPaneWindow::SetActiveFilter(const std::wstring& lowerCased)
{
    filter_ = lowerCased;
    RefillList();
}

void LocalPaneWindow::Up()
{
    if (!folder_.empty())
        Show(ParentFolder(folder_), true);
}

void LocalPaneWindow::Back()
{
    EndRename();
    if (OnDrives() || history_.Back())
        Show(history_.At(history_.Position()), false);
}

void LocalPaneWindow::Forward()
{
    EndRename();
    if (history_.Forward())
        Show(history_.At(history_.Position()), false);
}

std::vector<std::wstring> LocalPaneWindow::Selection() const
{
    std::vector<std::wstring> paths;
    for (const std::wstring& name : SelectedNames())
        paths.push_back(PathOf(name));
    return paths;
}

std::vector<std::wstring> LocalPaneWindow::SelectedNames() const
{
    std::vector<std::wstring> names;
    for (int row = ListView_GetNextItem(list_, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list_, row, LVNI_SELECTED)) {
        int index = ItemAt(row);
        if (index >= 0)
            names.push_back(items_[index].name);
    }
    return names;
}

size_t LocalPaneWindow::SelectedCount() const
{
    return static_cast<size_t>(ListView_GetSelectedCount(list_));
}

void LocalPaneWindow::SelectNames(const std::vector<std::wstring>& names)
{
    filling_ = true;
    bool focused = false;
    int rows = ListView_GetItemCount(list_);
    for (int row = 0; row < rows; ++row) {
        int index = ItemAt(row);
        bool select = index >= 0 && ContainsName(names, items_[index].name);
        UINT state = select ? LVIS_SELECTED : 0;
        if (select && !focused) {
            state |= LVIS_FOCUSED;
            focused = true;
            ListView_EnsureVisible(list_, row, FALSE);
        }
        ListView_SetItemState(list_, row, state, LVIS_SELECTED | (select ? LVIS_FOCUSED : 0));
    }
    filling_ = false;
    PostToParent(kLocalSelectionChangedMessage);
}

bool LocalPaneWindow::Delete(UserPrompt& prompt)
{
    std::vector<std::wstring> paths = Selection();
    if (paths.empty() || !IsFileSystemFolder())
        return false;
    EndRename();
    bool all = DeleteLocalSelection(prompt, shell_, paths);
    bool anyGone = std::any_of(paths.begin(), paths.end(), [](const std::wstring& path) {
        return GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
    });
    if (all || anyGone) {
        SelectNames({});
        Refresh();
    }
    return all;
}

void LocalPaneWindow::Rename()
{
    if (SelectedCount() != 1 || !IsFileSystemFolder())
        return;
    int row = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
    SetFocus(list_);
    ListView_EditLabel(list_, row);  // LVN_BEGINLABELEDIT sets the pending flag
}

bool LocalPaneWindow::RenameItem(const std::wstring& oldName, const std::wstring& newText)
{
    if (!MoveItem(oldName, newText))
        return false;
    std::wstring renamed = renamedTo_;
    Refresh();
    SelectNames({renamed});
    return true;
}

bool LocalPaneWindow::MoveItem(const std::wstring& oldName, const std::wstring& newText)
{
    std::optional<std::wstring> name = CheckNewFolderName(newText);
    if (!IsFileSystemFolder() || !name || *name == oldName ||
        !MoveFileW(JoinLocal(folder_, oldName).c_str(), JoinLocal(folder_, *name).c_str()))
        return false;
    renamedTo_ = *name;
    return true;
}

void LocalPaneWindow::Open()
{
    if (SelectedCount() == 1)
        OpenRow(ListView_GetNextItem(list_, -1, LVNI_SELECTED));
}

bool LocalPaneWindow::NewFolder(UserPrompt& prompt, const std::wstring& typedName)
{
    if (!IsFileSystemFolder() || !NewLocalFolder(prompt, folder_, typedName))
        return false;
    Refresh();
    return true;
}

void LocalPaneWindow::DropFiles(const std::vector<std::wstring>& paths)
{
    if (!IsFileSystemFolder())
        return;
    std::wstring from;  // each path ends with a NUL, the list with a second one
    for (const std::wstring& path : paths) {
        if (!SameName(ParentFolder(path), folder_))
            from += path + L'\0';
    }
    if (from.empty())
        return;
    from += L'\0';
    std::wstring to = folder_ + L'\0';
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = window_;
    operation.wFunc = FO_COPY;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMMKDIR;
    SHFileOperationW(&operation);
    Refresh();
}

void LocalPaneWindow::ToggleTree()
{
    treeShown_ = !treeShown_;
    if (treeShown_) {
        if (!TreeView_GetRoot(tree_))
            FillTreeRoots();
        SelectTreeFolder();
    }
    Layout();
}

std::wstring LocalPaneWindow::TreeFolder() const
{
    HTREEITEM selected = TreeView_GetSelection(tree_);
    return selected ? TreePath(selected) : L"";
}

LRESULT CALLBACK LocalPaneWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* pane = reinterpret_cast<LocalPaneWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!pane || !pane->window_)
        return DefWindowProcW(window, message, wParam, lParam);
    return pane->Dispatch(message, wParam, lParam);
}

LRESULT LocalPaneWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        Layout();
        return 0;
    case WM_NOTIFY:
        return Notify(*reinterpret_cast<const NMHDR*>(lParam));
    case kRefreshAfterRename: {
        std::wstring renamed = renamedTo_;
        Refresh();
        SelectNames({renamed});
        return 0;
    }
    case WM_DESTROY:
        RevokeDragDrop(list_);
        return 0;
    case WM_NCDESTROY: {
        if (dropTarget_)
            dropTarget_->Release();
        dropTarget_ = nullptr;
        HWND window = window_;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = list_ = tree_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

LRESULT LocalPaneWindow::Notify(const NMHDR& header)
{
    if (header.hwndFrom == list_) {
        switch (header.code) {
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if (!filling_ && (change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED))
                PostToParent(kLocalSelectionChangedMessage);
            return 0;
        }
        case LVN_BEGINDRAG:
            DragSelection();
            return 0;
        case LVN_ITEMACTIVATE:
            OpenRow(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
            return 0;
        case LVN_BEGINLABELEDITW:
            if (!IsFileSystemFolder())
                return TRUE;  // drives keep their names
            renamePending_ = true;
            return FALSE;
        case LVN_ENDLABELEDITW: {
            renamePending_ = false;
            const LVITEMW& item = reinterpret_cast<const NMLVDISPINFOW&>(header).item;
            int index = ItemAt(item.iItem);
            if (cancellingEdit_ || !item.pszText || index < 0 || !MoveItem(items_[index].name, item.pszText))
                return FALSE;
            // The list is rebuilt once the edit control has gone.
            PostMessageW(window_, kRefreshAfterRename, 0, 0);
            return TRUE;
        }
        }
        return 0;
    }
    if (header.hwndFrom == tree_) {
        switch (header.code) {
        case TVN_ITEMEXPANDINGW: {
            const auto& expanding = reinterpret_cast<const NMTREEVIEWW&>(header);
            if ((expanding.action & TVE_EXPAND) && !TreeView_GetChild(tree_, expanding.itemNew.hItem))
                FillTreeChildren(expanding.itemNew.hItem);
            return FALSE;
        }
        case TVN_SELCHANGEDW:
            if (!filling_)
                Show(TreePath(reinterpret_cast<const NMTREEVIEWW&>(header).itemNew.hItem), true);
            return 0;
        }
    }
    return 0;
}

void LocalPaneWindow::Layout()
{
    RECT client;
    GetClientRect(window_, &client);
    int width = client.right;
    int height = client.bottom;
    if (treeShown_) {
        int half = width / 2;
        MoveWindow(tree_, 0, 0, half, height, TRUE);
        MoveWindow(list_, half + 1, 0, std::max(0, width - half - 1), height, TRUE);
        ShowWindow(tree_, SW_SHOW);
    } else {
        ShowWindow(tree_, SW_HIDE);
        MoveWindow(list_, 0, 0, width, height, TRUE);
    }
    FitColumns();
}

void LocalPaneWindow::FitColumns() const
{
    std::vector<ColumnFit> fits;
    for (const ColumnInfo& column : kColumns)
        fits.push_back({column.relativeWidth, column.sample});
    FitListColumns(list_, fits);
}

bool LocalPaneWindow::Show(const std::wstring& folder, bool recordHistory)
{
    EndRename();
    if (!folder.empty() && !IsFolderPath(folder))
        return false;
    folder_ = folder;
    if (recordHistory && !folder.empty())  // the computer itself is not a folder to go back to
        history_.Push(folder);
    FillList();
    if (treeShown_)
        SelectTreeFolder();
    PostToParent(kLocalFolderChangedMessage);
    PostToParent(kLocalSelectionChangedMessage);
    return true;
}

void LocalPaneWindow::FillList()
{
    filling_ = true;
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list_);
    items_ = ReadItems();
    for (size_t i = 0; i < items_.size(); ++i) {
        const Item& entry = items_[i];
        SHFILEINFOW info = ShellInfo(PathOf(entry.name), entry.folder, folder_.empty());
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(entry.name.c_str());
        item.iImage = info.iIcon;
        item.lParam = static_cast<LPARAM>(i);
        int row = ListView_InsertItem(list_, &item);
        std::wstring size = entry.folder ? L"" : RemoteSizeText(entry.size);
        std::wstring date = entry.modified ? RemoteDateText(SystemLocalClock(entry.modified)) : L"";
        ListView_SetItemText(list_, row, 1, size.data());
        ListView_SetItemText(list_, row, 2, info.szTypeName);
        ListView_SetItemText(list_, row, 3, date.data());
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    filling_ = false;
}

std::vector<LocalPaneWindow::Item> LocalPaneWindow::ReadItems() const
{
    std::vector<Item> items;
    if (folder_.empty()) {
        for (const std::wstring& drive : Drives())
            items.push_back({drive, true, 0, 0});
        return items;
    }
    for (const WIN32_FIND_DATAW& data : FolderEntries(folder_, false)) {
        bool folder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        if (!IsListedUnderFilter(filter_, data.cFileName, !folder))
            continue;
        Item item;
        item.name = data.cFileName;
        item.folder = folder;
        item.size = item.folder ? 0 : (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        item.modified = FileTimeSeconds(data.ftLastWriteTime);
        items.push_back(std::move(item));
    }
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        if (a.folder != b.folder)
            return a.folder;
        return CompareLogical(a.name, b.name) < 0;
    });
    return items;
}

std::wstring LocalPaneWindow::PathOf(const std::wstring& name) const
{
    return folder_.empty() ? name : JoinLocal(folder_, name);  // a drive's name is its path
}

int LocalPaneWindow::ItemAt(int row) const
{
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (row < 0 || !ListView_GetItem(list_, &item) || item.lParam < 0 ||
        static_cast<size_t>(item.lParam) >= items_.size())
        return -1;
    return static_cast<int>(item.lParam);
}

void LocalPaneWindow::OpenRow(int row)
{
    int index = ItemAt(row);
    if (index < 0)
        return;
    const Item& item = items_[index];
    std::wstring path = PathOf(item.name);
    if (item.folder)
        Show(path, true);
    else
        shell_.OpenFile(path);
}

void LocalPaneWindow::EndRename()
{
    if (!renamePending_)
        return;
    // Wine's list view keeps the edited text even when told to cancel.
    cancellingEdit_ = true;
    ListView_CancelEditLabel(list_);
    cancellingEdit_ = false;
    renamePending_ = false;
    SelectNames({});
}

void LocalPaneWindow::DragSelection()
{
    if (!IsFileSystemFolder())
        return;
    IDataObject* data = CreateFileDataObject(folder_, SelectedNames());
    if (!data)
        return;
    DragFiles(data);
    data->Release();
    Refresh();  // a move took items away
}

void LocalPaneWindow::PostToParent(UINT message) const
{
    if (parent_)
        PostMessageW(parent_, message, 0, 0);
}

void LocalPaneWindow::FillTreeRoots()
{
    filling_ = true;
    TreeView_DeleteAllItems(tree_);
    for (const std::wstring& drive : Drives())
        AddTreeNode(tree_, TVI_ROOT, drive, ShellInfo(drive, true, true).iIcon);
    filling_ = false;
}

void LocalPaneWindow::FillTreeChildren(HTREEITEM node)
{
    std::wstring path = TreePath(node);
    std::vector<std::wstring> names;
    for (const WIN32_FIND_DATAW& data : FolderEntries(path, true))
        names.emplace_back(data.cFileName);
    std::stable_sort(names.begin(), names.end(),
                     [](const std::wstring& a, const std::wstring& b) { return CompareLogical(a, b) < 0; });
    int icon = ShellInfo(path, true, false).iIcon;
    for (const std::wstring& name : names)
        AddTreeNode(tree_, node, name, icon);
    if (names.empty()) {
        TVITEMW item{};
        item.mask = TVIF_CHILDREN;
        item.hItem = node;
        item.cChildren = 0;
        TreeView_SetItem(tree_, &item);
    }
}

std::wstring LocalPaneWindow::TreePath(HTREEITEM node) const
{
    std::vector<std::wstring> parts;
    for (; node; node = TreeView_GetParent(tree_, node))
        parts.push_back(TreeText(tree_, node));
    std::wstring path;
    for (auto part = parts.rbegin(); part != parts.rend(); ++part)
        path = JoinLocal(path, *part);
    return path;
}

HTREEITEM LocalPaneWindow::TreeChild(HTREEITEM parent, const std::wstring& name) const
{
    HTREEITEM child = parent ? TreeView_GetChild(tree_, parent) : TreeView_GetRoot(tree_);
    for (; child; child = TreeView_GetNextSibling(tree_, child)) {
        if (SameName(TreeText(tree_, child), name))
            return child;
    }
    return nullptr;
}

void LocalPaneWindow::CollectExpanded(HTREEITEM first, std::vector<std::wstring>& paths) const
{
    for (HTREEITEM node = first; node; node = TreeView_GetNextSibling(tree_, node)) {
        if (TreeView_GetItemState(tree_, node, TVIS_EXPANDED) & TVIS_EXPANDED) {
            paths.push_back(TreePath(node));
            CollectExpanded(TreeView_GetChild(tree_, node), paths);
        }
    }
}

void LocalPaneWindow::Reexpand(HTREEITEM first, const std::vector<std::wstring>& paths)
{
    for (HTREEITEM node = first; node; node = TreeView_GetNextSibling(tree_, node)) {
        if (ContainsName(paths, TreePath(node))) {
            TreeView_Expand(tree_, node, TVE_EXPAND);
            Reexpand(TreeView_GetChild(tree_, node), paths);
        }
    }
}

void LocalPaneWindow::SelectTreeFolder()
{
    // From the drive down, expanding each node on the way.
    HTREEITEM node = nullptr;
    std::wstring rest = folder_;
    if (rest.size() >= 3 && rest[1] == L':') {
        node = TreeChild(nullptr, rest.substr(0, 3));
        rest = rest.substr(3);
    }
    while (node && !rest.empty()) {
        size_t cut = rest.find_first_of(L"\\/");
        std::wstring name = rest.substr(0, cut);
        rest = cut == std::wstring::npos ? L"" : rest.substr(cut + 1);
        TreeView_Expand(tree_, node, TVE_EXPAND);
        HTREEITEM child = TreeChild(node, name);
        if (!child)
            break;
        node = child;
    }
    filling_ = true;
    TreeView_SelectItem(tree_, node);
    if (node)
        TreeView_EnsureVisible(tree_, node);
    filling_ = false;
}
