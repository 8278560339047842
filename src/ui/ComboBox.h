#pragma once
#include <string>
#include <vector>

#include "ui/Window.h"

// A combo box with an edit field (path boxes, filter boxes).
class ComboBox : public Window {
public:
    void SetItems(const std::vector<std::wstring>& items) const;
    std::vector<std::wstring> Items() const;
    // Puts text at the top of the list (dropping an equal entry further down
    // and entries beyond limit) and shows it in the edit field.
    void PushFront(const std::wstring& text, size_t limit) const;
    // The edit field's text, unlike the selected item.
    void SetEditText(const std::wstring& text) const { SetText(text); }
    void SetCueText(const std::wstring& text) const;
    HWND EditHandle() const;
};
