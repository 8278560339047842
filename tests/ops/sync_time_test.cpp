// Modification times compared at the precision the coarser side gives.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "ops/SyncTime.h"

namespace {

// 2024-03-01 10:00:00 UTC
constexpr int64_t kTen = 1709287200;

SyncTime Second(int64_t s)
{
    return {s, TimePrecision::Second};
}

SyncTime Minute(int64_t s)
{
    return {s, TimePrecision::Minute};
}

SyncTime Day(int64_t s)
{
    return {s, TimePrecision::Day};
}

}  // namespace

TEST(SyncTime, SecondsCompareExactly)
{
    EXPECT_EQ(CompareSyncTimes(Second(kTen), Second(kTen)), TimeOrder::Same);
    EXPECT_EQ(CompareSyncTimes(Second(kTen + 1), Second(kTen)), TimeOrder::LocalNewer);
    EXPECT_EQ(CompareSyncTimes(Second(kTen), Second(kTen + 1)), TimeOrder::RemoteNewer);
}

TEST(SyncTime, AMinuteCoversItsSixtySeconds)
{
    // LIST shows 10:00 for anything from 10:00:00 to 10:00:59.
    for (int64_t s = 0; s < 60; ++s) {
        EXPECT_EQ(CompareSyncTimes(Second(kTen + s), Minute(kTen)), TimeOrder::Same) << s;
        EXPECT_EQ(CompareSyncTimes(Minute(kTen), Second(kTen + s)), TimeOrder::Same) << s;
    }
    EXPECT_EQ(CompareSyncTimes(Second(kTen + 60), Minute(kTen)), TimeOrder::LocalNewer);
    EXPECT_EQ(CompareSyncTimes(Second(kTen - 1), Minute(kTen)), TimeOrder::RemoteNewer);
    EXPECT_EQ(CompareSyncTimes(Minute(kTen), Minute(kTen)), TimeOrder::Same);
    EXPECT_EQ(CompareSyncTimes(Minute(kTen + 60), Minute(kTen)), TimeOrder::LocalNewer);
    EXPECT_EQ(CompareSyncTimes(Minute(kTen - 60), Minute(kTen)), TimeOrder::RemoteNewer);
}

TEST(SyncTime, ADayCoversItsHours)
{
    int64_t midnight = kTen - 10 * 3600;
    EXPECT_EQ(CompareSyncTimes(Second(midnight + 86399), Day(midnight)), TimeOrder::Same);
    EXPECT_EQ(CompareSyncTimes(Second(midnight + 86400), Day(midnight)), TimeOrder::LocalNewer);
    EXPECT_EQ(CompareSyncTimes(Second(midnight - 1), Day(midnight)), TimeOrder::RemoteNewer);
    EXPECT_EQ(CompareSyncTimes(Day(midnight), Minute(kTen)), TimeOrder::Same);
}

TEST(SyncTime, AnUnknownTimeComparesWithNothing)
{
    SyncTime unknown;
    EXPECT_EQ(CompareSyncTimes(unknown, Second(kTen)), TimeOrder::Unknown);
    EXPECT_EQ(CompareSyncTimes(Second(kTen), unknown), TimeOrder::Unknown);
    EXPECT_EQ(CompareSyncTimes(unknown, unknown), TimeOrder::Unknown);
    // A time of 0 that is known is an ordinary time.
    EXPECT_EQ(CompareSyncTimes(Second(0), Second(kTen)), TimeOrder::RemoteNewer);
}

TEST(SyncTime, TheEndsOfTheRangeDoNotOverflow)
{
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    EXPECT_EQ(CompareSyncTimes(Second(kMax), Day(kMax - 10)), TimeOrder::Same);
    EXPECT_EQ(CompareSyncTimes(Second(kMax), Second(kMin)), TimeOrder::LocalNewer);
    EXPECT_EQ(CompareSyncTimes(Day(kMin), Second(kMax)), TimeOrder::RemoteNewer);
}

TEST(SyncTime, TimesAreShownToTheirPrecision)
{
    EXPECT_EQ(FormatSyncTime(Second(kTen + 5)), L"2024-03-01 10:00:05 UTC");
    EXPECT_EQ(FormatSyncTime(Minute(kTen)), L"2024-03-01 10:00 UTC");
    EXPECT_EQ(FormatSyncTime(Day(kTen - 11 * 3600)), L"the day from 2024-02-29 23:00 UTC");
    EXPECT_EQ(FormatSyncTime(SyncTime{}), L"no time");
    EXPECT_EQ(FormatSyncTime(Second(-1)), L"1969-12-31 23:59:59 UTC");
}
