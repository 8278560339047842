// Apply Filter and Remove Filter of both panes' filter bars.
#include "ui/MainWindow.h"

void MainWindow::FilterCommand(PaneSide side, bool apply)
{
    bool local = side == PaneSide::Local;
    PaneFilter& filter = local ? filters_.local : filters_.remote;
    const ComboBox& box = local ? localFilter_ : remoteFilter_;
    filter.boxText = box.Text();
    FilterOutcome outcome = apply ? ApplyFilter(filter) : RemoveFilter(filter);
    box.SetItems(filter.entries);
    box.SetEditText(filter.boxText);
    if (outcome == FilterOutcome::FocusFilterBox) {
        SetFocus(box.Handle());
        return;
    }
    if (outcome != FilterOutcome::RefreshListing)
        return;
    if (local) {
        local_.SetActiveFilter(filter.active);
    } else {
        remote_.SetActiveFilter(filter.active);
        RefreshRemote();
    }
}
