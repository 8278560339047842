// A tree delete ends on a server whose folders nest without end (the test
// server's /endless: each folder "d" in it is /endless again, deeper).
#include <gtest/gtest.h>

#include "ftp/Login.h"
#include "ftp/RemoteCommands.h"
#include "support/RealFtpServer.h"
#include "support/ServedFiles.h"
#include "support/TestContexts.h"
#include "support/TestLog.h"

TEST(TreeDeleteLoop, FoldersWithoutEndEndTheWalkWithALogLine)
{
    RealFtpServer server(RealFtpServer::Kind::Pyftpdlib, RealFtpServer::Tls::None, RealFtpServer::Certificate::Good,
                         "hostile-names");
    ASSERT_TRUE(server.Started()) << server.Error();
    MakeServedFolder(server.RootPath(L"/endless"));
    MakeServedFolder(server.RootPath(L"/endless/d"));
    MakeServedFile(server.RootPath(L"/endless/a.txt"), "a", WholeMinuteNow());
    CapturedLog log;
    FtpSession session;
    ASSERT_EQ(Login(NullContext(), session, {server.HostText(), server.User(), server.Password()}, {}), NetResult::Ok)
        << log.All();
    RecordingContext context;
    EXPECT_EQ(DeleteRemoteTree(context, session, L"endless"), NetResult::Failed);
    EXPECT_TRUE(log.ContainsPart(L"/d: more than 64 folders deep.")) << log.All();
    EXPECT_TRUE(PathExists(server.RootPath(L"/endless"))) << "a folder that could not be emptied stays";
}
