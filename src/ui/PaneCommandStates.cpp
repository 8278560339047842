#include "ui/PaneCommandStates.h"

CommandStates DecideCommandStates(const PaneFacts& facts)
{
    const bool connected = facts.connected;
    const bool rowFocused = facts.remoteRowFocused;
    CommandStates states{};
    // The remote path box stands for its "Go" button and the filter controls too.
    states.remotePathBox = connected;
    states.remoteRename = rowFocused && facts.remoteSelected <= 1;
    states.remoteDelete = rowFocused;
    states.remoteNewFolder = connected;
    states.remoteRefresh = connected;
    states.remoteBookmarks = connected;
    states.remoteUp = connected && !facts.remoteAtRoot;
    states.remoteBack = connected && facts.remoteCanBack;
    states.remoteForward = connected && facts.remoteCanForward;
    states.localRename = facts.localSelected == 1;
    states.localOpen = facts.localSelected == 1;
    states.localDelete = facts.localSelected >= 1;
    states.localNewFolder = true;
    states.localBack = facts.localCanBack;
    states.localForward = facts.localCanForward;
    states.download = connected && rowFocused && facts.localIsFileSystemFolder;
    states.upload = connected && facts.localSelected >= 1;
    states.synchronize = connected && facts.localIsFileSystemFolder;
    states.disconnect = connected;
    states.compare = connected;
    states.columnMenu = connected && rowFocused;
    return states;
}
