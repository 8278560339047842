#include "ui/RemoteListPane.h"

#include <shellapi.h>

#include <algorithm>

#include "ui/ControlIds.h"
#include "ui/RemoteColumnText.h"

namespace {

const wchar_t kNotConnected[] = L"Not Connected";

struct ColumnInfo {
    const wchar_t* header;
    const wchar_t* menuText;
    int relativeWidth;
    bool rightAligned;
};

const ColumnInfo kColumns[kRemoteColumnCount] = {
    {L"Name", L"Name", 20, false},         {L"Size", L"Size", 10, true},
    {L"Type", L"Type", 15, false},         {L"Date modified", L"Date", 20, false},
    {L"Permissions", L"Permissions", 15, false}, {L"Owner", L"Owner", 9, false},
    {L"Owner Group", L"Owner Group", 11, false},
};

const ColumnInfo& InfoOf(RemoteColumn column)
{
    return kColumns[static_cast<int>(column)];
}

}  // namespace

void RemoteListPane::Attach(HWND dialog, std::function<const RemoteFolderHistory&()> history,
                            std::function<bool()> connected)
{
    list_.Attach(GetDlgItem(dialog, IDC_REMOTE_LIST));
    pathBox_.Attach(GetDlgItem(dialog, IDC_REMOTE_PATH));
    history_ = std::move(history);
    connected_ = std::move(connected);
    list_.SetFullRowSelect();
    SHFILEINFOW info{};
    auto images = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info),
                                                              SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX |
                                                                  SHGFI_SMALLICON));
    if (images)
        ListView_SetImageList(list_.Handle(), images, LVSIL_SMALL);
    shown_ = {RemoteColumn::Name, RemoteColumn::Size, RemoteColumn::Type, RemoteColumn::Date,
              RemoteColumn::Permissions};
    ResetColumns();
    SetWindowSubclass(list_.Handle(), ListProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
}

void RemoteListPane::ResetColumns()
{
    while (list_.ColumnCount() > 0)
        list_.DeleteColumn(0);
    for (size_t i = 0; i < shown_.size(); ++i)
        list_.InsertColumn(static_cast<int>(i), InfoOf(shown_[i]).header, 80, InfoOf(shown_[i]).rightAligned);
    FitColumns();
    SetSortOrder(order_);
}

void RemoteListPane::FitColumns() const
{
    std::vector<ColumnFit> fits;
    for (RemoteColumn column : shown_)
        fits.push_back({InfoOf(column).relativeWidth, RemoteColumnSample(column)});
    FitListColumns(list_.Handle(), fits);
}

void RemoteListPane::SetSortOrder(RemoteSortOrder order)
{
    order_ = order;
    auto shown = std::find(shown_.begin(), shown_.end(), order_.column);
    list_.SetSortArrow(shown == shown_.end() ? -1 : static_cast<int>(shown - shown_.begin()), order_.ascending);
}

void RemoteListPane::Resort()
{
    int focused = list_.FocusedRow();
    std::wstring focusName = focused >= 0 && focused < RowCount() ? rows_[static_cast<size_t>(focused)].name : L"";
    list_.ClearSelection();
    SortRemoteRows(rows_, order_);
    list_.RedrawRows();
    if (!focusName.empty())
        list_.FocusRow(FindRow(focusName));
}

void RemoteListPane::ShowRows(std::vector<RemoteRow> rows)
{
    rows_ = std::move(rows);
    SortRemoteRows(rows_, order_);
    list_.ClearSelection();
    list_.SetRowCount(rows_.size(), false);
}

void RemoteListPane::Clear()
{
    rows_.clear();
    list_.ClearSelection();
    list_.SetRowCount(0, false);
    pathBox_.SetItems({});
    pathBox_.SetEditText(L"");
}

std::wstring RemoteListPane::PathText()
{
    std::wstring text = pathBox_.Text();
    return text == kNotConnected ? L"" : text;
}

void RemoteListPane::RefreshPathBox()
{
    if (!connected_()) {
        pathBox_.SetEditText(kNotConnected);
        return;
    }
    const RemoteFolderHistory& history = history_();
    pathBox_.SetEditText(history.At(history.Position()));
}

void RemoteListPane::HistoryChanged(size_t position)
{
    const RemoteFolderHistory& history = history_();
    std::vector<std::wstring> folders;
    for (size_t i = 0; i < RemoteFolderHistory::kSize; ++i)
        if (!history.At(i).empty())
            folders.push_back(history.At(i));
    pathBox_.SetItems(folders);
    pathBox_.SetEditText(history.At(position));
}

void RemoteListPane::SetEmptyText(const std::wstring& text, const std::wstring& hint)
{
    if (text == emptyText_ && hint == emptyHint_)
        return;
    emptyText_ = text;
    emptyHint_ = hint;
    if (rows_.empty())
        InvalidateRect(list_.Handle(), nullptr, TRUE);
}

const RemoteRow* RemoteListPane::Row(int index) const
{
    return index >= 0 && index < RowCount() ? &rows_[static_cast<size_t>(index)] : nullptr;
}

