// Synchronize and Compare Directories: one decision per name of a folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ops/SyncDecisions.h"
#include "ops/SyncReport.h"

namespace {

constexpr int64_t kTen = 1709287200;  // 2024-03-01 10:00:00 UTC

SyncEntry File(const wchar_t* name, int64_t seconds, TimePrecision precision = TimePrecision::Second,
               uint64_t size = 100)
{
    return {name, false, size, {seconds, precision}};
}

SyncEntry Folder(const wchar_t* name, int64_t seconds = kTen, TimePrecision precision = TimePrecision::Second)
{
    return {name, true, 0, {seconds, precision}};
}

// "Upload a.txt" and so on: the action and the name of each decision, the
// remote one where there is one.
std::vector<std::wstring> Summary(const std::vector<SyncDecision>& decisions)
{
    std::vector<std::wstring> out;
    for (const SyncDecision& d : decisions) {
        std::wstring line = SyncDecisionLine(d);
        out.push_back(line.substr(0, line.find(L": ")));
    }
    return out;
}

std::vector<SyncDecision> Decide(const std::vector<SyncEntry>& local, const std::vector<SyncEntry>& remote,
                                 RemoteNameRules rules = {})
{
    return DecideSync(local, remote, rules);
}

}  // namespace

TEST(SyncDecisions, NewerFilesGoToTheOtherSideAndEqualOnesStay)
{
    std::vector<SyncDecision> d = Decide({File(L"same.txt", kTen), File(L"mine.txt", kTen + 5, TimePrecision::Second, 10),
                                          File(L"theirs.txt", kTen)},
                                         {File(L"theirs.txt", kTen + 1), File(L"mine.txt", kTen, TimePrecision::Second, 5000),
                                          File(L"same.txt", kTen)});
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[0].action, SyncAction::Download);
    EXPECT_EQ(d[0].reason, SyncReason::RemoteNewer);
    EXPECT_EQ(d[0].local->name, L"theirs.txt");
    EXPECT_EQ(d[0].remote->name, L"theirs.txt");
    // Newer wins even when it is smaller.
    EXPECT_EQ(d[1].action, SyncAction::Upload);
    EXPECT_EQ(d[1].reason, SyncReason::LocalNewer);
    EXPECT_EQ(d[2].action, SyncAction::Skip);
    EXPECT_EQ(d[2].reason, SyncReason::SameTime);
}

TEST(SyncDecisions, FilesMissingOnOneSideAreSent)
{
    std::vector<SyncDecision> d =
        Decide({File(L"only-here.txt", kTen), Folder(L"new-folder"), File(L"both", kTen)},
               {File(L"only-there.txt", kTen), File(L"both", kTen), Folder(L"remote-folder")});
    EXPECT_EQ(Summary(d), (std::vector<std::wstring>{L"Download only-there.txt", L"Skip both",
                                                     L"Download remote-folder", L"Upload only-here.txt",
                                                     L"Upload new-folder"}));
    EXPECT_EQ(d[0].reason, SyncReason::OnlyRemote);
    EXPECT_FALSE(d[0].local);
    EXPECT_EQ(d[2].reason, SyncReason::OnlyRemote);
    EXPECT_TRUE(d[2].remote->isFolder);
    EXPECT_EQ(d[3].reason, SyncReason::OnlyLocal);
    EXPECT_FALSE(d[3].remote);
    EXPECT_EQ(d[4].reason, SyncReason::OnlyLocal);
}

TEST(SyncDecisions, AFolderOnBothSidesIsEnteredWhateverItsTimes)
{
    // An older remote folder may still hold newer files: its own time decides
    // nothing, and a server without folder times changes nothing either.
    std::vector<SyncDecision> d = Decide({Folder(L"docs", kTen + 3600), Folder(L"src", kTen), Folder(L"img")},
                                         {Folder(L"docs", kTen), Folder(L"src", kTen + 3600), Folder(L"img", 0, TimePrecision::Unknown)});
    ASSERT_EQ(d.size(), 3u);
    for (const SyncDecision& decision : d) {
        EXPECT_EQ(decision.action, SyncAction::Descend) << decision.remote->name;
        EXPECT_EQ(decision.reason, SyncReason::FolderOnBoth);
    }
}

