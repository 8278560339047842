// The size a preliminary reply announces, and the words for a transfer that
// did not bring it.
#include <gtest/gtest.h>

#include "ftp/TransferSize.h"

TEST(AnnouncedSize, TheLastBytesGroupOfTheText)
{
    EXPECT_EQ(AnnouncedSize("Opening BINARY mode data connection for a.bin (150000 bytes)."), 150000u);
    EXPECT_EQ(AnnouncedSize("Opening BINARY mode data connection for a.bin (0 bytes)"), 0u);
    EXPECT_EQ(AnnouncedSize("Opening data connection ( 42  Bytes )"), 42u);
    EXPECT_EQ(AnnouncedSize("(18446744073709551615 bytes)"), UINT64_MAX);
    // A file name may hold a group of its own; the server's comes last.
    EXPECT_EQ(AnnouncedSize("Opening BINARY mode data connection for x (12 bytes).txt (5000 bytes)."), 5000u);
    EXPECT_EQ(AnnouncedSize("for list (7 bytes) (of 9)"), 7u);
}

TEST(AnnouncedSize, NothingWithoutAWholeGroup)
{
    for (const char* text : {"", "File status okay. About to open data connection.", "(bytes)", "(12)", "(12 bytes",
                             "12 bytes)", "(12 byte)", "(-12 bytes)", "(1 2 bytes)", "(0x10 bytes)", "(", "((((",
                             "Opening for a.bin (5000 bytes"})
        EXPECT_FALSE(AnnouncedSize(text)) << text;
    // A number that does not fit is no size, and an earlier group does not
    // stand in for it.
    EXPECT_FALSE(AnnouncedSize("for x (12 bytes) (18446744073709551616 bytes)"));
}

TEST(TransferStopText, BothNumbersWhenTheSizeIsKnown)
{
    EXPECT_EQ(TransferStopText(L"The transfer ended", 4000, 5000), L"The transfer ended after 4000 of 5000 bytes.");
    EXPECT_EQ(TransferStopText(L"The data connection timed out", 0, std::nullopt),
              L"The data connection timed out after 0 bytes.");
}

TEST(SizeMismatchText, OnlyForAKnownSizeThatWasNotMet)
{
    EXPECT_EQ(SizeMismatchText(4000, 5000), L"The transfer ended after 4000 of 5000 bytes.");
    EXPECT_EQ(SizeMismatchText(6000, 5000), L"The server sent 6000 bytes where 5000 were expected.");
    EXPECT_FALSE(SizeMismatchText(5000, 5000));
    EXPECT_FALSE(SizeMismatchText(0, 0));
    EXPECT_FALSE(SizeMismatchText(123, std::nullopt));
}
