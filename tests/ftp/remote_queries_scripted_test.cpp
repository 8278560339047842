// Per-name queries against the scripted server: servers without MDTM, SIZE
// and MLST, and the answers that make each method give way to the next.
#include <ctime>

#include "ftp/RemoteListing.h"
#include "ftp/RemoteTime.h"
#include "ftp/ScriptedSession.h"

namespace {

class ScriptedQueries : public ScriptedSession {};

}  // namespace

TEST_F(ScriptedQueries, ModifiedTimeOnAWindowsServerSwitchesItsListingStyle)
{
    server.ExpectLine().Reply("215 Windows_NT");
    server.ExpectLine().Reply("200 MSDOS-like directory output is off");
    server.ExpectLine().Reply("200 MSDOS-like directory output is on");
    ListingAnswer("02-29-24  01:30PM                 1234 report.txt.bak\r\n"
                  "03-01-24  09:05AM                  999 report.txt\r\n");
    // The second query asks no SYST and switches once.
    server.ExpectLine().Reply("200 MSDOS-like directory output is on");
    ListingAnswer("-rw-r--r--    1 ftp      ftp          1234 Jan 02  2019 other.txt\r\n");
    Connect();
    int64_t time = 0;
    ASSERT_EQ(GetRemoteModifiedTime(context, session, L"report.txt", time), NetResult::Ok) << log.All();
    EXPECT_EQ(time, *LocalTimeToSeconds({2024, 3, 1, 9, 5, 0}));
    ASSERT_EQ(GetRemoteModifiedTime(context, session, L"other.txt", time), NetResult::Ok) << log.All();
    EXPECT_EQ(time, *LocalTimeToSeconds({2019, 1, 2, 0, 0, 0}));
    ExpectScriptDone();
    EXPECT_EQ(server.Received(),
              (Lines{"SYST\r\n", "site dirstyle\r\n", "site dirstyle\r\n", "TYPE A\r\n", "PASV\r\n",
                     "LIST report.txt*\r\n", "site dirstyle\r\n", "TYPE A\r\n", "PASV\r\n", "LIST other.txt*\r\n"}));
    EXPECT_TRUE(session.Has(SystQueried) && session.Has(SystWindows));
}

TEST_F(ScriptedQueries, ModifiedTimeOnAUnixServerListsTheNameItself)
{
    server.ExpectLine().Reply("215 UNIX Type: L8");
    ListingAnswer("-rw-r--r--    1 ftp      ftp          1234 Jan 02  2019 some file\r\n");
    ListingAnswer("");
    Connect();
    int64_t time = 0;
    ASSERT_EQ(GetRemoteModifiedTime(context, session, L"some file", time), NetResult::Ok);
    EXPECT_EQ(time, *LocalTimeToSeconds({2019, 1, 2, 0, 0, 0}));
    // A name nowhere to be found keeps the starting value: now.
    int64_t before = static_cast<int64_t>(std::time(nullptr));
    ASSERT_EQ(GetRemoteModifiedTime(context, session, L"missing", time), NetResult::Ok);
    EXPECT_GE(time, before);
    EXPECT_LE(time, static_cast<int64_t>(std::time(nullptr)));
    ExpectScriptDone();
    EXPECT_EQ(server.Received(), (Lines{"SYST\r\n", "TYPE A\r\n", "PASV\r\n", "LIST some file\r\n", "TYPE A\r\n",
                                        "PASV\r\n", "LIST missing\r\n"}));
}

TEST_F(ScriptedQueries, ModifiedTimeFromMdtmThenMlstThenTheParentsMlsd)
{
    server.ExpectLine().Reply("213 20240229123456");
    server.ExpectLine().Reply("550 Could not get file modification time.");
    server.ExpectLine().Reply("250-Listing a.txt").Reply(" Type=file;Modify=20231104010203; a.txt").Reply("250 End");
    server.ExpectLine().Reply("550 no");
    server.ExpectLine().Reply("550 no");
    ListingAnswer("type=file;modify=20200101000000; xa.txt\r\n"
                  "type=file;modify=20210101000000; a.txt\r\n");
    Connect(FeatQueried | HasMdtm | MlstModify | HasMlsd);
    int64_t time = 0;
    ASSERT_EQ(GetRemoteModifiedTime(context, session, L"a.txt", time), NetResult::Ok);
    EXPECT_EQ(time, 1709210096);
    ASSERT_EQ(GetRemoteModifiedTime(context, session, L"a.txt", time), NetResult::Ok);
    EXPECT_EQ(time, *UtcTimeToSeconds({2023, 11, 4, 1, 2, 3}));
    ASSERT_EQ(GetRemoteModifiedTime(context, session, L"/pub/a.txt", time), NetResult::Ok);
    EXPECT_EQ(time, *UtcTimeToSeconds({2021, 1, 1, 0, 0, 0})) << "the line of a.txt, not of xa.txt";
    ExpectScriptDone();
    EXPECT_EQ(server.Received(), (Lines{"MDTM a.txt\r\n", "MDTM a.txt\r\n", "MLST a.txt\r\n", "MDTM /pub/a.txt\r\n",
                                        "MLST /pub/a.txt\r\n", "TYPE A\r\n", "PASV\r\n", "MLSD /pub\r\n"}));
}

