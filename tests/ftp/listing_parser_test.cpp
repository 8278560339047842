#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ftp/ListingLineParsers.h"
#include "ftp/ListingParser.h"
#include "ftp/RemoteTime.h"

namespace {

const ListingClock kToday{2024, 6, 15};

ListingLine Parse(std::string_view line, const ListingClock& today = kToday)
{
    ListingLine out;
    EXPECT_TRUE(ParseListingLine(line, out, today)) << line;
    return out;
}

bool Rejected(std::string_view line)
{
    ListingLine out;
    return !ParseListingLine(line, out, kToday);
}

void ExpectDate(const ListingLine& line, int32_t year, int32_t month, int32_t day)
{
    EXPECT_TRUE(line.hasDate);
    EXPECT_EQ(line.year, year);
    EXPECT_EQ(line.month, month);
    EXPECT_EQ(line.day, day);
}

void ExpectTime(const ListingLine& line, int32_t hour, int32_t minute)
{
    EXPECT_TRUE(line.hasTime);
    EXPECT_EQ(line.hour, hour);
    EXPECT_EQ(line.minute, minute);
}

}  // namespace

TEST(UnixStrictListing, ReadsEveryColumn)
{
    ListingLine line;
    ASSERT_TRUE(ParseUnixStrict("-rw-r--r--   1 owner    staff        1234 Mar  5 09:07 my  notes.txt ", line, kToday));
    EXPECT_EQ(line.permissions, "-rw-r--r--");
    EXPECT_EQ(line.owner, "owner");
    EXPECT_EQ(line.group, "staff");
    EXPECT_EQ(line.size, 1234u);
    EXPECT_FALSE(line.isFolder);
    EXPECT_FALSE(line.isLink);
    ExpectDate(line, 2024, 3, 5);
    ExpectTime(line, 9, 7);
    EXPECT_EQ(line.name, "my  notes.txt ");  // kept whole
}

TEST(UnixStrictListing, TimeOfDayMeansThisYearUnlessTheDateIsStillToCome)
{
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 Jun 15 10:00 today").year, 2024);
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 Jun 16 10:00 tomorrow").year, 2023);
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 Jul  1 10:00 next-month").year, 2023);
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 Jan 31 10:00 january").year, 2024);

    const ListingClock newYear{2025, 1, 1};
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 Jan  1 00:05 x", newYear).year, 2025);
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 Dec 31 23:55 x", newYear).year, 2024);
}

TEST(UnixStrictListing, FourDigitYearMeansNoTime)
{
    ListingLine line = Parse("drwxr-xr-x   3 ftp      ftp          4096 Dec 30  2021 incoming");
    EXPECT_TRUE(line.isFolder);
    ExpectDate(line, 2021, 12, 30);
    EXPECT_FALSE(line.hasTime);
    EXPECT_EQ(line.hour, 0);
    EXPECT_EQ(line.minute, 0);
}

TEST(UnixStrictListing, RejectsWhatTheTolerantParserMustRead)
{
    ListingLine line;
    EXPECT_FALSE(ParseUnixStrict("-rw-r--r-- 1 o g 1.5K Jan 5 12:00 x", line, kToday));  // unit size
    EXPECT_FALSE(ParseUnixStrict("-rw-r--r-- 1 o g 1 2023-01-05 12:00 x", line, kToday));  // numeric date
    EXPECT_FALSE(ParseUnixStrict("-rw-r--r-- 1 o g 1 Jan 32 12:00 x", line, kToday));
    EXPECT_FALSE(ParseUnixStrict("-rw-r--r-- 1 o g 1 Jan 5 1:00 x", line, kToday));
    EXPECT_FALSE(ParseUnixStrict("-rw-r--r-- 1 o g 1 Jan 5 12:00", line, kToday));  // no name
    EXPECT_FALSE(ParseUnixStrict("-rw-r--r-- x o g 1 Jan 5 12:00 x", line, kToday));
}

