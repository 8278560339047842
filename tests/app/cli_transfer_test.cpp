// tarnwick-cli get, put and test end to end against vsftpd.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "net/TextCodec.h"
#include "support/ProcessRunner.h"
#include "support/ScratchRegistry.h"
#include "support/SharedRealServer.h"
#include "support/TestLog.h"

namespace {

std::wstring UrlOf(const RealFtpServer& server)
{
    return L"ftp://" + server.User() + L":" + server.Password() + L"@" + server.HostText() + L"/";
}

bool Has(const ProcessResult& run, const std::string& text)
{
    return run.output.find(text) != std::string::npos;
}

// The progress lines ("42%") of a run, in order.
std::vector<int> Percentages(const ProcessResult& run)
{
    std::vector<int> found;
    size_t start = 0;
    while (start < run.output.size()) {
        size_t end = run.output.find("\r\n", start);
        if (end == std::string::npos)
            end = run.output.size();
        std::string line = run.output.substr(start, end - start);
        if (!line.empty() && line.back() == '%' && line.find_first_not_of("0123456789%") == std::string::npos)
            found.push_back(std::stoi(line));
        start = end + 2;
    }
    return found;
}

bool RisesFromZeroToHundred(const std::vector<int>& percentages)
{
    return percentages.size() >= 3 && percentages.front() == 0 && percentages.back() == 100 &&
           std::is_sorted(percentages.begin(), percentages.end()) &&
           std::adjacent_find(percentages.begin(), percentages.end()) == percentages.end();
}

class CliTransfer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server->Started()) << server->Error(); }

    RealFtpServer* server = &SharedRealServer(RealFtpServer::Kind::Vsftpd);
    ScratchFolder folder;
};

}  // namespace

TEST_F(CliTransfer, PutAndGetMoveTheFileAndShowProgress)
{
    std::string data(5u << 19, '\0');  // 2.5 MiB: a few blocks
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 7919 % 251);
    WriteWholeFile(folder.File(L"up.bin"), data);

    ProcessResult put = RunSiblingProgram(L"tarnwick-cli.exe", {L"put", UrlOf(*server), folder.File(L"up.bin"), L"cli.bin"});
    EXPECT_EQ(put.exitCode, 0u) << put.output;
    EXPECT_TRUE(Has(put, "Uploading file...\r\n")) << put.output;
    EXPECT_TRUE(RisesFromZeroToHundred(Percentages(put))) << put.output;
    EXPECT_TRUE(Has(put, "Upload complete.")) << put.output;
    EXPECT_EQ(ReadWholeFile(server->RootPath(L"/cli.bin")), data);

    ProcessResult get = RunSiblingProgram(L"tarnwick-cli.exe", {L"get", UrlOf(*server), L"cli.bin", folder.File(L"down.bin")});
    EXPECT_EQ(get.exitCode, 0u) << get.output;
    EXPECT_TRUE(Has(get, "Downloading file...\r\n")) << get.output;
    EXPECT_TRUE(RisesFromZeroToHundred(Percentages(get))) << get.output;
    EXPECT_TRUE(Has(get, "Download complete.")) << get.output;
    EXPECT_EQ(ReadWholeFile(folder.File(L"down.bin")), data);

    ProcessResult missing = RunSiblingProgram(L"tarnwick-cli.exe", {L"get", UrlOf(*server), L"nothing.bin", folder.File(L"n.bin")});
    EXPECT_EQ(missing.exitCode, 1u);
    EXPECT_TRUE(Has(missing, "Download failed: Failed to open file.")) << missing.output;
    EXPECT_EQ(GetFileAttributesW(folder.File(L"n.bin").c_str()), INVALID_FILE_ATTRIBUTES);

    ProcessResult usage = RunSiblingProgram(L"tarnwick-cli.exe", {L"put", UrlOf(*server), L"only-one"});
    EXPECT_EQ(usage.exitCode, 2u);
    EXPECT_TRUE(Has(usage, "usage: tarnwick-cli put URL|LABEL LOCAL REMOTE")) << usage.output;
}

TEST_F(CliTransfer, TestPrintsTheReportAndTheStepTable)
{
    ProcessResult read = RunSiblingProgram(L"tarnwick-cli.exe", {L"test", UrlOf(*server)});
    EXPECT_EQ(read.exitCode, 0u) << read.output;
    std::string host = WideToUtf8(server->HostText());
    EXPECT_TRUE(Has(read, "Report:\r\nServer \"" + host + "\" is OK.\r\nLogon details are OK.\r\n")) << read.output;
    EXPECT_TRUE(Has(read, "Current directory is: /\r\n")) << read.output;
    EXPECT_TRUE(Has(read, "Steps:\r\n  Server address      passed\r\n  Log in              passed\r\n"
                          "  Change directory    passed\r\n  Get working folder  passed\r\n"
                          "  Passive mode        passed\r\nWorking folder: /\r\n"))
        << read.output;

    ProcessResult full = RunSiblingProgram(L"tarnwick-cli.exe", {L"test", UrlOf(*server), L"--full"});
    EXPECT_EQ(full.exitCode, 0u) << full.output;
    EXPECT_TRUE(Has(full, "File uploaded OK.\r\nFile deleted OK.\r\n")) << full.output;
    EXPECT_TRUE(Has(full, "  Write               passed\r\n  Delete              passed\r\n")) << full.output;

    ProcessResult unknown = RunSiblingProgram(L"tarnwick-cli.exe", {L"test", L"ftp://someone@no-such-host.invalid/"});
    EXPECT_EQ(unknown.exitCode, 1u);
    EXPECT_TRUE(Has(unknown, "Unable to connect to server \"no-such-host.invalid\".\r\n")) << unknown.output;
    EXPECT_TRUE(Has(unknown, "  Server address      failed\r\n  Log in              not run\r\n")) << unknown.output;
    EXPECT_TRUE(Has(unknown, "tarnwick-cli: the connection test failed at the step \"Server address\"\r\n"))
        << unknown.output;
}

TEST_F(CliTransfer, ASavedSitesLabelNamesTheServer)
{
    ScratchProductKey scratch;
    auto run = [&](std::vector<std::wstring> arguments) {
        arguments.insert(arguments.begin(), {L"--registry", scratch.Path()});
        return RunSiblingProgram(L"tarnwick-cli.exe", arguments);
    };
    // A saved server needs a dot in its name: the address, not "localhost".
    std::wstring address = L"127.0.0.1:" + std::to_wstring(server->Port());
    ProcessResult added = run({L"site-add", L"Test Site", address, server->User(), server->Password(), L"--remote", L"/"});
    ASSERT_EQ(added.exitCode, 0u) << added.output;

    WriteWholeFile(folder.File(L"label.txt"), "by label");
    ProcessResult put = run({L"put", L"test site", folder.File(L"label.txt"), L"label.txt"});
    EXPECT_EQ(put.exitCode, 0u) << put.output;
    ProcessResult get = run({L"get", L"Test Site", L"label.txt", folder.File(L"back.txt")});
    EXPECT_EQ(get.exitCode, 0u) << get.output;
    EXPECT_EQ(ReadWholeFile(folder.File(L"back.txt")), "by label");

    ProcessResult test = run({L"test", L"Test Site"});
    EXPECT_EQ(test.exitCode, 0u) << test.output;
    EXPECT_TRUE(Has(test, "Server \"" + WideToUtf8(address) + "\" is OK.\r\nLogon details are OK.\r\nDirectory changed OK.\r\n"))
        << test.output;
}
