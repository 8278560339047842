#include "ui/StepImages.h"

namespace {

void AddDisc(HIMAGELIST images, int size, COLORREF colour)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    RECT all{0, 0, size, size};
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &all, white);
    DeleteObject(white);
    HBRUSH fill = CreateSolidBrush(colour);
    HGDIOBJ oldBrush = SelectObject(dc, fill);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(64, 64, 64));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    int inset = size / 8;
    Ellipse(dc, inset, inset, size - inset, size - inset);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldBitmap);
    DeleteObject(pen);
    DeleteObject(fill);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ImageList_AddMasked(images, bitmap, RGB(255, 255, 255));
    DeleteObject(bitmap);
}

}  // namespace

HIMAGELIST CreateStepImages()
{
    int size = GetSystemMetrics(SM_CXSMICON);
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 3, 0);
    AddDisc(images, size, RGB(190, 190, 190));
    AddDisc(images, size, RGB(220, 40, 40));
    AddDisc(images, size, RGB(40, 170, 60));
    return images;
}
