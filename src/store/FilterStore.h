#pragma once
#include <string_view>

#include "store/FilterList.h"
#include "store/PaneSide.h"
#include "store/UserPrompt.h"

// The filter boxes of both panes: loaded when the main window is created,
// saved when it closes ("Settings\FileFilters\LocalFilters" and
// "…\RemoteFilters": Count and the values "0" … Count-1).
struct PaneFilters {
    PaneFilter local;
    PaneFilter remote;
};

PaneFilters LoadFilterLists();
// Writes at most six texts per pane; values beyond the new Count are left
// in place and ignored.
void SaveFilterLists(const PaneFilters& filters);

// Before a transfer from a pane: asks "Filter Warning" when its filter box
// holds text, the selection includes a folder and the warning was not
// switched off; the check box goes to FilterWarningOff whatever the answer.
// Returns whether the transfer goes on.
bool FilterWarning(PaneSide from, std::wstring_view filterBoxText, bool selectionHasFolder, UserPrompt& prompt);
