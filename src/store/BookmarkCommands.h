#pragma once
#include <cstddef>
#include <optional>

#include "store/PaneSide.h"

// Menu command numbers of a pane's bookmark menu. The bookmark stored under
// value n has the command firstBookmark + n; each pane has room for 50.
struct BookmarkMenuCommands {
    int newBookmark;
    int removeBookmark;
    int menuButton;
    int firstBookmark;
};

constexpr size_t kBookmarkCommandsPerPane = 50;
constexpr BookmarkMenuCommands kRemoteBookmarkCommands{207, 208, 209, 210};
constexpr BookmarkMenuCommands kLocalBookmarkCommands{309, 310, 311, 312};

const BookmarkMenuCommands& BookmarkCommandsOf(PaneSide side);

// The command of the bookmark stored under value `index`; none beyond the
// 50th, whose numbers would run into the neighbouring commands.
std::optional<int> BookmarkCommand(PaneSide side, size_t index);

struct BookmarkCommandTarget {
    PaneSide side;
    size_t index;
};

// Which bookmark a command opens; none when it is not a bookmark command.
std::optional<BookmarkCommandTarget> BookmarkFromCommand(int command);
