// Delete, rename, new folder and permission changes against real servers,
// with the prompts answered from a script.
#include <gtest/gtest.h>

#include <algorithm>

#include "ftp/RemoteListing.h"
#include "ftp/RemoteNames.h"
#include "ops/ChmodCommand.h"
#include "ops/DeleteCommand.h"
#include "ops/FakeShell.h"
#include "ops/FileCommandsSupport.h"
#include "ops/FileNameChecks.h"
#include "ops/NewFolderCommand.h"
#include "ops/OpenCommand.h"
#include "ops/RenameCommand.h"
#include "store/Bookmarks.h"
#include "store/SiteStore.h"
#include "support/ScratchRegistry.h"
#include "support/ScriptedPrompt.h"
#include "support/ServedFiles.h"
#include "support/TestContexts.h"
#include "support/TestLog.h"

namespace {

using Kind = RealFtpServer::Kind;

class FileCommands : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override
    {
        server = std::make_unique<RealFtpServer>(GetParam());
        ASSERT_TRUE(server->Started()) << server->Error();
        connection = std::make_unique<TestConnection>(*server);
    }
    // Files made after this belong to the test, not to the server's user
    // (vsftpd then cannot change them).
    void LogIn()
    {
        server->TakeOwnership();
        ASSERT_EQ(connection->LogIn(NullContext()), NetResult::Ok) << log.All();
    }
    void MakeFile(const std::wstring& path, const std::string& bytes = "data")
    {
        MakeServedFile(server->RootPath(path), bytes, WholeMinuteNow());
    }
    bool Exists(const std::wstring& path) { return PathExists(server->RootPath(path)); }
    // The row the remote pane would show for a name of the current folder.
    SelectedRemoteRow ListedRow(const std::wstring& name)
    {
        RemoteListing listing;
        EXPECT_EQ(ListRemoteFolder(NullContext(), connection->Session(), listing), NetResult::Ok);
        for (const RemoteEntry& entry : listing.entries)
            if (OwnName(entry) == name)
                return RowOf(entry);
        ADD_FAILURE() << "not listed";
        return {};
    }
    bool Listed(const std::wstring& name)
    {
        RemoteListing listing;
        EXPECT_EQ(ListRemoteFolder(NullContext(), connection->Session(), listing), NetResult::Ok);
        return std::any_of(listing.entries.begin(), listing.entries.end(),
                           [&](const RemoteEntry& entry) { return OwnName(entry) == name; });
    }
    // Commands are not in the session log: the server's own log tells what it received.
    size_t Received(const std::string& command)
    {
        std::string protocol = server->ProtocolLog();
        size_t count = 0;
        for (size_t at = protocol.find(command); at != std::string::npos; at = protocol.find(command, at + 1))
            ++count;
        return count;
    }
    PermissionDigits ServerDigits(const std::wstring& name)
    {
        std::wstring text;
        EXPECT_EQ(GetRemotePermissions(NullContext(), connection->Session(), name, text), NetResult::Ok);
        return DigitsFromPermissionText(text).value_or(PermissionDigits{});
    }
    bool Logged(const std::wstring& text, LogLevel level)
    {
        return std::any_of(log.lines.begin(), log.lines.end(),
                           [&](const CapturedLog::Line& line) { return line.text == text && line.level == level; });
    }

    std::unique_ptr<RealFtpServer> server;
    std::unique_ptr<TestConnection> connection;
    CapturedLog log;
    RecordingContext context;
};

SelectedRemoteRow File(const wchar_t* name)
{
    return {name, RemoteKind::File, L""};
}

SelectedRemoteRow Folder(const wchar_t* name)
{
    return {name, RemoteKind::Folder, L""};
}

RemoteSelection InRoot(std::vector<SelectedRemoteRow> rows)
{
    return {L"/", std::move(rows)};
}

// Makes a site current so that it has bookmark lists.
void MakeSiteCurrent()
{
    WriteString(ChildKey(SiteServerKey(L"Work", L"ftp.example.com"), L"0"), L"UserName", L"anna");
    WriteCurrentSiteName({L"Work", L"ftp.example.com", L"anna"});
}

}  // namespace

