// Downloads from servers that offer names no local file may get, and links
// that lead the walk round in circles or out of the tree.
#include <gtest/gtest.h>

#include "ops/DownloadJob.h"
#include "ops/JobTestSupport.h"
#include "support/ScriptedPrompt.h"
#include "support/ServedFiles.h"
#include "support/TestContexts.h"

namespace {

using Kind = RealFtpServer::Kind;

// The names pyftpdlib's --hostile-names adds to the folders "hostile-N", in
// that order, and what the log must say about each.
struct HostileCase {
    const wchar_t* name;
    bool stopsTheWalk;  // a suspicious name: the queue building ends there
};

const HostileCase kHostile[] = {
    {L"../x", true},     {L"..\\x", true},   {L"C:x", false},      {L"C:\\x", true},
    {L"/x", true},       {L"CON", false},    {L"nul.txt", false},  {L"a:b", false},
    {L"cr\rname", false}, {L"lf\nname", false}, {L"C:", true},
};

// Everything the job left anywhere in the scratch folder lies in its
// "target" folder.
void ExpectOnlyInTarget(const ScratchFolder& scratch)
{
    for (const auto& [path, contents] : ReadTree(scratch.Path()))
        EXPECT_EQ(path.rfind(L"target\\", 0), 0u) << "written outside the target: " << testing::PrintToString(path);
}

}  // namespace

TEST(HostileNames, NoNameLeavesTheTargetFolderAndEachRefusalIsLogged)
{
    RealFtpServer server(Kind::Pyftpdlib, RealFtpServer::Tls::None, RealFtpServer::Certificate::Good,
                         "hostile-names");
    ASSERT_TRUE(server.Started()) << server.Error();
    int64_t now = WholeMinuteNow();
    for (size_t i = 0; i < std::size(kHostile); ++i) {
        std::wstring folder = L"/hostile-" + std::to_wstring(i);
        MakeServedFolder(server.RootPath(folder));
        MakeServedFile(server.RootPath(folder + L"/ok.txt"), "ok " + std::to_string(i), now);
    }
    DirectConnection connection(JobLoginFor(server), {});
    CapturedLog log;
    ASSERT_EQ(connection.Open(NullContext()), NetResult::Ok) << log.All();

    for (size_t i = 0; i < std::size(kHostile); ++i) {
        const HostileCase& hostile = kHostile[i];
        SCOPED_TRACE(testing::PrintToString(std::wstring(hostile.name)));
        ScratchFolder scratch;
        std::wstring target = scratch.File(L"target");
        CreateDirectoryW(target.c_str(), nullptr);
        ScriptedPrompt prompt;
        RecordingContext context;
        size_t before = log.lines.size();
        std::wstring folder = L"hostile-" + std::to_wstring(i);
        NetResult result = DownloadSelection(context, connection, prompt, {folder}, target);
        std::wstring said;
        for (size_t line = before; line < log.lines.size(); ++line)
            said += log.lines[line].text + L"\n";

        ExpectOnlyInTarget(scratch);
        EXPECT_EQ(ReadWholeFile(target + L"\\" + folder + L"\\ok.txt"), "ok " + std::to_string(i))
            << "the good file listed before it still arrives";
        std::wstring name = hostile.name;
        if (name.find_first_of(L"\r\n") != std::wstring::npos) {
            // The line break cuts the listed line: neither part may become a
            // file of the server's choosing, and the job reports its failure.
            EXPECT_EQ(ReadTree(target).size(), 2u) << said;
            EXPECT_NE(result, NetResult::Ok);
        } else if (hostile.stopsTheWalk) {
            EXPECT_NE(said.find(L"Skipping download of item with suspicious name: " + name), std::wstring::npos)
                << said;
        } else {
            EXPECT_NE(said.find(L"Skipping download of /" + folder + L"/" + name + L": "), std::wstring::npos)
                << said;
            EXPECT_EQ(result, NetResult::Ok) << said;
        }
        EXPECT_TRUE(prompt.asked.empty());
    }
}

