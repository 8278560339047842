// Local names on their way to the server.
#include <gtest/gtest.h>

#include "ops/RemoteNameRules.h"

TEST(RemoteNameRules, SpacesAndCaseAsTheSettingsSay)
{
    EXPECT_EQ(ApplyRemoteNameRules(L"My File.TXT", {}), L"My File.TXT");
    EXPECT_EQ(ApplyRemoteNameRules(L"My File.TXT", {true, false}), L"My_File.TXT");
    EXPECT_EQ(ApplyRemoteNameRules(L"My File.TXT", {false, true}), L"my file.txt");
    EXPECT_EQ(ApplyRemoteNameRules(L"My File.TXT", {true, true}), L"my_file.txt");
    EXPECT_EQ(ApplyRemoteNameRules(L"Sub Dir\\A  B.txt", {true, true}), L"sub_dir\\a__b.txt");
    // Only A-Z change case; other letters stay as they are.
    EXPECT_EQ(ApplyRemoteNameRules(L"\u00c9T\u00c9 X", {true, true}), L"\u00c9t\u00c9_x");
}
