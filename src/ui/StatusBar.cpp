#include "ui/StatusBar.h"

#include <commctrl.h>

#include <algorithm>

bool StatusBar::Create(HWND parent, int controlId)
{
    handle_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleW(nullptr),
                              nullptr);
    return handle_ != nullptr;
}

void StatusBar::Layout() const
{
    SendMessageW(handle_, WM_SIZE, 0, 0);
    RECT client;
    GetClientRect(handle_, &client);
    // The icon part is square, as high as the bar, left of the size grip.
    int iconPart = Height() + GetSystemMetrics(SM_CXVSCROLL);
    int parts[2] = {std::max<int>(0, client.right - iconPart), -1};
    SendMessageW(handle_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
}

int StatusBar::Height() const
{
    RECT rect;
    GetWindowRect(handle_, &rect);
    return rect.bottom - rect.top;
}

void StatusBar::SetText(int part, const std::wstring& text) const
{
    SendMessageW(handle_, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(text.c_str()));
}

void StatusBar::SetIcon(int part, HICON icon) const
{
    SendMessageW(handle_, SB_SETICON, part, reinterpret_cast<LPARAM>(icon));
}
