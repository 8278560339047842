#pragma once
#include <windows.h>

// The main window's position and size under MainWindow (X, Y, Width, Height,
// Maximized): restored and shown at start, stored while it is destroyed.
void RestorePlacement(HWND window);
void SavePlacement(HWND window);
