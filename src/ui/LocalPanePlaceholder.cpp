#include "ui/LocalPanePlaceholder.h"

bool LocalPanePlaceholder::Create(HWND parent, int controlId)
{
    return CreateChild(L"TarnwickLocalPanePlaceholder", parent, controlId, WS_BORDER,
                       GetSysColorBrush(COLOR_WINDOW));
}

LRESULT LocalPanePlaceholder::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(handle_, &ps);
        RECT client;
        GetClientRect(handle_, &client);
        client.top += 24;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(GetParent(handle_), WM_GETFONT, 0, 0)));
        DrawTextW(dc, L"The local folder view is not part of this build.", -1, &client,
                  DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
        EndPaint(handle_, &ps);
        return 0;
    }
    return OwnWindow::HandleMessage(message, wParam, lParam);
}
