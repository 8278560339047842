#include "ui/SessionLog.h"

#include <shlobj.h>

#include "net/TextCodec.h"
#include "ui/LogFileWriter.h"
#include "ui/LogText.h"

namespace {

struct LogState {
    std::wstring folder;
    std::time_t cachedSecond = 0;
    std::wstring stamp;
    std::wstring filePath;
    std::time_t (*clock)() = nullptr;
    LogView* view = nullptr;
};

LogState& State()
{
    static LogState state;
    return state;
}

// The runtime's time() also reads the time zone, for every line.
std::time_t SystemSeconds()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    uint64_t units = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<std::time_t>((units - 116444736000000000ull) / 10000000ull);  // 100 ns since 1601
}

std::time_t Now()
{
    return State().clock ? State().clock() : SystemSeconds();
}

void RefreshStamp(std::time_t now)
{
    LogState& state = State();
    if (now == state.cachedSecond && !state.filePath.empty())
        return;
    std::tm local{};
    localtime_s(&local, &now);
    state.stamp = LogTimeStamp(local.tm_hour, local.tm_min, local.tm_sec);
    state.filePath = state.folder + L"\\" + LogFileName(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    state.cachedSecond = now;
}

// Each line goes to the day's file and to the panel's view.
class SessionLogSink : public LogSink {
public:
    void Write(std::wstring_view text, LogLevel level) override
    {
        LogState& state = State();
        RefreshStamp(Now());
        std::wstring message(text);
        if (!state.folder.empty())
            LogFileWriter::Instance().Append(state.filePath, WideToUtf8(state.stamp + L" " + message + L"\r\n"));
        if (state.view)
            state.view->Append(state.stamp, message, level);
    }
};

void InstallSink()
{
    static SessionLogSink sink;
    AddLogSink(&sink);
}

}  // namespace

LogView::LogView(HWND window) : window_(window)
{
    InitializeCriticalSection(&lock_);
}

LogView::~LogView()
{
    UnregisterLogView(this);
    DeleteCriticalSection(&lock_);
}

void LogView::Append(const std::wstring& stamp, const std::wstring& text, LogLevel level)
{
    EnterCriticalSection(&lock_);
    ring_.Append(stamp, text, level);
    bool startTimer = window_ && !repaintPending_;
    if (startTimer)
        repaintPending_ = true;
    LeaveCriticalSection(&lock_);
    // A thread that does not own the window cannot time it: it repaints now.
    if (startTimer && !SetTimer(window_, kRepaintTimer, kRepaintDelayMs, nullptr))
        RepaintNow();
    LineAdded(stamp, text, level);
}

void LogView::RepaintNow()
{
    if (!window_)
        return;
    KillTimer(window_, kRepaintTimer);
    EnterCriticalSection(&lock_);
    repaintPending_ = false;
    LeaveCriticalSection(&lock_);
    InvalidateRect(window_, nullptr, TRUE);
}

void LogView::WithRing(const std::function<void(LogRing&)>& f)
{
    EnterCriticalSection(&lock_);
    f(ring_);
    LeaveCriticalSection(&lock_);
}

void InitSessionLog()
{
    wchar_t appData[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
        return;
    std::wstring folder = appData;
    for (const wchar_t* level : {L"Velmora Software", L"Tarnwick", L"Logs"}) {
        folder += L"\\";
        folder += level;
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    SetLogFolder(folder);
}

void SetLogFolder(const std::wstring& folder)
{
    FlushSessionLog();
    InstallSink();
    State().folder = folder;
    State().cachedSecond = 0;
    State().filePath.clear();
}

const std::wstring& LogFolder()
{
    return State().folder;
}

void SetLogClock(std::time_t (*clock)())
{
    State().clock = clock;
    State().cachedSecond = 0;
    State().filePath.clear();
}

void FlushSessionLog()
{
    LogFileWriter::Instance().Flush();
}

std::wstring CurrentLogFilePath()
{
    RefreshStamp(Now());
    return State().filePath;
}

void RegisterLogView(LogView* view)
{
    InstallSink();
    State().view = view;
}

void UnregisterLogView(LogView* view)
{
    if (State().view == view)
        State().view = nullptr;
}
