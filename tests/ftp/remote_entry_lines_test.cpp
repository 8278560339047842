// MLSD, MLST and LIST lines turned into remote entries.
#include <gtest/gtest.h>

#include "ftp/RemoteEntryLines.h"
#include "ftp/RemoteTime.h"

namespace {

const ListingClock kToday{2024, 6, 15};

}  // namespace

TEST(MlsdLines, AFileWithEveryFact)
{
    RemoteEntry entry =
        MlsdLineToEntry("modify=20240229123456.5;perm=adfrw;size=1234567890123;type=file;UNIX.mode=0644; a b.txt");
    EXPECT_EQ(entry.name, L"a b.txt");
    EXPECT_TRUE(entry.hasModified);
    EXPECT_EQ(entry.modified, 1709210096);
    EXPECT_TRUE(entry.hasSize);
    EXPECT_EQ(entry.size, 1234567890123u);
    EXPECT_TRUE(entry.hasKind);
    EXPECT_FALSE(entry.isFolder);
    EXPECT_FALSE(entry.isLink);
    EXPECT_TRUE(entry.hasPermissions);
    EXPECT_EQ(entry.permissions, L"0644");
    EXPECT_TRUE(entry.hasOwner && entry.hasGroup);
    EXPECT_EQ(entry.owner, L"");
    EXPECT_EQ(entry.group, L"");
}

TEST(MlsdLines, KindsOfTheTypeFact)
{
    RemoteEntry folder = MlsdLineToEntry("type=dir;modify=20200101000000; docs");
    EXPECT_TRUE(folder.isFolder);
    EXPECT_FALSE(folder.isLink);
    EXPECT_FALSE(folder.hasSize);

    RemoteEntry link = MlsdLineToEntry("Type=OS.unix=slink:/srv/target;size=6; latest");
    EXPECT_TRUE(link.isLink);
    EXPECT_TRUE(link.isFolder);
    EXPECT_EQ(link.name, L"latest");

    // The current and parent folder entries are folders named "." and "..",
    // also when the server names them by path.
    RemoteEntry current = MlsdLineToEntry("type=cdir;modify=20200101000000; /home/user/docs");
    EXPECT_EQ(current.name, L".");
    EXPECT_TRUE(current.isFolder);
    EXPECT_TRUE(IsDotEntry(current));
    RemoteEntry parent = MlsdLineToEntry("type=pdir; ..");
    EXPECT_EQ(parent.name, L"..");
    EXPECT_TRUE(IsDotEntry(parent));

    RemoteEntry unknown = MlsdLineToEntry("size=3; mystery");
    EXPECT_FALSE(unknown.hasKind);
    EXPECT_FALSE(unknown.hasModified);
    EXPECT_EQ(unknown.permissions, L"");
    EXPECT_TRUE(unknown.hasPermissions);
}

TEST(MlsdLines, NamesAreTakenAsTheyAre)
{
    // Spaces after the facts are skipped; spaces inside the name stay.
    EXPECT_EQ(MlsdLineToEntry("type=file;   two  spaces ").name, L"two  spaces ");
    EXPECT_EQ(MlsdLineToEntry("type=file; -dash").name, L"-dash");
    EXPECT_EQ(MlsdLineToEntry("type=file; \xc3\xa9t\xc3\xa9 \xe2\x82\xac").name, L"\u00e9t\u00e9 \u20ac");
    // A line without a space is all name.
    EXPECT_EQ(MlsdLineToEntry("lonely").name, L"lonely");
    // Bytes that are not UTF-8 are replaced, not rejected.
    EXPECT_EQ(MlsdLineToEntry("type=file; bad\xff.txt").name, L"bad\ufffd.txt");
    // A name that looks like facts is not read as facts.
    RemoteEntry tricky = MlsdLineToEntry("type=dir; size=99;modify=20200101000000;type=file;");
    EXPECT_TRUE(tricky.isFolder);
    EXPECT_FALSE(tricky.hasSize);
    EXPECT_FALSE(tricky.hasModified);
    // A long name is cut, not rejected.
    std::string longName(400, 'n');
    EXPECT_EQ(MlsdLineToEntry("type=file; " + longName).name, std::wstring(259, L'n'));
}

