#include <gtest/gtest.h>

#include <ctime>

#include "support/TestLog.h"
#include "ui/SessionLog.h"

namespace {

std::time_t fakeNow = 0;
std::time_t FakeClock()
{
    return fakeNow;
}

std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

class SessionLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLogFolder(folder.Path());
        SetLogClock(FakeClock);
    }
    void TearDown() override
    {
        SetLogClock(nullptr);
        SetLogFolder(L"");
    }
    std::string DayFile(const wchar_t* name)
    {
        FlushSessionLog();
        return ReadWholeFile(folder.File(name));
    }

    ScratchFolder folder;
    CapturedLog panel;
};

}  // namespace

TEST_F(SessionLogTest, LinesGoToTheDailyFileAndThePanel)
{
    fakeNow = LocalTime(2026, 3, 4, 9, 8, 7);
    LogWrite(L"Connected to s\u00E9rver", LogInformation);
    LogError(L"Failed to connect to server %ls on port %d.", L"ftp.example.com", 2121);
    LogWarning(L"w%d", 2);
    LogInfo(L"i");
    LogWriteJoined(L"Deleting file: ", L"a.txt", LogInformation);
    LogCommand("PASS hunter22\r\n");
    LogWrite(L"", LogErrorLevel);  // ignored

    EXPECT_EQ(DayFile(L"2026-03-04 Tarnwick File Transfer Software Log.txt"),
              "09:08:07 Connected to s\xC3\xA9rver\r\n"
              "09:08:07 Failed to connect to server ftp.example.com on port 2121.\r\n"
              "09:08:07 w2\r\n"
              "09:08:07 i\r\n"
              "09:08:07 Deleting file: a.txt\r\n"
              "09:08:07 Command: PASS ********\r\n");
    ASSERT_EQ(panel.lines.size(), 6u);
    EXPECT_EQ(panel.lines[1].level, LogErrorLevel);
    EXPECT_EQ(panel.lines[2].level, LogWarningLevel);
    EXPECT_EQ(panel.lines[5].level, LogCommandLevel);
}

TEST_F(SessionLogTest, FormattedMessagesAreCutAt511Characters)
{
    fakeNow = LocalTime(2026, 3, 4, 10, 0, 0);
    std::wstring longText(700, L'q');
    LogInfo(L"%ls", longText.c_str());
    ASSERT_EQ(panel.lines.size(), 1u);
    EXPECT_EQ(panel.lines[0].text.size(), 511u);
}

TEST_F(SessionLogTest, TheFirstLineAfterMidnightStartsTheNewDaysFile)
{
    fakeNow = LocalTime(2026, 12, 31, 23, 59, 59);
    LogWrite(L"old year", LogInformation);
    fakeNow += 1;
    LogWrite(L"new year", LogInformation);
    EXPECT_EQ(DayFile(L"2026-12-31 Tarnwick File Transfer Software Log.txt"), "23:59:59 old year\r\n");
    EXPECT_EQ(DayFile(L"2027-01-01 Tarnwick File Transfer Software Log.txt"), "00:00:00 new year\r\n");
}

TEST_F(SessionLogTest, APanelKeepsTheLast128OfManyLines)
{
    fakeNow = LocalTime(2026, 5, 6, 7, 8, 9);
    LogView view;
    RegisterLogView(&view);
    for (int i = 0; i < 200; ++i)
        LogWrite(L"line " + std::to_wstring(i), LogInformation);
    UnregisterLogView(&view);
    view.WithRing([](LogRing& ring) {
        EXPECT_EQ(ring.Count(), 128);
        EXPECT_EQ(ring.LineAt(0).text, L"line 72");
    });
    std::string file = DayFile(L"2026-05-06 Tarnwick File Transfer Software Log.txt");
    EXPECT_NE(file.find("07:08:09 line 0\r\n"), std::string::npos);
    EXPECT_NE(file.find("07:08:09 line 199\r\n"), std::string::npos);
}

TEST_F(SessionLogTest, LockedFileLosesLinesOnlyAfterHalfASecondWithoutStallingTheWriter)
{
    fakeNow = LocalTime(2026, 7, 8, 12, 0, 0);
    std::wstring path = CurrentLogFilePath();
    HANDLE locker = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(locker, INVALID_HANDLE_VALUE);
    DWORD start = GetTickCount();
    LogWrite(L"lost in the file", LogInformation);
    EXPECT_LT(GetTickCount() - start, 100u) << "the line is queued, the caller does not wait for the file";
    EXPECT_TRUE(panel.Contains(L"lost in the file"));
    FlushSessionLog();
    EXPECT_GE(GetTickCount() - start, 200u) << "the file is retried for about half a second";
    CloseHandle(locker);
    EXPECT_EQ(ReadWholeFile(path), "");

    // A lock that is released within the budget only delays the lines, which
    // keep their order.
    locker = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locker, INVALID_HANDLE_VALUE);
    HANDLE releaser = CreateThread(
        nullptr, 0,
        [](void* handle) -> DWORD {
            Sleep(60);
            CloseHandle(static_cast<HANDLE>(handle));
            return 0;
        },
        locker, 0, nullptr);
    LogWrite(L"written late", LogInformation);
    Sleep(30);
    LogWrite(L"and after it", LogInformation);
    WaitForSingleObject(releaser, INFINITE);
    CloseHandle(releaser);
    EXPECT_EQ(DayFile(L"2026-07-08 Tarnwick File Transfer Software Log.txt"),
              "12:00:00 written late\r\n12:00:00 and after it\r\n");
}
