#pragma once
#include <windows.h>

#include <optional>

#include "ops/ConnectionParameters.h"

// The "Quick Connect" dialog: a server typed on the spot, saved as a site
// when "Save Connection" is ticked. Nothing when cancelled.
std::optional<QuickConnection> AskQuickConnection(HWND owner);
