#include <gtest/gtest.h>

#include <climits>

#include "store/StoredValueText.h"

TEST(StoredValueText, IntegersReadTheirLeadingNumber)
{
    EXPECT_EQ(ParseStoredInt(L"", 500), 500);  // empty: the default
    EXPECT_EQ(ParseStoredInt(L"abc", 500), 0);  // not a number: 0
    EXPECT_EQ(ParseStoredInt(L"42", 500), 42);
    EXPECT_EQ(ParseStoredInt(L"-17", 500), -17);
    EXPECT_EQ(ParseStoredInt(L"+8", 500), 8);
    EXPECT_EQ(ParseStoredInt(L"42px", 500), 42);
    EXPECT_EQ(ParseStoredInt(L"-", 500), 0);
    EXPECT_EQ(ParseStoredInt(L"2147483647", 0), INT_MAX);
    EXPECT_EQ(ParseStoredInt(L"-2147483648", 0), INT_MIN);
}

TEST(StoredValueText, IntegersBeyondTheRangeSaturate)
{
    EXPECT_EQ(ParseStoredInt(L"2147483648", 0), INT_MAX);
    EXPECT_EQ(ParseStoredInt(L"99999999999999999999999999", 0), INT_MAX);
    EXPECT_EQ(ParseStoredInt(L"-2147483649", 0), INT_MIN);
}

TEST(StoredValueText, IntegersRoundTrip)
{
    for (int value : {0, 1, -1, 500, INT_MAX, INT_MIN})
        EXPECT_EQ(ParseStoredInt(FormatStoredInt(value), 7), value);
}

TEST(StoredValueText, BooleansAreFalseOnlyForALeadingZero)
{
    EXPECT_TRUE(ParseStoredBool(L"", true));
    EXPECT_FALSE(ParseStoredBool(L"", false));
    for (const wchar_t* text : {L"0", L"00", L"0x", L"0abc"})
        EXPECT_FALSE(ParseStoredBool(text, true)) << text;
    for (const wchar_t* text : {L"1", L"2", L"yes", L"false", L" 0"})
        EXPECT_TRUE(ParseStoredBool(text, false)) << text;
    EXPECT_EQ(FormatStoredBool(true), L"1");
    EXPECT_EQ(FormatStoredBool(false), L"0");
}