TEST(UnixListing, SymbolicLinkKeepsItsTarget)
{
    ListingLine strict = Parse("lrwxrwxrwx   1 root     root            7 Feb  1  2020 bin -> usr/bin");
    EXPECT_TRUE(strict.isLink);
    EXPECT_FALSE(strict.isFolder);
    EXPECT_EQ(strict.name, "bin -> usr/bin");
    EXPECT_EQ(strict.size, 7u);

    ListingLine loose = Parse("lrwxrwxrwx 1 root root 1K Feb 1 2020 lib -> usr/lib");
    EXPECT_TRUE(loose.isLink);
    EXPECT_EQ(loose.name, "lib -> usr/lib");
    EXPECT_EQ(loose.size, 1024u);
}

TEST(UnixListing, TotalHeaderIsNoEntryForAnyParser)
{
    ListingLine line;
    for (std::string_view header : {"total 123", "total 0", "insgesamt 8"}) {
        EXPECT_FALSE(ParseUnixStrict(header, line, kToday)) << header;
        EXPECT_FALSE(ParseUnixLoose(header, line, kToday)) << header;
        EXPECT_FALSE(ParseDosLine(header, line)) << header;
    }

    ListingLine reused = Parse("-rw-r--r-- 1 o g 1 Jan 5 12:00 x");
    EXPECT_FALSE(ParseListingLine("total 123", reused, kToday));
    EXPECT_TRUE(reused.name.empty());
    EXPECT_FALSE(reused.hasDate);
    EXPECT_EQ(reused.size, 0u);
}

TEST(UnixListing, OnlyTheFirst259BytesAreRead)
{
    std::string prefix = "-rw-r--r-- 1 owner group 1234 Jan 5 12:00 ";
    ListingLine line = Parse(prefix + std::string(300, 'n'));
    EXPECT_EQ(line.name, std::string(259 - prefix.size(), 'n'));

    // The date lies beyond byte 259: nothing is left to read it from.
    EXPECT_TRUE(Rejected("-rw-r--r-- 1 " + std::string(250, 'o') + " group 1 Jan 5 12:00 x"));

    ListingLine dos = Parse("01-16-02  11:14AM  100 " + std::string(400, 'd'));
    EXPECT_EQ(dos.name.size(), 259u - 23u);
}

TEST(UnixListing, MonthNamesOfOtherLanguages)
{
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 M\xE4r 5 12:00 x").month, 3);  // German, Windows-1252
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 janv. 5 12:00 x").month, 1);  // French, with a period
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 f\xE9vr. 5 12:00 x").month, 2);
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 tammi 5 12:00 x").month, 1);  // Finnish
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 lip 5 12:00 x").month, 7);  // Polish
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 giu 5 12:00 x").month, 6);  // Italian
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 abr 5 12:00 x").month, 4);  // Spanish
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 mrt 5 2020 x").month, 3);  // Dutch
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 out 5 2020 x").month, 10);  // Portuguese
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 \xEC\xE0\xF0 5 12:00 x").month, 3);  // Russian, Windows-1251
}

TEST(UnixListing, MonthNamesInUtf8)
{
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 f\xC3\xA9vr. 5 12:00 x").month, 2);   // févr.
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 d\xC3\xA9" "c. 5 2020 x").month, 12);  // déc.
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 M\xC3\xA4rz 5 12:00 x").month, 3);    // März
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 hein\xC3\xA4 5 2020 x").month, 7);    // heinä
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 \xD0\xBC\xD0\xB0\xD1\x80 5 12:00 x").month, 3);  // мар
    EXPECT_EQ(Parse("-rw-r--r-- 1 o g 1 \xD0\xB4\xD0\xB5\xD0\xBA 5 2020 x").month, 12);  // дек
}