class LoopingLinks : public ::testing::TestWithParam<Kind> {};

// A link to "." makes folders nest without end; one to "../.." leads up and
// out of the tree. The walk passes both over with a line and ends.
TEST_P(LoopingLinks, TheWalkEndsAndStaysInsideTheTarget)
{
    RealFtpServer server(GetParam());
    ASSERT_TRUE(server.Started()) << server.Error();
    int64_t now = WholeMinuteNow();
    MakeServedFolder(server.RootPath(L"/links"));
    MakeServedFile(server.RootPath(L"/links/file.txt"), "file", now);
    MakeServedFile(server.RootPath(L"/outside.txt"), "outside", now);
    server.TakeOwnership();
    ASSERT_TRUE(server.MakeSymlink("links/l", "."));
    ASSERT_TRUE(server.MakeSymlink("links/up", "../.."));
    DirectConnection connection(JobLoginFor(server), {});
    CapturedLog log;
    ASSERT_EQ(connection.Open(NullContext()), NetResult::Ok) << log.All();

    ScratchFolder scratch;
    std::wstring target = scratch.File(L"target");
    CreateDirectoryW(target.c_str(), nullptr);
    ScriptedPrompt prompt;
    RecordingContext context;
    DownloadSelection(context, connection, prompt, {L"links"}, target);
    ExpectOnlyInTarget(scratch);
    EXPECT_EQ(ReadWholeFile(target + L"\\links\\file.txt"), "file");
    if (GetParam() == Kind::Vsftpd) {  // its PWD tells the folder the link leads to
        EXPECT_TRUE(log.ContainsPart(L"Skipped folder /links/l: it leads back to /links")) << log.All();
    }
    // The walk never reached the server's own root through "up" twice.
    auto tree = ReadTree(target);
    size_t outsideCopies = 0;
    for (const auto& [path, contents] : tree)
        outsideCopies += contents == "outside" ? 1 : 0;
    EXPECT_LE(outsideCopies, 1u) << log.All();
}

INSTANTIATE_TEST_SUITE_P(Servers, LoopingLinks, ::testing::Values(Kind::Vsftpd, Kind::Pyftpdlib),
                         [](const auto& info) { return std::string(RealFtpServer::Name(info.param)); });

TEST(EndlessFolders, AWalkPastSixtyFourFoldersEndsWithALogLine)
{
    RealFtpServer server(Kind::Pyftpdlib, RealFtpServer::Tls::None, RealFtpServer::Certificate::Good,
                         "hostile-names");
    ASSERT_TRUE(server.Started()) << server.Error();
    // Below /endless every folder is /endless again, under a longer path.
    MakeServedFolder(server.RootPath(L"/endless"));
    MakeServedFolder(server.RootPath(L"/endless/d"));
    MakeServedFile(server.RootPath(L"/endless/f"), "f", WholeMinuteNow());
    DirectConnection connection(JobLoginFor(server), {});
    CapturedLog log;
    ASSERT_EQ(connection.Open(NullContext()), NetResult::Ok) << log.All();

    ScratchFolder scratch;
    std::wstring target = scratch.File(L"target");
    CreateDirectoryW(target.c_str(), nullptr);
    ScriptedPrompt prompt;
    RecordingContext context;
    EXPECT_EQ(DownloadSelection(context, connection, prompt, {L"endless"}, target), NetResult::Ok) << log.All();
    ExpectOnlyInTarget(scratch);
    // "endless" and 63 "d" make 64 folders.
    std::wstring deepest = L"/endless";
    for (int i = 0; i < 63; ++i)
        deepest += L"/d";
    EXPECT_TRUE(log.Contains(L"Skipped folder " + deepest + L"/d: more than 64 folders deep.")) << log.All();
    std::wstring local = target + L"\\endless";
    for (int i = 0; i < 63; ++i)
        local += L"\\d";
    EXPECT_EQ(ReadWholeFile(local + L"\\f"), "f") << "the 64th folder is still downloaded";
}
