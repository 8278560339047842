// Recursive downloads and uploads of a tree with awkward names through
// vsftpd and pyftpdlib, plain and with explicit TLS.
#include <gtest/gtest.h>

#include "ftp/RemoteCommands.h"
#include "ftp/TransferTestSupport.h"
#include "ops/DownloadJob.h"
#include "ops/JobTestSupport.h"
#include "ops/UploadJob.h"
#include "support/ScriptedPrompt.h"
#include "support/ServedFiles.h"

namespace {

using Kind = RealFtpServer::Kind;
using Tls = RealFtpServer::Tls;

// Spaces, a leading dash, accents, an emoji, empty files and folders, four
// levels and a folder of `many` entries.
void MakeAwkwardTree(const std::wstring& root, int many)
{
    for (const wchar_t* folder : {L"", L"\\l1", L"\\l1\\l2", L"\\l1\\l2\\l3", L"\\l1\\l2\\l3\\l4",
                                  L"\\l1\\empty folder", L"\\many", L"\\-dash d\u00e9j\u00e0 vu"})
        CreateDirectoryW((root + folder).c_str(), nullptr);
    WriteWholeFile(root + L"\\a file with spaces.txt", "spaces");
    WriteWholeFile(root + L"\\-leading dash.txt", "dash");
    WriteWholeFile(root + L"\\na\u00efve caf\u00e9 \u00fcn\u00efc\u00f6d\u00e9.txt", "unicode");
    WriteWholeFile(root + L"\\emoji \U0001F600 name.bin", RandomBytes(100 << 10, 7));
    WriteWholeFile(root + L"\\empty.txt", "");
    WriteWholeFile(root + L"\\l1\\l2\\l3\\l4\\deep file.bin", RandomBytes(3000, 8));
    WriteWholeFile(root + L"\\-dash d\u00e9j\u00e0 vu\\\u65e5\u672c\u8a9e.txt", "cjk");
    for (int i = 0; i < many; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"\\many\\f%04d.txt", i);
        WriteWholeFile(root + name, i % 3 == 0 ? std::string() : std::to_string(i));
    }
}

int64_t LastWriteSeconds(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    uint64_t units = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                     data.ftLastWriteTime.dwLowDateTime;
    return static_cast<int64_t>((units - 116444736000000000ull) / 10000000ull);
}

class TreeRoundTrip : public ::testing::TestWithParam<std::tuple<Kind, Tls>> {};

std::string TreeRoundTripName(const ::testing::TestParamInfo<std::tuple<Kind, Tls>>& info)
{
    return std::string(RealFtpServer::Name(std::get<0>(info.param))) +
           (std::get<1>(info.param) == Tls::None ? "Plain" : "ExplicitTls");
}

}  // namespace

TEST_P(TreeRoundTrip, AnAwkwardTreeComesBackByteIdenticalBothWays)
{
    const auto [kind, tls] = GetParam();
    RealFtpServer server(kind, tls);
    ASSERT_TRUE(server.Started()) << server.Error();
    CapturedLog log;
    DirectConnection connection(JobLoginFor(server, tls), {});
    ASSERT_EQ(connection.Open(NullContext()), NetResult::Ok) << log.All();

    // Each file costs a few round trips and, through TLS, a handshake: the
    // 2,000-entry folder once (vsftpd, plain), a smaller one for the others,
    // so that the whole suite stays within its time.
    const int many = kind == Kind::Vsftpd && tls == Tls::None ? 2000 : 100;
    ScratchFolder source;
    MakeAwkwardTree(source.File(L"tree"), many);
    const auto original = ReadTree(source.File(L"tree"));
    ASSERT_EQ(original.size(), static_cast<size_t>(many) + 14) << "7 files and 7 folders besides";

    ScriptedPrompt prompt;
    RecordingContext upContext;
    ASSERT_EQ(UploadSelection(upContext, connection, prompt, {source.File(L"tree")}, source.Path(), L"", {}),
              NetResult::Ok)
        << log.All();
    EXPECT_TRUE(log.Contains(L"Upload complete"));
    EXPECT_EQ(ReadTree(server.RootPath(L"/tree")), original);

    ScratchFolder target;
    RecordingContext downContext;
    ASSERT_EQ(DownloadSelection(downContext, connection, prompt, {L"tree"}, target.Path()), NetResult::Ok)
        << log.All();
    EXPECT_EQ(ReadTree(target.File(L"tree")), original) << "no part file stays behind, nothing is missing";
    EXPECT_TRUE(prompt.asked.empty()) << "nothing existed, nothing was asked";
    EXPECT_FALSE(log.ContainsPart(L"Skipping")) << log.All();

    // Again into the same folder: the server's UTC time, as UTC.
    std::wstring deep = L"/tree/l1/l2/l3/l4/deep file.bin";
    SetModifiedTime(server.RootPath(deep), 1552206615);
    ScriptedPrompt overwriteAll{{true, true}};
    ASSERT_EQ(ChangeRemoteFolder(NullContext(), connection.Session(), L"/tree"), NetResult::Ok);
    ASSERT_EQ(DownloadSelection(downContext, connection, overwriteAll, {L"l1"}, target.File(L"tree")), NetResult::Ok)
        << log.All();
    ASSERT_EQ(overwriteAll.asked.size(), 1u) << "the first existing file asks; the rest follow its box";
    EXPECT_EQ(overwriteAll.asked[0].caption, L"Overwrite");
    std::wstring local = target.File(L"tree\\l1\\l2\\l3\\l4\\deep file.bin");
    EXPECT_EQ(LastWriteSeconds(local), 1552206615);
}

INSTANTIATE_TEST_SUITE_P(Servers, TreeRoundTrip,
                         ::testing::Combine(::testing::Values(Kind::Vsftpd, Kind::Pyftpdlib),
                                            ::testing::Values(Tls::None, Tls::Explicit)),
                         TreeRoundTripName);
