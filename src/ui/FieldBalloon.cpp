#include "ui/FieldBalloon.h"

#include <commctrl.h>

namespace {

LRESULT CALLBACK FieldProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR tip);

constexpr UINT_PTR kSubclassId = 0x42616C6C;  // one balloon per field; also the id of its timer
constexpr wchar_t kShownProperty[] = L"TarnwickFieldBalloon";  // the balloon shown, on its field
constexpr UINT kShownMs = 10000;  // a field that never gets the focus loses it all the same

void HideBalloon(HWND edit, HWND tip)
{
    KillTimer(edit, kSubclassId);
    RemoveWindowSubclass(edit, FieldProcedure, kSubclassId);
    RemovePropW(edit, kShownProperty);
    DestroyWindow(tip);
}

LRESULT CALLBACK FieldProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR tip)
{
    switch (message) {
    case WM_TIMER:
        if (wParam != kSubclassId)
            break;
        HideBalloon(edit, reinterpret_cast<HWND>(tip));
        return 0;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_KILLFOCUS:
    case WM_DESTROY:
        HideBalloon(edit, reinterpret_cast<HWND>(tip));
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

void ShowTrackingBalloon(HWND edit, const std::wstring& title, const std::wstring& text, int icon)
{
    if (HANDLE shown = GetPropW(edit, kShownProperty))
        HideBalloon(edit, static_cast<HWND>(shown));  // the newer balloon replaces it
    HWND owner = GetAncestor(edit, GA_ROOT);
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_BALLOON, 0, 0,
                               0, 0, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tip)
        return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(edit);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip, TTM_SETTITLEW, icon, reinterpret_cast<LPARAM>(title.c_str()));
    RECT field;
    GetWindowRect(edit, &field);
    // The balloon's stem points at the field, a little in from its left end.
    SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(field.left + (field.bottom - field.top), field.bottom - 2));
    SendMessageW(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    SetWindowSubclass(edit, FieldProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(tip));
    SetPropW(edit, kShownProperty, tip);
    SetTimer(edit, kSubclassId, kShownMs, nullptr);
}

}  // namespace

void ShowFieldBalloon(HWND edit, const std::wstring& title, const std::wstring& text, int icon)
{
    EDITBALLOONTIP balloon{};
    balloon.cbStruct = sizeof(balloon);
    balloon.pszTitle = title.c_str();
    balloon.pszText = text.c_str();
    balloon.ttiIcon = icon;
    if (!SendMessageW(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&balloon)))
        ShowTrackingBalloon(edit, title, text, icon);
}
