#pragma once
#include <memory>
#include <string>

#include "ui/SessionLog.h"
#include "ui/Window.h"

// The log window of the main window: the session log's last lines, each
// with its time stamp, level colour and icon, newest at the bottom unless
// the user scrolled back.
class LogPanel : public OwnWindow {
public:
    ~LogPanel() override;
    // Creates the window and registers it with the session log.
    bool Create(HWND parent, int controlId);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Metrics;
    void Paint(HDC dc, const RECT& client);
    void Scroll(int request, int thumb);
    int LinesPerPage() const;
    // The lines held, for WM_GETTEXT (screen readers, tests) and Ctrl+C.
    std::wstring HeldText();
    void CopyToClipboard(const std::wstring& text);

    std::unique_ptr<LogView> view_;
    HFONT font_ = nullptr;
    HBRUSH background_ = nullptr;
    int firstShown_ = 0;  // as a position from the oldest line, for the scroll bar
};
