// Lines as real servers send them, each with the fields a listing needs.
#include <gtest/gtest.h>

#include <string>

#include "ftp/ListingParser.h"

namespace {

const ListingClock kToday{2024, 6, 15};

struct Sample {
    const char* server;
    const char* line;
    const char* name;
    uint64_t size;
    bool isFolder;
    int32_t year, month, day, hour, minute;
    bool hasTime;
};

const Sample kSamples[] = {
    {"vsftpd", "-rw-r--r--    1 1000     1000         1234 Jan 05 12:34 notes.txt",
     "notes.txt", 1234, false, 2024, 1, 5, 12, 34, true},
    {"vsftpd", "drwxr-xr-x    2 0        0            4096 Mar 14  2019 pub",
     "pub", 4096, true, 2019, 3, 14, 0, 0, false},
    {"pyftpdlib", "-rw-r--r--   1 giampaolo staff        2048 Nov 07 08:05 setup.py",
     "setup.py", 2048, false, 2023, 11, 7, 8, 5, true},
    {"pyftpdlib", "drwxr-xr-x   3 user     user         4096 Nov 07  2019 docs",
     "docs", 4096, true, 2019, 11, 7, 0, 0, false},
    {"ProFTPD", "-rw-r--r--   1 ftp      ftp          1024 Mar  2 09:15 read me.txt",
     "read me.txt", 1024, false, 2024, 3, 2, 9, 15, true},
    {"Pure-FTPd", "-rw-r--r--    1 1000       1000     5368709120 Jun 15 23:59 disk.img",
     "disk.img", 5368709120ull, false, 2024, 6, 15, 23, 59, true},
    {"BusyBox", "-rw-r--r--    1 0        0             123 Jan  1 00:00 x",
     "x", 123, false, 2024, 1, 1, 0, 0, true},
    {"FileZilla Server", "drwxr-xr-x 1 ftp ftp              0 Feb 28  2023 Backup",
     "Backup", 0, true, 2023, 2, 28, 0, 0, false},
    {"Serv-U", "drwxrwxrwx   1 user     group           0 Jun 10 14:22 My Documents",
     "My Documents", 0, true, 2024, 6, 10, 14, 22, true},
    {"IIS Unix style", "-r-xr-xr-x   1 owner    group          1234 Jan 25  2002 file.txt",
     "file.txt", 1234, false, 2002, 1, 25, 0, 0, false},
    {"IIS", "01-16-02  11:14AM       <DIR>          epsgroup",
     "epsgroup", 0, true, 2002, 1, 16, 11, 14, true},
    {"IIS", "06-05-02  03:19PM                 1786 readme.txt",
     "readme.txt", 1786, false, 2002, 6, 5, 15, 19, true},
    {"IIS four-digit year", "02-03-2021  10:02PM             52428800 backup 2021.zip",
     "backup 2021.zip", 52428800, false, 2021, 2, 3, 22, 2, true},
    {"NetWare", "d [R----F--] supervisor            512       Jan 16 18:53    login",
     "login", 512, true, 2024, 1, 16, 18, 53, true},
    {"NetWare", "- [R----F--] rhesus             214059       Oct 20 15:27    cx.exe",
     "cx.exe", 214059, false, 2023, 10, 20, 15, 27, true},
    {"NetPresenz", "-------r--         326  1391972  1392298 Nov 22  1995 MegaPhone.sit",
     "MegaPhone.sit", 1392298, false, 1995, 11, 22, 0, 0, false},
    {"NetPresenz", "drwxrwxr-x               folder        2 May 10  1996 network",
     "network", 2, true, 1996, 5, 10, 0, 0, false},
    {"Windows domain account", "-rwxrwxrwx   1 owner    Domain Users   14 Apr 02 09:00 a.txt",
     "a.txt", 14, false, 2024, 4, 2, 9, 0, true},
    {"ls -lh", "-rw-r--r-- 1 alice alice 4.2M Sep 30  2023 talk.pdf",
     "talk.pdf", 4404019, false, 2023, 9, 30, 0, 0, false},
    {"ls --time-style=long-iso", "-rw-r--r-- 1 alice alice 77 2023-09-30 17:01 log.txt",
     "log.txt", 77, false, 2023, 9, 30, 17, 1, true},
};

}  // namespace

TEST(ListingSamples, ServersOfManyKinds)
{
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(std::string(sample.server) + ": " + sample.line);
        ListingLine line;
        ASSERT_TRUE(ParseListingLine(sample.line, line, kToday));
        EXPECT_EQ(line.name, sample.name);
        EXPECT_EQ(line.size, sample.size);
        EXPECT_EQ(line.isFolder, sample.isFolder);
        EXPECT_FALSE(line.isLink);
        EXPECT_TRUE(line.hasDate);
        EXPECT_EQ(line.year, sample.year);
        EXPECT_EQ(line.month, sample.month);
        EXPECT_EQ(line.day, sample.day);
        EXPECT_EQ(line.hasTime, sample.hasTime);
        EXPECT_EQ(line.hour, sample.hour);
        EXPECT_EQ(line.minute, sample.minute);
    }
}
