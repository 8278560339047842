#include "ui/SavedPlacement.h"

#include <algorithm>


namespace {

RegKeyRef PlacementKey()
{
    return ProductKey(L"FtpExplorer");
}

}  // namespace

void RestoreExplorerPlacement(HWND window)
{
    RegKeyRef key = PlacementKey();
    if (!ValueExists(key, L"Height"))
        return;
    // A stored size smaller than 300 x 200 dialog units is raised to it.
    RECT smallest{0, 0, 300, 200};
    MapDialogRect(window, &smallest);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    int x = ReadInt(key, L"X", placement.rcNormalPosition.left);
    int y = ReadInt(key, L"Y", placement.rcNormalPosition.top);
    int width = std::max<int>(ReadInt(key, L"Width", 0), smallest.right);
    int height = std::max<int>(ReadInt(key, L"Height", 0), smallest.bottom);
    placement.rcNormalPosition = {x, y, x + width, y + height};
    placement.showCmd = ReadBool(key, L"Maximized", false) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    SetWindowPlacement(window, &placement);
}

void WritePlacement(HWND window, const RegKeyRef& key)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(window, &placement))
        return;
    const RECT& normal = placement.rcNormalPosition;
    WriteInt(key, L"X", normal.left);
    WriteInt(key, L"Y", normal.top);
    WriteInt(key, L"Width", normal.right - normal.left);
    WriteInt(key, L"Height", normal.bottom - normal.top);
    WriteBool(key, L"Maximized", IsZoomed(window) != FALSE);
}

void SaveExplorerPlacement(HWND window)
{
    WritePlacement(window, PlacementKey());
}
