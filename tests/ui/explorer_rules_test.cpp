#include <gtest/gtest.h>

#include "ui/ExplorerRules.h"

namespace {

TEST(ExplorerRules, ParentFolder)
{
    EXPECT_EQ(ExplorerParentFolder(L"/pub/files"), L"/pub");
    EXPECT_EQ(ExplorerParentFolder(L"/pub/files/"), L"/pub");
    EXPECT_EQ(ExplorerParentFolder(L"/pub"), L"/");
    EXPECT_EQ(ExplorerParentFolder(L"/"), L"/");
    EXPECT_EQ(ExplorerParentFolder(L""), L"/");
    EXPECT_EQ(ExplorerParentFolder(L"C:\\site\\www"), L"C:\\site");
}

TEST(ExplorerRules, SmallFoldersSortByCodeUnitLargeOnesKeepTheServersOrder)
{
    std::vector<ExplorerEntry> few = {{L"beta"}, {L"Zulu"}, {L"alpha"}, {L"Alpha"}};
    OrderExplorerEntries(few);
    std::vector<std::wstring> names;
    for (const ExplorerEntry& entry : few)
        names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Alpha", L"Zulu", L"alpha", L"beta"}));

    std::vector<ExplorerEntry> many;
    for (int i = 900; i > 0; --i)
        many.push_back({L"d" + std::to_wstring(i)});
    OrderExplorerEntries(many);
    EXPECT_EQ(many.front().name, L"d900");
    EXPECT_EQ(many.back().name, L"d1");

    EXPECT_EQ(ExplorerRowName(L"pub/"), L"pub");
    EXPECT_EQ(ExplorerRowName(L"pub"), L"pub");
}

TEST(ExplorerRules, DateInTheLocaleOrderAndTime)
{
    LocalTimeParts time{2024, 3, 7, 9, 5, 1};
    EXPECT_EQ(ExplorerDateText(time, 0), L"03/07/2024");
    EXPECT_EQ(ExplorerDateText(time, 1), L"07/03/2024");
    EXPECT_EQ(ExplorerDateText(time, 2), L"2024/03/07");
    EXPECT_EQ(ExplorerTimeText(time), L"09:05:01");
}

TEST(ExplorerRules, CommandsAndTextsFollowTheSelection)
{
    auto none = DecideExplorerCommands(0);
    EXPECT_FALSE(none.changeDirectory || none.rename || none.remove || none.changeIsDefault);
    auto one = DecideExplorerCommands(1);
    EXPECT_TRUE(one.changeDirectory && one.rename && one.remove && one.changeIsDefault);
    auto two = DecideExplorerCommands(2);
    EXPECT_FALSE(two.changeDirectory || two.rename || two.changeIsDefault);
    EXPECT_TRUE(two.remove);

    EXPECT_EQ(ExplorerOpenTip(1), L"Change Directory (Enter)");
    EXPECT_EQ(ExplorerOpenTip(3), L"Download File (Enter)");
    EXPECT_EQ(ExplorerCountText(12, 0), L"12 objects");
    EXPECT_EQ(ExplorerCountText(12, 3), L"3 objects selected");
    EXPECT_EQ(ExplorerCountText(0, 0), L"0 objects");
}

}  // namespace
