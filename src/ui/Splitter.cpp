#include "ui/Splitter.h"

#include <windowsx.h>

bool Splitter::Create(HWND parent, int controlId, std::function<void(int)> moved)
{
    moved_ = std::move(moved);
    return CreateChild(L"TarnwickSplitter", parent, controlId, 0, GetSysColorBrush(COLOR_BTNFACE),
                       LoadCursorW(nullptr, IDC_SIZENS));
}

LRESULT Splitter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        grabOffset_ = GET_Y_LPARAM(lParam);
        SetCapture(handle_);
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() == handle_ && (wParam & MK_LBUTTON)) {
            POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            MapWindowPoints(handle_, GetParent(handle_), &point, 1);
            moved_(point.y - grabOffset_);
        }
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == handle_)
            ReleaseCapture();
        return 0;
    default:
        return OwnWindow::HandleMessage(message, wParam, lParam);
    }
}
