// The small remote commands against the scripted server.
#include "ftp/RemoteCommands.h"
#include "ftp/ScriptedSession.h"

namespace {

class ScriptedCommands : public ScriptedSession {};

}  // namespace

TEST_F(ScriptedCommands, MakeFolderAcceptsAnExistingOne)
{
    server.ExpectLine().Reply("521 \"a\" directory already exists");
    server.ExpectLine().Reply("550 Permission denied");
    server.ExpectLine().Reply("257 \"/b\" created");
    Connect();
    uint16_t code = 0;
    EXPECT_EQ(MakeRemoteFolder(context, session, L"a", &code), NetResult::Ok);
    EXPECT_EQ(code, 521);
    EXPECT_EQ(MakeRemoteFolder(context, session, L"a", &code), NetResult::Failed);
    EXPECT_EQ(code, 550);
    EXPECT_EQ(MakeRemoteFolder(context, session, L"/", &code), NetResult::Ok);
    EXPECT_EQ(MakeRemoteFolder(context, session, L"", &code), NetResult::Ok);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(MakeRemoteFolder(context, session, L"/b", &code), NetResult::Ok);
    context.cancelled = true;
    EXPECT_EQ(MakeRemoteFolder(context, session, L"c", &code), NetResult::Cancelled);
    ExpectScriptDone();
    EXPECT_EQ(server.Received(), (Lines{"MKD a\r\n", "MKD a\r\n", "MKD /b\r\n"}));
}

TEST_F(ScriptedCommands, CurrentFolderFromThePwdReply)
{
    server.ExpectLine().Reply("257 \"/home/caf\xc3\xa9\" is the current directory");
    server.ExpectLine().Reply("257 \"/a \"\"quoted\"\" name\" is current");
    server.ExpectLine().Reply("257 \"/unterminated");
    server.ExpectLine().Reply("257 no quotes at all");
    server.ExpectLine().Reply("550 No current directory");
    Connect();
    std::wstring path = L"before";
    EXPECT_EQ(GetRemoteFolder(context, session, path), NetResult::Ok);
    EXPECT_EQ(path, L"/home/caf\u00e9");
    EXPECT_EQ(GetRemoteFolder(context, session, path), NetResult::Ok);
    EXPECT_EQ(path, L"/a \"quoted\" name");
    EXPECT_EQ(GetRemoteFolder(context, session, path), NetResult::Ok);
    EXPECT_EQ(path, L"/unterminated");
    EXPECT_EQ(GetRemoteFolder(context, session, path), NetResult::Ok);
    EXPECT_EQ(path, L"");
    path = L"kept";
    EXPECT_EQ(GetRemoteFolder(context, session, path), NetResult::Failed);
    EXPECT_EQ(path, L"kept");
    ExpectScriptDone();
}

TEST_F(ScriptedCommands, RenameStopsWhenRnfrIsRefused)
{
    server.ExpectLine().Reply("550 No such file");
    server.ExpectLine().Reply("350 Ready for RNTO").ExpectLine().Reply("250 Renamed");
    server.ExpectLine().Reply("350 Ready for RNTO").ExpectLine().Reply("553 Not allowed");
    Connect();
    uint16_t code = 0;
    EXPECT_EQ(RenameRemote(context, session, L"a", L"b", &code), NetResult::Failed);
    EXPECT_EQ(code, 550);
    EXPECT_EQ(RenameRemote(context, session, L"a", L"\u00e9 b", &code), NetResult::Ok);
    EXPECT_EQ(code, 250);
    EXPECT_EQ(RenameRemote(context, session, L"c", L"d", &code), NetResult::Failed);
    EXPECT_EQ(code, 553);
    ExpectScriptDone();
    EXPECT_EQ(server.Received(),
              (Lines{"RNFR a\r\n", "RNFR a\r\n", "RNTO \xc3\xa9 b\r\n", "RNFR c\r\n", "RNTO d\r\n"}));
}

TEST_F(ScriptedCommands, DeleteRemoveAndChangeFolderFollowTheReplyCode)
{
    server.ExpectLine().Reply("250 Deleted").ExpectLine().Reply("550 Not empty");
    server.ExpectLine().Reply("250 ok").ExpectLine().Reply("125 odd");
    Connect();
    uint16_t code = 0;
    EXPECT_EQ(DeleteRemoteFile(context, session, L"-dash file", &code), NetResult::Ok);
    EXPECT_EQ(code, 250);
    EXPECT_EQ(RemoveRemoteFolder(context, session, L"dir", &code), NetResult::Failed);
    EXPECT_EQ(code, 550);
    EXPECT_EQ(ChangeRemoteFolder(context, session, L"/", &code), NetResult::Ok);
    EXPECT_EQ(ChangeRemoteFolder(context, session, L"x", &code), NetResult::Failed);
    EXPECT_EQ(code, 125);
    ExpectScriptDone();
    EXPECT_EQ(server.Received(), (Lines{"DELE -dash file\r\n", "RMD dir\r\n", "CWD /\r\n", "CWD x\r\n"}));
}

