#pragma once
#include <windows.h>

#include <ctime>
#include <functional>
#include <string>
#include <string_view>

#include "net/Log.h"
#include "ui/LogRing.h"

// The log panel's store: the ring of the last 128 lines behind a critical
// section, and the window to repaint when a line arrives.
class LogView {
public:
    explicit LogView(HWND window = nullptr);
    virtual ~LogView();
    LogView(const LogView&) = delete;
    LogView& operator=(const LogView&) = delete;

    void Append(const std::wstring& stamp, const std::wstring& text, LogLevel level);
    // The window is repainted at most every kRepaintDelayMs however fast
    // lines arrive: a transfer of many small files logs several lines per
    // file, and a repaint for each of them cost more than the file. The
    // window calls RepaintNow when its kRepaintTimer fires.
    static constexpr UINT_PTR kRepaintTimer = 0x4C47;
    static constexpr UINT kRepaintDelayMs = 40;
    void RepaintNow();
    // Runs f with the ring locked (painting, scrolling).
    void WithRing(const std::function<void(LogRing&)>& f);
    HWND Window() const { return window_; }

protected:
    // Called after a line was added, outside the lock.
    virtual void LineAdded(const std::wstring& stamp, const std::wstring& text, LogLevel level) {}

private:
    CRITICAL_SECTION lock_;
    LogRing ring_;
    HWND window_;
    bool repaintPending_ = false;
};

// The session log proper: the engine's lines (net/Log.h) go to the day's
// log file and to the registered view once any of the set-up calls below ran.

// Sets up the product's log folder (roaming application data, "Velmora
// Software\Tarnwick\Logs"), creating each level that is missing.
void InitSessionLog();
// Points the log at another folder (tests, tools); the folder must exist.
// The lines written so far go to the old folder first.
void SetLogFolder(const std::wstring& folder);
const std::wstring& LogFolder();
// The clock of the time stamps; tests replace it. nullptr restores time().
void SetLogClock(std::time_t (*clock)());
// Returns once the lines written so far are in their files: the files are
// written on a thread of their own, a moment after the line.
void FlushSessionLog();
// The full path of the file the next line of this second goes to.
std::wstring CurrentLogFilePath();

void RegisterLogView(LogView* view);
void UnregisterLogView(LogView* view);