TEST(UnixListing, MonthAndDayWithDoubleByteSuffixes)
{
    ListingLine japanese = Parse("-rw-r--r-- 1 o g 1 12\x8C\x8E 25\x93\xFA 2020 x");  // 12月 25日, Shift-JIS
    ExpectDate(japanese, 2020, 12, 25);
    ListingLine korean = Parse("-rw-r--r-- 1 o g 1 3\xBF\xF9 7\xC0\xCF 12:00 x");  // 3월 7일, EUC-KR
    ExpectDate(korean, 2024, 3, 7);
    ExpectDate(Parse("-rw-r--r-- 1 o g 1 11\xC6\xD4 2 2020 x"), 2020, 11, 2);
    // A suffix the table does not hold (UTF-8 月 and 日): the digits still give the month.
    ExpectDate(Parse("-rw-r--r-- 1 o g 1 9\xE6\x9C\x88 30\xE6\x97\xA5 2020 x"), 2020, 9, 30);
}

TEST(UnixLooseListing, OwnerAndGroupWordsGatherIntoTheGroupText)
{
    ListingLine line = Parse("-rw-r--r--   1 John Smith  Domain Users   1234 Jan 15 12:00 report.doc");
    EXPECT_EQ(line.owner, "");
    EXPECT_EQ(line.group, "John Smith Domain Users");
    EXPECT_EQ(line.size, 1234u);
    EXPECT_EQ(line.name, "report.doc");

    ListingLine folder = Parse("drwxrwxrwx   1 user     Domain Users        0 Jan  5 12:00 dir");
    EXPECT_TRUE(folder.isFolder);
    EXPECT_EQ(folder.group, "user Domain Users");

    // A numeric owner after the link count stays the owner.
    ListingLine numeric = Parse("-rw-r--r-- 1 1000 Domain Users 5 Jan 5 12:00 x");
    EXPECT_EQ(numeric.owner, "1000");
    EXPECT_EQ(numeric.group, "Domain Users");
}

TEST(UnixLooseListing, SizesWithUnitsOrGluedToTheGroup)
{
    ListingLine unit = Parse("-rw-r--r-- 1 owner group 1.5K Jan 5 12:00 a");
    EXPECT_EQ(unit.size, 1536u);
    EXPECT_EQ(unit.group, "owner group");
    EXPECT_EQ(Parse("-rw-r--r-- 1 owner group 2M Jan 5 12:00 b").size, 2097152u);
    ListingLine shortGroup = Parse("-rw-r--r-- 1 ftp www 4.0K Jan 5 12:00 index.html");
    EXPECT_EQ(shortGroup.size, 4096u);
    EXPECT_EQ(shortGroup.group, "ftp www");

    ListingLine glued = Parse("-rw-r--r-- 1 owner staff12345 Jan 5 12:00 c");
    EXPECT_EQ(glued.size, 12345u);
    EXPECT_EQ(glued.group, "owner staff");

    ListingLine gluedAfterWords = Parse("-rw-r--r-- 1 John Smith Domain Users12345 Jan 5 12:00 d");
    EXPECT_EQ(gluedAfterWords.size, 12345u);
    EXPECT_EQ(gluedAfterWords.group, "John Smith Domain Users");
    ExpectDate(gluedAfterWords, 2024, 1, 5);

    // The size glued to the word after a group word that itself ends in a digit.
    ListingLine gluedLast = Parse("-rw-r--r-- 1 own er2 group12345 Jan 5 12:00 e");
    EXPECT_EQ(gluedLast.size, 12345u);
    EXPECT_EQ(gluedLast.group, "own er2 group");
    ExpectDate(gluedLast, 2024, 1, 5);
    EXPECT_EQ(gluedLast.name, "e");
}

