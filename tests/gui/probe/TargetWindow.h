#pragma once
// Finding the top-level windows a test asks about, in any process of the
// desktop the probe runs on.
#include <windows.h>

#include <string>
#include <vector>

struct WindowQuery {
    std::wstring title;      // the exact title, when not empty
    std::wstring titlePart;  // text the title contains, when not empty
    std::wstring className;  // the exact window class, when not empty
    HWND handle = nullptr;   // this window only, when set
    bool includeHidden = false;
};

std::vector<HWND> FindTopWindows(const WindowQuery& query);
// The first match, or null; prints an error naming the query when there is none.
HWND FindTopWindow(const WindowQuery& query);
// Polls every 50 ms until a match exists (present) or none does (!present).
bool WaitForWindow(const WindowQuery& query, bool present, DWORD timeoutMs);

std::wstring ClassOf(HWND window);
// The window's text as its own process answers WM_GETTEXT.
std::wstring TextOf(HWND window);
// "window" HWND PID CLASS TITLE visible|hidden LEFT TOP RIGHT BOTTOM normal|minimized|maximized
void PrintWindowRecord(HWND window);
