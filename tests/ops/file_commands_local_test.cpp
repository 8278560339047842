// The local side of the file commands: new folders, and deletes through the
// shell's recycle bin (a stand-in shell, and the real one once).
#include <gtest/gtest.h>

#include "ops/FakeShell.h"
#include "ops/FileNameChecks.h"
#include "ops/LocalDeleteCommand.h"
#include "ops/NewFolderCommand.h"
#include "store/Bookmarks.h"
#include "store/SiteStore.h"
#include "support/ScratchRegistry.h"
#include "support/ScriptedPrompt.h"
#include "support/ServedFiles.h"
#include "support/TestLog.h"

TEST(LocalFileCommands, NewFolderIsMadeUnderItsCheckedName)
{
    ScratchFolder folder;
    ScriptedPrompt prompt;
    EXPECT_TRUE(NewLocalFolder(prompt, folder.Path(), L"  made  "));
    EXPECT_TRUE(PathExists(folder.File(L"made")));
    EXPECT_TRUE(NewLocalFolder(prompt, folder.Path() + L"\\", L"second"));
    EXPECT_TRUE(PathExists(folder.File(L"second")));
    EXPECT_TRUE(prompt.asked.empty());

    EXPECT_FALSE(NewLocalFolder(prompt, folder.Path(), L"a|b"));
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, kInvalidNewFolderName);

    EXPECT_FALSE(NewLocalFolder(prompt, folder.Path(), L"made"));
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[1].caption, L"Folder Creation Failed");
    EXPECT_EQ(prompt.asked[1].text, L"Could not create folder, try a different name");
    EXPECT_EQ(prompt.asked[1].icon, PromptIcon::Error);
}

TEST(LocalFileCommands, DeleteConfirmsAndForgetsTheBookmarksOfWhatWent)
{
    ScratchProductKey scratch;
    WriteString(ChildKey(SiteServerKey(L"Work", L"ftp.example.com"), L"0"), L"UserName", L"anna");
    WriteCurrentSiteName({L"Work", L"ftp.example.com", L"anna"});
    for (const wchar_t* path : {L"C:\\a", L"C:\\b", L"C:\\c", L"C:\\keep"})
        ASSERT_EQ(AddBookmark(PaneSide::Local, path), AddBookmarkResult::Added);
    FakeShell shell;
    std::vector<std::wstring> paths{L"C:\\a", L"C:\\b", L"C:\\c"};

    ScriptedPrompt decline{{false}};
    EXPECT_FALSE(DeleteLocalSelection(decline, shell, paths));
    ASSERT_EQ(decline.asked.size(), 1u);
    EXPECT_EQ(decline.asked[0].caption, L"Confirm Delete");
    EXPECT_EQ(decline.asked[0].text, L"Are you sure you want to delete the selected files or directories?");
    EXPECT_EQ(decline.asked[0].acceptButton, L"Delete");
    EXPECT_TRUE(shell.deleteCalls.empty());

    shell.refused = L"C:\\b";
    ScriptedPrompt accept{{true}};
    EXPECT_FALSE(DeleteLocalSelection(accept, shell, paths)) << "one path stayed";
    EXPECT_EQ(shell.deleteCalls, paths) << "a failure does not stop the others";
    EXPECT_EQ(ReadBookmarks(PaneSide::Local), (std::vector<std::wstring>{L"C:\\b", L"C:\\keep"}));

    ScriptedPrompt none;
    EXPECT_TRUE(DeleteLocalSelection(none, shell, {}));
    EXPECT_TRUE(none.asked.empty());
}

TEST(LocalFileCommands, TheSystemShellRecyclesAndMeasures)
{
    ScratchFolder folder;
    WriteWholeFile(folder.File(L"gone.txt"), "bytes");
    Shell& shell = SystemShell();
    EXPECT_TRUE(shell.DeleteToRecycleBin(folder.File(L"gone.txt")));
    EXPECT_FALSE(PathExists(folder.File(L"gone.txt")));
    EXPECT_FALSE(shell.DeleteToRecycleBin(folder.File(L"never there.txt")));

    uint64_t bytes = 0;
    EXPECT_TRUE(shell.FreeDiskSpace(folder.Path(), bytes));
    EXPECT_GT(bytes, 0u);
    EXPECT_FALSE(shell.FreeDiskSpace(folder.File(L"no such folder\\deeper"), bytes));
}
