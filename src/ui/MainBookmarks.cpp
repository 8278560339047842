// The bookmark menus of both panes and the commands they hold: go to a
// bookmark, add one, remove some.
#include "store/BookmarkCommands.h"
#include "store/Bookmarks.h"
#include "ui/BookmarkDialogs.h"
#include "ui/ControlIds.h"
#include "ui/MainWindow.h"
#include "ops/Notice.h"

static_assert(IDM_LOCAL_BOOKMARKS == kLocalBookmarkCommands.menuButton, "the local menu button's command");
static_assert(IDM_REMOTE_BOOKMARKS == kRemoteBookmarkCommands.menuButton, "the remote menu button's command");

namespace {

HMENU BuildBookmarkMenu(PaneSide side)
{
    const BookmarkMenuCommands& commands = BookmarkCommandsOf(side);
    std::vector<std::wstring> bookmarks = ReadBookmarks(side);
    HMENU menu = CreatePopupMenu();
    for (size_t i = 0; i < bookmarks.size(); ++i) {
        // Beyond the 50th a bookmark has no command: shown, but only the dialog reaches it.
        std::optional<int> command = BookmarkCommand(side, i);
        AppendMenuW(menu, MF_STRING | (command ? 0 : MF_GRAYED), command.value_or(0), bookmarks[i].c_str());
    }
    if (!bookmarks.empty())
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, commands.newBookmark, L"New Bookmark...");
    AppendMenuW(menu, MF_STRING | (bookmarks.empty() ? MF_GRAYED : 0), commands.removeBookmark,
                L"Remove Bookmark...");
    return menu;
}

}  // namespace

bool MainWindow::OnBookmarkCommand(int command, HWND control)
{
    for (PaneSide side : {PaneSide::Local, PaneSide::Remote}) {
        const BookmarkMenuCommands& commands = BookmarkCommandsOf(side);
        if (command == commands.menuButton) {
            ShowBookmarkMenu(side, !control);  // no control: a key
            return true;
        }
        // The other commands come from the pop-up menu only.
        if (control)
            continue;
        if (command == commands.newBookmark) {
            NewBookmarkCommand(side);
            return true;
        }
        if (command == commands.removeBookmark) {
            if (side == PaneSide::Local || manager_->Connected())
                EditBookmarks(window_, side);
            return true;
        }
    }
    std::optional<BookmarkCommandTarget> target = control ? std::nullopt : BookmarkFromCommand(command);
    if (!target)
        return false;
    GoToBookmark(target->side, target->index);
    return true;
}

void MainWindow::ShowBookmarkMenu(PaneSide side, bool byKeyboard)
{
    bool local = side == PaneSide::Local;
    if (!local && !manager_->Connected())
        return;
    const Toolbar& bar = local ? localBar_ : remoteBar_;
    RECT button = bar.ButtonRect(BookmarkCommandsOf(side).menuButton);
    POINT at;
    GetCursorPos(&at);
    // A key (or a toolbar button pressed from the keyboard) opens the menu below the button.
    if (byKeyboard || !PtInRect(&button, at))
        at = {button.left, button.bottom};
    HMENU menu = BuildBookmarkMenu(side);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
    DestroyMenu(menu);
}

void MainWindow::NewBookmarkCommand(PaneSide side)
{
    bool local = side == PaneSide::Local;
    if (!local && !manager_->Connected())
        return;
    std::optional<std::wstring> folder =
        AskBookmarkFolder(window_, local ? local_.Folder() : manager_->CurrentFolder(), local);
    if (folder && AddBookmark(side, *folder) == AddBookmarkResult::QuickConnection)
        ShowNotice(parts_->prompt, std::wstring(kCannotAddBookmarkCaption), std::wstring(kNoQuickConnectBookmarks));
}

void MainWindow::GoToBookmark(PaneSide side, size_t index)
{
    std::vector<std::wstring> bookmarks = ReadBookmarks(side);
    if (index >= bookmarks.size())
        return;
    if (side == PaneSide::Local) {
        localPath_.SetEditText(bookmarks[index]);
        GoLocal();
    } else {
        remote_.PathBox().SetEditText(bookmarks[index]);
        GoRemote();
    }
}
