#include "ui/BalloonTip.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kSubclassId = 0x5b7;

HWND g_balloon = nullptr;

void HideBalloon()
{
    if (g_balloon)
        DestroyWindow(g_balloon);
    g_balloon = nullptr;
}

LRESULT CALLBACK FieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_KILLFOCUS:
    case WM_DESTROY:
        HideBalloon();
        RemoveWindowSubclass(field, FieldProcedure, kSubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

}  // namespace

void ShowBalloonTip(HWND field, const std::wstring& title, const std::wstring& text)
{
    HideBalloon();
    g_balloon = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, GetAncestor(field, GA_ROOT), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (!g_balloon)
        return;
    SetWindowTextW(g_balloon, text.c_str());  // the tooltip control keeps no window text of its own
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_IDISHWND;
    info.hwnd = GetParent(field);
    info.uId = reinterpret_cast<UINT_PTR>(field);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(g_balloon, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(g_balloon, TTM_SETMAXTIPWIDTH, 0, 300);
    SendMessageW(g_balloon, TTM_SETTITLEW, TTI_WARNING, reinterpret_cast<LPARAM>(title.c_str()));
    RECT rect;
    GetWindowRect(field, &rect);
    SendMessageW(g_balloon, TTM_TRACKPOSITION, 0, MAKELPARAM((rect.left + rect.right) / 2, rect.bottom - 2));
    SendMessageW(g_balloon, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
    SetWindowSubclass(field, FieldProcedure, kSubclassId, 0);
}
