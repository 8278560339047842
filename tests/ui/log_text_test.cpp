#include <algorithm>
#include <gtest/gtest.h>

#include "ui/LogRing.h"
#include "net/Log.h"
#include "ui/LogText.h"

TEST(LogText, PasswordsAreMaskedByLength)
{
    EXPECT_EQ(CommandLogText("PASS secret\r\n"), L"Command: PASS ******");
    EXPECT_EQ(CommandLogText("PASS 12345678\r\n"), L"Command: PASS ********");
    EXPECT_EQ(CommandLogText("PASS\r\n"), L"Command: PASS ");
}

TEST(LogText, CommandsAndResponsesAreTrimmed)
{
    EXPECT_EQ(CommandLogText("CWD /p\xC3\xA4th\r\n"), L"Command: CWD /p\u00E4th");
    EXPECT_EQ(ResponseLogText("  230 Logged in.  "), L"Response:  230 Logged in.");
}

TEST(LogText, StampAndDailyFileName)
{
    EXPECT_EQ(LogTimeStamp(7, 5, 9), L"07:05:09");
    EXPECT_EQ(LogFileName(2026, 3, 4), L"2026-03-04 Tarnwick File Transfer Software Log.txt");
}

TEST(LogRing, KeepsTheLast128Lines)
{
    LogRing ring;
    EXPECT_EQ(ring.Newest(), -1);
    EXPECT_EQ(ring.Count(), 0);
    for (int i = 0; i < 200; ++i)
        ring.Append(L"00:00:00", L"line " + std::to_wstring(i), LogInformation);
    EXPECT_EQ(ring.Count(), 128);
    EXPECT_EQ(ring.LineAt(0).text, L"line 72");
    EXPECT_EQ(ring.LineAt(127).text, L"line 199");
    EXPECT_EQ((ring.Newest() + 1) % LogRing::kCapacity, ring.Oldest());

    // The text copied from the panel starts at the oldest line still held.
    std::wstring text = ring.Text();
    EXPECT_EQ(text.substr(0, 19), L"00:00:00 line 72\r\n0");
    EXPECT_EQ(text.substr(text.size() - 19), L"00:00:00 line 199\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 128);
}

TEST(LogRing, ScrolledTopMovesWithTheDroppedLine)
{
    LogRing ring;
    for (int i = 0; i < 128; ++i)
        ring.Append(L"s", L"line " + std::to_wstring(i), LogResponse);
    ring.ScrollTo(0);
    EXPECT_EQ(ring.Top(), ring.Oldest());
    ring.Append(L"s", L"line 128", LogResponse);  // drops line 0, which was at the top
    EXPECT_EQ(ring.Top(), ring.Oldest());
    EXPECT_EQ(ring.LineAt(0).text, L"line 1");

    ring.ScrollTo(500);  // reaching the newest line follows it again
    EXPECT_EQ(ring.Top(), -1);
}

TEST(LogRing, StampsAreCut)
{
    LogRing ring;
    ring.Append(L"0123456789abcdefXYZ", L"t", LogHint);
    EXPECT_EQ(ring.LineAt(0).stamp, L"0123456789abcde");
}