TEST_F(ScriptedQueries, SizeOfAMissingFileIsZeroWhenMlstSaysSo)
{
    server.ExpectLine().Reply("550 No such file");
    server.ExpectLine().Reply("250-Listing b").Reply(" type=file;size=77; b").Reply("250 End");
    Connect(FeatQueried | MlstSize | HasSize);
    uint64_t size = 5;
    EXPECT_EQ(GetRemoteSize(context, session, L"a", size), NetResult::Ok);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(GetRemoteSize(context, session, L"b", size), NetResult::Ok);
    EXPECT_EQ(size, 77u);
    ExpectScriptDone();
    EXPECT_EQ(server.Received(), (Lines{"MLST a\r\n", "MLST b\r\n"}));
}

TEST_F(ScriptedQueries, SizeFromSizeOrFromAListLine)
{
    server.ExpectLine().Reply("200 Binary").ExpectLine().Reply("213 1234");
    // TYPE I refused: SIZE is not asked; LIST matches the name ignoring case.
    server.ExpectLine().Reply("504 No binary");
    ListingAnswer("-rw-r--r--    1 ftp      ftp            99 Jan 02  2019 REPORT.TXT\r\n");
    // A server that announced SIZE and refuses it knows no such file.
    server.ExpectLine().Reply("200 Binary").ExpectLine().Reply("550 No such file");
    // Without FEAT the refusal proves nothing: a listing is asked. The
    // session is still in binary mode: no TYPE I.
    server.ExpectLine().Reply("500 FEAT not understood");
    server.ExpectLine().Reply("550 No such file");
    ListingAnswer("");
    Connect(FeatQueried | HasSize);
    uint64_t size = 0;
    EXPECT_EQ(GetRemoteSize(context, session, L"a.bin", size), NetResult::Ok);
    EXPECT_EQ(size, 1234u);
    session.transferType = 0;  // as after a new log-in: TYPE I is asked again
    EXPECT_EQ(GetRemoteSize(context, session, L"report.txt", size), NetResult::Ok);
    EXPECT_EQ(size, 99u);
    size = 7;
    EXPECT_EQ(GetRemoteSize(context, session, L"gone", size), NetResult::Ok);
    EXPECT_EQ(size, 0u);
    session.features = 0;
    size = 7;
    EXPECT_EQ(GetRemoteSize(context, session, L"gone", size), NetResult::Failed);
    EXPECT_EQ(size, 0u);
    ExpectScriptDone();
    EXPECT_EQ(server.Received(),
              (Lines{"TYPE I\r\n", "SIZE a.bin\r\n", "TYPE I\r\n", "TYPE A\r\n", "PASV\r\n", "LIST report.txt\r\n",
                     "TYPE I\r\n", "SIZE gone\r\n", "FEAT\r\n", "SIZE gone\r\n", "TYPE A\r\n", "PASV\r\n",
                     "LIST gone\r\n"}));
}

TEST_F(ScriptedQueries, KindFromMlstUntilItFailsThenFromList)
{
    server.ExpectLine().Reply("250-Listing docs").Reply(" type=dir;modify=20200101000000; docs").Reply("250 End");
    server.ExpectLine().Reply("550 No such file");
    ListingAnswer("lrwxrwxrwx    1 ftp      ftp             4 Jan 01  2019 latest -> docs\r\n");
    ListingAnswer("-rw-r--r--    1 ftp      ftp             4 Jan 01  2019 a.txt\r\n");
    Connect(FeatQueried | MlstType);
    RemoteKind kind = RemoteKind::Unknown;
    EXPECT_EQ(GetRemoteKind(context, session, L"docs", kind), NetResult::Ok);
    EXPECT_EQ(kind, RemoteKind::Folder);
    EXPECT_EQ(GetRemoteKind(context, session, L"latest", kind), NetResult::Ok);
    EXPECT_EQ(kind, RemoteKind::Link);
    EXPECT_TRUE(session.Has(MlstFailed));
    // MLST is not tried again; a name not listed stays Unknown.
    EXPECT_EQ(GetRemoteKind(context, session, L"missing", kind), NetResult::Failed);
    EXPECT_EQ(kind, RemoteKind::Unknown);
    EXPECT_EQ(GetRemoteKind(context, session, L"", kind), NetResult::Failed);
    ExpectScriptDone();
    EXPECT_EQ(server.Received(), (Lines{"MLST docs\r\n", "MLST latest\r\n", "TYPE A\r\n", "PASV\r\n", "LIST .\r\n",
                                        "TYPE A\r\n", "PASV\r\n", "LIST .\r\n"}));
}