TEST(MlsdLines, BadFactValuesAreLeftUnknown)
{
    RemoteEntry entry = MlsdLineToEntry("modify=2024;size=lots;type=file; x");
    EXPECT_FALSE(entry.hasModified);
    EXPECT_FALSE(entry.hasSize);
    EXPECT_FALSE(MlsdLineToEntry("size=99999999999999999999999;type=file; x").hasSize);
    EXPECT_EQ(MlsdLineToEntry("size=18446744073709551615;type=file; x").size, 18446744073709551615u);
    // "media-type" is another fact, not "type".
    EXPECT_FALSE(MlsdLineToEntry("media-type=text/plain; x").hasKind);
}

TEST(FactValues, MlstAnswerLines)
{
    // MLST continuation lines begin with a space.
    std::string line = " Type=file;Size=42;Modify=20231104010203;UNIX.mode=0755; /pub/a.txt";
    EXPECT_EQ(FactValue(line, "size"), "42");
    EXPECT_EQ(FactValue(line, "type"), "file");
    EXPECT_EQ(FactValue(line, "mode"), "0755");
    EXPECT_EQ(FactValue(line, "modify"), "20231104010203");
    EXPECT_FALSE(FactValue(line, "perm"));
    EXPECT_FALSE(FactValue("250 Listing /pub/a.txt", "size"));
    EXPECT_EQ(FactTimeToSeconds("20231104010203"), *UtcTimeToSeconds({2023, 11, 4, 1, 2, 3}));
}

TEST(FactValues, KindOfTypeFact)
{
    EXPECT_EQ(KindOfTypeFact("file"), RemoteKind::File);
    EXPECT_EQ(KindOfTypeFact("dir"), RemoteKind::Folder);
    EXPECT_EQ(KindOfTypeFact("cdir"), RemoteKind::Folder);
    EXPECT_EQ(KindOfTypeFact("os.unix=slink:/x"), RemoteKind::Link);
    EXPECT_EQ(KindOfTypeFact("os.unix=blockdev"), RemoteKind::Folder);
}

TEST(ListLines, UnixFileFolderAndLink)
{
    RemoteEntry entry;
    ASSERT_TRUE(ListLineToEntry("-rw-r--r--    1 ftp      staff        1234 Mar 03 14:05 a b.txt", kToday, entry));
    EXPECT_EQ(entry.name, L"a b.txt");
    EXPECT_EQ(entry.size, 1234u);
    EXPECT_TRUE(entry.hasSize && entry.hasKind && entry.hasModified);
    EXPECT_FALSE(entry.isFolder || entry.isLink);
    EXPECT_EQ(entry.permissions, L"-rw-r--r--");
    EXPECT_EQ(entry.owner, L"ftp");
    EXPECT_EQ(entry.group, L"staff");
    // The server's local time, seconds 0, year from today's date.
    EXPECT_EQ(entry.modified, *LocalTimeToSeconds({2024, 3, 3, 14, 5, 0}));

    ASSERT_TRUE(ListLineToEntry("drwxr-xr-x    2 ftp      ftp          4096 Jan 01  2019 docs", kToday, entry));
    EXPECT_TRUE(entry.isFolder);
    EXPECT_EQ(entry.modified, *LocalTimeToSeconds({2019, 1, 1, 0, 0, 0}));

    ASSERT_TRUE(ListLineToEntry("lrwxrwxrwx    1 ftp      ftp             6 Jan 01  2019 latest -> target", kToday,
                                entry));
    EXPECT_TRUE(entry.isLink);
    EXPECT_EQ(entry.name, L"latest -> target");
}

TEST(ListLines, DosFolderAndRejectedLines)
{
    RemoteEntry entry;
    ASSERT_TRUE(ListLineToEntry("01-02-24  03:04PM       <DIR>          Program Files", kToday, entry));
    EXPECT_TRUE(entry.isFolder);
    EXPECT_EQ(entry.size, 0u);
    EXPECT_EQ(entry.name, L"Program Files");
    EXPECT_EQ(entry.modified, *LocalTimeToSeconds({2024, 1, 2, 15, 4, 0}));

    EXPECT_FALSE(ListLineToEntry("total 42", kToday, entry));
    EXPECT_FALSE(ListLineToEntry("", kToday, entry));
}