TEST_P(FileCommands, DeleteConfirmsThenDeletesFilesAndWholeTrees)
{
    MakeFile(L"/a.txt");
    MakeFile(L"/keep.txt");
    MakeServedFolder(server->RootPath(L"/tree"));
    MakeFile(L"/tree/x.txt");
    MakeServedFolder(server->RootPath(L"/tree/deeper"));
    MakeFile(L"/tree/deeper/y.txt");
    ASSERT_NO_FATAL_FAILURE(LogIn());

    ScriptedPrompt prompt{{true}};
    RemoteSelection selection = InRoot({File(L"a.txt"), Folder(L"tree")});
    EXPECT_EQ(DeleteRemoteSelection(context, *connection, prompt, selection, false), NetResult::Ok) << log.All();
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, L"Confirm Delete");
    EXPECT_EQ(prompt.asked[0].text, L"Are you sure you want to delete the selected files or directories?");
    EXPECT_EQ(prompt.asked[0].acceptButton, L"Delete");
    EXPECT_EQ(prompt.asked[0].declineButton, L"Cancel");

    EXPECT_FALSE(Exists(L"/a.txt"));
    EXPECT_FALSE(Exists(L"/tree"));
    EXPECT_TRUE(Exists(L"/keep.txt"));
    EXPECT_TRUE(Logged(L"Deleting file: a.txt", LogInformation));
    EXPECT_TRUE(Logged(L"Deleting folder: tree", LogInformation));
    EXPECT_NE(std::find(context.statuses.begin(), context.statuses.end(), std::make_pair(0, std::wstring(L"Deleting tree"))),
              context.statuses.end());
    ASSERT_FALSE(context.progress.empty());
    EXPECT_TRUE(std::is_sorted(context.progress.begin(), context.progress.end()));
    EXPECT_DOUBLE_EQ(context.progress.back(), 1.0);
    EXPECT_TRUE(context.errors.empty());
    EXPECT_EQ(connection->CurrentFolder(), L"/");
    EXPECT_EQ(connection->reconnects, 0);
}

TEST_P(FileCommands, DeleteOfOneRowNamesItAndDecliningKeepsIt)
{
    MakeFile(L"/a.txt");
    MakeServedFolder(server->RootPath(L"/tree"));
    ASSERT_NO_FATAL_FAILURE(LogIn());

    ScriptedPrompt prompt{{false}, {false}};
    EXPECT_EQ(DeleteRemoteSelection(context, *connection, prompt, InRoot({File(L"a.txt")}), false),
              NetResult::Cancelled);
    EXPECT_EQ(DeleteRemoteSelection(context, *connection, prompt, InRoot({Folder(L"tree")}), false),
              NetResult::Cancelled);
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[0].text, L"Are you sure you want to delete selected file:\n\"a.txt\"?");
    EXPECT_EQ(prompt.asked[1].text, L"Are you sure you want to delete selected folder:\n\"tree\"?");
    EXPECT_TRUE(Exists(L"/a.txt"));
    EXPECT_TRUE(Exists(L"/tree"));

    // One row without a name (an unfinished new-folder row) asks nothing.
    EXPECT_EQ(DeleteRemoteSelection(context, *connection, prompt, InRoot({Folder(L"")}), false),
              NetResult::Ok);
    EXPECT_EQ(prompt.asked.size(), 2u);
    EXPECT_FALSE(log.ContainsPart(L"Deleting"));
}

TEST_P(FileCommands, DeleteStopsAtTheFirstFailure)
{
    MakeFile(L"/a.txt");
    MakeFile(L"/b.txt");
    ASSERT_NO_FATAL_FAILURE(LogIn());
    ScriptedPrompt prompt{{true}};
    RemoteSelection selection = InRoot(
        {File(L"a.txt"), File(L"missing.txt"), File(L"b.txt")});
    EXPECT_EQ(DeleteRemoteSelection(context, *connection, prompt, selection, false), NetResult::Failed);
    EXPECT_FALSE(Exists(L"/a.txt"));
    EXPECT_TRUE(Exists(L"/b.txt"));
    EXPECT_EQ(context.errors, std::vector<std::wstring>{L"Unable to delete file \"missing.txt\"."});
    EXPECT_TRUE(Logged(L"Unable to delete file \"missing.txt\".", LogErrorLevel));
    EXPECT_FALSE(log.Contains(L"Deleting file: b.txt"));
}