TEST_F(ScriptedCommands, TrackedChangeGivesTheServersOwnPath)
{
    server.ExpectLine().Reply("250 ok").ExpectLine().Reply("257 \"/home/user/sub\"");
    server.ExpectLine().Reply("550 No such folder");
    server.ExpectLine().Reply("257 \"/home/user/sub\"");
    Connect();
    std::wstring path = L"sub";
    EXPECT_EQ(ChangeRemoteFolderTracked(context, session, path), NetResult::Ok);
    EXPECT_EQ(path, L"/home/user/sub");
    ASSERT_FALSE(context.statuses.empty());
    EXPECT_EQ(context.statuses[0], (std::pair<int, std::wstring>{0, L"Changing directory to sub"}));
    path = L"missing";
    EXPECT_EQ(ChangeRemoteFolderTracked(context, session, path), NetResult::Failed);
    EXPECT_EQ(path, L"missing");
    path.clear();
    EXPECT_EQ(ChangeRemoteFolderTracked(context, session, path), NetResult::Ok);
    EXPECT_EQ(path, L"/home/user/sub");
    ExpectScriptDone();
    EXPECT_EQ(server.Received(), (Lines{"CWD sub\r\n", "PWD\r\n", "CWD missing\r\n", "PWD\r\n"}));
}

TEST_F(ScriptedCommands, TreeDeleteStopsWhereGoingOnWouldActInTheWrongFolder)
{
    const std::string file = "-rw-r--r-- 1 o g 5 Jan 01 2020 a.txt\r\n";
    // PWD of the parent, CWD, and PWD of the folder entered (the walk's guard).
    auto enterTree = [&](const std::string& pwd, const std::string& inside) {
        server.ExpectLine().Reply("257 \"" + pwd + "\" is the current directory").ExpectLine().Reply("250 ok");
        server.ExpectLine().Reply("257 \"" + inside + "\" is the current directory");
    };
    // The parent folder cannot be learnt: there would be no way back.
    server.ExpectLine().Reply("550 No current directory");
    // The listing breaks off: what the folder holds is not known.
    enterTree("/pub", "/pub/tree");
    OpenData().ExpectLine().Reply("150 Here it comes").SendData(file).CloseData().Reply("451 Transfer aborted.");
    // The way back is refused: RMD would name a folder inside the tree.
    enterTree("/pub", "/pub/tree");
    ListingAnswer(file).ExpectLine().Reply("250 Deleted").ExpectLine().Reply("550 Permission denied");
    // A subfolder's way back is refused: the parent's next file would be
    // looked for in the subfolder.
    enterTree("/pub", "/pub/tree");
    ListingAnswer("drwxr-xr-x 2 o g 4096 Jan 01 2020 sub\r\n-rw-r--r-- 1 o g 5 Jan 01 2020 z.txt\r\n");
    enterTree("/pub/tree", "/pub/tree/sub");
    ListingAnswer("").ExpectLine().Reply("550 Permission denied");
    server.ExpectLine().Reply("257 \"/pub/tree/sub\" is the current directory");
    Connect();
    for (int attempt = 0; attempt < 4; ++attempt)
        EXPECT_EQ(DeleteRemoteTree(context, session, L"tree"), NetResult::Failed) << attempt;
    std::wstring here;
    EXPECT_EQ(GetRemoteFolder(context, session, here), NetResult::Ok);
    ExpectScriptDone();
    const Lines listing{"TYPE A\r\n", "PASV\r\n", "LIST\r\n"};
    Lines expected{"PWD\r\n"};
    const Lines enter{"PWD\r\n", "CWD tree\r\n", "PWD\r\n"};
    for (const Lines& part : {enter, listing,                                                   // broken listing
                              enter, listing, Lines{"DELE a.txt\r\n", "CWD /pub\r\n"},          // no way back
                              enter, listing, Lines{"PWD\r\n", "CWD sub\r\n", "PWD\r\n"}, listing,
                              Lines{"CWD /pub/tree\r\n", "PWD\r\n"}})
        expected.insert(expected.end(), part.begin(), part.end());
    EXPECT_EQ(server.Received(), expected);
}
