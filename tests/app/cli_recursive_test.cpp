// tarnwick-cli get -r and put -r end to end against pyftpdlib: exit codes,
// answers from flags, progress on one console line.
#include <gtest/gtest.h>

#include <map>

#include "ops/JobTestSupport.h"
#include "support/ProcessRunner.h"
#include "support/SharedRealServer.h"
#include "support/ServedFiles.h"

namespace {

std::wstring UrlOf(const RealFtpServer& server)
{
    return L"ftp://" + server.User() + L":" + server.Password() + L"@" + server.HostText() + L"/";
}

bool Has(const ProcessResult& run, const std::string& text)
{
    return run.output.find(text) != std::string::npos;
}

class CliRecursive : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server->Started()) << server->Error(); }

    ProcessResult Cli(const std::vector<std::wstring>& arguments)
    {
        return RunSiblingProgram(L"tarnwick-cli.exe", arguments, 120000);
    }

    RealFtpServer* server = &SharedRealServer(RealFtpServer::Kind::Pyftpdlib);
    ScratchFolder folder;
};

}  // namespace

TEST_F(CliRecursive, PutAndGetATreeWithProgressOnOneLine)
{
    std::wstring tree = folder.File(L"cli tree");
    CreateDirectoryW(tree.c_str(), nullptr);
    CreateDirectoryW((tree + L"\\sub \u00e9").c_str(), nullptr);
    WriteWholeFile(tree + L"\\-a.txt", "a");
    WriteWholeFile(tree + L"\\sub \u00e9\\b.bin", std::string(300000, 'b'));
    for (int i = 0; i < 20; ++i)
        WriteWholeFile(tree + L"\\sub \u00e9\\n" + std::to_wstring(i), std::to_string(i));
    const auto original = ReadTree(tree);

    ProcessResult put = Cli({L"put", L"-r", UrlOf(*server), tree, L"/"});
    EXPECT_EQ(put.exitCode, 0u) << put.output;
    EXPECT_TRUE(Has(put, "Upload complete.")) << put.output;
    EXPECT_EQ(ReadTree(server->RootPath(L"/cli tree")), original);
    // Progress rewrites one line: "Uploading file 3 of 22 13%" follows a CR.
    EXPECT_TRUE(Has(put, "\rUploading file 22 of 22 ")) << put.output;
    EXPECT_FALSE(Has(put, "\r\nUploading file 2 of 22")) << "no new line per step";

    std::wstring down = folder.File(L"down");
    ProcessResult get = Cli({L"get", L"-r", UrlOf(*server), L"/cli tree", down});
    EXPECT_EQ(get.exitCode, 0u) << get.output;
    EXPECT_TRUE(Has(get, "Download complete.")) << get.output;
    EXPECT_EQ(ReadTree(down + L"\\cli tree"), original);

    // Again: every file exists; --skip answers for all, nothing changes.
    WriteWholeFile(down + L"\\cli tree\\-a.txt", "changed locally");
    ProcessResult skip = Cli({L"get", L"-r", UrlOf(*server), L"/cli tree", down, L"--skip"});
    EXPECT_EQ(skip.exitCode, 0u) << skip.output;
    EXPECT_EQ(ReadWholeFile(down + L"\\cli tree\\-a.txt"), "changed locally");
    EXPECT_TRUE(Has(skip, "-> Skip")) << skip.output;
    ProcessResult overwrite = Cli({L"get", L"-r", UrlOf(*server), L"/cli tree", down, L"--overwrite"});
    EXPECT_EQ(overwrite.exitCode, 0u) << overwrite.output;
    EXPECT_EQ(ReadWholeFile(down + L"\\cli tree\\-a.txt"), "a");
}

TEST_F(CliRecursive, FailuresAndBadArgumentsGiveOneLineAndANonZeroCode)
{
    ProcessResult missing = Cli({L"put", L"-r", UrlOf(*server), folder.File(L"nothing here"), L"/"});
    EXPECT_EQ(missing.exitCode, 1u);
    EXPECT_TRUE(Has(missing, "tarnwick-cli: no local file or folder")) << missing.output;

    ProcessResult both = Cli({L"get", L"-r", UrlOf(*server), L"x", folder.Path(), L"--keep-partial", L"--delete-partial"});
    EXPECT_EQ(both.exitCode, 2u);
    EXPECT_TRUE(Has(both, "usage: tarnwick-cli get -r URL|LABEL REMOTE LOCALDIR")) << both.output;

    // A file the server cannot open: the job fails, the code says so.
    ProcessResult absent = Cli({L"get", L"-r", UrlOf(*server), L"/no such file.bin", folder.File(L"d")});
    EXPECT_EQ(absent.exitCode, 1u) << absent.output;
    EXPECT_TRUE(Has(absent, "tarnwick-cli: Download failed: not every file was transferred")) << absent.output;
}
