#include <gtest/gtest.h>

#include "ui/PaneCommandStates.h"

namespace {

// Connected, one remote row focused and selected, inside a folder with
// history both ways, one local file selected in a file-system folder.
PaneFacts Busy()
{
    PaneFacts facts;
    facts.connected = true;
    facts.remoteRowFocused = true;
    facts.remoteSelected = 1;
    facts.remoteCanBack = true;
    facts.remoteCanForward = true;
    facts.localSelected = 1;
    facts.localIsFileSystemFolder = true;
    facts.localCanBack = true;
    facts.localCanForward = true;
    return facts;
}

}  // namespace

TEST(PaneCommandStates, EverythingOnWhenConnectedWithSelections)
{
    CommandStates s = DecideCommandStates(Busy());
    for (bool on : {s.remoteRename, s.remoteDelete, s.remoteNewFolder, s.remoteRefresh, s.remoteBookmarks, s.remoteUp,
                    s.remoteBack, s.remoteForward, s.remotePathBox, s.localRename, s.localDelete, s.localOpen,
                    s.localNewFolder, s.localBack, s.localForward, s.download, s.upload, s.synchronize, s.disconnect,
                    s.compare, s.columnMenu})
        EXPECT_TRUE(on);
}

TEST(PaneCommandStates, NotConnected)
{
    PaneFacts facts = Busy();
    facts.connected = false;
    facts.remoteRowFocused = false;
    facts.remoteSelected = 0;
    CommandStates s = DecideCommandStates(facts);
    EXPECT_FALSE(s.remotePathBox);
    EXPECT_FALSE(s.remoteNewFolder);
    EXPECT_FALSE(s.remoteRefresh);
    EXPECT_FALSE(s.remoteBookmarks);
    EXPECT_FALSE(s.remoteUp);
    EXPECT_FALSE(s.remoteBack);  // the history alone does not enable them
    EXPECT_FALSE(s.remoteForward);
    EXPECT_FALSE(s.remoteRename);
    EXPECT_FALSE(s.remoteDelete);
    EXPECT_FALSE(s.download);
    EXPECT_FALSE(s.upload);
    EXPECT_FALSE(s.synchronize);
    EXPECT_FALSE(s.disconnect);
    EXPECT_FALSE(s.compare);
    EXPECT_FALSE(s.columnMenu);
    // The local side works without a connection.
    EXPECT_TRUE(s.localRename);
    EXPECT_TRUE(s.localOpen);
    EXPECT_TRUE(s.localDelete);
    EXPECT_TRUE(s.localNewFolder);
    EXPECT_TRUE(s.localBack);
    EXPECT_TRUE(s.localForward);
}

TEST(PaneCommandStates, RemoteRowRules)
{
    PaneFacts facts = Busy();
    facts.remoteSelected = 2;
    CommandStates s = DecideCommandStates(facts);
    EXPECT_FALSE(s.remoteRename);
    EXPECT_TRUE(s.remoteDelete);
    EXPECT_TRUE(s.download);

    facts.remoteSelected = 0;  // a focused row need not be selected
    s = DecideCommandStates(facts);
    EXPECT_TRUE(s.remoteRename);
    EXPECT_TRUE(s.remoteDelete);

    facts.remoteRowFocused = false;
    s = DecideCommandStates(facts);
    EXPECT_FALSE(s.remoteRename);
    EXPECT_FALSE(s.remoteDelete);
    EXPECT_FALSE(s.download);
    EXPECT_FALSE(s.columnMenu);
    EXPECT_TRUE(s.remoteNewFolder);
    EXPECT_TRUE(s.remoteRefresh);
    EXPECT_TRUE(s.upload);

    facts = Busy();
    facts.remoteAtRoot = true;
    facts.remoteCanBack = false;
    s = DecideCommandStates(facts);
    EXPECT_FALSE(s.remoteUp);
    EXPECT_FALSE(s.remoteBack);
    EXPECT_TRUE(s.remoteForward);
    facts.remoteCanForward = false;
    facts.remoteCanBack = true;
    s = DecideCommandStates(facts);
    EXPECT_FALSE(s.remoteForward);
    EXPECT_TRUE(s.remoteBack);
}

TEST(PaneCommandStates, LocalSelectionRules)
{
    PaneFacts facts = Busy();
    facts.localSelected = 0;
    CommandStates s = DecideCommandStates(facts);
    EXPECT_FALSE(s.localRename);
    EXPECT_FALSE(s.localOpen);
    EXPECT_FALSE(s.localDelete);
    EXPECT_FALSE(s.upload);
    EXPECT_TRUE(s.localNewFolder);
    EXPECT_TRUE(s.synchronize);

    facts.localSelected = 2;
    s = DecideCommandStates(facts);
    EXPECT_FALSE(s.localRename);
    EXPECT_FALSE(s.localOpen);
    EXPECT_TRUE(s.localDelete);
    EXPECT_TRUE(s.upload);

    facts.localIsFileSystemFolder = false;
    facts.localCanBack = false;
    s = DecideCommandStates(facts);
    EXPECT_FALSE(s.download);
    EXPECT_FALSE(s.synchronize);
    EXPECT_FALSE(s.localBack);
    EXPECT_TRUE(s.localForward);
    EXPECT_TRUE(s.upload);
}