TEST_P(FileCommands, DeleteForgetsTheBookmarksOfWhatWentWhenAsked)
{
    ScratchProductKey scratch;
    MakeSiteCurrent();
    for (const wchar_t* path : {L"/tree", L"/keep", L"/a.txt", L"/other"})
        ASSERT_EQ(AddBookmark(PaneSide::Remote, path), AddBookmarkResult::Added);
    MakeFile(L"/a.txt");
    MakeServedFolder(server->RootPath(L"/tree"));
    MakeServedFolder(server->RootPath(L"/other"));
    ASSERT_NO_FATAL_FAILURE(LogIn());

    ScriptedPrompt prompt{{true}, {true}};
    EXPECT_EQ(DeleteRemoteSelection(context, *connection, prompt, InRoot({Folder(L"other")}), false),
              NetResult::Ok);
    EXPECT_EQ(ReadBookmarks(PaneSide::Remote).size(), 4u) << "kept when not asked to forget";
    RemoteSelection selection = InRoot({Folder(L"tree"), File(L"a.txt")});
    EXPECT_EQ(DeleteRemoteSelection(context, *connection, prompt, selection, true), NetResult::Ok);
    EXPECT_EQ(ReadBookmarks(PaneSide::Remote), (std::vector<std::wstring>{L"/keep", L"/other"}));
}

TEST_P(FileCommands, RenameRefusesNamesTheUserMustCorrect)
{
    MakeFile(L"/a.txt");
    MakeServedFolder(server->RootPath(L"/docs"));
    ASSERT_NO_FATAL_FAILURE(LogIn());
    ScriptedPrompt prompt;
    std::wstring focus;
    SelectedRemoteRow file = File(L"a.txt");
    SelectedRemoteRow folder = Folder(L"docs");

    EXPECT_EQ(RenameRemoteRow(context, *connection, prompt, file, L".htaccess", focus), NetResult::Failed);
    EXPECT_EQ(RenameRemoteRow(context, *connection, prompt, file, L"sub/a.txt", focus), NetResult::Failed);
    EXPECT_EQ(RenameRemoteRow(context, *connection, prompt, file, L"  ", focus), NetResult::Failed);
    EXPECT_EQ(RenameRemoteRow(context, *connection, prompt, folder, L"", focus), NetResult::Failed);
    EXPECT_EQ(RenameRemoteRow(context, *connection, prompt, Folder(L""), L"", focus), NetResult::Failed);
    ASSERT_EQ(prompt.asked.size(), 5u);
    EXPECT_EQ(prompt.asked[0].caption, L"Invalid Name");
    EXPECT_EQ(prompt.asked[0].text, L"File name cannot be empty.");
    EXPECT_EQ(prompt.asked[0].declineButton, L"") << "a message, not a question";
    EXPECT_EQ(prompt.asked[1].caption, L"Invalid Name");
    EXPECT_EQ(prompt.asked[2].caption, L"File Rename");
    EXPECT_EQ(prompt.asked[2].text, L"File name cannot be empty.");
    EXPECT_EQ(prompt.asked[3].caption, L"Folder Rename");
    EXPECT_EQ(prompt.asked[3].text, L"Folder name cannot be empty.");
    EXPECT_EQ(prompt.asked[4].text, L"Please enter a valid folder name.");
    EXPECT_EQ(Received("RNFR"), 0u);
    EXPECT_TRUE(Exists(L"/a.txt"));
    EXPECT_TRUE(Exists(L"/docs"));
    EXPECT_EQ(focus, L"");

    // The same name in another case changes nothing.
    EXPECT_EQ(RenameRemoteRow(context, *connection, prompt, file, L" A.TXT ", focus), NetResult::Ok);
    EXPECT_EQ(focus, L"a.txt");
    EXPECT_EQ(prompt.asked.size(), 5u);
    EXPECT_EQ(Received("RNFR"), 0u);
}

