// Permission digits for SITE chmod: from listings, to check boxes and back.
#include <gtest/gtest.h>

#include "ops/PermissionDigits.h"

namespace {

PermissionDigits Digits(int owner, int group, int others)
{
    return {static_cast<uint8_t>(owner), static_cast<uint8_t>(group), static_cast<uint8_t>(others)};
}

}  // namespace

TEST(PermissionDigits, FlagsAndDigitsConvertBothWays)
{
    PermissionFlags flags = FlagsFromDigits(Digits(7, 5, 0));
    PermissionFlags expected = {true, true, true, true, false, true, false, false, false};
    EXPECT_EQ(flags, expected);
    EXPECT_EQ(DigitsFromFlags(expected), Digits(7, 5, 0));
    // Every one of the 512 combinations survives the round trip.
    for (int owner = 0; owner < 8; ++owner)
        for (int group = 0; group < 8; ++group)
            for (int others = 0; others < 8; ++others)
                ASSERT_EQ(DigitsFromFlags(FlagsFromDigits(Digits(owner, group, others))), Digits(owner, group, others));
    PermissionFlags writeOnly{};
    writeOnly[1] = writeOnly[4] = writeOnly[7] = true;
    EXPECT_EQ(DigitsFromFlags(writeOnly), Digits(2, 2, 2));
}

TEST(PermissionDigits, ChmodDigitsAreThreeOctalDigits)
{
    EXPECT_EQ(ParseChmodDigits(L"755"), Digits(7, 5, 5));
    EXPECT_EQ(ParseChmodDigits(L"000"), Digits(0, 0, 0));
    EXPECT_EQ(ParseChmodDigits(L"0644"), Digits(6, 4, 4));
    for (const wchar_t* text : {L"", L"7", L"75", L"758", L"795", L"7555", L"1755", L"00755", L"-755", L"+75",
                                L"75a", L" 755", L"755 ", L"rwx", L"\uff17\uff15\uff15"})
        EXPECT_FALSE(ParseChmodDigits(text)) << text;
    EXPECT_EQ(ChmodDigitsText(Digits(7, 5, 0)), L"750");
    EXPECT_EQ(ChmodDigitsText(Digits(0, 0, 4)), L"004");
}

TEST(PermissionDigits, ListedUnixColumnsAreRead)
{
    EXPECT_EQ(DigitsFromPermissionText(L"drwxr-xr-x"), Digits(7, 5, 5));
    EXPECT_EQ(DigitsFromPermissionText(L"-rw-r--r--"), Digits(6, 4, 4));
    EXPECT_EQ(DigitsFromPermissionText(L"lrwxrwxrwx"), Digits(7, 7, 7));
    EXPECT_EQ(DigitsFromPermissionText(L"----------"), Digits(0, 0, 0));
    EXPECT_EQ(DigitsFromPermissionText(L"-rw-r-----+"), Digits(6, 4, 0));  // ACL marker
    EXPECT_EQ(DigitsFromPermissionText(L"rwxr-x---"), Digits(7, 5, 0));
    // Set-id and sticky letters: lower case includes execute.
    EXPECT_EQ(DigitsFromPermissionText(L"-rwsr-sr-t"), Digits(7, 5, 5));
    EXPECT_EQ(DigitsFromPermissionText(L"-rwSr-Sr-T"), Digits(6, 4, 4));
    EXPECT_EQ(DigitsFromPermissionText(L"-rw-r-lr--"), Digits(6, 4, 4));
    for (const wchar_t* text : {L"-RWXR-XR-X", L"drwxr-xr-", L"-wrxr-xr-x", L"hello world", L"<DIR>",
                                L"-rwxr-xr-y", L"rwxr-xr-", L"d?????????"})
        EXPECT_FALSE(DigitsFromPermissionText(text)) << text;
}

TEST(PermissionDigits, OctalModesCountTheirLastThreeDigits)
{
    EXPECT_EQ(DigitsFromPermissionText(L"0755"), Digits(7, 5, 5));
    EXPECT_EQ(DigitsFromPermissionText(L"644"), Digits(6, 4, 4));
    EXPECT_EQ(DigitsFromPermissionText(L"100644"), Digits(6, 4, 4));
    EXPECT_EQ(DigitsFromPermissionText(L"4751"), Digits(7, 5, 1));
    EXPECT_EQ(DigitsFromPermissionText(L"000000700"), Digits(7, 0, 0));
    for (const wchar_t* text : {L"", L"7", L"75", L"0758", L"0955", L"07x5", L"0x1ed"})
        EXPECT_FALSE(DigitsFromPermissionText(text)) << text;
}

TEST(PermissionDigits, TheListedTextAfterChmodKeepsItsForm)
{
    EXPECT_EQ(PermissionTextAfterChmod(L"-rw-r--r--", Digits(7, 5, 5)), L"-rwxr-xr-x");
    EXPECT_EQ(PermissionTextAfterChmod(L"drwx------", Digits(7, 5, 0)), L"drwxr-x---");
    EXPECT_EQ(PermissionTextAfterChmod(L"-rwsr-xr-x+", Digits(6, 4, 4)), L"-rw-r--r--");
    EXPECT_EQ(PermissionTextAfterChmod(L"rw-r--r--", Digits(7, 5, 5)), L"rwxr-xr-x");
    EXPECT_EQ(PermissionTextAfterChmod(L"0644", Digits(7, 5, 5)), L"0755");
    EXPECT_EQ(PermissionTextAfterChmod(L"100644", Digits(6, 0, 0)), L"0600");
    EXPECT_EQ(PermissionTextAfterChmod(L"", Digits(7, 0, 0)), L"0700");
    // What the new text shows is what is read back from it.
    for (const wchar_t* listed : {L"-rw-r--r--", L"rw-r--r--", L"0644"})
        EXPECT_EQ(DigitsFromPermissionText(PermissionTextAfterChmod(listed, Digits(5, 3, 1))), Digits(5, 3, 1));
}

TEST(PermissionDigits, ReadingIsRefusedOnlyWhenNobodyMayRead)
{
    for (const wchar_t* listed : {L"-rw-------", L"-----w-r--", L"-r--------", L"0400", L"0004", L"", L"<DIR>",
                                  L"garbage"})
        EXPECT_TRUE(PermissionsAllowReading(listed)) << listed;
    for (const wchar_t* listed : {L"----------", L"--wx-wx-wx", L"0333", L"0000", L"--w-------"})
        EXPECT_FALSE(PermissionsAllowReading(listed)) << listed;
}
