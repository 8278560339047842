// ui-probe-fixture: a window with an owner-data list view, a tree view, a
// combo box, a status bar and a menu whose contents follow simple rules, so
// that the probe's self-test can tell whether it reads them correctly.
//   ui-probe-fixture [ROWS]
// Row i of the list: "item i", i * i, "Zeile-\u00e4\u00f6\u00fc i"; the menu's
// "Add row" (id 401) adds a row, "Flag" (id 402) toggles its check mark.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <string>

namespace {

constexpr int kList = 300, kTree = 301, kCombo = 302, kStatus = 303;
constexpr int kAddRow = 401, kFlag = 402;

int rows = 0;
wchar_t cellText[64];
HWND list, status;

void ShowRowCount()
{
    std::wstring text = L"rows: " + std::to_wstring(rows);
    SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(list, LVM_SETITEMCOUNT, rows, 0);
}

HTREEITEM AddTreeItem(HWND tree, HTREEITEM parent, const wchar_t* text)
{
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<wchar_t*>(text);
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void CreateControls(HWND window)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_OWNERDATA,
                           10, 10, 500, 400, window, reinterpret_cast<HMENU>(kList), instance, nullptr);
    const wchar_t* headers[] = {L"Name", L"Square", L"Word"};
    for (int c = 0; c < 3; ++c) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 150;
        column.pszText = const_cast<wchar_t*>(headers[c]);
        SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    HWND tree = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES,
                                520, 10, 250, 300, window, reinterpret_cast<HMENU>(kTree), instance, nullptr);
    HTREEITEM root = AddTreeItem(tree, TVI_ROOT, L"Root");
    HTREEITEM first = AddTreeItem(tree, root, L"Child 0");
    AddTreeItem(tree, first, L"Leaf 0.0");
    AddTreeItem(tree, first, L"Leaf 0.1");
    AddTreeItem(tree, root, L"Child 1");
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    HWND combo = CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 520, 320, 250, 200,
                                 window, reinterpret_cast<HMENU>(kCombo), instance, nullptr);
    for (const wchar_t* entry : {L"one", L"two", L"three"})
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    status = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
                             reinterpret_cast<HMENU>(kStatus), instance, nullptr);
    int edges[] = {200, -1};
    SendMessageW(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    SendMessageW(status, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L"fixture"));
    ShowRowCount();
}

void FillCell(NMLVDISPINFOW* info)
{
    if (!(info->item.mask & LVIF_TEXT))
        return;
    int i = info->item.iItem;
    switch (info->item.iSubItem) {
    case 0: swprintf(cellText, 64, L"item %d", i); break;
    case 1: swprintf(cellText, 64, L"%lld", static_cast<long long>(i) * i); break;
    default: swprintf(cellText, 64, L"Zeile-\u00e4\u00f6\u00fc %d", i); break;
    }
    info->item.pszText = cellText;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateControls(window);
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->idFrom == kList && header->code == LVN_GETDISPINFOW)
            FillCell(reinterpret_cast<NMLVDISPINFOW*>(lParam));
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == kAddRow) {
            ++rows;
            ShowRowCount();
        } else if (LOWORD(wParam) == kFlag) {
            HMENU menu = GetMenu(window);
            bool checked = GetMenuState(menu, kFlag, MF_BYCOMMAND) & MF_CHECKED;
            CheckMenuItem(menu, kFlag, MF_BYCOMMAND | (checked ? MF_UNCHECKED : MF_CHECKED));
        }
        return 0;
    case WM_SIZE:
        SendMessageW(status, WM_SIZE, 0, 0);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int)
{
    rows = std::wcstol(commandLine, nullptr, 10);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"UiProbeFixture";
    RegisterClassW(&windowClass);
    HMENU bar = CreateMenu();
    HMENU rowsMenu = CreatePopupMenu();
    AppendMenuW(rowsMenu, MF_STRING, kAddRow, L"&Add row");
    AppendMenuW(rowsMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(rowsMenu, MF_STRING | MF_GRAYED, 403, L"&Nothing");
    AppendMenuW(rowsMenu, MF_STRING, kFlag, L"&Flag");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(rowsMenu), L"&Rows");
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"ui-probe fixture", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  0, 0, 800, 500, nullptr, bar, instance, nullptr);
    if (!window)
        return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
