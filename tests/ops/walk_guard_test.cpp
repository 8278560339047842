// Recursive remote walks end: links back up and endless depth are skipped.
#include <gtest/gtest.h>

#include <string>

#include "ftp/WalkGuard.h"

TEST(WalkGuard, OrdinaryFoldersAreEnteredAndLeft)
{
    WalkGuard guard(L"/home/user");
    std::wstring line = L"left over";
    ASSERT_TRUE(guard.Enter(L"docs", L"/home/user/docs", line));
    EXPECT_TRUE(line.empty());
    ASSERT_TRUE(guard.Enter(L"a", L"/home/user/docs/a/", line));
    EXPECT_EQ(guard.Depth(), 2u);
    guard.Leave();
    ASSERT_TRUE(guard.Enter(L"b", L"/home/user/docs/b", line));
    guard.Leave();
    guard.Leave();
    EXPECT_EQ(guard.Depth(), 0u);
    guard.Leave();  // at the root: nothing to leave
    EXPECT_EQ(guard.Depth(), 0u);
    // A sibling reached through a link is no loop.
    ASSERT_TRUE(guard.Enter(L"other", L"/home/user/docs/a", line));
    EXPECT_EQ(guard.Depth(), 1u);
}

TEST(WalkGuard, ALinkToItsOwnFolderOrAFolderAboveIsSkipped)
{
    WalkGuard guard(L"/home/user/");
    std::wstring line;
    EXPECT_FALSE(guard.Enter(L"self", L"/home/user", line));
    EXPECT_EQ(line, L"Skipped folder /home/user/self: it leads back to /home/user, a folder above it.");
    EXPECT_EQ(guard.Depth(), 0u);

    ASSERT_TRUE(guard.Enter(L"docs", L"/home/user/docs", line));
    ASSERT_TRUE(guard.Enter(L"a", L"/home/user/docs/a", line));
    EXPECT_FALSE(guard.Enter(L"up", L"/home/user/docs/", line));
    EXPECT_EQ(line, L"Skipped folder /home/user/docs/a/up: it leads back to /home/user/docs, a folder above it.");
    EXPECT_FALSE(guard.Enter(L"top", L"/home/user", line));
    EXPECT_FALSE(guard.Enter(L"here", L"/home/user/docs/a", line));
    EXPECT_EQ(guard.Depth(), 2u);
    // The root folder above the walk's own root is not on the way down.
    EXPECT_TRUE(guard.Enter(L"root", L"/", line));
}

TEST(WalkGuard, PathsCompareExactly)
{
    WalkGuard guard(L"/Data");
    std::wstring line;
    EXPECT_TRUE(guard.Enter(L"data", L"/data", line));
    EXPECT_TRUE(guard.Enter(L"x", L"/Data/x", line));
    EXPECT_FALSE(guard.Enter(L"back", L"/Data//", line));
    EXPECT_FALSE(guard.Enter(L"back", L"/Data", line));
}

TEST(WalkGuard, TheRootItselfComparesWithoutItsTrailingSlash)
{
    WalkGuard guard(L"/");
    std::wstring line;
    EXPECT_FALSE(guard.Enter(L"loop", L"/", line));
    EXPECT_EQ(line, L"Skipped folder /loop: it leads back to /, a folder above it.");
    EXPECT_FALSE(guard.Enter(L"loop", L"//", line));
    ASSERT_TRUE(guard.Enter(L"pub", L"/pub", line));
    EXPECT_FALSE(guard.Enter(L"loop", L"/pub/", line));
    EXPECT_EQ(line, L"Skipped folder /pub/loop: it leads back to /pub, a folder above it.");
}

TEST(WalkGuard, MoreThan64FoldersDeepAreSkipped)
{
    // A server that keeps the linked path in PWD never repeats a path.
    WalkGuard guard(L"/r");
    std::wstring path = L"/r";
    std::wstring line;
    for (size_t depth = 1; depth <= WalkGuard::kMaxDepth; ++depth) {
        path += L"/l";
        ASSERT_TRUE(guard.Enter(L"l", path, line)) << depth;
    }
    EXPECT_EQ(guard.Depth(), 64u);
    EXPECT_FALSE(guard.Enter(L"l", path + L"/l", line));
    EXPECT_EQ(line, L"Skipped folder " + path + L"/l: more than 64 folders deep.");
    EXPECT_EQ(guard.Depth(), 64u);
    guard.Leave();
    EXPECT_TRUE(guard.Enter(L"m", path.substr(0, path.size() - 2) + L"/m", line));
}

TEST(WalkGuard, AFolderWithoutAPathIsSkipped)
{
    WalkGuard guard(L"/home");
    std::wstring line;
    EXPECT_FALSE(guard.Enter(L"odd", L"", line));
    EXPECT_EQ(line, L"Skipped folder /home/odd: the server did not tell its path.");
    EXPECT_EQ(guard.Depth(), 0u);
}
