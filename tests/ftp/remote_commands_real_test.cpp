// Per-name queries, remote commands and the tree delete against real servers.
#include <gtest/gtest.h>

#include <algorithm>

#include "ftp/Login.h"
#include "ftp/RemoteCommands.h"
#include "ftp/RemoteListing.h"
#include "support/RealFtpServer.h"
#include "support/ServedFiles.h"
#include "support/TestContexts.h"
#include "support/TestLog.h"

namespace {

using Kind = RealFtpServer::Kind;

class RealRemote : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override
    {
        server = std::make_unique<RealFtpServer>(GetParam());
        ASSERT_TRUE(server->Started()) << server->Error();
    }
    void LogIn()
    {
        server->TakeOwnership();
        LoginRequest request{server->HostText(), server->User(), server->Password(), false, false};
        ASSERT_EQ(Login(NullContext(), session, request, {}), NetResult::Ok) << log.All();
    }
    std::wstring CurrentFolder()
    {
        std::wstring path;
        EXPECT_EQ(GetRemoteFolder(NullContext(), session, path), NetResult::Ok);
        return path;
    }

    std::unique_ptr<RealFtpServer> server;
    FtpSession session;
    CapturedLog log;
};

// Cancels the operation when it is about to delete its second file.
class CancelAtSecondDelete : public RecordingContext {
public:
    void SetStatus(const std::wstring& text, int line) override
    {
        RecordingContext::SetStatus(text, line);
        if (text.rfind(L"Deleting ", 0) == 0 && ++deletes_ == 2)
            cancelled = true;
    }

private:
    int deletes_ = 0;
};

}  // namespace

TEST_P(RealRemote, PerNameQueries)
{
    // Seconds are kept here: MDTM and MLST report them.
    int64_t modified = WholeMinuteNow() - 3 * 86400 + 37;
    MakeServedFile(server->RootPath(L"/sized file.bin"), std::string(4321, 'z'), modified);
    MakeServedFolder(server->RootPath(L"/sub"));
    ASSERT_TRUE(server->MakeSymlink("sub/link", "../sub"));
    ASSERT_NO_FATAL_FAILURE(LogIn());
    NullTaskContext context;

    int64_t time = 0;
    EXPECT_EQ(GetRemoteModifiedTime(context, session, L"sized file.bin", time), NetResult::Ok);
    EXPECT_EQ(time, modified);
    EXPECT_EQ(GetRemoteModifiedTime(context, session, L"/sized file.bin", time), NetResult::Ok);
    EXPECT_EQ(time, modified);

    uint64_t size = 0;
    EXPECT_EQ(GetRemoteSize(context, session, L"sized file.bin", size), NetResult::Ok);
    EXPECT_EQ(size, 4321u);

    RemoteKind kind = RemoteKind::Unknown;
    EXPECT_EQ(GetRemoteKind(context, session, L"sub", kind), NetResult::Ok);
    EXPECT_EQ(kind, RemoteKind::Folder);
    EXPECT_EQ(GetRemoteKind(context, session, L"sized file.bin", kind), NetResult::Ok);
    EXPECT_EQ(kind, RemoteKind::File);

    std::wstring text;
    EXPECT_EQ(GetRemotePermissions(context, session, L"sized file.bin", text), NetResult::Ok);
    EXPECT_EQ(text, L"-rw-r--r--");
    EXPECT_EQ(GetRemoteOwner(context, session, L"sized file.bin", text), NetResult::Ok);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(GetRemotePermissions(context, session, L"no such file", text), NetResult::Ok);
    EXPECT_EQ(text, L"");

    if (GetParam() == Kind::Vsftpd) {
        // Without MLST the kind comes from LIST, which shows links as such.
        EXPECT_EQ(GetRemoteKind(context, session, L"sub/link", kind), NetResult::Ok);
        EXPECT_EQ(kind, RemoteKind::Link);
    }
    EXPECT_EQ(GetRemoteKind(context, session, L"no such file", kind), NetResult::Failed);
    EXPECT_EQ(kind, RemoteKind::Unknown);

    // A missing name ends the size query with 0: MLST (pyftpdlib) or SIZE
    // (vsftpd) refuses it, and both servers announced the command.
    size = 9;
    EXPECT_EQ(GetRemoteSize(context, session, L"no such file", size), NetResult::Ok);
    EXPECT_EQ(size, 0u);
}

