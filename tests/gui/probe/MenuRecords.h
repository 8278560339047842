#pragma once
#include <windows.h>

#include <string>

// "menu" PATH ID FLAGS TEXT lines for every entry of the window's menu bar, or
// of the menu an open pop-up menu window (class #32768) shows, and of their
// sub-menus: PATH is the positions from the top down ("1.0.2"), ID 0 for a
// sub-menu, FLAGS a comma list of popup, separator, grayed, checked, or "-".
// Runs in the process that owns the menu.
std::wstring MenuRecords(HWND window);
