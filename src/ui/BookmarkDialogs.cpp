#include "ui/BookmarkDialogs.h"

#include <commctrl.h>
#include <shlobj.h>

#include <vector>

#include "store/Bookmarks.h"
#include "ui/DialogFields.h"
#include "ui/FieldBalloon.h"
#include "ui/HelpTopic.h"
#include "ui/MessagePrompt.h"
#include "ui/PaneDialogIds.h"

namespace {

// --- Add Bookmark ---------------------------------------------------------------------------

struct AddState {
    std::wstring folder;
    bool browse;
};

INT_PTR CALLBACK AddProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<AddState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        state = reinterpret_cast<AddState*>(lParam);
        HWND edit = GetDlgItem(dialog, IDC_BOOKMARK_PATH);
        SetWindowTextW(edit, state->folder.c_str());
        SendMessageW(edit, EM_LIMITTEXT, MAX_PATH - 1, 0);
        if (!state->browse) {
            // The field takes the room of the hidden button.
            RECT field, button;
            GetWindowRect(edit, &field);
            GetWindowRect(GetDlgItem(dialog, IDC_BOOKMARK_BROWSE), &button);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&field), 2);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&button), 2);
            MoveWindow(edit, field.left, field.top, button.right - field.left, field.bottom - field.top, FALSE);
            ShowWindow(GetDlgItem(dialog, IDC_BOOKMARK_BROWSE), SW_HIDE);
        }
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SetFocus(edit);
        return FALSE;  // the focus is set
    }
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK: {
        std::wstring text = FieldText(dialog, IDC_BOOKMARK_PATH);
        if (text.find_first_not_of(L" \t") == std::wstring::npos) {
            HWND edit = GetDlgItem(dialog, IDC_BOOKMARK_PATH);
            SetWindowTextW(edit, L"");
            SetFocus(edit);
            ShowFieldBalloon(edit, L"", std::wstring(kEnterBookmarkFolder), TTI_WARNING);
            return TRUE;
        }
        state->folder = text;
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    case IDC_BOOKMARK_BROWSE:
        PickFolderIntoField(dialog, IDC_BOOKMARK_PATH, L"Select folder to bookmark.", BIF_RETURNONLYFSDIRS);
        return TRUE;
    case IDHELP:
        ShowHelpTopic(dialog, L"bookmarkadder");
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

// --- Remove Bookmark ------------------------------------------------------------------------

struct RemoveState {
    PaneSide side;
    std::vector<std::wstring> rows;
};

void FillRows(HWND dialog, const std::vector<std::wstring>& rows)
{
    HWND list = GetDlgItem(dialog, IDC_BOOKMARK_LIST);
    ListView_DeleteAllItems(list);
    for (size_t i = 0; i < rows.size(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(rows[i].c_str());
        ListView_InsertItem(list, &item);
    }
    EnableWindow(GetDlgItem(dialog, IDC_BOOKMARK_DELETE), FALSE);
}

std::vector<size_t> SelectedRows(HWND list)
{
    std::vector<size_t> rows;
    for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list, row, LVNI_SELECTED))
        rows.push_back(static_cast<size_t>(row));
    return rows;
}

void DeleteSelected(HWND dialog, RemoveState& state)
{
    HWND list = GetDlgItem(dialog, IDC_BOOKMARK_LIST);
    std::vector<size_t> selected = SelectedRows(list);
    if (selected.empty())
        return;
    MessagePrompt prompt(dialog);
    state.rows = DeleteBookmarks(state.side, state.rows, selected, prompt);
    FillRows(dialog, state.rows);
    SetFocus(list);
}

INT_PTR CALLBACK RemoveProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<RemoveState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        state = reinterpret_cast<RemoveState*>(lParam);
        HWND list = GetDlgItem(dialog, IDC_BOOKMARK_LIST);
        ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
        RECT client;
        GetClientRect(list, &client);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL);
        column.pszText = const_cast<wchar_t*>(L"Path");
        ListView_InsertColumn(list, 0, &column);
        FillRows(dialog, state->rows);
        return TRUE;
    }
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.idFrom == IDC_BOOKMARK_LIST && header.code == LVN_ITEMCHANGED)
            EnableWindow(GetDlgItem(dialog, IDC_BOOKMARK_DELETE), ListView_GetSelectedCount(header.hwndFrom) > 0);
        return FALSE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_BOOKMARK_DELETE:
            DeleteSelected(dialog, *state);
            return TRUE;
        case IDHELP:
            ShowHelpTopic(dialog, L"bookmarkremover");
            return TRUE;
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

}  // namespace

std::optional<std::wstring> AskBookmarkFolder(HWND owner, const std::wstring& folder, bool browse)
{
    AddState state{folder, browse};
    if (DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ADD_BOOKMARK), owner, AddProcedure,
                        reinterpret_cast<LPARAM>(&state)) != IDOK)
        return std::nullopt;
    return state.folder;
}

void EditBookmarks(HWND owner, PaneSide side)
{
    RemoveState state{side, ReadBookmarks(side)};
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_REMOVE_BOOKMARK), owner, RemoveProcedure,
                    reinterpret_cast<LPARAM>(&state));
}
