#pragma once
#include <windows.h>

#include <string>

// A warning balloon pointing at a field, for input errors in dialogs: the
// caption as its title, at most 300 pixels wide. It goes when the user types,
// clicks or leaves the field. The balloon's window text is the message too,
// so that it can be read back.
void ShowBalloonTip(HWND field, const std::wstring& title, const std::wstring& text);
