// The local pane in a hidden window over a scratch folder.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ops/FakeShell.h"
#include "store/Bookmarks.h"
#include "store/SiteStore.h"
#include "support/ScratchRegistry.h"
#include "support/ScriptedPrompt.h"
#include "support/ServedFiles.h"
#include "support/TestLog.h"
#include "ui/LocalPaneWindow.h"

namespace {

using Strings = std::vector<std::wstring>;

// Deletes go to the real recycle bin; opening a file is only recorded.
class RecordingShell : public FakeShell {
public:
    bool DeleteToRecycleBin(const std::wstring& path) override
    {
        deleteCalls.push_back(path);
        return SystemShell().DeleteToRecycleBin(path);
    }
};

// Wine keeps the recycle bin as the user's XDG trash. Takes out the trash's
// entries of paths ending in tail (the scratch folder's unique name and more)
// and tells how many there were.
int TakeFromTrash(const std::wstring& tail)
{
    wchar_t home[MAX_PATH];  // "\??\Z:\home\user": the Unix home as Wine sees it
    DWORD length = GetEnvironmentVariableW(L"WINEHOMEDIR", home, MAX_PATH);
    if (length < 4 || length >= MAX_PATH)
        return -1;
    std::wstring trash = std::wstring(home + 4, length - 4) + L"\\.local\\share\\Trash";
    std::string wanted;
    for (wchar_t c : tail)
        wanted += c == L'\\' ? '/' : static_cast<char>(c);
    int found = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((trash + L"\\info\\*.trashinfo").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        std::wstring info = trash + L"\\info\\" + data.cFileName;
        std::string text = ReadWholeFile(info);
        size_t line = text.find("\nPath=");
        size_t end = text.find('\n', line + 1);
        if (line == std::string::npos || end < wanted.size() || text.compare(end - wanted.size(), wanted.size(), wanted) != 0)
            continue;
        ++found;
        std::wstring name(data.cFileName);
        std::wstring kept = trash + L"\\files\\" + name.substr(0, name.size() - wcslen(L".trashinfo"));
        DeleteTree(kept);
        DeleteFileW(kept.c_str());
        DeleteFileW(info.c_str());
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return found;
}

class LocalPaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"LocalPaneTestHost";
        RegisterClassW(&windowClass);
        host = CreateWindowExW(0, L"LocalPaneTestHost", L"Local pane test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               0, 0, 640, 480, nullptr, nullptr, windowClass.hInstance, nullptr);
        ASSERT_TRUE(host) << "Wine makes no windows without an X display (DISPLAY when the wineserver starts) "
                             "or its null graphics driver";
        ASSERT_TRUE(pane.Create(host, 101));
        pane.Move({0, 0, 600, 400});
        CreateDirectoryW(scratch.File(L"sub10").c_str(), nullptr);
        CreateDirectoryW(scratch.File(L"Sub9").c_str(), nullptr);
        CreateDirectoryW(scratch.File(L"Sub9\\deeper").c_str(), nullptr);
        WriteWholeFile(scratch.File(L"b.txt"), std::string(1025, 'b'));
        WriteWholeFile(scratch.File(L"a.txt"), "a");
        Pump();
    }
    void TearDown() override
    {
        if (host)
            DestroyWindow(host);
    }

    // Runs the queue; counts the pane's notices to its parent.
    void Pump()
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.hwnd == host && message.message == kLocalFolderChangedMessage)
                ++folderChanges;
            if (message.hwnd == host && message.message == kLocalSelectionChangedMessage)
                ++selectionChanges;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    std::wstring Cell(int row, int column)
    {
        wchar_t text[MAX_PATH] = L"";
        ListView_GetItemText(pane.ListHandle(), row, column, text, MAX_PATH);
        return text;
    }

    Strings Names()
    {
        Strings names;
        for (int row = 0; row < ListView_GetItemCount(pane.ListHandle()); ++row)
            names.push_back(Cell(row, 0));
        return names;
    }

    static bool Shown(HWND child) { return GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE; }

