// tarnwick-cli compare and sync against pyftpdlib: what each side would get,
// a dry run that transfers nothing, the confirmation, and a second run that
// finds nothing to do.
#include <gtest/gtest.h>

#include "ops/JobTestSupport.h"
#include "support/ProcessRunner.h"
#include "support/ServedFiles.h"
#include "support/SharedRealServer.h"

namespace {

std::wstring UrlOf(const RealFtpServer& server)
{
    return L"ftp://" + server.User() + L":" + server.Password() + L"@" + server.HostText() + L"/";
}

bool Has(const ProcessResult& run, const std::string& text)
{
    return run.output.find(text) != std::string::npos;
}

ProcessResult Cli(const std::vector<std::wstring>& arguments)
{
    return RunSiblingProgram(L"tarnwick-cli.exe", arguments, 120000);
}

void MakeLocalFile(const std::wstring& path, const std::string& bytes, int64_t modified)
{
    WriteWholeFile(path, bytes);
    SetModifiedTime(path, modified);
}

}  // namespace

TEST(CliSync, CompareAndDryRunListTheDifferencesAndSyncMakesThemGo)
{
    RealFtpServer& server = SharedRealServer(RealFtpServer::Kind::Pyftpdlib);
    ASSERT_TRUE(server.Started()) << server.Error();
    const int64_t base = WholeMinuteNow() - 2 * 86400;
    ScratchFolder folder;
    const std::wstring local = folder.File(L"here");
    for (const wchar_t* sub : {L"", L"\\d1", L"\\d1\\d2"})
        CreateDirectoryW((local + sub).c_str(), nullptr);
    for (const wchar_t* sub : {L"/cli sync", L"/cli sync/d1", L"/cli sync/d1/d2"})
        MakeServedFolder(server.RootPath(sub));
    MakeLocalFile(local + L"\\d1\\d2\\mine.txt", "mine", base + 600);
    MakeServedFile(server.RootPath(L"/cli sync/d1/d2/mine.txt"), "older", base);
    MakeServedFile(server.RootPath(L"/cli sync/d1/theirs.txt"), "theirs", base + 60);
    MakeLocalFile(local + L"\\same.txt", "same", base + 5);
    MakeServedFile(server.RootPath(L"/cli sync/same.txt"), "same", base + 5);
    server.TakeOwnership();

    ProcessResult compare = Cli({L"compare", UrlOf(server), local, L"/cli sync"});
    EXPECT_EQ(compare.exitCode, 0u) << compare.output;
    EXPECT_TRUE(Has(compare, "Newer or missing here (1):")) << compare.output;
    EXPECT_TRUE(Has(compare, "/cli sync/d1: Download theirs.txt: not here")) << compare.output;
    EXPECT_TRUE(Has(compare, "Newer or missing on the server (1):")) << compare.output;
    EXPECT_TRUE(Has(compare, "/cli sync/d1/d2: Upload mine.txt: newer here")) << compare.output;
    EXPECT_FALSE(Has(compare, "same.txt")) << "equal files are no difference";

    const auto before = ReadTree(local);
    ProcessResult dry = Cli({L"sync", UrlOf(server), local, L"/cli sync", L"--dry-run"});
    EXPECT_EQ(dry.exitCode, 0u) << dry.output;
    EXPECT_TRUE(Has(dry, "/cli sync/d1: Download theirs.txt: not here")) << dry.output;
    EXPECT_TRUE(Has(dry, "/cli sync/d1/d2: Upload mine.txt: newer here")) << dry.output;
    EXPECT_TRUE(Has(dry, "1 to download, 1 to upload (dry run: nothing transferred).")) << dry.output;
    EXPECT_EQ(ReadTree(local), before);
    EXPECT_EQ(ReadWholeFile(server.RootPath(L"/cli sync/d1/d2/mine.txt")), "older");

    // No console and no --yes: the confirmation is declined.
    ProcessResult declined = Cli({L"sync", UrlOf(server), local, L"/cli sync"});
    EXPECT_EQ(declined.exitCode, 1u) << declined.output;
    EXPECT_TRUE(Has(declined, "tarnwick-cli: Synchronize cancelled")) << declined.output;
    EXPECT_EQ(ReadTree(local), before);

    ProcessResult sync = Cli({L"sync", UrlOf(server), local, L"/cli sync", L"--yes", L"--overwrite"});
    EXPECT_EQ(sync.exitCode, 0u) << sync.output;
    EXPECT_TRUE(Has(sync, "Synchronize completed.")) << sync.output;
    EXPECT_EQ(ReadTree(local), ReadTree(server.RootPath(L"/cli sync")));
    EXPECT_EQ(ReadWholeFile(local + L"\\d1\\theirs.txt"), "theirs");
    EXPECT_EQ(ReadWholeFile(server.RootPath(L"/cli sync/d1/d2/mine.txt")), "mine");

    ProcessResult again = Cli({L"sync", UrlOf(server), local, L"/cli sync", L"--yes"});
    EXPECT_EQ(again.exitCode, 0u) << again.output;
    EXPECT_TRUE(Has(again, "0 to download, 0 to upload: done.")) << again.output;
}

TEST(CliSync, BadArgumentsAndMissingFoldersGiveOneLineAndANonZeroCode)
{
    RealFtpServer& server = SharedRealServer(RealFtpServer::Kind::Pyftpdlib);
    ASSERT_TRUE(server.Started()) << server.Error();
    ProcessResult tooFew = Cli({L"sync", UrlOf(server)});
    EXPECT_EQ(tooFew.exitCode, 2u) << tooFew.output;
    EXPECT_TRUE(Has(tooFew, "usage: tarnwick-cli sync")) << tooFew.output;
    ProcessResult both = Cli({L"sync", UrlOf(server), L"C:\\", L"--overwrite", L"--skip"});
    EXPECT_EQ(both.exitCode, 2u) << both.output;

    ScratchFolder folder;
    ProcessResult noLocal = Cli({L"compare", UrlOf(server), folder.File(L"nothing here")});
    EXPECT_EQ(noLocal.exitCode, 1u) << noLocal.output;
    EXPECT_TRUE(Has(noLocal, "tarnwick-cli: no local folder")) << noLocal.output;
    // The refused folder costs reconnects, which give the command a new session.
    ProcessResult noRemote = Cli({L"sync", UrlOf(server), folder.Path(), L"/no such folder", L"--yes"});
    EXPECT_EQ(noRemote.exitCode, 1u) << noRemote.output;
    EXPECT_TRUE(Has(noRemote, "tarnwick-cli: Synchronize failed")) << noRemote.output;
}