TEST_F(ScriptedQueries, KindFromAnMlsdProbeUntilItFails)
{
    ListingAnswer("type=file; inner.txt\r\n");
    OpenData().ExpectLine().Reply("501 Not a directory").CloseData();
    ListingAnswer("");  // "LIST ." gives nothing on some servers
    ListingAnswer("-rw-r--r--    1 ftp      ftp             4 Jan 01  2019 a.txt\r\n");
    ListingAnswer("-rw-r--r--    1 ftp      ftp             4 Jan 01  2019 a.txt\r\n");
    Connect(FeatQueried | HasMlsd);
    RemoteKind kind = RemoteKind::Unknown;
    EXPECT_EQ(GetRemoteKind(context, session, L"docs", kind), NetResult::Ok);
    EXPECT_EQ(kind, RemoteKind::Folder);
    EXPECT_EQ(GetRemoteKind(context, session, L"a.txt", kind), NetResult::Ok);
    EXPECT_EQ(kind, RemoteKind::File);
    EXPECT_TRUE(session.Has(MlsdFailed));
    // From now on folders are listed with LIST.
    RemoteListing listing;
    EXPECT_EQ(ListRemoteFolder(context, session, listing), NetResult::Ok);
    EXPECT_EQ(listing.count, 1u);
    ExpectScriptDone();
    EXPECT_EQ(server.Received(), (Lines{"TYPE A\r\n", "PASV\r\n", "MLSD docs\r\n", "TYPE A\r\n", "PASV\r\n",
                                        "MLSD a.txt\r\n", "TYPE A\r\n", "PASV\r\n", "LIST .\r\n", "TYPE A\r\n",
                                        "PASV\r\n", "LIST \r\n", "TYPE A\r\n", "PASV\r\n", "LIST\r\n"}));
}

TEST_F(ScriptedQueries, PermissionsOwnerAndGroup)
{
    // MLSD of the folder holding the name gives the mode fact.
    ListingAnswer("type=file;UNIX.mode=0640; a.txt\r\n");
    // Without a mode fact the LIST column is used.
    ListingAnswer("type=file;size=1; b.txt\r\n");
    const char list[] = "-rwxr-x---    1 alice    staff           1 Jan 01  2019 b.txt\r\n";
    ListingAnswer(list);
    ListingAnswer(list);
    ListingAnswer(list);
    Connect(FeatQueried | HasMlsd);
    std::wstring text;
    EXPECT_EQ(GetRemotePermissions(context, session, L"a.txt", text), NetResult::Ok);
    EXPECT_EQ(text, L"0640");
    EXPECT_EQ(GetRemotePermissions(context, session, L"b.txt", text), NetResult::Ok);
    EXPECT_EQ(text, L"-rwxr-x---");
    EXPECT_EQ(GetRemoteOwner(context, session, L"b.txt", text), NetResult::Ok);
    EXPECT_EQ(text, L"alice");
    EXPECT_EQ(GetRemoteGroup(context, session, L"/pub/b.txt", text), NetResult::Ok);
    EXPECT_EQ(text, L"staff");
    ExpectScriptDone();
    EXPECT_EQ(server.Received(),
              (Lines{"TYPE A\r\n", "PASV\r\n", "MLSD\r\n", "TYPE A\r\n", "PASV\r\n", "MLSD\r\n", "TYPE A\r\n",
                     "PASV\r\n", "LIST\r\n", "TYPE A\r\n", "PASV\r\n", "LIST\r\n", "TYPE A\r\n", "PASV\r\n",
                     "LIST /pub\r\n"}));
}

TEST_F(ScriptedQueries, CancelledQueriesSendNothing)
{
    Connect(FeatQueried | HasMdtm | HasSize | MlstType);
    context.cancelled = true;
    int64_t time = 0;
    uint64_t size = 3;
    RemoteKind kind = RemoteKind::File;
    EXPECT_EQ(GetRemoteModifiedTime(context, session, L"a", time), NetResult::Cancelled);
    EXPECT_EQ(GetRemoteSize(context, session, L"a", size), NetResult::Cancelled);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(GetRemoteKind(context, session, L"a", kind), NetResult::Cancelled);
    EXPECT_EQ(kind, RemoteKind::Unknown);
    session.Close();
    ExpectScriptDone();
    EXPECT_TRUE(server.Received().empty());
}