TEST(UnixLooseListing, NumericDates)
{
    ListingLine iso = Parse("-rw-r--r-- 1 o g 100 2023-04-07 13:45 iso.txt");
    ExpectDate(iso, 2023, 4, 7);
    ExpectTime(iso, 13, 45);
    ExpectDate(Parse("-rw-r--r-- 1 o g 1 2023-05-04 13:45 x"), 2023, 5, 4);  // middle stays the month
    ExpectDate(Parse("-rw-r--r-- 1 o g 1 2023-25-04 13:45 x"), 2023, 4, 25);
    ExpectDate(Parse("-rw-r--r-- 1 o g 1 07-04-2023 13:45 x"), 2023, 4, 7);  // day-month-year
    ExpectDate(Parse("-rw-r--r-- 1 o g 1 07-25-2023 13:45 x"), 2023, 7, 25);
    ExpectDate(Parse("-rw-r--r-- 1 o g 1 12/25/2023 13:45 x"), 2023, 12, 25);  // month/day/year
    ExpectDate(Parse("-rw-r--r-- 1 o g 1 2023/12/25 13:45 x"), 2023, 12, 25);
    ExpectDate(Parse("-rw-r--r-- 1 o g 1 5-Jan-2023 13:45 x"), 2023, 1, 5);
    ExpectDate(Parse("-rw-r--r-- 1 o g 1 Jan-05 13:45 x"), 2024, 1, 5);
    EXPECT_TRUE(Rejected("-rw-r--r-- 1 o g 1 123/12/25 13:45 x"));
    EXPECT_TRUE(Rejected("-rw-r--r-- 1 o g 1 2023-12/25 13:45 x"));

    // A dated line without a time: the next word is the name, even with a dot in it.
    ListingLine noTime = Parse("-rw-r--r-- 1 o g 1 2023-04-07 readme.txt");
    EXPECT_FALSE(noTime.hasTime);
    EXPECT_EQ(noTime.name, "readme.txt");
}

TEST(UnixLooseListing, DayMonthOrderAndYearWords)
{
    ExpectDate(Parse("-rw-r--r-- 1 o g 10 5 Jan 12:00 x"), 2024, 1, 5);

    ListingLine comma = Parse("-rw-r--r-- 1 o g 10 Jan 5, 2020 12:00 x");
    ExpectDate(comma, 2020, 1, 5);
    ExpectTime(comma, 12, 0);
    EXPECT_EQ(comma.name, "x");
    ListingLine commaNoTime = Parse("-rw-r--r-- 1 o g 10 Jan 5, 2020 notes.txt");
    EXPECT_FALSE(commaNoTime.hasTime);
    EXPECT_EQ(commaNoTime.name, "notes.txt");

    ListingLine yearFirst = Parse("-rw-r--r-- 1 o g 10 2020 05 03 x");
    ExpectDate(yearFirst, 2020, 5, 3);
    EXPECT_FALSE(yearFirst.hasTime);
    EXPECT_TRUE(Rejected("-rw-r--r-- 1 o g 10 2020 05 12:00 x"));  // no day
    EXPECT_TRUE(Rejected("-rw-r--r-- 1 o g 10 Jan 5 name"));  // no year and no time
}

TEST(UnixLooseListing, MarksAfterTheNameAreDropped)
{
    EXPECT_EQ(Parse("-rwxr-xr-x 1 o g 1K Jan 5 12:00 run.sh*").name, "run.sh");
    EXPECT_EQ(Parse("drwxr-xr-x 1 o g 4K Jan 5 12:00 dir/").name, "dir");
    EXPECT_EQ(Parse("prw-r--r-- 1 o g 0K Jan 5 12:00 fifo|").name, "fifo");
}

TEST(UnixLooseListing, WordInTheLinkCountColumn)
{
    // A service name at the end of the permissions lets a numeric owner follow it.
    ListingLine marked = Parse("-rw-r--r--SSH user 1000 staff 12 Jan 5 12:00 x");
    EXPECT_EQ(marked.owner, "1000");
    EXPECT_EQ(marked.group, "user staff");
    ListingLine plain = Parse("-rw-r--r-- user 1000 staff 12 Jan 5 12:00 x");
    EXPECT_EQ(plain.owner, "");
    EXPECT_EQ(plain.group, "user 1000 staff");
    EXPECT_EQ(plain.size, 12u);
}