TEST_P(RealRemote, FolderCommands)
{
    MakeServedFile(server->RootPath(L"/old name.txt"), "data", WholeMinuteNow());
    ASSERT_NO_FATAL_FAILURE(LogIn());
    NullTaskContext context;

    EXPECT_EQ(MakeRemoteFolder(context, session, L"new \u00e9 dir"), NetResult::Ok);
    EXPECT_TRUE(PathExists(server->RootPath(L"/new \u00e9 dir")));
    uint16_t code = 0;
    EXPECT_EQ(MakeRemoteFolder(context, session, L"new \u00e9 dir", &code), NetResult::Failed);
    EXPECT_EQ(code, 550);

    std::wstring path = L"new \u00e9 dir";
    EXPECT_EQ(ChangeRemoteFolderTracked(context, session, path), NetResult::Ok);
    EXPECT_EQ(path, L"/new \u00e9 dir");
    path = L"..";
    EXPECT_EQ(ChangeRemoteFolderTracked(context, session, path), NetResult::Ok);
    EXPECT_EQ(path, L"/");
    path = L"/no/such/folder";
    EXPECT_EQ(ChangeRemoteFolderTracked(context, session, path), NetResult::Failed);
    EXPECT_EQ(CurrentFolder(), L"/");

    EXPECT_EQ(RenameRemote(context, session, L"old name.txt", L"new \u00e9 dir/-moved.txt"), NetResult::Ok);
    EXPECT_EQ(ReadWholeFile(server->RootPath(L"/new \u00e9 dir/-moved.txt")), "data");
    EXPECT_EQ(RenameRemote(context, session, L"old name.txt", L"again.txt", &code), NetResult::Failed);
    EXPECT_EQ(code, 550);

    EXPECT_EQ(RemoveRemoteFolder(context, session, L"new \u00e9 dir"), NetResult::Failed) << "not empty";
    EXPECT_EQ(DeleteRemoteFile(context, session, L"new \u00e9 dir/-moved.txt"), NetResult::Ok);
    EXPECT_EQ(DeleteRemoteFile(context, session, L"new \u00e9 dir/-moved.txt"), NetResult::Failed);
    EXPECT_EQ(RemoveRemoteFolder(context, session, L"new \u00e9 dir"), NetResult::Ok);
    EXPECT_FALSE(PathExists(server->RootPath(L"/new \u00e9 dir")));
}

TEST_P(RealRemote, TreeDeleteRemovesThreeLevelsAndNothingOutside)
{
    int64_t now = WholeMinuteNow();
    MakeServedFolder(server->RootPath(L"/outside"));
    MakeServedFile(server->RootPath(L"/outside/keep.txt"), "keep", now);
    MakeServedFolder(server->RootPath(L"/tree"));
    MakeServedFile(server->RootPath(L"/tree/a.txt"), "a", now);
    MakeServedFile(server->RootPath(L"/tree/-b c.txt"), "b", now);
    MakeServedFolder(server->RootPath(L"/tree/level 1"));
    MakeServedFile(server->RootPath(L"/tree/level 1/d.txt"), "d", now);
    MakeServedFolder(server->RootPath(L"/tree/level 1/level 2"));
    MakeServedFile(server->RootPath(L"/tree/level 1/level 2/e.txt"), "e", now);
    MakeServedFolder(server->RootPath(L"/tree/level 1/level 2/empty"));
    // Links are removed, never followed (pyftpdlib's MLSD cannot tell a link
    // to a folder from a folder, so that one is only given to vsftpd).
    ASSERT_TRUE(server->MakeSymlink("tree/file-link", "../outside/keep.txt"));
    if (GetParam() == Kind::Vsftpd) {
        ASSERT_TRUE(server->MakeSymlink("tree/level_1_link", "../outside"));
    }
    ASSERT_NO_FATAL_FAILURE(LogIn());

    RecordingContext context;
    ASSERT_EQ(DeleteRemoteTree(context, session, L"tree"), NetResult::Ok) << log.All();
    EXPECT_FALSE(PathExists(server->RootPath(L"/tree")));
    EXPECT_EQ(ReadWholeFile(server->RootPath(L"/outside/keep.txt")), "keep");
    EXPECT_EQ(CurrentFolder(), L"/");

    ASSERT_FALSE(context.progress.empty());
    EXPECT_TRUE(std::is_sorted(context.progress.begin(), context.progress.end()));
    EXPECT_GT(context.progress.front(), 0.0);
    EXPECT_DOUBLE_EQ(context.progress.back(), 1.0);
    auto said = [&](const std::wstring& text) {
        return std::count(context.statuses.begin(), context.statuses.end(), std::pair<int, std::wstring>{1, text});
    };
    EXPECT_EQ(said(L"Deleting /tree/a.txt"), 1);
    EXPECT_EQ(said(L"Deleting /tree/-b c.txt"), 1);
    EXPECT_EQ(said(L"Deleting /tree/file-link"), 1);
    EXPECT_EQ(said(L"Deleting /tree/level 1/d.txt"), 1);
    EXPECT_EQ(said(L"Deleting /tree/level 1/level 2/e.txt"), 1);
    EXPECT_EQ(said(L"Checking subfolders..."), 3);
}

TEST_P(RealRemote, TreeDeleteStopsWhenCancelledAndLeavesAFolderItCannotEnter)
{
    int64_t now = WholeMinuteNow();
    MakeServedFolder(server->RootPath(L"/tree"));
    for (const wchar_t* name : {L"/tree/1.txt", L"/tree/2.txt", L"/tree/3.txt"})
        MakeServedFile(server->RootPath(name), "x", now);
    ASSERT_NO_FATAL_FAILURE(LogIn());

    RecordingContext plain;
    EXPECT_EQ(DeleteRemoteTree(plain, session, L"no such folder"), NetResult::Ok);
    EXPECT_TRUE(plain.progress.empty());

    CancelAtSecondDelete context;
    EXPECT_EQ(DeleteRemoteTree(context, session, L"tree"), NetResult::Cancelled);
    EXPECT_EQ(CurrentFolder(), L"/tree") << "a cancelled delete stays where it was";
    int left = 0;
    for (const wchar_t* name : {L"/tree/1.txt", L"/tree/2.txt", L"/tree/3.txt"})
        left += PathExists(server->RootPath(name)) ? 1 : 0;
    EXPECT_EQ(left, 2);
}

INSTANTIATE_TEST_SUITE_P(Servers, RealRemote, ::testing::Values(Kind::Vsftpd, Kind::Pyftpdlib),
                         [](const auto& info) { return std::string(RealFtpServer::Name(info.param)); });
