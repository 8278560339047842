#pragma once
#include <string>
#include <vector>

#include "ui/Window.h"

// A report-style list view whose rows live with the owner (LVS_OWNERDATA):
// the control asks for texts as it paints, so any number of rows shows at
// once.
class ListView : public Window {
public:
    void SetFullRowSelect() const;
    void InsertColumn(int index, const std::wstring& text, int width, bool rightAligned) const;
    void DeleteColumn(int index) const;
    int ColumnCount() const;
    void SetColumnWidth(int index, int width) const;
    // The arrow on one header (-1: none).
    void SetSortArrow(int column, bool ascending) const;

    // A new row count; the scroll position is kept when keepScroll is set.
    void SetRowCount(size_t count, bool keepScroll) const;
    void RedrawRows() const;
    // -1 when no row has the focus.
    int FocusedRow() const;
    std::vector<int> SelectedRows() const;
    size_t SelectedCount() const;
    void ClearSelection() const;
    // Adds the row to the selection.
    void SelectRow(int row) const;
    // Selects and focuses the row alone and scrolls it into view.
    void FocusRow(int row) const;
    void EditLabel(int row) const;
    void CancelEdit() const;
};

// A column of a report list to fit: its share of the list's width and the
// longest text it should show whole besides its header.
struct ColumnFit {
    int relative = 1;
    std::wstring sample;
};

// Gives a report list's columns their shares of its width, none so narrow
// that its header or sample is cut. Room is kept for a vertical scroll bar
// that is not there yet, so that none appears across the bottom when it comes.
void FitListColumns(HWND list, const std::vector<ColumnFit>& columns);

// Paints text in grey, centred below the header, over a report list that
// shows no rows (call after the list painted itself).
void PaintEmptyListText(HWND list, const std::wstring& text);