int RemoteListPane::FindRow(const std::wstring& name) const
{
    for (int i = 0; i < RowCount(); ++i)
        if (rows_[static_cast<size_t>(i)].name == name)
            return i;
    return -1;
}

void RemoteListPane::SelectNames(const std::vector<std::wstring>& names)
{
    list_.ClearSelection();
    bool first = true;
    for (const std::wstring& name : names) {
        int row = FindRow(name);
        if (row < 0)
            continue;
        if (first)
            list_.FocusRow(row);
        else
            list_.SelectRow(row);
        first = false;
    }
}

void RemoteListPane::SetPermissions(const std::wstring& name, const std::wstring& permissions)
{
    int row = FindRow(name);
    if (row < 0)
        return;
    rows_[static_cast<size_t>(row)].permissions = permissions;
    list_.RedrawRows();
}

SelectedRemoteRow RemoteListPane::SelectedOf(const RemoteRow& row)
{
    return {row.name, row.kind, row.permissions};
}

std::vector<SelectedRemoteRow> RemoteListPane::SelectedRows() const
{
    std::vector<SelectedRemoteRow> selected;
    for (int index : list_.SelectedRows())
        if (const RemoteRow* row = Row(index))
            selected.push_back(SelectedOf(*row));
    return selected;
}

int RemoteListPane::IconOf(const RemoteRow& row)
{
    bool folder = row.kind == RemoteKind::Folder;
    size_t dot = row.name.rfind(L'.');
    std::wstring key = folder ? L"\\folder" : dot == std::wstring::npos ? L"" : row.name.substr(dot);
    auto found = iconCache_.find(key);
    if (found != iconCache_.end())
        return found->second;
    SHFILEINFOW info{};
    std::wstring probe = folder ? L"folder" : L"file" + key;
    SHGetFileInfoW(probe.c_str(), folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                   SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    return iconCache_[key] = info.iIcon;
}

std::wstring RemoteListPane::CellText(int row, int subItem) const
{
    const RemoteRow* shown = Row(row);
    if (!shown || subItem < 0 || subItem >= static_cast<int>(shown_.size()))
        return {};
    return RemoteColumnText(*shown, shown_[static_cast<size_t>(subItem)]);
}

bool RemoteListPane::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.hwndFrom != list_.Handle())
        return false;
    switch (header.code) {
    case LVN_GETDISPINFOW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
        if (item.mask & LVIF_TEXT) {
            cellText_ = CellText(item.iItem, item.iSubItem);
            item.pszText = const_cast<wchar_t*>(cellText_.c_str());
        }
        if ((item.mask & LVIF_IMAGE) && Row(item.iItem))
            item.iImage = IconOf(*Row(item.iItem));
        result = 0;
        return true;
    }
    case LVN_COLUMNCLICK: {
        int subItem = reinterpret_cast<NMLISTVIEW&>(header).iSubItem;
        if (subItem >= 0 && subItem < static_cast<int>(shown_.size())) {
            SetSortOrder(AfterHeaderClick(order_, shown_[static_cast<size_t>(subItem)]));
            Resort();
        }
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

bool RemoteListPane::HeaderContains(POINT screen) const
{
    RECT rect;
    GetWindowRect(ListView_GetHeader(list_.Handle()), &rect);
    return PtInRect(&rect, screen) != FALSE;
}

void RemoteListPane::ShowColumnMenu(HWND owner, POINT at, bool enabled)
{
    HMENU menu = CreatePopupMenu();
    for (int i = static_cast<int>(RemoteColumn::Size); i < kRemoteColumnCount; ++i) {
        auto column = static_cast<RemoteColumn>(i);
        bool shown = std::find(shown_.begin(), shown_.end(), column) != shown_.end();
        AppendMenuW(menu, MF_STRING | (shown ? MF_CHECKED : 0) | (enabled ? 0 : MF_GRAYED), IDM_COLUMN_FIRST + i,
                    InfoOf(column).menuText);
    }
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    DestroyMenu(menu);
}

void RemoteListPane::ToggleColumn(RemoteColumn column)
{
    auto shown = std::find(shown_.begin(), shown_.end(), column);
    if (shown != shown_.end()) {
        shown_.erase(shown);
    } else {
        // Columns keep their order on screen.
        shown_.push_back(column);
        std::sort(shown_.begin(), shown_.end());
    }
    ResetColumns();
    list_.RedrawRows();
}

void RemoteListPane::PaintEmptyText() const
{
    PaintEmptyListText(list_.Handle(), emptyText_ + (emptyHint_.empty() ? L"" : L"\n\n" + emptyHint_));
}

LRESULT CALLBACK RemoteListPane::ListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR self)
{
    LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    auto* pane = reinterpret_cast<RemoteListPane*>(self);
    if (message == WM_PAINT && pane->rows_.empty())
        pane->PaintEmptyText();
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(window, ListProcedure, 1);
    return result;
}
