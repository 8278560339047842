#include <gtest/gtest.h>

#include "ui/CompareMarks.h"

TEST(EntryOfRoot, NamesInTheRootMarkThemselves)
{
    EXPECT_EQ(EntryOfRoot(L"/pub", L"/pub", L"a.txt", L'/'), L"a.txt");
    EXPECT_EQ(EntryOfRoot(L"/pub/", L"/pub", L"a.txt", L'/'), L"a.txt");
    EXPECT_EQ(EntryOfRoot(L"C:\\data", L"C:\\data\\", L"b.txt", L'\\'), L"b.txt");
    EXPECT_EQ(EntryOfRoot(L"/", L"/", L"top", L'/'), L"top");
}

TEST(EntryOfRoot, DeeperItemsMarkTheFolderOfTheRoot)
{
    EXPECT_EQ(EntryOfRoot(L"/pub", L"/pub/docs", L"a.txt", L'/'), L"docs");
    EXPECT_EQ(EntryOfRoot(L"/pub", L"/pub/docs/old/2020", L"a.txt", L'/'), L"docs");
    EXPECT_EQ(EntryOfRoot(L"/", L"/docs/old", L"a.txt", L'/'), L"docs");
    EXPECT_EQ(EntryOfRoot(L"C:\\", L"C:\\Users\\me", L"x", L'\\'), L"Users");
    EXPECT_EQ(EntryOfRoot(L"C:\\data", L"C:\\data\\sub\\deep", L"x", L'\\'), L"sub");
}

TEST(EntryOfRoot, FoldersOutsideTheRootMarkNothing)
{
    // A sibling whose name only starts like the root is not inside it.
    EXPECT_EQ(EntryOfRoot(L"/pub", L"/public/docs", L"a.txt", L'/'), L"");
    EXPECT_EQ(EntryOfRoot(L"/pub", L"/other", L"a.txt", L'/'), L"");
    EXPECT_EQ(EntryOfRoot(L"/pub/docs", L"/pub", L"a.txt", L'/'), L"");
    EXPECT_EQ(EntryOfRoot(L"/Pub", L"/pub/docs", L"a.txt", L'/'), L"");
}

TEST(AddMark, KeepsFirstOrderAndDropsRepeatsAndEmptyNames)
{
    std::vector<std::wstring> names;
    AddMark(names, L"docs");
    AddMark(names, L"");
    AddMark(names, L"a.txt");
    AddMark(names, L"docs");
    EXPECT_EQ(names, (std::vector<std::wstring>{L"docs", L"a.txt"}));
}
