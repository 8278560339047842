#pragma once
#include <cstddef>

// What the enabled state of the panes' commands depends on.
struct PaneFacts {
    bool connected = false;
    bool remoteRowFocused = false;
    size_t remoteSelected = 0;
    bool remoteAtRoot = false;  // the current remote folder is "/"
    bool remoteCanBack = false;
    bool remoteCanForward = false;
    size_t localSelected = 0;
    bool localIsFileSystemFolder = false;
    bool localCanBack = false;
    bool localCanForward = false;
};

// Which commands of the toolbars, the buttons between the panes and the menus
// are enabled. The menu entries of a command follow the same rule as its
// toolbar button.
struct CommandStates {
    bool remoteRename, remoteDelete, remoteNewFolder, remoteRefresh, remoteBookmarks, remoteUp, remoteBack,
        remoteForward, remotePathBox, localRename, localDelete, localOpen, localNewFolder, localBack, localForward,
        download, upload, synchronize, disconnect, compare, columnMenu;
};

CommandStates DecideCommandStates(const PaneFacts& facts);
