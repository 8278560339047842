#pragma once
#include <windows.h>

#include <commctrl.h>

// The images of a step's result, in the order of ServerTestStepResult: not
// run (grey), failed (red), passed (green); small-icon size.
HIMAGELIST CreateStepImages();
