#include "ui/LogPanel.h"

#include <algorithm>

namespace {

constexpr COLORREF kBackground = RGB(24, 28, 36);

COLORREF LevelColour(LogLevel level)
{
    switch (level) {
    case LogErrorLevel:
        return RGB(246, 40, 80);
    case LogCommandLevel:
        return RGB(150, 150, 255);
    case LogResponse:
        return RGB(150, 255, 150);
    default:
        return RGB(240, 240, 240);
    }
}

// Errors, warnings and every other level above the plain ones carry an icon.
LPCWSTR LevelIcon(LogLevel level)
{
    switch (level) {
    case LogInformation:
    case LogCommandLevel:
    case LogResponse:
        return nullptr;
    case LogErrorLevel:
        return IDI_ERROR;
    case LogWarningLevel:
        return IDI_WARNING;
    default:
        return IDI_INFORMATION;
    }
}

}  // namespace

// Column positions at the panel's font and dpi.
struct LogPanel::Metrics {
    int stampX;
    int iconX;
    int iconSize;
    int textX;
    int rowHeight;

    explicit Metrics(HDC dc)
    {
        SIZE stamp;
        GetTextExtentPoint32W(dc, L"00:00:00", 8, &stamp);
        int dpi = GetDeviceCaps(dc, LOGPIXELSX);
        iconSize = MulDiv(12, dpi, 96);
        stampX = MulDiv(4, dpi, 96);
        iconX = stampX + stamp.cx + MulDiv(6, dpi, 96);
        textX = iconX + iconSize + MulDiv(6, dpi, 96);
        rowHeight = stamp.cy;
    }
};

LogPanel::~LogPanel()
{
    if (view_)
        UnregisterLogView(view_.get());
    if (background_)
        DeleteObject(background_);
}

bool LogPanel::Create(HWND parent, int controlId)
{
    if (!CreateChild(L"TarnwickLogPanel", parent, controlId, WS_VSCROLL | WS_BORDER | WS_TABSTOP, nullptr))
        return false;
    background_ = CreateSolidBrush(kBackground);
    font_ = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
    view_ = std::make_unique<LogView>(handle_);
    RegisterLogView(view_.get());
    return true;
}

int LogPanel::LinesPerPage() const
{
    RECT client;
    GetClientRect(handle_, &client);
    HDC dc = GetDC(handle_);
    HGDIOBJ old = SelectObject(dc, font_);
    Metrics metrics(dc);
    SelectObject(dc, old);
    ReleaseDC(handle_, dc);
    return std::max(1, static_cast<int>(client.bottom) / std::max(1, metrics.rowHeight));
}

