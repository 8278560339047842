// Synchronize and Compare Directories of a small tree with differences at
// every level, against an MLSD server, vsftpd (LIST with MDTM) and a server
// that gives its times only in LIST lines.
#include <gtest/gtest.h>

#include <set>

#include "ftp/TransferTestSupport.h"
#include "ops/JobTestSupport.h"
#include "ops/Synchronize.h"
#include "support/ScriptedPrompt.h"
#include "support/ServedFiles.h"

namespace {

using Kind = RealFtpServer::Kind;

struct ServerCase {
    const char* name;
    Kind kind;
    const char* options;
    bool seconds;  // the server tells times to the second (MLSD or MDTM)
};

class SynchronizeTree : public ::testing::TestWithParam<ServerCase> {};

void MakeLocalFile(const std::wstring& path, const std::string& bytes, int64_t modified)
{
    WriteWholeFile(path, bytes);
    SetModifiedTime(path, modified);
}

// Both sides share "a\b\c"; the remote "a\b" is older than the local one
// while a file inside it is newer, which only a file-by-file walk gets right.
// Times are days back, so that LIST shows the minute, and carry seconds that
// LIST leaves out.
void MakeTrees(const std::wstring& local, const RealFtpServer& server, int64_t base)
{
    const int64_t hour = 3600;
    for (const wchar_t* folder : {L"", L"\\a", L"\\a\\b", L"\\a\\b\\c", L"\\a\\new-here"})
        CreateDirectoryW((local + folder).c_str(), nullptr);
    for (const wchar_t* folder : {L"/sync", L"/sync/a", L"/sync/a/b", L"/sync/a/b/c", L"/sync/a/b/new-there"})
        MakeServedFolder(server.RootPath(folder));
    auto remote = [&](const wchar_t* path) { return server.RootPath(std::wstring(L"/sync/") + path); };

    MakeLocalFile(local + L"\\same.txt", "same", base + 7);
    MakeServedFile(remote(L"same.txt"), "same", base + 7);
    MakeLocalFile(local + L"\\a\\b\\c\\same deep.txt", "deep", base + 43);
    MakeServedFile(remote(L"a/b/c/same deep.txt"), "deep", base + 43);
    MakeLocalFile(local + L"\\a\\b\\c\\newer-here.txt", "new here", base + 2 * hour + 5);
    MakeServedFile(remote(L"a/b/c/newer-here.txt"), "older and longer there", base);
    MakeLocalFile(local + L"\\a\\b\\newer-there.txt", "old here", base);
    MakeServedFile(remote(L"a/b/newer-there.txt"), "new there", base + 3 * hour + 11);
    MakeLocalFile(local + L"\\a\\b\\c\\only-here.txt", "only here", base + 30);
    MakeLocalFile(local + L"\\a\\new-here\\x.txt", "x", base + 90);
    MakeServedFile(remote(L"a/b/c/only-there.txt"), "only there", base + 50);
    MakeServedFile(remote(L"a/b/new-there/y.txt"), "y", base + 70);
    MakeLocalFile(local + L"\\a\\b\\c\\same minute.txt", "10 s", base + 10);
    MakeServedFile(remote(L"a/b/c/same minute.txt"), "40 s", base + 40);
    SetModifiedTime(local + L"\\a\\b", base + 24 * hour);
    SetModifiedTime(remote(L"a/b"), base - 24 * hour);
}

// "D a\b\name" for what comes down, "U ..." for what goes up, relative to the
// local root.
std::set<std::wstring> PlanLines(const SyncPlan& plan, const std::wstring& localRoot)
{
    std::set<std::wstring> lines;
    auto relative = [&](const SyncItem& item, const std::wstring& name) {
        std::wstring folder = item.localFolder.substr(localRoot.size());
        return (folder.empty() ? L"" : folder.substr(1) + L"\\") + name;
    };
    for (const SyncItem& item : plan.downloads)
        lines.insert(L"D " + relative(item, item.decision.remote->name));
    for (const SyncItem& item : plan.uploads)
        lines.insert(L"U " + relative(item, item.decision.local->name));
    return lines;
}

}  // namespace

