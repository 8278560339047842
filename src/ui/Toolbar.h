#pragma once
#include <windows.h>

#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "ui/Window.h"

// A flat toolbar of command buttons with images from the common controls'
// standard bitmaps.
enum class ToolImages { Standard, View, History };

struct ToolButton {
    ToolButton() = default;  // a separator
    ToolButton(int command, ToolImages images, int image, std::wstring label, std::wstring tooltip = {},
               bool dropDown = false)
        : command(command), images(images), image(image), label(std::move(label)), tooltip(std::move(tooltip)),
          dropDown(dropDown)
    {
    }

    int command = 0;  // 0: a separator
    ToolImages images = ToolImages::Standard;
    int image = 0;  // STD_*, VIEW_* or HIST_*
    std::wstring label;
    std::wstring tooltip;  // empty: the label
    bool dropDown = false;
};

class Toolbar : public Window {
public:
    // showLabels puts the labels beside the images; otherwise they are the
    // buttons' tooltips.
    bool Create(HWND parent, int controlId, const std::vector<ToolButton>& buttons, bool showLabels);
    void EnableButton(int command, bool enabled) const;
    // The height the toolbar wants at its width.
    int PreferredHeight() const;
    // TBN_GETINFOTIP: fills in the button's tooltip.
    void FillTooltip(NMTBGETINFOTIPW& request) const;
    // The screen rectangle of a button (for drop-down menus).
    RECT ButtonRect(int command) const;

private:
    int ImageBase(ToolImages images);
    std::map<ToolImages, int> bases_;
    std::map<int, std::wstring> tooltips_;
};
