// A tree delete ends on a server whose folders nest without end: pyftpdlib
// lists a link to "." as a folder and keeps the linked path in PWD.
#include <gtest/gtest.h>

#include "ftp/Login.h"
#include "ftp/RemoteCommands.h"
#include "support/RealFtpServer.h"
#include "support/ServedFiles.h"
#include "support/TestContexts.h"
#include "support/TestLog.h"

TEST(TreeDeleteLoop, AFolderLinkToItselfEndsTheWalkWithALogLine)
{
    RealFtpServer server(RealFtpServer::Kind::Pyftpdlib);
    ASSERT_TRUE(server.Started()) << server.Error();
    MakeServedFolder(server.RootPath(L"/tree"));
    MakeServedFile(server.RootPath(L"/tree/a.txt"), "a", WholeMinuteNow());
    ASSERT_TRUE(server.MakeSymlink("tree/loop", "."));
    CapturedLog log;
    FtpSession session;
    ASSERT_EQ(Login(NullContext(), session, {server.HostText(), server.User(), server.Password()}, {}), NetResult::Ok)
        << log.All();
    RecordingContext context;
    EXPECT_EQ(DeleteRemoteTree(context, session, L"tree"), NetResult::Failed);
    EXPECT_TRUE(log.ContainsPart(L": more than 64 folders deep.")) << log.All();
    EXPECT_TRUE(PathExists(server.RootPath(L"/tree"))) << "a folder that could not be emptied stays";
}
