#pragma once
#include <windows.h>

// The "About Tarnwick" box: the program's icon, name, version and copyright,
// modal over owner until OK (or Escape) closes it.
void ShowAboutDialog(HWND owner);