    RECT ChildRect(HWND child)
    {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(HWND_DESKTOP, pane.Handle(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    ScratchFolder scratch;
    RecordingShell shell;
    LocalPaneWindow pane{shell};
    HWND host = nullptr;
    int folderChanges = 0;
    int selectionChanges = 0;
};

}  // namespace

TEST_F(LocalPaneTest, AFreshPaneShowsTheDrivesAndGoesNowhere)
{
    EXPECT_EQ(pane.Folder(), L"");
    EXPECT_FALSE(pane.IsFileSystemFolder());
    Strings drives = Names();
    ASSERT_FALSE(drives.empty());
    EXPECT_NE(std::find(drives.begin(), drives.end(), L"C:\\"), drives.end());
    EXPECT_FALSE(pane.CanBack());
    EXPECT_FALSE(pane.CanForward());
    pane.Back();
    pane.Forward();
    pane.Up();
    Pump();
    EXPECT_EQ(pane.Folder(), L"");
    EXPECT_EQ(folderChanges, 0);

    ScriptedPrompt prompt{{true}};
    pane.SelectNames({L"C:\\"});
    EXPECT_EQ(pane.Selection(), Strings{L"C:\\"});
    EXPECT_FALSE(pane.Delete(prompt)) << "drives are not deleted";
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_FALSE(pane.NewFolder(prompt, L"x"));
}

TEST_F(LocalPaneTest, FoldersFirstInNaturalOrderWithTheirColumns)
{
    ASSERT_TRUE(pane.GoToPath(scratch.Path()));
    EXPECT_EQ(Names(), (Strings{L"Sub9", L"sub10", L"a.txt", L"b.txt"}));
    EXPECT_EQ(Cell(0, 1), L"");
    EXPECT_EQ(Cell(2, 1), L"1 KB");
    EXPECT_EQ(Cell(3, 1), L"2 KB");
    EXPECT_FALSE(Cell(3, 2).empty());
    EXPECT_EQ(Cell(3, 3).size(), 16u) << "YYYY-MM-DD HH:MM";
}

TEST_F(LocalPaneTest, ColumnsShareTheListWidthAndFollowIt)
{
    auto columnsFit = [&] {
        RECT client;
        GetClientRect(pane.ListHandle(), &client);
        int total = 0;
        for (int column = 0; column < 4; ++column) {
            int width = ListView_GetColumnWidth(pane.ListHandle(), column);
            EXPECT_GT(width, client.right / 10) << "column " << column;
            total += width;
        }
        EXPECT_LE(total, client.right) << "every column, the date's too, within the list";
        EXPECT_GT(total, client.right * 9 / 10) << "the columns use the width";
    };
    columnsFit();
    pane.Move({0, 0, 340, 400});
    Pump();
    columnsFit();
}

TEST_F(LocalPaneTest, AFilterListsMatchingFilesAndEveryFolder)
{
    WriteWholeFile(scratch.File(L"notes.TXT"), "n");
    WriteWholeFile(scratch.File(L"TXT-readme"), "r");
    WriteWholeFile(scratch.File(L"notes.tx"), "t");
    ASSERT_TRUE(pane.GoToPath(scratch.Path()));
    pane.SelectNames({L"a.txt", L"notes.tx"});
    pane.SetActiveFilter(L"txt");
    EXPECT_EQ(Names(), (Strings{L"Sub9", L"sub10", L"a.txt", L"b.txt", L"notes.TXT", L"TXT-readme"}));
    EXPECT_EQ(pane.Selection(), Strings{scratch.File(L"a.txt")}) << "a listed item stays selected";
    pane.Refresh();
    EXPECT_EQ(Names().size(), 6u) << "Refresh keeps the filter";
    ASSERT_TRUE(pane.GoToPath(scratch.File(L"Sub9")));
    EXPECT_EQ(Names(), Strings{L"deeper"}) << "folders are always listed";
    pane.Up();
    pane.SetActiveFilter(L"");
    EXPECT_EQ(Names().size(), 7u);
}

TEST_F(LocalPaneTest, GoToPathBackForwardAndUp)
{
    const std::wstring sub = scratch.File(L"Sub9");
    EXPECT_TRUE(pane.GoToPath(L"  " + scratch.Path() + L"\\  "));
    EXPECT_EQ(pane.Folder(), scratch.Path());
    EXPECT_TRUE(pane.IsFileSystemFolder());
    EXPECT_FALSE(pane.CanBack()) << "one folder is no history yet";
    EXPECT_TRUE(pane.GoToPath(sub));
    Pump();
    EXPECT_EQ(folderChanges, 2);
    EXPECT_EQ(Names(), Strings{L"deeper"});

    for (const wchar_t* bad : {L"", L"   ", L"Sub9", L"C:\\no such folder here", L"a.txt"}) {
        EXPECT_FALSE(pane.GoToPath(bad)) << bad;
        EXPECT_FALSE(pane.GoToPath(scratch.File(L"a.txt")));
    }
    EXPECT_FALSE(pane.GoToPath(L"C:\\" + std::wstring(300, L'x')));
    EXPECT_EQ(pane.Folder(), sub);

    EXPECT_TRUE(pane.CanBack());
    EXPECT_FALSE(pane.CanForward());
    pane.Back();
    EXPECT_EQ(pane.Folder(), scratch.Path());
    EXPECT_FALSE(pane.CanBack());
    pane.Back();
    EXPECT_EQ(pane.Folder(), scratch.Path()) << "nothing older";
    EXPECT_TRUE(pane.CanForward());
    pane.Forward();
    EXPECT_EQ(pane.Folder(), sub);
    pane.Forward();
    EXPECT_EQ(pane.Folder(), sub) << "nothing newer";

    pane.Up();
    EXPECT_EQ(pane.Folder(), scratch.Path());
    pane.Back();
    EXPECT_EQ(pane.Folder(), sub) << "Up went onto the history";

    pane.NavigateTo(L"C:");
    EXPECT_EQ(pane.Folder(), L"C:\\");
    pane.Up();
    EXPECT_EQ(pane.Folder(), L"") << "above a drive the drives are listed";
    EXPECT_FALSE(pane.IsFileSystemFolder());
    EXPECT_TRUE(pane.CanBack());
    pane.Back();
    EXPECT_EQ(pane.Folder(), L"C:\\") << "Back from the drives returns to the folder left";
    pane.Back();
    EXPECT_EQ(pane.Folder(), sub);
}

TEST_F(LocalPaneTest, SelectionAsFullPathsAndOpening)
{
    ASSERT_TRUE(pane.GoToPath(scratch.Path()));
    Pump();
    selectionChanges = 0;
    pane.SelectNames({L"b.txt", L"SUB9"});
    Pump();
    EXPECT_GE(selectionChanges, 1);
    EXPECT_EQ(pane.Selection(), (Strings{scratch.File(L"Sub9"), scratch.File(L"b.txt")}));
    EXPECT_EQ(pane.SelectedCount(), 2u);
    pane.Open();  // not one item: nothing
    EXPECT_EQ(pane.Folder(), scratch.Path());
    WriteWholeFile(scratch.File(L"0.txt"), "new");
    pane.Refresh();
    EXPECT_EQ(Names(), (Strings{L"Sub9", L"sub10", L"0.txt", L"a.txt", L"b.txt"}));
    EXPECT_EQ(pane.Selection(), (Strings{scratch.File(L"Sub9"), scratch.File(L"b.txt")})) << "kept by Refresh";

    pane.SelectNames({L"a.txt"});
    pane.Open();
    EXPECT_EQ(shell.opened, Strings{scratch.File(L"a.txt")});

    // A double click on the folder's row opens it.
    RECT row;
    ListView_GetItemRect(pane.ListHandle(), 0, &row, LVIR_LABEL);
    SendMessageW(pane.ListHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(row.left + 2, (row.top + row.bottom) / 2));
    Pump();
    EXPECT_EQ(pane.Folder(), scratch.File(L"Sub9"));
    EXPECT_EQ(pane.SelectedCount(), 0u);
}

TEST_F(LocalPaneTest, RenameInPlaceAndThroughTheCall)
{
    ASSERT_TRUE(pane.GoToPath(scratch.Path()));
    EXPECT_TRUE(pane.RenameItem(L"a.txt", L"  c.txt "));
    EXPECT_FALSE(PathExists(scratch.File(L"a.txt")));
    EXPECT_TRUE(PathExists(scratch.File(L"c.txt")));
    EXPECT_EQ(Names(), (Strings{L"Sub9", L"sub10", L"b.txt", L"c.txt"}));
    EXPECT_EQ(pane.Selection(), Strings{scratch.File(L"c.txt")});
    EXPECT_FALSE(pane.RenameItem(L"c.txt", L"x/y"));
    EXPECT_FALSE(pane.RenameItem(L"c.txt", L""));
    EXPECT_FALSE(pane.RenameItem(L"c.txt", L"b.txt")) << "the system refuses an existing name";
    EXPECT_FALSE(pane.RenameItem(L"gone.txt", L"d.txt"));
    EXPECT_TRUE(PathExists(scratch.File(L"c.txt")));

    pane.SelectNames({L"b.txt", L"c.txt"});
    pane.Rename();
    EXPECT_FALSE(pane.RenamePending()) << "two items selected";
    EXPECT_FALSE(ListView_GetEditControl(pane.ListHandle()));

    pane.SelectNames({L"b.txt"});
    pane.Rename();
    EXPECT_TRUE(pane.RenamePending());
    HWND edit = ListView_GetEditControl(pane.ListHandle());
    ASSERT_TRUE(edit);
    SetWindowTextW(edit, L"edited.txt");
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    EXPECT_FALSE(pane.RenamePending());
    EXPECT_TRUE(PathExists(scratch.File(L"edited.txt")));
    EXPECT_FALSE(PathExists(scratch.File(L"b.txt")));
    EXPECT_EQ(Names(), (Strings{L"Sub9", L"sub10", L"c.txt", L"edited.txt"}));
    EXPECT_EQ(pane.Selection(), Strings{scratch.File(L"edited.txt")});

    // Navigating away ends an edit without renaming.
    pane.SelectNames({L"c.txt"});
    pane.Rename();
    edit = ListView_GetEditControl(pane.ListHandle());
    ASSERT_TRUE(edit);
    SetWindowTextW(edit, L"never.txt");
    pane.GoToPath(scratch.File(L"Sub9"));
    Pump();
    EXPECT_FALSE(pane.RenamePending());
    EXPECT_TRUE(PathExists(scratch.File(L"c.txt")));
    EXPECT_FALSE(PathExists(scratch.File(L"never.txt")));
}

TEST_F(LocalPaneTest, DeleteAsksThenRecyclesAndForgetsBookmarks)
{
    ScratchProductKey registry;
    WriteString(ChildKey(SiteServerKey(L"Work", L"ftp.example.com"), L"0"), L"UserName", L"anna");
    WriteCurrentSiteName({L"Work", L"ftp.example.com", L"anna"});
    ASSERT_EQ(AddBookmark(PaneSide::Local, scratch.File(L"sub10")), AddBookmarkResult::Added);
    ASSERT_EQ(AddBookmark(PaneSide::Local, scratch.File(L"Sub9")), AddBookmarkResult::Added);
    ASSERT_TRUE(pane.GoToPath(scratch.Path()));

    ScriptedPrompt nothing;
    EXPECT_FALSE(pane.Delete(nothing));
    EXPECT_TRUE(nothing.asked.empty()) << "nothing selected, nothing asked";

    pane.SelectNames({L"a.txt", L"sub10"});
    ScriptedPrompt cancel{{false}};
    EXPECT_FALSE(pane.Delete(cancel));
    ASSERT_EQ(cancel.asked.size(), 1u);
    EXPECT_EQ(cancel.asked[0].caption, L"Confirm Delete");
    EXPECT_EQ(cancel.asked[0].text, L"Are you sure you want to delete the selected files or directories?");
    EXPECT_EQ(cancel.asked[0].acceptButton, L"Delete");
    EXPECT_EQ(cancel.asked[0].declineButton, L"Cancel");
    EXPECT_TRUE(PathExists(scratch.File(L"a.txt")));
    EXPECT_TRUE(PathExists(scratch.File(L"sub10")));
    EXPECT_EQ(pane.SelectedCount(), 2u) << "a cancelled delete keeps the selection";
    EXPECT_TRUE(shell.deleteCalls.empty());

    ScriptedPrompt accept{{true}};
    EXPECT_TRUE(pane.Delete(accept));
    EXPECT_EQ(shell.deleteCalls, (Strings{scratch.File(L"sub10"), scratch.File(L"a.txt")}));
    EXPECT_FALSE(PathExists(scratch.File(L"a.txt")));
    EXPECT_FALSE(PathExists(scratch.File(L"sub10")));
    EXPECT_EQ(Names(), (Strings{L"Sub9", L"b.txt"}));
    EXPECT_EQ(pane.SelectedCount(), 0u);
    EXPECT_EQ(ReadBookmarks(PaneSide::Local), Strings{scratch.File(L"Sub9")});
    std::wstring folderName = scratch.Path().substr(scratch.Path().find_last_of(L'\\'));
    EXPECT_EQ(TakeFromTrash(folderName + L"\\a.txt"), 1) << "in the recycle bin";
    EXPECT_EQ(TakeFromTrash(folderName + L"\\sub10"), 1);
}

TEST_F(LocalPaneTest, NewFolderAppearsInTheList)
{
    ASSERT_TRUE(pane.GoToPath(scratch.Path()));
    ScriptedPrompt prompt;
    EXPECT_TRUE(pane.NewFolder(prompt, L"Made"));
    EXPECT_TRUE(PathExists(scratch.File(L"Made")));
    EXPECT_EQ(Names(), (Strings{L"Made", L"Sub9", L"sub10", L"a.txt", L"b.txt"}));
    EXPECT_FALSE(pane.NewFolder(prompt, L"Made"));
    EXPECT_FALSE(pane.NewFolder(prompt, L"bad|name"));
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[0].caption, L"Folder Creation Failed");
    EXPECT_EQ(Names().size(), 5u);
}

TEST_F(LocalPaneTest, DroppedFilesAreCopiedIn)
{
    ScratchFolder elsewhere;
    WriteWholeFile(elsewhere.File(L"dropped.txt"), "dropped");
    CreateDirectoryW(elsewhere.File(L"tree").c_str(), nullptr);
    WriteWholeFile(elsewhere.File(L"tree\\inner.txt"), "inner");
    ASSERT_TRUE(pane.GoToPath(scratch.Path()));
    pane.DropFiles({elsewhere.File(L"dropped.txt"), elsewhere.File(L"tree"), scratch.File(L"a.txt")});
    EXPECT_EQ(ReadWholeFile(scratch.File(L"dropped.txt")), "dropped");
    EXPECT_EQ(ReadWholeFile(scratch.File(L"tree\\inner.txt")), "inner");
    EXPECT_TRUE(PathExists(elsewhere.File(L"dropped.txt"))) << "copied, not moved";
    // The folder's own a.txt is not copied onto itself (Windows would add "a - Copy.txt").
    EXPECT_EQ(Names(), (Strings{L"Sub9", L"sub10", L"tree", L"a.txt", L"b.txt", L"dropped.txt"}));
}

TEST_F(LocalPaneTest, FolderExplorerSplitsThePaneInHalvesAndFollowsTheFolder)
{
    ASSERT_TRUE(pane.GoToPath(scratch.File(L"Sub9\\deeper")));
    EXPECT_FALSE(pane.TreeShown());
    EXPECT_FALSE(Shown(pane.TreeHandle()));
    RECT list = ChildRect(pane.ListHandle());
    EXPECT_EQ(list.left, 0);
    EXPECT_EQ(list.right, 600);

    pane.ToggleTree();
    EXPECT_TRUE(pane.TreeShown());
    RECT tree = ChildRect(pane.TreeHandle());
    list = ChildRect(pane.ListHandle());
    EXPECT_EQ(tree.left, 0);
    EXPECT_EQ(tree.right, 300);
    EXPECT_EQ(list.left, 301) << "a one-pixel line between them";
    EXPECT_EQ(list.right, 600);

    EXPECT_EQ(CompareStringOrdinal(pane.TreeFolder().c_str(), -1, pane.Folder().c_str(), -1, TRUE), CSTR_EQUAL)
        << pane.TreeFolder();

    // Choosing a node in the tree opens its folder.
    HTREEITEM deeper = TreeView_GetSelection(pane.TreeHandle());
    TreeView_SelectItem(pane.TreeHandle(), TreeView_GetParent(pane.TreeHandle(), deeper));
    EXPECT_EQ(pane.Folder(), scratch.File(L"Sub9"));
    EXPECT_EQ(Names(), Strings{L"deeper"});

    // A folder made outside shows after Refresh, in the tree too.
    CreateDirectoryW(scratch.File(L"Sub9\\added").c_str(), nullptr);
    pane.Refresh();
    EXPECT_EQ(Names(), (Strings{L"added", L"deeper"}));
    HTREEITEM selected = TreeView_GetSelection(pane.TreeHandle());
    ASSERT_TRUE(selected);
    EXPECT_TRUE(TreeView_GetItemState(pane.TreeHandle(), selected, TVIS_EXPANDED) & TVIS_EXPANDED)
        << "expanded nodes are expanded again";
    int children = 0;
    for (HTREEITEM child = TreeView_GetChild(pane.TreeHandle(), selected); child;
         child = TreeView_GetNextSibling(pane.TreeHandle(), child))
        ++children;
    EXPECT_EQ(children, 2);

    pane.ToggleTree();
    EXPECT_FALSE(Shown(pane.TreeHandle()));
    list = ChildRect(pane.ListHandle());
    EXPECT_EQ(list.left, 0);
    EXPECT_EQ(list.right, 600);
}
