#include <gtest/gtest.h>

#include "ui/ChosenFileFolder.h"

TEST(ChosenFileFolder, IsThePathUpToTheLastSeparatorOfEitherKind)
{
    EXPECT_EQ(ChosenFileFolder(L"C:\\Users\\me\\sites.txt"), L"C:\\Users\\me");
    EXPECT_EQ(ChosenFileFolder(L"Z:/tmp/export/sites.txt"), L"Z:/tmp/export");
    EXPECT_EQ(ChosenFileFolder(L"C:\\mixed/inner\\sites.txt"), L"C:\\mixed/inner");
    EXPECT_EQ(ChosenFileFolder(L"C:\\sites.txt"), L"C:");
    EXPECT_EQ(ChosenFileFolder(L"sites.txt"), L"");
    EXPECT_EQ(ChosenFileFolder(L""), L"");
}
