#include "store/BookmarkCommands.h"

const BookmarkMenuCommands& BookmarkCommandsOf(PaneSide side)
{
    return side == PaneSide::Local ? kLocalBookmarkCommands : kRemoteBookmarkCommands;
}

std::optional<int> BookmarkCommand(PaneSide side, size_t index)
{
    if (index >= kBookmarkCommandsPerPane)
        return std::nullopt;
    return BookmarkCommandsOf(side).firstBookmark + static_cast<int>(index);
}

std::optional<BookmarkCommandTarget> BookmarkFromCommand(int command)
{
    for (PaneSide side : {PaneSide::Local, PaneSide::Remote}) {
        int first = BookmarkCommandsOf(side).firstBookmark;
        if (command >= first && command < first + static_cast<int>(kBookmarkCommandsPerPane))
            return BookmarkCommandTarget{side, static_cast<size_t>(command - first)};
    }
    return std::nullopt;
}
