#pragma once
#include <string>

#include "ui/Window.h"

// One tooltip control for the plain child windows of a parent.
class Tooltip : public Window {
public:
    bool Create(HWND parent);
    void Add(HWND tool, const std::wstring& text) const;
};
