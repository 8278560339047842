// Remote times: UTC fact times, local LIST times, calendar arithmetic.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "ftp/RemoteTime.h"

TEST(FactTime, ReadsTheFieldsPositionallyAndIgnoresAFraction)
{
    std::optional<CalendarTime> time = ParseFactTime("20240229123456.789");
    ASSERT_TRUE(time);
    EXPECT_EQ(time->year, 2024);
    EXPECT_EQ(time->month, 2);
    EXPECT_EQ(time->day, 29);
    EXPECT_EQ(time->hour, 12);
    EXPECT_EQ(time->minute, 34);
    EXPECT_EQ(time->second, 56);
    // date -u -d 2024-02-29T12:34:56 +%s
    EXPECT_EQ(UtcTimeToSeconds(*time), 1709210096);
}

TEST(FactTime, MalformedTextIsNoTime)
{
    for (const char* text : {"", "2024022912345", "2024-02-29 12:34", "20241329123456", "20240200123456",
                             "20240229243456", "20240229126056", "File not found", "2024022912345x"})
        EXPECT_FALSE(ParseFactTime(text)) << text;
}

TEST(UtcTime, DatesAfter2038AndBefore1970AreExact)
{
    EXPECT_EQ(UtcTimeToSeconds({2040, 1, 1, 0, 0, 0}), 2208988800);
    EXPECT_EQ(UtcTimeToSeconds({2038, 1, 19, 3, 14, 8}), 2147483648);  // one past the 32-bit limit
    EXPECT_EQ(UtcTimeToSeconds({1969, 12, 31, 23, 59, 59}), -1);
    EXPECT_EQ(UtcTimeToSeconds({1970, 1, 1, 0, 0, 0}), 0);
}

TEST(UtcTime, TwoDigitYearsAreCompleted)
{
    EXPECT_EQ(UtcTimeToSeconds({24, 2, 29, 12, 34, 56}), 1709210096);            // 2024
    EXPECT_EQ(UtcTimeToSeconds({99, 12, 31, 0, 0, 0}), UtcTimeToSeconds({1999, 12, 31, 0, 0, 0}));
    EXPECT_EQ(UtcTimeToSeconds({69, 1, 1, 0, 0, 0}), UtcTimeToSeconds({2069, 1, 1, 0, 0, 0}));
    EXPECT_EQ(UtcTimeToSeconds({70, 1, 1, 0, 0, 0}), 0);
}

TEST(FullYear, OnePivotForEveryShortYear)
{
    EXPECT_EQ(FullYear(0), 2000);
    EXPECT_EQ(FullYear(49), 2049);
    EXPECT_EQ(FullYear(50), 2050);
    EXPECT_EQ(FullYear(69), 2069);
    EXPECT_EQ(FullYear(70), 1970);
    EXPECT_EQ(FullYear(99), 1999);
    EXPECT_EQ(FullYear(102), 2002);  // the C library's years since 1900
    EXPECT_EQ(FullYear(999), 2899);
    EXPECT_EQ(FullYear(1000), 1000);
    EXPECT_EQ(FullYear(1969), 1969);
    EXPECT_EQ(FullYear(2024), 2024);
    EXPECT_EQ(FullYear(-1), -1);
}

TEST(UtcTime, SecondsAndFieldsRoundTrip)
{
    // Every day boundary region from 1900 to 2400, including leap days and
    // the century rules, one step of just over 10 days at a time.
    for (int64_t seconds = -2208988800; seconds < 13569465600; seconds += 864007) {
        CalendarTime fields = SecondsToUtcTime(seconds);
        ASSERT_EQ(UtcTimeToSeconds(fields), seconds) << fields.year << "-" << fields.month << "-" << fields.day;
    }
    CalendarTime leap = SecondsToUtcTime(951782400);  // 2000-02-29
    EXPECT_EQ(leap.year, 2000);
    EXPECT_EQ(leap.month, 2);
    EXPECT_EQ(leap.day, 29);
}

TEST(LocalTime, AgreesWithTheCLibraryBreakdown)
{
    CalendarTime fields{2023, 7, 14, 9, 30, 0};
    std::optional<int64_t> seconds = LocalTimeToSeconds(fields);
    ASSERT_TRUE(seconds);
    std::time_t back = static_cast<std::time_t>(*seconds);
    std::tm* local = std::localtime(&back);
    ASSERT_NE(local, nullptr);
    EXPECT_EQ(local->tm_year + 1900, 2023);
    EXPECT_EQ(local->tm_mon + 1, 7);
    EXPECT_EQ(local->tm_mday, 14);
    EXPECT_EQ(local->tm_hour, 9);
    EXPECT_EQ(local->tm_min, 30);
    EXPECT_FALSE(LocalTimeToSeconds({2023, 13, 1, 0, 0, 0}));
}

#ifndef _WIN32
namespace {

// Runs the checks with the C library in another time zone.
class ZoneScope {
public:
    explicit ZoneScope(const char* zone)
    {
        const char* old = std::getenv("TZ");
        hadOld_ = old != nullptr;
        old_ = old ? old : "";
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneScope()
    {
        if (hadOld_)
            setenv("TZ", old_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool hadOld_ = false;
    std::string old_;
};

}  // namespace

TEST(LocalTime, DaylightSavingFollowsTheDateNotToday)
{
    ZoneScope zone("America/New_York");
    // Winter: UTC-5; summer: UTC-4.
    EXPECT_EQ(LocalTimeToSeconds({2024, 1, 15, 12, 0, 0}), *UtcTimeToSeconds({2024, 1, 15, 17, 0, 0}));
    EXPECT_EQ(LocalTimeToSeconds({2024, 7, 15, 12, 0, 0}), *UtcTimeToSeconds({2024, 7, 15, 16, 0, 0}));
    // The UTC reading of fact times does not depend on the zone.
    EXPECT_EQ(UtcTimeToSeconds({2024, 1, 15, 12, 0, 0}), 1705320000);
}
#endif