TEST(SyncDecisions, ASecondRunOverAListingWithMinutesTransfersNothing)
{
    // After the first run the local files carry the server's times to the
    // second; LIST shows them to the minute (or the day, for old files).
    std::vector<SyncEntry> local = {File(L"a.txt", kTen + 59), File(L"b.txt", kTen + 1), File(L"old.txt", kTen - 3 * 3600)};
    std::vector<SyncEntry> remote = {File(L"a.txt", kTen, TimePrecision::Minute), File(L"b.txt", kTen, TimePrecision::Minute),
                                     File(L"old.txt", kTen - 10 * 3600, TimePrecision::Day)};
    for (const SyncDecision& decision : Decide(local, remote))
        EXPECT_EQ(decision.reason, SyncReason::SameTime) << SyncDecisionLine(decision);
    // A real change at minute precision is still seen.
    local[0].modified.seconds = kTen + 60;
    EXPECT_EQ(Decide(local, remote)[0].action, SyncAction::Upload);
    remote[1].modified.seconds = kTen + 120;
    EXPECT_EQ(Decide(local, remote)[1].action, SyncAction::Download);
}

TEST(SyncDecisions, FilesWithoutATimeAndMixedKindsAreLeftAlone)
{
    std::vector<SyncDecision> d =
        Decide({File(L"notime.txt", kTen), Folder(L"mixed"), File(L"mixed2", kTen)},
               {File(L"notime.txt", 0, TimePrecision::Unknown), File(L"mixed", kTen - 60), Folder(L"mixed2")});
    EXPECT_EQ(Summary(d), (std::vector<std::wstring>{L"Skip notime.txt", L"Skip mixed", L"Skip mixed2"}));
    EXPECT_EQ(d[0].reason, SyncReason::NoTime);
    EXPECT_EQ(d[1].reason, SyncReason::KindsDiffer);
    EXPECT_EQ(d[2].reason, SyncReason::KindsDiffer);
}

TEST(SyncDecisions, NamesPairIgnoringCaseAndClashesAreSkipped)
{
    std::vector<SyncDecision> d =
        Decide({File(L"Readme.TXT", kTen + 60), File(L"notes.txt", kTen)},
               {File(L"readme.txt", kTen), File(L"Notes.txt", kTen), File(L"NOTES.TXT", kTen)});
    EXPECT_EQ(Summary(d), (std::vector<std::wstring>{L"Upload readme.txt", L"Skip Notes.txt", L"Skip NOTES.TXT",
                                                     L"Skip notes.txt"}));
    EXPECT_EQ(d[0].local->name, L"Readme.TXT");
    for (size_t i = 1; i < d.size(); ++i)
        EXPECT_EQ(d[i].reason, SyncReason::NamesClash);

    // Two remote names that one local file cannot both hold are not downloaded.
    d = Decide({}, {File(L"A.txt", kTen), File(L"a.txt", kTen), File(L"b.txt", kTen)});
    EXPECT_EQ(Summary(d), (std::vector<std::wstring>{L"Skip A.txt", L"Skip a.txt", L"Download b.txt"}));
}

TEST(SyncDecisions, LocalNamesPairAfterTheRemoteNameRules)
{
    RemoteNameRules rules{true, true};
    std::vector<SyncDecision> d = Decide({File(L"My File.TXT", kTen), File(L"a b", kTen), File(L"a_b", kTen)},
                                         {File(L"my_file.txt", kTen)}, rules);
    EXPECT_EQ(Summary(d), (std::vector<std::wstring>{L"Skip my_file.txt", L"Skip a b", L"Skip a_b"}));
    EXPECT_EQ(d[0].reason, SyncReason::SameTime);
    EXPECT_EQ(d[1].reason, SyncReason::NamesClash);

    // Without the rules the names are different files.
    d = Decide({File(L"My File.TXT", kTen)}, {File(L"my_file.txt", kTen)});
    EXPECT_EQ(Summary(d), (std::vector<std::wstring>{L"Download my_file.txt", L"Upload My File.TXT"}));
}

