#pragma once
#include <string>

#include "ui/Window.h"

// The status bar: a text part and a narrow icon part at the right end.
class StatusBar : public Window {
public:
    bool Create(HWND parent, int controlId);
    // Places itself at the bottom of the parent and sizes its parts.
    void Layout() const;
    int Height() const;
    void SetText(int part, const std::wstring& text) const;
    void SetIcon(int part, HICON icon) const;
};
