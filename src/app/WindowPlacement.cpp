#include "app/WindowPlacement.h"

#include <algorithm>

#include "store/Registry.h"
#include "ui/SavedPlacement.h"

namespace {

// 532 x 280 dialog units at the window's font: the default and the smallest size.
SIZE DefaultSize(HWND window)
{
    RECT rect{0, 0, 532, 280};
    MapDialogRect(window, &rect);
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), GetMenu(window) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

void RestorePlacement(HWND window)
{
    RegKeyRef key = MainWindowKey();
    RECT desktop;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &desktop, 0);
    SIZE minimum = DefaultSize(window);
    int width = std::max<int>(ReadInt(key, L"Width", minimum.cx), minimum.cx);
    int height = std::max<int>(ReadInt(key, L"Height", minimum.cy), minimum.cy);
    int desktopWidth = desktop.right - desktop.left;
    int desktopHeight = desktop.bottom - desktop.top;
    int x = ReadInt(key, L"X", desktop.left + desktopWidth / 2 - width / 2);
    int y = ReadInt(key, L"Y", desktop.top + desktopHeight / 2 - height / 2);
    // The rectangle is fitted onto the desktop: on a first run, and after the
    // screen became smaller or its scaling larger than when it was stored, a
    // window partly off the screen could not be reached.
    width = std::min(width, desktopWidth);
    height = std::min(height, desktopHeight);
    x = std::max<int>(std::min<int>(x, desktop.right - width), desktop.left);
    y = std::max<int>(std::min<int>(y, desktop.bottom - height), desktop.top);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    placement.rcNormalPosition = {x, y, x + width, y + height};
    placement.showCmd = ReadBool(key, L"Maximized", false) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    SetWindowPlacement(window, &placement);
}

void SavePlacement(HWND window)
{
    WritePlacement(window, MainWindowKey());
}