TEST(SyncDecisions, RemoteNamesThatCannotBeLocalAreSkippedWithTheReason)
{
    std::vector<SyncDecision> d = Decide({File(L"con.txt", kTen)},
                                         {File(L"con.txt", kTen), File(L"a:b", kTen), File(L"x.", kTen), Folder(L"..")});
    EXPECT_EQ(Summary(d), (std::vector<std::wstring>{L"Skip con.txt", L"Skip a:b", L"Skip x.", L"Upload con.txt"}));
    EXPECT_EQ(d[0].reason, SyncReason::NameRefused);
    EXPECT_EQ(d[0].refusal, L"the name is a reserved device name");
    EXPECT_EQ(SyncDecisionLine(d[1]), L"Skip a:b: the name holds \":\" (a drive or an alternate data stream)");
}

TEST(SyncDecisions, DotEntriesAreLeftOut)
{
    std::vector<SyncDecision> d =
        Decide({Folder(L"."), Folder(L"..")}, {Folder(L"."), Folder(L".."), Folder(L"./"), Folder(L"../"), File(L"f", kTen)});
    EXPECT_EQ(Summary(d), (std::vector<std::wstring>{L"Download f"}));
    EXPECT_TRUE(Decide({}, {}).empty());
}

TEST(SyncReport, LinesNameTheActionAndWhy)
{
    std::vector<SyncDecision> d = Decide({File(L"mine.txt", kTen + 5, TimePrecision::Second, 120), Folder(L"docs"),
                                          File(L"same", kTen + 30), File(L"extra", kTen)},
                                         {File(L"mine.txt", kTen - 3600, TimePrecision::Minute, 100), Folder(L"docs"),
                                          File(L"same", kTen, TimePrecision::Minute, 7), File(L"new", kTen, TimePrecision::Day)});
    std::vector<std::wstring> lines;
    for (const SyncDecision& decision : d)
        lines.push_back(SyncDecisionLine(decision));
    EXPECT_EQ(lines, (std::vector<std::wstring>{
                         L"Upload mine.txt: newer here (2024-03-01 10:00:05 UTC, 120 bytes) than on the server "
                         L"(2024-03-01 09:00 UTC, 100 bytes)",
                         L"Compare inside docs: a folder here and on the server",
                         L"Skip same: the same time here (2024-03-01 10:00:30 UTC, 100 bytes) and on the server "
                         L"(2024-03-01 10:00 UTC, 7 bytes)",
                         L"Download new: not here",
                         L"Upload extra: not on the server",
                     }));
    d = Decide({File(L"old", kTen)}, {File(L"old", kTen + 86400, TimePrecision::Day)});
    EXPECT_EQ(SyncDecisionLine(d[0]), L"Download old: newer on the server (the day from 2024-03-02 10:00 UTC, 100 bytes) "
                                      L"than here (2024-03-01 10:00:00 UTC, 100 bytes)");
    d = Decide({File(L"t", kTen), Folder(L"k")}, {File(L"t", 0, TimePrecision::Unknown), File(L"k", kTen)});
    EXPECT_EQ(SyncDecisionLine(d[0]), L"Skip t: no time to compare here (2024-03-01 10:00:00 UTC, 100 bytes) and on the "
                                      L"server (no time, 100 bytes)");
    EXPECT_EQ(SyncDecisionLine(d[1]), L"Skip k: a folder here, a file on the server");
    d = Decide({}, {File(L"A", kTen), File(L"a", kTen)});
    EXPECT_EQ(SyncDecisionLine(d[0]), L"Skip A: names that differ only in case (or in \" \" and \"_\") cannot be told apart");
}
