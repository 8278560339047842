#pragma once
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <vector>

#include "ops/RemoteFolderHistory.h"
#include "ops/RemotePane.h"
#include "ops/RemoteSelection.h"
#include "ui/ComboBox.h"
#include "ui/ListView.h"
#include "ui/RemoteSort.h"

// The remote side of the main window: the list of the current remote folder
// (owner data: the rows live here, sorted, and the control asks for texts as
// it paints) and the path box with the folder history.
class RemoteListPane : public RemotePane {
public:
    // The dialog's list (102) and path box (109); the history is the
    // connection manager's.
    void Attach(HWND dialog, std::function<const RemoteFolderHistory&()> history, std::function<bool()> connected);
    const ListView& List() const { return list_; }
    const ComboBox& PathBox() const { return pathBox_; }

    void ShowRows(std::vector<RemoteRow> rows) override;
    void Clear() override;
    std::wstring PathText() override;
    void RefreshPathBox() override;
    std::wstring FilterText() override { return activeFilter_; }
    void SetActiveFilter(const std::wstring& lowerCased) { activeFilter_ = lowerCased; }
    void HistoryChanged(size_t position) override;

    // Column widths from their relative sizes over the list's width.
    void FitColumns() const;
    // What the list shows while it has no rows: a line and an optional hint below it.
    void SetEmptyText(const std::wstring& text, const std::wstring& hint);
    // Notifications of the list: display texts and header clicks.
    bool OnNotify(NMHDR& header, LRESULT& result);
    // The column pop-up menu at a screen point; enabled says whether its
    // entries may be used.
    void ShowColumnMenu(HWND owner, POINT at, bool enabled);
    // A command of the column menu.
    void ToggleColumn(RemoteColumn column);
    bool HeaderContains(POINT screen) const;

    RemoteSortOrder SortOrder() const { return order_; }
    void SetSortOrder(RemoteSortOrder order);

    const RemoteRow* Row(int index) const;
    int RowCount() const { return static_cast<int>(rows_.size()); }
    int FindRow(const std::wstring& name) const;
    // Selects exactly the rows of these names; the first of them gets the focus.
    void SelectNames(const std::vector<std::wstring>& names);
    // The permission text of the named row, as a permission change left it.
    void SetPermissions(const std::wstring& name, const std::wstring& permissions);
    // The selected rows in list order.
    std::vector<SelectedRemoteRow> SelectedRows() const;
    static SelectedRemoteRow SelectedOf(const RemoteRow& row);

private:
    void ResetColumns();
    void Resort();
    int IconOf(const RemoteRow& row);
    std::wstring CellText(int row, int subItem) const;
    void PaintEmptyText() const;
    static LRESULT CALLBACK ListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self);

    ListView list_;
    ComboBox pathBox_;
    std::function<const RemoteFolderHistory&()> history_;
    std::function<bool()> connected_;
    std::vector<RemoteRow> rows_;
    std::vector<RemoteColumn> shown_;
    RemoteSortOrder order_;
    std::wstring activeFilter_;
    std::wstring emptyText_ = L"There are no items in the list.";
    std::wstring emptyHint_;
    std::wstring cellText_;  // the text handed to the control last
    std::map<std::wstring, int> iconCache_;
};