TEST_P(FileCommands, RenameAsksBeforeOverwritingAndCanRememberTheAnswer)
{
    ScratchProductKey scratch;
    MakeFile(L"/a.txt", "from a");
    MakeFile(L"/c.txt", "old c");
    MakeFile(L"/empty.txt", "");
    MakeFile(L"/d.txt", "from d");
    ASSERT_NO_FATAL_FAILURE(LogIn());
    std::wstring focus;

    ScriptedPrompt prompt{{false}};
    EXPECT_EQ(RenameRemoteRow(context, *connection, prompt, File(L"a.txt"), L"c.txt", focus),
              NetResult::Cancelled);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, L"Overwrite");
    EXPECT_EQ(prompt.asked[0].text, L"The file c.txt already exists on the server. Do you want to overwrite it?");
    EXPECT_EQ(prompt.asked[0].acceptButton, L"Overwrite");
    EXPECT_EQ(prompt.asked[0].checkBox, L"Don't ask me again");
    EXPECT_EQ(ReadWholeFile(server->RootPath(L"/c.txt")), "old c");
    EXPECT_FALSE(ValueExists(SettingsKey(), L"OverwriteRenameRemember"));

    // A target of size 0 does not count as existing.
    EXPECT_EQ(RenameRemoteRow(context, *connection, prompt, File(L"d.txt"), L"empty.txt", focus),
              NetResult::Ok);
    EXPECT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(ReadWholeFile(server->RootPath(L"/empty.txt")), "from d");

    ScriptedPrompt overwrite{{true, true}};
    EXPECT_EQ(RenameRemoteRow(context, *connection, overwrite, File(L"a.txt"), L"c.txt", focus),
              NetResult::Ok);
    EXPECT_EQ(focus, L"c.txt");
    EXPECT_EQ(ReadWholeFile(server->RootPath(L"/c.txt")), "from a");
    EXPECT_FALSE(Exists(L"/a.txt"));
    EXPECT_TRUE(ReadBool(SettingsKey(), L"OverwriteRenameRemember", false));
    EXPECT_TRUE(ReadBool(SettingsKey(), L"OverwriteRename", false));

    // A remembered refusal refuses silently; a free name goes ahead.
    WriteBool(SettingsKey(), L"OverwriteRename", false);
    ScriptedPrompt silent;
    EXPECT_EQ(RenameRemoteRow(context, *connection, silent, File(L"c.txt"), L"empty.txt", focus),
              NetResult::Cancelled);
    EXPECT_EQ(RenameRemoteRow(context, *connection, silent, File(L"c.txt"), L"free.txt", focus),
              NetResult::Ok);
    EXPECT_TRUE(silent.asked.empty());
    EXPECT_EQ(ReadWholeFile(server->RootPath(L"/free.txt")), "from a");
    EXPECT_EQ(ReadWholeFile(server->RootPath(L"/empty.txt")), "from d");
}

TEST_P(FileCommands, RenameOfANewFolderRowCreatesItAndAFailedRenameSaysWhy)
{
    ASSERT_NO_FATAL_FAILURE(LogIn());
    ScriptedPrompt prompt;
    std::wstring focus;
    EXPECT_EQ(RenameRemoteRow(context, *connection, prompt, Folder(L""), L" made ", focus),
              NetResult::Ok);
    EXPECT_EQ(focus, L"made");
    EXPECT_TRUE(Exists(L"/made"));

    EXPECT_EQ(RenameRemoteRow(context, *connection, prompt, File(L"missing.txt"), L"new.txt", focus),
              NetResult::Failed);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, L"Error");
    EXPECT_EQ(prompt.asked[0].text, L"Cannot rename the file. Please check with your system administrator whether "
                                    L"you have write permission on this folder.");
}

TEST_P(FileCommands, NewFolderChecksTheNameAndTheListing)
{
    ASSERT_NO_FATAL_FAILURE(LogIn());
    ScriptedPrompt prompt;
    EXPECT_EQ(NewRemoteFolder(context, *connection, prompt, L"/", L"a:b"), NetResult::Failed);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, kInvalidNewFolderName);
    EXPECT_EQ(prompt.asked[0].icon, PromptIcon::Warning);
    EXPECT_EQ(Received("MKD"), 0u);

    EXPECT_EQ(NewRemoteFolder(context, *connection, prompt, L"/", L" say \"hi\" "), NetResult::Ok) << log.All();
    EXPECT_TRUE(Listed(L"say \"hi\""));  // a name Windows paths cannot hold
    EXPECT_TRUE(Logged(L"New folder 'say \"hi\"' created.", LogInformation));

    EXPECT_EQ(NewRemoteFolder(context, *connection, prompt, L"/", L"say \"hi\""), NetResult::Failed);
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[1].caption, L"Already exists");
    EXPECT_EQ(prompt.asked[1].text, L"A file or directory with that name already exists");
    EXPECT_EQ(prompt.asked[1].icon, PromptIcon::Information);
    EXPECT_EQ(Received("MKD say \"hi\""), 1u);
}

