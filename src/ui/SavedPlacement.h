#pragma once
#include <windows.h>

#include "store/Registry.h"

// Window placements kept in the registry.

// The FTP Explorer's position and size under "FtpExplorer" (X, Y, Width,
// Height, Maximized). Nothing stored yet: the window stays as created.
void RestoreExplorerPlacement(HWND window);
void SaveExplorerPlacement(HWND window);

// Writes X, Y, Width, Height (of the restored rectangle) and Maximized of the
// window under key.
void WritePlacement(HWND window, const RegKeyRef& key);
