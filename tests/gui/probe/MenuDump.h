#pragma once
#include <windows.h>

// Prints the records of the window's menu bar (see MenuRecords.h), read by
// ui-probe-agent.dll inside the window's process.
bool DumpMenuBar(HWND top);
