// Local paths a job creates stay below its local root.
#include <gtest/gtest.h>

#include "ops/PathContainment.h"

TEST(PathContainment, PathsBelowTheRootAreInside)
{
    EXPECT_TRUE(IsInsideRoot(L"C:\\Downloads", L"C:\\Downloads\\a.txt"));
    EXPECT_TRUE(IsInsideRoot(L"C:\\Downloads\\", L"C:\\Downloads\\sub\\deeper\\a.txt"));
    EXPECT_TRUE(IsInsideRoot(L"C:\\Downloads", L"c:\\downloads\\Sub\\A.TXT"));
    EXPECT_TRUE(IsInsideRoot(L"C:/Downloads", L"C:\\Downloads/sub\\a.txt"));
    EXPECT_TRUE(IsInsideRoot(L"C:\\", L"C:\\a.txt"));
    EXPECT_TRUE(IsInsideRoot(L"C:\\Downloads", L"C:\\Downloads\\sub\\"));
    EXPECT_TRUE(IsInsideRoot(L"\\\\server\\share", L"\\\\server\\share\\a.txt"));
    EXPECT_TRUE(IsInsideRoot(L"C:\\\u00c9t\u00e9", L"C:\\\u00c9t\u00e9\\-rf\\..hidden\\my file"));
}

TEST(PathContainment, TheRootItselfAndItsSiblingsAreNot)
{
    EXPECT_FALSE(IsInsideRoot(L"C:\\a", L"C:\\a"));
    EXPECT_FALSE(IsInsideRoot(L"C:\\a", L"C:\\a\\"));
    EXPECT_FALSE(IsInsideRoot(L"C:\\a", L"C:\\ab"));
    EXPECT_FALSE(IsInsideRoot(L"C:\\a", L"C:\\ab\\x"));
    EXPECT_FALSE(IsInsideRoot(L"C:\\a", L"C:\\abc"));
    EXPECT_FALSE(IsInsideRoot(L"C:\\a", L"C:\\a-b\\x"));
    EXPECT_FALSE(IsInsideRoot(L"C:\\a", L"C:\\"));
    EXPECT_FALSE(IsInsideRoot(L"C:\\a", L"D:\\a\\x"));
    EXPECT_FALSE(IsInsideRoot(L"C:\\a\\b", L"C:\\a\\x"));
    EXPECT_FALSE(IsInsideRoot(L"C:\\", L"C:x"));
    // Non-ASCII letters are compared as they are.
    EXPECT_FALSE(IsInsideRoot(L"C:\\\u00e9", L"C:\\\u00c9\\x"));
}

TEST(PathContainment, DotsDoubledSeparatorsAndStreamsAreRefused)
{
    for (const wchar_t* candidate :
         {L"C:\\a\\..\\b", L"C:\\a\\..", L"C:\\a\\sub\\..\\..\\x", L"C:\\a\\.\\x", L"C:\\a\\.", L"C:\\a\\\\x",
          L"C:\\a\\x\\\\", L"C:\\a\\/x", L"C:\\a\\x:stream", L"C:\\a\\C:\\x", L"C:\\a\\CON", L"C:\\a\\sub\\nul.txt",
          L"C:\\a\\x.", L"C:\\a\\x \\y", L"C:\\a\\...\\y", L"C:\\a\\x?", L"C:\\a\\x\ny"})
        EXPECT_FALSE(IsInsideRoot(L"C:\\a", candidate)) << candidate;
}

TEST(PathContainment, AnEmptyRootHoldsNothing)
{
    EXPECT_FALSE(IsInsideRoot(L"", L"a.txt"));
    EXPECT_FALSE(IsInsideRoot(L"", L"\\a.txt"));
    EXPECT_FALSE(IsInsideRoot(L"\\", L"\\a.txt"));
    EXPECT_FALSE(IsInsideRoot(L"C:\\a", L""));
}
