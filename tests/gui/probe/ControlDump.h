#pragma once
// What the probe reads from the controls of a top-level window. Each prints
// its records on stdout and returns false (after an error on stderr) when
// the control is missing or does not answer.
#include <windows.h>

// "control" HWND PARENT ID CLASS TEXT visible|hidden enabled|disabled L T R B,
// one a descendant, then "focus" HWND ID of the keyboard focus (0x0 0: none).
bool DumpControls(HWND top);
// "list" HWND ROWS SELECTED FOCUSED_ROW, "column" INDEX WIDTH TEXT each, then
// "row" INDEX FLAGS L T R B TEXT... each (FLAGS: selected,focused or -; the
// rectangle is that of the row's label in the first column).
// The list view's rows, all of them or only those on screen.
bool DumpListView(HWND top, int id, bool visibleOnly);
// "tree" HWND COUNT, then "item" DEPTH FLAGS L T R B TEXT (FLAGS: selected,expanded or -).
bool DumpTreeView(HWND top, int id);
// "part" INDEX TEXT for each part of the status bar (id 0: the first status bar).
bool DumpStatusBar(HWND top, int id);
// "button" INDEX COMMAND FLAGS L T R B TEXT for each button of a toolbar (FLAGS:
// enabled,checked,hidden,separator or -).
bool DumpToolbar(HWND top, int id);
// "combo" HWND COUNT SELECTED TEXT, then "entry" INDEX TEXT for each entry.
bool DumpComboBox(HWND top, int id);
// The descendant with the control id, or null after an error.
HWND FindControl(HWND top, int id);
