#pragma once
#include <windows.h>

#include <string>

// A balloon pointing at an edit field, for input errors: an empty title
// shows the text alone. Wine's edit control has no balloon of its own
// (EM_SHOWBALLOONTIP does nothing there), so a tracking balloon tooltip
// stands in; it goes with the field's next key, click or loss of focus.
void ShowFieldBalloon(HWND edit, const std::wstring& title, const std::wstring& text, int icon);
