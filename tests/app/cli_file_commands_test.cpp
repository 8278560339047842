// tarnwick-cli chmod and rm -r end to end, and the order of standard output
// and standard error now that output is buffered.
#include <gtest/gtest.h>

#include "app/CliRun.h"
#include "support/ServedFiles.h"
#include "support/TestLog.h"

namespace {

// The last column of the ls line of name.
std::string PermissionsListed(const ProcessResult& run, const std::string& name)
{
    size_t start = run.output.find("\n" + name + "\t");
    if (start == std::string::npos)
        return {};
    size_t end = run.output.find("\r\n", start + 1);
    std::string line = run.output.substr(start + 1, end - start - 1);
    return line.substr(line.rfind('\t') + 1);
}

}  // namespace

TEST(CliFileCommands, ChmodSetsTheDigitsOnEveryNameAndFailsForAnyRefusal)
{
    RealFtpServer server(RealFtpServer::Kind::Vsftpd);
    ASSERT_TRUE(server.Started()) << server.Error();
    MakeServedFile(server.RootPath(L"/a.txt"), "a", WholeMinuteNow());
    MakeServedFile(server.RootPath(L"/b.txt"), "b", WholeMinuteNow());
    server.TakeOwnership();
    std::wstring url = UrlOf(server);

    ProcessResult run = Cli({L"chmod", url, L"750", L"a.txt", L"b.txt"});
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(Has(run, "File permissions set for file a.txt.")) << run.output;
    EXPECT_TRUE(Has(run, "File permissions set for file b.txt.")) << run.output;
    EXPECT_TRUE(Has(run, "Permissions set to 750")) << run.output;
    run = Cli({L"ls", url});
    EXPECT_EQ(PermissionsListed(run, "a.txt"), "-rwxr-x---") << run.output;
    EXPECT_EQ(PermissionsListed(run, "b.txt"), "-rwxr-x---") << run.output;

    run = Cli({L"chmod", url, L"0644", L"missing.txt", L"a.txt"});
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    EXPECT_TRUE(Has(run, "Changing file permissions failed for file missing.txt.")) << run.output;
    EXPECT_TRUE(Has(run, "File permissions set for file a.txt.")) << run.output;
    EXPECT_TRUE(Has(run, "tarnwick-cli: the permissions were not changed for every name")) << run.output;

    run = Cli({L"chmod", url, L"789", L"a.txt"});
    EXPECT_EQ(run.exitCode, 2u) << run.output;
    EXPECT_TRUE(Has(run, "\"789\" are not permission digits")) << run.output;
    EXPECT_FALSE(Has(run, "Response:")) << "refused before connecting: " << run.output;
    run = Cli({L"chmod", url, L"755"});
    EXPECT_EQ(run.exitCode, 2u) << run.output;
    EXPECT_TRUE(Has(run, "usage: tarnwick-cli chmod URL|LABEL DIGITS NAME...")) << run.output;
}

TEST(CliFileCommands, RecursiveRmDeletesFilesAndTreesOnlyWhenConfirmed)
{
    RealFtpServer server(RealFtpServer::Kind::Pyftpdlib);
    ASSERT_TRUE(server.Started()) << server.Error();
    int64_t now = WholeMinuteNow();
    MakeServedFolder(server.RootPath(L"/base"));
    MakeServedFile(server.RootPath(L"/base/a.txt"), "a", now);
    MakeServedFile(server.RootPath(L"/base/keep.txt"), "k", now);
    MakeServedFolder(server.RootPath(L"/base/tree"));
    MakeServedFile(server.RootPath(L"/base/tree/x.txt"), "x", now);
    MakeServedFolder(server.RootPath(L"/base/tree/deeper"));
    MakeServedFile(server.RootPath(L"/base/tree/deeper/y.txt"), "y", now);
    std::wstring url = UrlOf(server, L"/base");

    // Standard input is no console here: without --yes nothing is deleted.
    ProcessResult run = Cli({L"rm", L"-r", url, L"tree"});
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    EXPECT_TRUE(Has(run, "Are you sure you want to delete selected folder:\n\"tree\"?")) << run.output;
    EXPECT_TRUE(Has(run, "pass --yes")) << run.output;
    EXPECT_TRUE(Has(run, "tarnwick-cli: nothing deleted: the delete was not confirmed")) << run.output;
    EXPECT_TRUE(PathExists(server.RootPath(L"/base/tree/deeper/y.txt")));

    run = Cli({L"rm", L"-r", L"--yes", url, L"tree", L"a.txt"});
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(Has(run, "Are you sure you want to delete the selected files or directories?")) << run.output;
    EXPECT_TRUE(Has(run, "Deleting folder: tree")) << run.output;
    EXPECT_TRUE(Has(run, "Deleting file: a.txt")) << run.output;
    EXPECT_TRUE(Has(run, "Deleted 2 name(s)")) << run.output;
    EXPECT_FALSE(PathExists(server.RootPath(L"/base/tree")));
    EXPECT_FALSE(PathExists(server.RootPath(L"/base/a.txt")));
    EXPECT_TRUE(PathExists(server.RootPath(L"/base/keep.txt")));

    run = Cli({L"rm", L"-r", L"--yes", url, L"keep.txt", L"missing"});
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    EXPECT_TRUE(Has(run, "tarnwick-cli: no file or folder named missing")) << run.output;
    EXPECT_TRUE(PathExists(server.RootPath(L"/base/keep.txt"))) << "nothing deleted when a name is wrong";

    // Plain rm still deletes one file without asking.
    run = Cli({L"rm", url, L"keep.txt"});
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_FALSE(PathExists(server.RootPath(L"/base/keep.txt")));
    run = Cli({L"rm", L"-r", url});
    EXPECT_EQ(run.exitCode, 2u) << run.output;
    EXPECT_TRUE(Has(run, "usage: tarnwick-cli rm -r [--yes] URL|LABEL NAME...")) << run.output;
}

TEST(CliFileCommands, RecursiveRmFailsWhenTheServerKeepsAFolder)
{
    RealFtpServer server(RealFtpServer::Kind::Vsftpd);
    ASSERT_TRUE(server.Started()) << server.Error();
    server.TakeOwnership();
    // Made after the hand-over: the server's user cannot delete inside it.
    MakeServedFolder(server.RootPath(L"/locked"));
    MakeServedFile(server.RootPath(L"/locked/inner.txt"), "i", WholeMinuteNow());
    ProcessResult run = Cli({L"rm", L"-r", L"--yes", UrlOf(server), L"locked"});
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    EXPECT_TRUE(Has(run, "tarnwick-cli: Unable to delete directory \"locked\".")) << run.output;
    EXPECT_TRUE(PathExists(server.RootPath(L"/locked/inner.txt")));
}

TEST(CliFileCommands, ErrorLinesFollowTheOutputPrintedBeforeThem)
{
    RealFtpServer server(RealFtpServer::Kind::Pyftpdlib);
    ASSERT_TRUE(server.Started()) << server.Error();
    ProcessResult run = Cli({L"ls", UrlOf(server), L"no such folder"});
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    size_t reply = run.output.find("Response:  550");
    size_t error = run.output.find("tarnwick-cli: cannot change to the remote folder no such folder");
    ASSERT_NE(reply, std::string::npos) << run.output;
    ASSERT_NE(error, std::string::npos) << run.output;
    EXPECT_LT(reply, error) << run.output;
    EXPECT_EQ(run.output.substr(run.output.size() - 2), "\r\n") << "flushed at exit";
}