TEST_P(SynchronizeTree, BothSidesGetTheNewestCopyAndASecondRunTransfersNothing)
{
    RealFtpServer server(GetParam().kind, RealFtpServer::Tls::None, RealFtpServer::Certificate::Good,
                         GetParam().options);
    ASSERT_TRUE(server.Started()) << server.Error();
    ScratchFolder scratch;
    const std::wstring local = scratch.File(L"tree");
    MakeTrees(local, server, WholeMinuteNow() - 3 * 86400);
    server.TakeOwnership();
    CapturedLog log;
    DirectConnection connection(JobLoginFor(server), {});
    ASSERT_EQ(connection.Open(NullContext()), NetResult::Ok) << log.All();

    std::set<std::wstring> expected{
        L"D a\\b\\newer-there.txt", L"D a\\b\\new-there", L"D a\\b\\c\\only-there.txt",
        L"U a\\b\\c\\newer-here.txt", L"U a\\b\\c\\only-here.txt", L"U a\\new-here"};
    if (GetParam().seconds)  // a LIST line alone leaves the two in one minute
        expected.insert(L"D a\\b\\c\\same minute.txt");
    SyncPlan compared;
    std::wstring rootPath;
    ASSERT_EQ(CompareFolders(NullContext(), connection, local, L"/sync", {}, compared, rootPath), NetResult::Ok)
        << log.All();
    EXPECT_EQ(PlanLines(compared, local), expected) << log.All();

    const auto localBefore = ReadTree(local);
    const auto remoteBefore = ReadTree(server.RootPath(L"/sync"));
    ScriptedPrompt nothingAsked;
    SyncOptions dryRun;
    dryRun.dryRun = true;
    SyncPlan planned;
    ASSERT_EQ(SynchronizeFolders(NullContext(), connection, nothingAsked, local, L"/sync", dryRun, &planned),
              NetResult::Ok)
        << log.All();
    EXPECT_EQ(PlanLines(planned, local), expected) << "compare marks what a dry run would transfer";
    EXPECT_TRUE(nothingAsked.asked.empty());
    EXPECT_EQ(ReadTree(local), localBefore) << "a dry run transfers nothing";
    EXPECT_EQ(ReadTree(server.RootPath(L"/sync")), remoteBefore);

    bool noConfirmation = false;
    SyncOptions options;
    options.noConfirmation = &noConfirmation;
    ScriptedPrompt prompt{{true, true}, {true, true}, {true, true}};
    RecordingContext context;
    ASSERT_EQ(SynchronizeFolders(context, connection, prompt, local, L"/sync", options), NetResult::Ok) << log.All();
    ASSERT_FALSE(prompt.asked.empty());
    EXPECT_EQ(prompt.asked[0].caption, L"Synchronize");
    EXPECT_EQ(prompt.asked[0].checkBox, L"Do not ask again.");
    EXPECT_TRUE(noConfirmation);
    EXPECT_TRUE(log.Contains(L"Synchronizing...This may take a few minutes."));
    EXPECT_TRUE(log.Contains(L"Synchronize completed."));

    const auto synced = ReadTree(local);
    auto remoteSynced = ReadTree(server.RootPath(L"/sync"));
    if (!GetParam().seconds) {  // left alone on both sides
        EXPECT_EQ(remoteSynced[L"a\\b\\c\\same minute.txt"], "40 s");
        remoteSynced[L"a\\b\\c\\same minute.txt"] = "10 s";
    }
    EXPECT_EQ(synced, remoteSynced) << log.All();
    EXPECT_EQ(synced.at(L"a\\b\\newer-there.txt"), "new there");
    EXPECT_EQ(synced.at(L"a\\b\\c\\newer-here.txt"), "new here");
    EXPECT_EQ(synced.at(L"a\\b\\new-there\\y.txt"), "y");
    EXPECT_EQ(synced.at(L"a\\new-here\\x.txt"), "x");
    EXPECT_EQ(synced.at(L"a\\b\\c\\same minute.txt"), GetParam().seconds ? "40 s" : "10 s");

    ScriptedPrompt again;
    SyncPlan second;
    ASSERT_EQ(SynchronizeFolders(context, connection, again, local, L"/sync", options, &second), NetResult::Ok)
        << log.All();
    EXPECT_TRUE(again.asked.empty()) << "\"Do not ask again.\" holds for the run";
    EXPECT_EQ(PlanLines(second, local), std::set<std::wstring>{}) << log.All();
    EXPECT_EQ(ReadTree(local), synced);
}

INSTANTIATE_TEST_SUITE_P(Servers, SynchronizeTree,
                         ::testing::Values(ServerCase{"Vsftpd", Kind::Vsftpd, "", true},
                                           ServerCase{"Pyftpdlib", Kind::Pyftpdlib, "", true},
                                           ServerCase{"ListOnly", Kind::Pyftpdlib, "list-only", false}),
                         [](const auto& info) { return std::string(info.param.name); });
