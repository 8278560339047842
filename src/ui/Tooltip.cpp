#include "ui/Tooltip.h"

#include <commctrl.h>

bool Tooltip::Create(HWND parent)
{
    handle_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (handle_)
        SendMessageW(handle_, TTM_SETMAXTIPWIDTH, 0, 400);
    return handle_ != nullptr;
}

void Tooltip::Add(HWND tool, const std::wstring& text) const
{
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(handle_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}
