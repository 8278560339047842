#pragma once
#include <functional>

#include "ui/Window.h"

// A horizontal bar the user drags up and down; the parent hears of each new
// position (the bar's top, in the parent's client coordinates).
class Splitter : public OwnWindow {
public:
    bool Create(HWND parent, int controlId, std::function<void(int)> moved);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::function<void(int)> moved_;
    int grabOffset_ = 0;
};
