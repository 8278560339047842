// SITE chmod replies real servers do not give: 504, and a server that keeps
// other permissions than asked.
#include <gtest/gtest.h>

#include "ftp/ScriptedSession.h"
#include "ops/ChmodCommand.h"

namespace {

class SessionConnection : public Connection {
public:
    explicit SessionConnection(FtpSession& session) : session_(session) {}
    FtpSession& Session() override { return session_; }
    NetResult Reconnect(TaskContext&) override { return NetResult::Failed; }

private:
    FtpSession& session_;
};

using ScriptedChmod = ScriptedSession;

}  // namespace

TEST_F(ScriptedChmod, A504StopsTheCommandForEveryOtherRow)
{
    server.ExpectLine().Reply("504 Command not implemented for that parameter.");
    Connect();
    SessionConnection connection(session);
    std::vector<SelectedRemoteRow> rows{{L"a", RemoteKind::File, L"-rw-r--r--"}, {L"b", RemoteKind::File, L""}};
    EXPECT_EQ(ChangeRemotePermissions(context, connection, rows, {7, 5, 5}), NetResult::Failed);
    ExpectScriptDone();
    EXPECT_EQ(server.Received(), Lines{"SITE chmod 755 a\r\n"});
    EXPECT_TRUE(log.Contains(L"Changing file permissions is not supported on this server."));
    EXPECT_EQ(rows[0].permissions, L"-rw-r--r--");
}

TEST_F(ScriptedChmod, PermissionsTheServerKeptAreWarnedAbout)
{
    server.ExpectLine().Reply("200 SITE CHMOD command ok.");
    ListingAnswer("-rwxr-x---    1 ftp      ftp             4 Jan 01  2019 caf\xc3\xa9 a\r\n");
    Connect();
    SessionConnection connection(session);
    std::vector<SelectedRemoteRow> rows{{L"caf\u00e9 a", RemoteKind::File, L"-rw-r--r--"}};
    EXPECT_EQ(ChangeRemotePermissions(context, connection, rows, {7, 5, 5}), NetResult::Ok);
    ExpectScriptDone();
    ASSERT_FALSE(server.Received().empty());
    EXPECT_EQ(server.Received()[0], "SITE chmod 755 caf\xc3\xa9 a\r\n");
    EXPECT_TRUE(log.Contains(L"File permissions set for file caf\u00e9 a."));
    bool warned = false;
    for (const CapturedLog::Line& line : log.lines)
        warned = warned || (line.text == L"The server overwrote some of the permissions for caf\u00e9 a." &&
                            line.level == LogWarningLevel);
    EXPECT_TRUE(warned) << log.All();
    EXPECT_EQ(rows[0].permissions, L"-rwxr-xr-x") << "the row shows what was sent";
}