TEST(UnixListing, TimesOutOfRangeAreRejected)
{
    EXPECT_TRUE(Rejected("-rw-r--r-- 1 o g 1 Jan 5 24:00 x"));
    EXPECT_TRUE(Rejected("-rw-r--r-- 1 o g 1 Jan 5 12:60 x"));
    EXPECT_TRUE(Rejected("-rw-r--r-- 1 o g 1.5K Jan 5 99:99 x"));
}

TEST(DosListing, IisFolderAndFileLines)
{
    ListingLine folder = Parse("01-16-02  11:14PM       <DIR>          epsgroup");
    EXPECT_TRUE(folder.isFolder);
    EXPECT_EQ(folder.size, 0u);
    ExpectDate(folder, 2002, 1, 16);
    ExpectTime(folder, 23, 14);
    EXPECT_EQ(folder.name, "epsgroup");
    EXPECT_TRUE(folder.permissions.empty());

    ListingLine file = Parse("10-23-2023  09:00AM            1,234,567 big file.iso");
    EXPECT_FALSE(file.isFolder);
    EXPECT_EQ(file.size, 1234567u);
    ExpectDate(file, 2023, 10, 23);
    ExpectTime(file, 9, 0);
    EXPECT_EQ(file.name, "big file.iso");
}

TEST(DosListing, TwelveOClockAndLowerCaseSuffixes)
{
    EXPECT_EQ(Parse("06-05-02  12:19AM  1786 a").hour, 0);
    EXPECT_EQ(Parse("06-05-02  12:19PM  1786 a").hour, 12);
    EXPECT_EQ(Parse("06-05-02  03:19pm  1786 a").hour, 15);
    EXPECT_EQ(Parse("06-05-02  3:19  1786 a").hour, 3);
    EXPECT_EQ(Parse("06-05-02  18:30  1786 a").hour, 18);
}

TEST(DosListing, DateOrders)
{
    ExpectDate(Parse("2023-10-23  18:30  <DIR>  logs"), 2023, 10, 23);
    ExpectDate(Parse("23.10.2023  18:30  512 x"), 2023, 10, 23);
    ExpectDate(Parse("05.10.2023  18:30  512 x"), 2023, 10, 5);  // a dot means day first
    ExpectDate(Parse("23-10-23  18:30  512 x"), 2023, 10, 23);
    ExpectDate(Parse("10/05/99  18:30  512 x"), 1999, 10, 5);
    ExpectDate(Parse("01-16-49  18:30  512 x"), 2049, 1, 16);
    ExpectDate(Parse("01-16-102  18:30  512 x"), 2002, 1, 16);  // years counted from 1900
    ExpectDate(Parse("Jan-16-2002  18:30  512 x"), 2002, 1, 16);
}

TEST(DosListing, TwoDigitYearsFollowTheRuleOfTheFactTimes)
{
    // 00-69 are this century, 70-99 the last; the UTC conversion of a
    // two-digit year must land on the same day.
    for (int yy = 0; yy < 100; ++yy) {
        char line[64];
        snprintf(line, sizeof(line), "03-04-%02d  18:30  512 x", yy);
        int32_t expected = yy < 70 ? 2000 + yy : 1900 + yy;
        ExpectDate(Parse(line), expected, 3, 4);
        EXPECT_EQ(UtcTimeToSeconds({yy, 3, 4, 18, 30, 0}), UtcTimeToSeconds({expected, 3, 4, 18, 30, 0})) << yy;
    }
}

TEST(DosListing, RejectsMalformedColumns)
{
    for (std::string_view line : {"00-16-02 11:14AM 1 x", "123-16-02 11:14AM 1 x", "1899-01-01 11:14AM 1 x",
                                  "13-13-02 11:14AM 1 x", "01-16 11:14AM 1 x", "01-16-02 :14AM 1 x",
                                  "01-16-02 25:00 1 x", "01-16-02 12:60 1 x", "01-16-02 1214 1 x",
                                  "01-16-02 11:14AM 1", "01-16-02 11:14AM", "20020116 11:14AM 1 x",
                                  "Foo-16-02 11:14AM 1 x"})
        EXPECT_TRUE(Rejected(line)) << line;
}
