#include "ui/ListView.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "ui/ColumnWidths.h"

namespace {

int TextWidth(HWND list, const std::wstring& text)
{
    return text.empty() ? 0 : ListView_GetStringWidth(list, text.c_str());
}

std::wstring HeaderText(HWND list, int index)
{
    wchar_t text[128] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = static_cast<int>(std::size(text));
    return ListView_GetColumn(list, index, &column) ? text : L"";
}

}  // namespace

void FitListColumns(HWND list, const std::vector<ColumnFit>& columns)
{
    RECT client;
    GetClientRect(list, &client);
    bool scrollBar = (GetWindowLongPtrW(list, GWL_STYLE) & WS_VSCROLL) != 0;
    int width = std::max<int>(client.right - (scrollBar ? 0 : GetSystemMetrics(SM_CXVSCROLL)), 100);
    // The margins of a cell and of a header with its sort arrow, and the row
    // icon in the first column, scaled as the small icons are.
    int icon = GetSystemMetrics(SM_CXSMICON);
    std::vector<ColumnShare> shares;
    for (size_t i = 0; i < columns.size(); ++i) {
        int header = TextWidth(list, HeaderText(list, static_cast<int>(i))) + icon + icon / 2;
        int sample = TextWidth(list, columns[i].sample) + icon * 3 / 4 + (i == 0 ? icon + icon / 4 : 0);
        shares.push_back({columns[i].relative, std::max(header, sample)});
    }
    std::vector<int> widths = ShareColumnWidths(width, shares);
    for (size_t i = 0; i < widths.size(); ++i)
        ListView_SetColumnWidth(list, static_cast<int>(i), widths[i]);
}

void ListView::SetFullRowSelect() const
{
    ListView_SetExtendedListViewStyle(handle_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_HEADERDRAGDROP);
}

void ListView::InsertColumn(int index, const std::wstring& text, int width, bool rightAligned) const
{
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(text.c_str());
    ListView_InsertColumn(handle_, index, &column);
}

void ListView::DeleteColumn(int index) const
{
    ListView_DeleteColumn(handle_, index);
}

int ListView::ColumnCount() const
{
    return Header_GetItemCount(ListView_GetHeader(handle_));
}

void ListView::SetColumnWidth(int index, int width) const
{
    ListView_SetColumnWidth(handle_, index, width);
}

void ListView::SetSortArrow(int column, bool ascending) const
{
    HWND header = ListView_GetHeader(handle_);
    for (int i = 0; i < Header_GetItemCount(header); ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, i, &item);
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == column)
            item.fmt |= ascending ? HDF_SORTUP : HDF_SORTDOWN;
        Header_SetItem(header, i, &item);
    }
}

void ListView::SetRowCount(size_t count, bool keepScroll) const
{
    ListView_SetItemCountEx(handle_, static_cast<int>(count), keepScroll ? LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL : 0);
    InvalidateRect(handle_, nullptr, TRUE);
}

void ListView::RedrawRows() const
{
    InvalidateRect(handle_, nullptr, FALSE);
}

int ListView::FocusedRow() const
{
    return ListView_GetNextItem(handle_, -1, LVNI_FOCUSED);
}

std::vector<int> ListView::SelectedRows() const
{
    std::vector<int> rows;
    for (int row = ListView_GetNextItem(handle_, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(handle_, row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

size_t ListView::SelectedCount() const
{
    return static_cast<size_t>(ListView_GetSelectedCount(handle_));
}

void ListView::ClearSelection() const
{
    ListView_SetItemState(handle_, -1, 0, LVIS_SELECTED);
}

void ListView::SelectRow(int row) const
{
    ListView_SetItemState(handle_, row, LVIS_SELECTED, LVIS_SELECTED);
}

void ListView::FocusRow(int row) const
{
    ClearSelection();
    ListView_SetItemState(handle_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetSelectionMark(handle_, row);
    ListView_EnsureVisible(handle_, row, FALSE);
}

void ListView::EditLabel(int row) const
{
    SetFocus(handle_);
    ListView_EditLabel(handle_, row);
}

void ListView::CancelEdit() const
{
    ListView_CancelEditLabel(handle_);
}

void PaintEmptyListText(HWND list, const std::wstring& text)
{
    RECT client;
    GetClientRect(list, &client);
    RECT header;
    GetWindowRect(ListView_GetHeader(list), &header);
    client.top += Height(header) + 12;
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), -1, &client, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
}
