#pragma once
#include <windows.h>

// Private messages of the main window.
// 1124 and 1125 come from the local pane (ui/LocalPaneWindow.h).
constexpr UINT kCloseRequest = WM_USER + 102;           // 1126
constexpr UINT kRemoteHistoryChanged = WM_USER + 200;   // 1224
constexpr UINT kUploadRequest = WM_USER + 201;          // 1225
constexpr UINT kActivate = 0x8068;                      // 32872, from a second start
constexpr UINT kStartUpDone = 0x806A;                   // 32874, before the message loop
constexpr UINT kPostStart = 0x806B;                     // 32875
constexpr UINT kRenameEdited = WM_APP + 1;              // an in-place edit of a remote name ended
