#pragma once
#include <windows.h>

#include <string>

// The text of any window, of any length.
std::wstring WindowText(HWND window);

// A window handle with the few calls every control kind shares. The object
// does not own the window: the parent's destruction destroys it.
class Window {
public:
    virtual ~Window() = default;
    void Attach(HWND handle) { handle_ = handle; }
    HWND Handle() const { return handle_; }

    void SetText(const std::wstring& text) const;
    std::wstring Text() const;
    // The keyboard focus is on the window or on one of its children.
    bool HasFocus() const;

protected:
    HWND handle_ = nullptr;
};

// A window of a class of our own: the object receives its messages.
class OwnWindow : public Window {
public:
    OwnWindow() = default;
    OwnWindow(const OwnWindow&) = delete;
    OwnWindow& operator=(const OwnWindow&) = delete;

protected:
    // Registers the class once per process (the background brush may be
    // null: the window paints it) and creates the child window.
    bool CreateChild(const wchar_t* className, HWND parent, int controlId, DWORD style, HBRUSH background,
                     HCURSOR cursor = nullptr);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// The rectangle's size.
inline int Width(const RECT& rect) { return rect.right - rect.left; }
inline int Height(const RECT& rect) { return rect.bottom - rect.top; }
