#pragma once
#include <windows.h>

// Prints the records of the window's menu bar, or of an open pop-up menu (see
// MenuRecords.h), read by ui-probe-agent.dll inside the window's process.
bool DumpMenu(HWND window);