void LogPanel::Paint(HDC dc, const RECT& client)
{
    FillRect(dc, &client, background_);
    HGDIOBJ oldFont = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    Metrics metrics(dc);
    int textWidth = std::max(10, static_cast<int>(client.right) - metrics.textX - 4);
    int count = 0;
    int shownFirst = 0;
    view_->WithRing([&](LogRing& ring) {
        count = ring.Count();
        auto height = [&](const LogLine& line) {
            RECT box{0, 0, textWidth, 0};
            DrawTextW(dc, line.text.c_str(), static_cast<int>(line.text.size()), &box,
                      DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
            return std::max<int>(box.bottom, metrics.rowHeight);
        };
        auto draw = [&](const LogLine& line, int y, int h) {
            SetTextColor(dc, LevelColour(line.level));
            RECT stamp{metrics.stampX, y, metrics.iconX, y + metrics.rowHeight};
            DrawTextW(dc, line.stamp.c_str(), -1, &stamp, DT_NOPREFIX | DT_SINGLELINE);
            if (LPCWSTR icon = LevelIcon(line.level))
                DrawIconEx(dc, metrics.iconX, y + (metrics.rowHeight - metrics.iconSize) / 2,
                           LoadIconW(nullptr, icon), metrics.iconSize, metrics.iconSize, 0, nullptr, DI_NORMAL);
            RECT text{metrics.textX, y, metrics.textX + textWidth, y + h};
            DrawTextW(dc, line.text.c_str(), static_cast<int>(line.text.size()), &text, DT_WORDBREAK | DT_NOPREFIX);
        };
        if (ring.Top() < 0) {
            // Following the newest line: laid out upwards from the bottom.
            int y = client.bottom - 4;
            int i = count - 1;
            for (; i >= 0 && y > 0; --i) {
                const LogLine& line = ring.LineAt(i);
                int h = height(line);
                y -= h;
                draw(line, y, h);
            }
            shownFirst = i + 1;
        } else {
            shownFirst = (ring.Top() - ring.Oldest() + LogRing::kCapacity) % LogRing::kCapacity;
            int y = 2;
            for (int i = shownFirst; i < count && y < client.bottom; ++i) {
                const LogLine& line = ring.LineAt(i);
                int h = height(line);
                draw(line, y, h);
                y += h;
            }
        }
    });
    SelectObject(dc, oldFont);
    firstShown_ = shownFirst;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = std::max(0, count - 1);
    info.nPage = static_cast<UINT>(LinesPerPage());
    info.nPos = shownFirst;
    SetScrollInfo(handle_, SB_VERT, &info, TRUE);
}

void LogPanel::Scroll(int request, int thumb)
{
    int position = firstShown_;
    int page = LinesPerPage();
    switch (request) {
    case SB_LINEUP:
        --position;
        break;
    case SB_LINEDOWN:
        ++position;
        break;
    case SB_PAGEUP:
        position -= page;
        break;
    case SB_PAGEDOWN:
        position += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = thumb;
        break;
    case SB_TOP:
        position = 0;
        break;
    case SB_BOTTOM:
        position = LogRing::kCapacity;
        break;
    default:
        return;
    }
    view_->WithRing([&](LogRing& ring) {
        // The last page shown from its top is the same as following the newest line.
        ring.ScrollTo(position + page >= ring.Count() ? ring.Count() : std::max(position, 0));
    });
    InvalidateRect(handle_, nullptr, TRUE);
}

std::wstring LogPanel::HeldText()
{
    std::wstring text;
    view_->WithRing([&](LogRing& ring) { text = ring.Text(); });
    return text;
}

void LogPanel::CopyToClipboard(const std::wstring& text)
{
    if (!OpenClipboard(handle_))
        return;
    EmptyClipboard();
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory))
            GlobalFree(memory);
    }
    CloseClipboard();
}

LRESULT LogPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(handle_, &ps);
        RECT client;
        GetClientRect(handle_, &client);
        // Painted off-screen: a busy log would flicker otherwise.
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max<int>(1, client.right), std::max<int>(1, client.bottom));
        HGDIOBJ old = SelectObject(memory, bitmap);
        Paint(memory, client);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        EndPaint(handle_, &ps);
        return 0;
    }
    case WM_VSCROLL: {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(handle_, SB_VERT, &info);
        Scroll(LOWORD(wParam), info.nTrackPos);
        return 0;
    }
    case WM_MOUSEWHEEL: {
        int steps = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
        for (int i = 0; i < std::abs(steps); ++i)
            Scroll(steps > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        return 0;
    }
    case WM_SIZE:
        InvalidateRect(handle_, nullptr, TRUE);
        return 0;
    case WM_TIMER:
        if (wParam != LogView::kRepaintTimer)
            break;
        view_->RepaintNow();
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(handle_);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(HeldText().size());
    case WM_GETTEXT: {
        std::wstring text = HeldText();
        auto room = static_cast<size_t>(wParam);
        if (room == 0)
            return 0;
        size_t copied = std::min(text.size(), room - 1);
        std::copy_n(text.data(), copied, reinterpret_cast<wchar_t*>(lParam));
        reinterpret_cast<wchar_t*>(lParam)[copied] = L'\0';
        return static_cast<LRESULT>(copied);
    }
    case WM_KEYDOWN:
        if (wParam == 'C' && (GetKeyState(VK_CONTROL) & 0x8000)) {
            CopyToClipboard(HeldText());
            return 0;
        }
        if (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_PRIOR || wParam == VK_NEXT || wParam == VK_HOME ||
            wParam == VK_END) {
            static const std::pair<WPARAM, int> keys[] = {{VK_UP, SB_LINEUP},     {VK_DOWN, SB_LINEDOWN},
                                                          {VK_PRIOR, SB_PAGEUP},  {VK_NEXT, SB_PAGEDOWN},
                                                          {VK_HOME, SB_TOP},      {VK_END, SB_BOTTOM}};
            for (const auto& [key, request] : keys)
                if (key == wParam)
                    Scroll(request, 0);
            return 0;
        }
        break;
    default:
        break;
    }
    return OwnWindow::HandleMessage(message, wParam, lParam);
}
