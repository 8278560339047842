#include <gtest/gtest.h>

#include "ui/RemoteColumnText.h"

namespace {

int64_t TwoHoursEast(int64_t utcSeconds)
{
    return utcSeconds + 7200;
}

}  // namespace

TEST(RemoteColumnText, SizesInWholeKilobytesRoundedUpAndGrouped)
{
    EXPECT_EQ(RemoteSizeText(0), L"0 KB");
    EXPECT_EQ(RemoteSizeText(1), L"1 KB");
    EXPECT_EQ(RemoteSizeText(1024), L"1 KB");
    EXPECT_EQ(RemoteSizeText(1025), L"2 KB");
    EXPECT_EQ(RemoteSizeText(999 * 1024), L"999 KB");
    EXPECT_EQ(RemoteSizeText(999 * 1024 + 1), L"1,000 KB");
    EXPECT_EQ(RemoteSizeText(1264640), L"1,235 KB");
    EXPECT_EQ(RemoteSizeText(1234567ULL * 1024), L"1,234,567 KB");
    EXPECT_EQ(RemoteSizeText(UINT64_MAX), L"18,014,398,509,481,984 KB");
}

TEST(RemoteColumnText, DatesOnTheLocalClock)
{
    EXPECT_EQ(RemoteDateText(0), L"1970-01-01 00:00");
    EXPECT_EQ(RemoteDateText(951782400 + 86399), L"2000-02-29 23:59");  // a leap day
    EXPECT_EQ(RemoteDateText(1772607900), L"2026-03-04 07:05");
    EXPECT_EQ(RemoteDateText(-60), L"1969-12-31 23:59");
}

TEST(RemoteColumnText, EveryColumnOfARow)
{
    RemoteRow file;
    file.name = L"notes.txt";
    file.size = 1264640;
    file.modified = 1772600700;  // 05:05 UTC
    file.permissions = L"-rw-r--r--";
    file.owner = L"ftp";
    file.group = L"users";
    EXPECT_EQ(RemoteColumnText(file, RemoteColumn::Name, TwoHoursEast), L"notes.txt");
    EXPECT_EQ(RemoteColumnText(file, RemoteColumn::Size, TwoHoursEast), L"1,235 KB");
    EXPECT_EQ(RemoteColumnText(file, RemoteColumn::Type, TwoHoursEast), L"File");
    EXPECT_EQ(RemoteColumnText(file, RemoteColumn::Date, TwoHoursEast), L"2026-03-04 07:05");
    EXPECT_EQ(RemoteColumnText(file, RemoteColumn::Permissions, TwoHoursEast), L"-rw-r--r--");
    EXPECT_EQ(RemoteColumnText(file, RemoteColumn::Owner, TwoHoursEast), L"ftp");
    EXPECT_EQ(RemoteColumnText(file, RemoteColumn::Group, TwoHoursEast), L"users");

    RemoteRow folder = file;
    folder.kind = RemoteKind::Folder;
    folder.size = 4096;
    folder.modified = 0;  // the server gave no time
    EXPECT_EQ(RemoteColumnText(folder, RemoteColumn::Size), L"");
    EXPECT_EQ(RemoteColumnText(folder, RemoteColumn::Type), L"Folder");
    EXPECT_EQ(RemoteColumnText(folder, RemoteColumn::Date), L"");

    RemoteRow link = file;
    link.kind = RemoteKind::Link;
    link.size = 0;
    EXPECT_EQ(RemoteColumnText(link, RemoteColumn::Size), L"0 KB");
    EXPECT_EQ(RemoteColumnText(link, RemoteColumn::Type), L"Link");
}

TEST(RemoteColumnText, TheSystemClockShiftsByWholeMinutesOnly)
{
    // Whatever the zone, local and UTC differ by less than a day and agree on the seconds.
    for (int64_t utc : {int64_t(0), int64_t(86400 * 180), int64_t(1772600759)}) {
        int64_t local = SystemLocalClock(utc);
        EXPECT_LT(std::llabs(local - utc), 86400);
        EXPECT_EQ(((local - utc) % 60 + 60) % 60, 0);
    }
}