TEST_P(FileCommands, PermissionsChangeRowByRowAndShowTheSentDigits)
{
    MakeFile(L"/a.txt");
    MakeFile(L"/b.txt");
    ASSERT_NO_FATAL_FAILURE(LogIn());
    SelectedRemoteRow a = ListedRow(L"a.txt");
    EXPECT_EQ(ServerDigits(L"a.txt"), (PermissionDigits{6, 4, 4}));
    // pyftpdlib's MLSD tells no mode: its rows start the dialog at 0 0 0.
    EXPECT_EQ(DialogDigits(a), (a.permissions.empty() ? PermissionDigits{} : PermissionDigits{6, 4, 4}));
    std::vector<SelectedRemoteRow> rows{a, {L"missing.txt", RemoteKind::File, L"-rw-r--r--"}, ListedRow(L"b.txt")};
    std::wstring listedA = a.permissions;

    EXPECT_EQ(ChangeRemotePermissions(context, *connection, rows, {7, 5, 5}), NetResult::Failed);
    EXPECT_TRUE(Logged(L"Changing Permissions...", LogInformation));
    EXPECT_TRUE(Logged(L"File permissions set for file a.txt.", LogInformation));
    EXPECT_TRUE(Logged(L"Changing file permissions failed for file missing.txt.", LogErrorLevel));
    EXPECT_TRUE(Logged(L"File permissions set for file b.txt.", LogInformation)) << "goes on after a refusal";
    EXPECT_FALSE(log.ContainsPart(L"overwrote"));
    EXPECT_EQ(rows[0].permissions, PermissionTextAfterChmod(listedA, {7, 5, 5}));
    EXPECT_EQ(rows[0].permissions, listedA.empty() ? L"0755" : L"-rwxr-xr-x");
    EXPECT_EQ(rows[1].permissions, L"-rw-r--r--");
    // The server's own listing agrees.
    EXPECT_EQ(ServerDigits(L"a.txt"), (PermissionDigits{7, 5, 5}));
    EXPECT_EQ(ServerDigits(L"b.txt"), (PermissionDigits{7, 5, 5}));
}

TEST_P(FileCommands, OpenDownloadsIntoTheTemporaryFolderAndHandsTheCopyToTheShell)
{
    MakeFile(L"/notes 1.txt", "the notes");
    MakeFile(L"/a.txt");
    ASSERT_NO_FATAL_FAILURE(LogIn());
    FakeShell shell;
    EXPECT_EQ(OpenRemoteFile(context, *connection, shell, File(L"notes 1.txt")), NetResult::Ok) << log.All();
    ASSERT_EQ(shell.opened.size(), 1u);
    wchar_t temporary[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temporary);
    EXPECT_EQ(shell.opened[0], std::wstring(temporary) + L"notes 1.txt");
    EXPECT_EQ(ReadWholeFile(shell.opened[0]), "the notes");
    EXPECT_TRUE(Logged(L"Open file successfully: notes 1.txt", LogInformation));
    DeleteFileW(shell.opened[0].c_str());

    EXPECT_EQ(OpenRemoteFile(context, *connection, shell, File(L"missing.txt")), NetResult::Failed);
    EXPECT_TRUE(Logged(L"Cannot open file: missing.txt", LogErrorLevel));
    auto cannot = std::find_if(log.lines.begin(), log.lines.end(),
                               [](const CapturedLog::Line& line) { return line.text == L"Cannot open file: missing.txt"; });
    ASSERT_NE(cannot + 1, log.lines.end());
    EXPECT_EQ((cannot + 1)->level, LogErrorLevel) << "the transfer's reason follows";
    EXPECT_FALSE((cannot + 1)->text.empty());
    EXPECT_EQ(shell.opened.size(), 1u);

    shell.openWorks = false;
    EXPECT_EQ(OpenRemoteFile(context, *connection, shell, File(L"a.txt")), NetResult::Failed);
    EXPECT_TRUE(Logged(L"Cannot open file: a.txt", LogErrorLevel));
    DeleteFileW((std::wstring(temporary) + L"a.txt").c_str());

    context.cancelled = true;
    EXPECT_EQ(OpenRemoteFile(context, *connection, shell, File(L"a.txt")), NetResult::Cancelled);
    EXPECT_EQ(shell.opened.size(), 2u) << "a cancelled download is not opened";
}

