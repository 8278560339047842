#pragma once
#include <windows.h>

// The "Tarnwick Options" sheet with its pages "General" and "FTP Proxy".
// Each page reads its settings when it is first shown and writes them on OK;
// a page never shown writes nothing, and Cancel writes nothing at all.
void ShowOptionsSheet(HWND owner);
