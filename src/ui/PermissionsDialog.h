#pragma once
#include <windows.h>

#include <optional>

#include "ops/PermissionDigits.h"

// The "Change File Permissions" dialog: read, write and execute for the
// owner, the group and the public, ticked from start. Nothing when cancelled.
std::optional<PermissionDigits> AskPermissions(HWND owner, const PermissionDigits& start);
