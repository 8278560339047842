// The command-number ranges of the two bookmark menus.
#include <gtest/gtest.h>

#include "store/BookmarkCommands.h"

TEST(BookmarkCommands, FiftyNumbersPerPaneAndNoneBeyond)
{
    EXPECT_EQ(BookmarkCommand(PaneSide::Remote, 0), 210);
    EXPECT_EQ(BookmarkCommand(PaneSide::Remote, 49), 259);
    EXPECT_EQ(BookmarkCommand(PaneSide::Local, 0), 312);
    EXPECT_EQ(BookmarkCommand(PaneSide::Local, 49), 361);
    EXPECT_FALSE(BookmarkCommand(PaneSide::Remote, 50));
    EXPECT_FALSE(BookmarkCommand(PaneSide::Local, 50));
}

TEST(BookmarkCommands, CommandsLeadBackToTheirBookmark)
{
    for (PaneSide side : {PaneSide::Local, PaneSide::Remote}) {
        for (size_t index : {size_t{0}, size_t{17}, size_t{49}}) {
            std::optional<BookmarkCommandTarget> target = BookmarkFromCommand(*BookmarkCommand(side, index));
            ASSERT_TRUE(target);
            EXPECT_EQ(target->side, side);
            EXPECT_EQ(target->index, index);
        }
        const BookmarkMenuCommands& commands = BookmarkCommandsOf(side);
        for (int other : {commands.newBookmark, commands.removeBookmark, commands.menuButton})
            EXPECT_FALSE(BookmarkFromCommand(other)) << other;
    }
    EXPECT_FALSE(BookmarkFromCommand(260));
    EXPECT_FALSE(BookmarkFromCommand(362));
    EXPECT_EQ(kRemoteBookmarkCommands.menuButton, 209);
    EXPECT_EQ(kLocalBookmarkCommands.newBookmark, 309);
}
