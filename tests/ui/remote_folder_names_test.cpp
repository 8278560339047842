#include <gtest/gtest.h>

#include "ui/RemoteFolderNames.h"

TEST(RemoteParent, CutsAtTheLastSeparator)
{
    EXPECT_EQ(RemoteParent(L"/pub/docs"), L"/pub");
    EXPECT_EQ(RemoteParent(L"/pub/docs/"), L"/pub");
    EXPECT_EQ(RemoteParent(L"/pub\\docs"), L"/pub");
    EXPECT_EQ(RemoteParent(L"/a/b/c"), L"/a/b");
}

TEST(RemoteParent, EndsAtTheRoot)
{
    EXPECT_EQ(RemoteParent(L"/pub"), L"/");
    EXPECT_EQ(RemoteParent(L"/pub/"), L"/");
    EXPECT_EQ(RemoteParent(L"/"), L"/");
    EXPECT_EQ(RemoteParent(L"pub"), L"/");
    EXPECT_EQ(RemoteParent(L""), L"/");
}

TEST(RemoteFolderName, IsTheLastComponent)
{
    EXPECT_EQ(RemoteFolderName(L"/pub/docs"), L"docs");
    EXPECT_EQ(RemoteFolderName(L"/pub/docs/"), L"docs");
    EXPECT_EQ(RemoteFolderName(L"C:\\data"), L"data");
    EXPECT_EQ(RemoteFolderName(L"pub"), L"pub");
}