INSTANTIATE_TEST_SUITE_P(Servers, FileCommands, ::testing::Values(Kind::Vsftpd, Kind::Pyftpdlib),
                         [](const auto& info) { return std::string(RealFtpServer::Name(info.param)); });

// vsftpd logs in as its own user: what the test makes after handing the
// folder over stays the test's, and the server cannot change it.
using VsftpdFileCommands = FileCommands;

TEST_P(VsftpdFileCommands, AFolderThatCannotBeDeletedIsTriedOnceMoreAfterAReconnect)
{
    MakeFile(L"/a.txt");
    ASSERT_NO_FATAL_FAILURE(LogIn());
    MakeServedFolder(server->RootPath(L"/locked"));
    MakeFile(L"/locked/inner.txt");
    ScriptedPrompt prompt{{true}};
    RemoteSelection selection = InRoot({Folder(L"locked"), File(L"a.txt")});
    EXPECT_EQ(DeleteRemoteSelection(context, *connection, prompt, selection, false), NetResult::Failed);
    EXPECT_EQ(connection->reconnects, 1);
    EXPECT_EQ(Received("DELE inner.txt"), 2u);
    EXPECT_EQ(context.errors, std::vector<std::wstring>{L"Unable to delete directory \"locked\"."});
    EXPECT_TRUE(Logged(L"Unable to delete directory \"locked\".", LogErrorLevel));
    EXPECT_TRUE(Exists(L"/locked/inner.txt"));
    EXPECT_TRUE(Exists(L"/a.txt"));
    EXPECT_EQ(connection->CurrentFolder(), L"/");
}

TEST_P(VsftpdFileCommands, ALinkRowRemovesTheLinkAndNotWhatItPointsTo)
{
    MakeServedFolder(server->RootPath(L"/target"));
    MakeFile(L"/target/t.txt");
    ASSERT_TRUE(server->MakeSymlink("latest", "target"));
    ASSERT_NO_FATAL_FAILURE(LogIn());
    SelectedRemoteRow link = ListedRow(L"latest");
    ASSERT_EQ(link.kind, RemoteKind::Link);
    EXPECT_EQ(link.name, L"latest -> target");
    ScriptedPrompt prompt{{true}};
    EXPECT_EQ(DeleteRemoteSelection(context, *connection, prompt, InRoot({link}), false), NetResult::Ok) << log.All();
    EXPECT_EQ(Received("DELE latest"), 1u);
    EXPECT_TRUE(Exists(L"/target/t.txt"));
    RemoteListing listing;
    ASSERT_EQ(ListRemoteFolder(NullContext(), connection->Session(), listing), NetResult::Ok);
    EXPECT_EQ(listing.entries.size() - std::count_if(listing.entries.begin(), listing.entries.end(), IsDotEntry), 1u);
}

TEST_P(VsftpdFileCommands, NewFolderTriesThreeTimesAndSaysWhenTheFolderDidNotAppear)
{
    ASSERT_NO_FATAL_FAILURE(LogIn());
    MakeServedFolder(server->RootPath(L"/ro"));
    ASSERT_EQ(ChangeRemoteFolder(NullContext(), connection->Session(), L"/ro"), NetResult::Ok);
    ScriptedPrompt prompt;
    EXPECT_EQ(NewRemoteFolder(context, *connection, prompt, L"/ro", L"x"), NetResult::Failed);
    EXPECT_EQ(Received("MKD x"), 3u);
    EXPECT_EQ(connection->reconnects, 2);
    EXPECT_EQ(connection->CurrentFolder(), L"/ro");
    EXPECT_TRUE(Logged(L"Failed to create directory: x", LogErrorLevel));
    EXPECT_TRUE(Logged(L"Failed to create folder 'x'.", LogErrorLevel));
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, L"Folder Creation Failed");
    EXPECT_EQ(prompt.asked[0].text,
              L"Failed to create the folder 'x'. Make sure you have permission to create folders on this server.");
    EXPECT_FALSE(Exists(L"/ro/x"));
}

INSTANTIATE_TEST_SUITE_P(Servers, VsftpdFileCommands, ::testing::Values(Kind::Vsftpd),
                         [](const auto& info) { return std::string(RealFtpServer::Name(info.param)); });
