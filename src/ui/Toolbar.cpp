#include "ui/Toolbar.h"

namespace {

UINT_PTR BitmapId(ToolImages images, bool large)
{
    switch (images) {
    case ToolImages::View:
        return large ? IDB_VIEW_LARGE_COLOR : IDB_VIEW_SMALL_COLOR;
    case ToolImages::History:
        return large ? IDB_HIST_LARGE_COLOR : IDB_HIST_SMALL_COLOR;
    default:
        return large ? IDB_STD_LARGE_COLOR : IDB_STD_SMALL_COLOR;
    }
}

// The large images from 144 dpi on, where the small ones look lost.
bool UseLargeImages(HWND window)
{
    HDC dc = GetDC(window);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    return dpi >= 144;
}

}  // namespace

bool Toolbar::Create(HWND parent, int controlId, const std::vector<ToolButton>& buttons, bool showLabels)
{
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE |
                  CCS_NODIVIDER | CCS_NOPARENTALIGN | (showLabels ? TBSTYLE_LIST : 0);
    handle_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", style, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleW(nullptr),
                              nullptr);
    if (!handle_)
        return false;
    SendMessageW(handle_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(handle_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS);
    bool large = UseLargeImages(parent);
    if (large)
        SendMessageW(handle_, TB_SETBITMAPSIZE, 0, MAKELPARAM(24, 24));
    std::vector<TBBUTTON> added;
    for (const ToolButton& button : buttons) {
        TBBUTTON b{};
        if (button.command == 0) {
            b.fsStyle = BTNS_SEP;
        } else {
            if (!bases_.count(button.images)) {
                TBADDBITMAP bitmap{HINST_COMMCTRL, BitmapId(button.images, large)};
                bases_[button.images] = static_cast<int>(SendMessageW(handle_, TB_ADDBITMAP, 0,
                                                                      reinterpret_cast<LPARAM>(&bitmap)));
            }
            b.iBitmap = bases_[button.images] + button.image;
            b.idCommand = button.command;
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | (button.dropDown ? BTNS_DROPDOWN : 0) |
                        (showLabels ? BTNS_SHOWTEXT : 0);
            b.iString = reinterpret_cast<INT_PTR>(button.label.c_str());
            tooltips_[button.command] = button.tooltip.empty() ? button.label : button.tooltip;
        }
        added.push_back(b);
    }
    SendMessageW(handle_, TB_ADDBUTTONSW, added.size(), reinterpret_cast<LPARAM>(added.data()));
    SendMessageW(handle_, TB_AUTOSIZE, 0, 0);
    return true;
}

void Toolbar::EnableButton(int command, bool enabled) const
{
    SendMessageW(handle_, TB_ENABLEBUTTON, command, MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

int Toolbar::PreferredHeight() const
{
    return HIWORD(SendMessageW(handle_, TB_GETBUTTONSIZE, 0, 0)) + 2;
}

void Toolbar::FillTooltip(NMTBGETINFOTIPW& request) const
{
    auto found = tooltips_.find(request.iItem);
    if (found != tooltips_.end() && request.pszText && request.cchTextMax > 0)
        lstrcpynW(request.pszText, found->second.c_str(), request.cchTextMax);
}

RECT Toolbar::ButtonRect(int command) const
{
    RECT rect{};
    SendMessageW(handle_, TB_GETRECT, command, reinterpret_cast<LPARAM>(&rect));
    MapWindowPoints(handle_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
