// The UTC time text of MFMT.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>

#include "ftp/MfmtTime.h"

namespace {

// The same moment broken down by the standard library's civil calendar.
std::string CalendarText(int64_t seconds)
{
    using namespace std::chrono;
    sys_seconds moment{std::chrono::seconds(seconds)};
    sys_days day = floor<days>(moment);
    year_month_day date{day};
    hh_mm_ss<std::chrono::seconds> time{moment - day};
    char text[32];
    snprintf(text, sizeof(text), "%04d%02u%02u%02d%02d%02d", static_cast<int>(date.year()),
             static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), static_cast<int>(time.hours().count()),
             static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()));
    return text;
}

}  // namespace

TEST(MfmtTime, KnownMoments)
{
    EXPECT_EQ(MfmtTimeText(0), "19700101000000");
    EXPECT_EQ(MfmtTimeText(951827696), "20000229123456");
    EXPECT_EQ(MfmtTimeText(946684799), "19991231235959");
    EXPECT_EQ(MfmtTimeText(4107542400), "21000301000000");
    // A moment in a daylight-saving changeover night is still plain UTC.
    EXPECT_EQ(MfmtTimeText(1729992600), "20241027013000");
    EXPECT_EQ(MfmtTimeText(-1), "19691231235959");
}

TEST(MfmtTime, AgreesWithTheCivilCalendarAcrossCenturies)
{
    std::mt19937_64 random(11);
    // 1601 (the earliest file time) to 2400.
    std::uniform_int_distribution<int64_t> moment(-11644473600, 13569465600);
    for (int i = 0; i < 20000; ++i) {
        int64_t seconds = moment(random);
        ASSERT_EQ(MfmtTimeText(seconds), CalendarText(seconds)) << seconds;
    }
}

TEST(MfmtTime, CommandLineCarriesTheWholeName)
{
    EXPECT_EQ(MfmtCommandLine(0, "dir/\xc3\xa9t\xc3\xa9.txt"), "MFMT 19700101000000 dir/\xc3\xa9t\xc3\xa9.txt\r\n");
    // Never cut: a cut name would set the time of another file (the sender
    // refuses lines that are too long).
    std::string longName(300, 'n');
    EXPECT_EQ(MfmtCommandLine(0, longName), "MFMT 19700101000000 " + longName + "\r\n");
}
