// No user data is lost when a job fails or is cancelled: a download is kept
// apart until it is whole, and a roll-back removes only what the job wrote.
#include <gtest/gtest.h>

#include "ftp/TransferTestSupport.h"
#include "ops/DownloadJob.h"
#include "ops/JobTestSupport.h"
#include "ops/LocalFiles.h"
#include "ops/UploadJob.h"
#include "support/ScriptedPrompt.h"
#include "support/ServedFiles.h"

namespace {

using Kind = RealFtpServer::Kind;

// Cancels a few progress draws into the transfer whose status line holds the
// given text.
class CancelDuring : public RecordingContext {
public:
    explicit CancelDuring(std::wstring text) : text_(std::move(text)) {}
    void SetStatus(const std::wstring& text, int line) override
    {
        RecordingContext::SetStatus(text, line);
        if (text.find(text_) != std::wstring::npos)
            armed_ = true;
    }
    void SetProgress(double fraction) override
    {
        RecordingContext::SetProgress(fraction);
        if (armed_ && ++draws_ >= 5)
            cancelled = true;
    }

private:
    std::wstring text_;
    bool armed_ = false;
    int draws_ = 0;
};

// Cancels at the first wait: the only wait of a download that goes well is
// the one for a late press of Cancel after its last file.
class CancelWhileWaiting : public RecordingContext {
public:
    NetResult Sleep(uint32_t) override
    {
        cancelled = true;
        return NetResult::Cancelled;
    }
};

class JobSafety : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Started()) << server.Error();
        ASSERT_EQ(connection.Open(NullContext()), NetResult::Ok) << log.All();
    }

    RealFtpServer server{Kind::Pyftpdlib, RealFtpServer::Tls::None, RealFtpServer::Certificate::Good,
                         "hostile-names"};
    CapturedLog log;
    DirectConnection connection{JobLoginFor(server), {}};
    ScratchFolder local;
};

}  // namespace

TEST_F(JobSafety, ADownloadThatFailsHalfWayLeavesTheOldLocalFileAsItWas)
{
    // The server breaks off every RETR of this file half-way.
    MakeServedFile(server.RootPath(L"/half-fail.bin"), RandomBytes(300 << 10, 3), WholeMinuteNow());
    WriteWholeFile(local.File(L"half-fail.bin"), "the user's own file");
    ScriptedPrompt prompt{{true}};
    RecordingContext context;
    EXPECT_EQ(DownloadSelection(context, connection, prompt, {L"half-fail.bin"}, local.Path()), NetResult::Failed);
    EXPECT_EQ(ReadWholeFile(local.File(L"half-fail.bin")), "the user's own file");
    auto tree = ReadTree(local.Path());
    EXPECT_EQ(tree.size(), 1u) << "no part file stays";
    EXPECT_TRUE(log.Contains(L"Failed downloading of remote file /half-fail.bin.")) << log.All();
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, L"A copy of the file \"" + local.File(L"half-fail.bin") +
                                        L"\" already exists in the local folder. Do you want to overwrite it?");
}

// The server breaks off the first transfer of these files in each direction:
// the retry continues after the bytes that arrived instead of starting again.
// A part an earlier job left behind is not continued: it may be of another
// version of the file.
TEST_F(JobSafety, ATransferBrokenOffOnceContinuesWhereItStopped)
{
    const std::string data = RandomBytes(600 << 10, 5);
    MakeServedFile(server.RootPath(L"/once-fail.bin"), data, WholeMinuteNow());
    WriteWholeFile(PartPathFor(local.File(L"once-fail.bin")), RandomBytes(100 << 10, 6));
    ScriptedPrompt prompt;
    RecordingContext context;
    ASSERT_EQ(DownloadSelection(context, connection, prompt, {L"once-fail.bin"}, local.Path()), NetResult::Ok)
        << log.All();
    EXPECT_EQ(ContentHash(ReadWholeFile(local.File(L"once-fail.bin"))), ContentHash(data));
    EXPECT_TRUE(log.ContainsPart(L"Continuing the download of /once-fail.bin after ")) << log.All();
    EXPECT_EQ(ReadTree(local.Path()).size(), 1u) << "no part file stays";

    WriteWholeFile(local.File(L"once-fail-up.bin"), data);
    ASSERT_EQ(UploadSelection(context, connection, prompt, {local.File(L"once-fail-up.bin")}, local.Path(), L"", {}),
              NetResult::Ok)
        << log.All();
    EXPECT_EQ(ContentHash(ReadWholeFile(server.RootPath(L"/once-fail-up.bin"))), ContentHash(data));
    EXPECT_TRUE(log.Contains(L"Continuing the upload of once-fail-up.bin after 65536 bytes.")) << log.All();
}

TEST_F(JobSafety, TheRollBackAfterACancelledDownloadRemovesOnlyWhatTheJobWrote)
{
    int64_t now = WholeMinuteNow();
    MakeServedFile(server.RootPath(L"/keep.txt"), "server keep", now);
    MakeServedFile(server.RootPath(L"/big.bin"), RandomBytes(20 << 20, 4), now);
    MakeServedFile(server.RootPath(L"/first.bin"), "first", now);
    MakeServedFolder(server.RootPath(L"/sub"));
    MakeServedFile(server.RootPath(L"/sub/s.txt"), "s", now);
    WriteWholeFile(local.File(L"keep.txt"), "user's keep");
    WriteWholeFile(local.File(L"big.bin"), "user's big");

    // Queued in this order, transferred the other way round: sub\s.txt and
    // first.bin arrive, big.bin is cancelled, keep.txt is never reached.
    ScriptedPrompt prompt{{true, true}, {true}};
    CancelDuring context(L"Downloading remote file: /big.bin");
    EXPECT_EQ(DownloadSelection(context, connection, prompt, {L"keep.txt", L"big.bin", L"first.bin", L"sub"},
                                local.Path()),
              NetResult::Cancelled);
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[1].caption, L"Download Canceled");
    EXPECT_EQ(prompt.asked[1].text, L"Delete downloaded local files and folders?");
    EXPECT_EQ(prompt.asked[1].acceptButton, L"Delete");
    EXPECT_EQ(prompt.asked[1].declineButton, L"Leave Files");

    auto tree = ReadTree(local.Path());
    EXPECT_EQ(tree, (std::map<std::wstring, std::string>{{L"keep.txt", "user's keep"}, {L"big.bin", "user's big"}}))
        << log.All();
    EXPECT_TRUE(log.Contains(L"Deleting local file: " + local.File(L"first.bin")));
    EXPECT_FALSE(log.ContainsPart(L"Deleting local file: " + local.File(L"keep.txt")));
    EXPECT_TRUE(log.Contains(L"User aborted download"));
}

TEST_F(JobSafety, ACancelJustAfterTheLastFileCountsOnlyWhereTheJobWaitsForIt)
{
    MakeServedFile(server.RootPath(L"/late.bin"), "late", WholeMinuteNow());
    ScriptedPrompt leave{{false}};
    CancelWhileWaiting window;
    EXPECT_EQ(DownloadSelection(window, connection, leave, {L"late.bin"}, local.Path()), NetResult::Cancelled);
    ASSERT_EQ(leave.asked.size(), 1u);
    EXPECT_EQ(leave.asked[0].caption, L"Download Canceled");
    EXPECT_EQ(ReadWholeFile(local.File(L"late.bin")), "late");

    ScratchFolder other;
    ScriptedPrompt none;
    CancelWhileWaiting console;
    EXPECT_EQ(DownloadSelection(console, connection, none, {L"late.bin"}, other.Path(), LateCancel::NotAwaited),
              NetResult::Ok)
        << log.All();
    EXPECT_TRUE(none.asked.empty());
    EXPECT_EQ(ReadWholeFile(other.File(L"late.bin")), "late");
}

TEST_F(JobSafety, LeavingTheFilesAfterACancelledDownloadKeepsThem)
{
    int64_t now = WholeMinuteNow();
    MakeServedFile(server.RootPath(L"/big.bin"), RandomBytes(20 << 20, 5), now);
    MakeServedFile(server.RootPath(L"/first.bin"), "first", now);
    ScriptedPrompt prompt{{false}};
    CancelDuring context(L"Downloading remote file: /big.bin");
    EXPECT_EQ(DownloadSelection(context, connection, prompt, {L"big.bin", L"first.bin"}, local.Path()),
              NetResult::Cancelled);
    EXPECT_EQ(ReadTree(local.Path()), (std::map<std::wstring, std::string>{{L"first.bin", "first"}}));
}

TEST_F(JobSafety, TheRollBackAfterACancelledUploadRemovesWhatItStoredAndNothingElse)
{
    int64_t now = WholeMinuteNow();
    MakeServedFolder(server.RootPath(L"/up"));
    MakeServedFile(server.RootPath(L"/up/theirs.txt"), "theirs", now);
    std::wstring up = local.File(L"up");
    CreateDirectoryW(up.c_str(), nullptr);
    CreateDirectoryW((up + L"\\new folder").c_str(), nullptr);
    WriteWholeFile(up + L"\\new folder\\n.txt", "n");
    WriteWholeFile(up + L"\\a.txt", "a");
    WriteWholeFile(up + L"\\big.bin", RandomBytes(20 << 20, 6));
    WriteWholeFile(up + L"\\z.txt", "z");

    ScriptedPrompt prompt{{true}};
    CancelDuring context(L"Uploading file ...big.bin");
    EXPECT_EQ(UploadSelection(context, connection, prompt, {up}, local.Path(), L"", {}), NetResult::Cancelled);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, L"Tarnwick File Transfer Software");
    EXPECT_EQ(prompt.asked[0].text, L"Do you wish to delete the already uploaded files and folders?");
    EXPECT_TRUE(log.Contains(L"User aborted upload"));
    EXPECT_TRUE(log.Contains(L"Files deleted")) << log.All();
    EXPECT_EQ(ReadTree(server.RootPath(L"/up")), (std::map<std::wstring, std::string>{{L"theirs.txt", "theirs"}}))
        << log.All();
}

TEST_F(JobSafety, UploadsAskBeforeReplacingARemoteFileAndSkipForAllWhenTold)
{
    int64_t now = WholeMinuteNow();
    MakeServedFolder(server.RootPath(L"/set"));
    MakeServedFile(server.RootPath(L"/set/one.txt"), "remote one", now);
    MakeServedFile(server.RootPath(L"/set/two.txt"), "remote two", now);
    MakeServedFile(server.RootPath(L"/set/empty.txt"), "", now);
    std::wstring set = local.File(L"set");
    CreateDirectoryW(set.c_str(), nullptr);
    WriteWholeFile(set + L"\\one.txt", "local one");
    WriteWholeFile(set + L"\\two.txt", "local two");
    WriteWholeFile(set + L"\\empty.txt", "no longer empty");
    WriteWholeFile(set + L"\\new.txt", "new");

    // "Skip" with "Do this for all": one question for the two files with
    // contents; the empty remote file counts as absent and is replaced.
    ScriptedPrompt prompt{{false, true}};
    RecordingContext context;
    EXPECT_EQ(UploadSelection(context, connection, prompt, {set}, local.Path(), L"", {}), NetResult::Ok) << log.All();
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, L"Overwrite");
    EXPECT_EQ(prompt.asked[0].acceptButton, L"Overwrite");
    EXPECT_EQ(prompt.asked[0].declineButton, L"Skip");
    EXPECT_EQ(prompt.asked[0].checkBox, L"Do this for all");
    EXPECT_EQ(ReadTree(server.RootPath(L"/set")),
              (std::map<std::wstring, std::string>{{L"one.txt", "remote one"},
                                                   {L"two.txt", "remote two"},
                                                   {L"empty.txt", "no longer empty"},
                                                   {L"new.txt", "new"}}));

    // The next command asks again; "Overwrite" for all replaces both.
    ScriptedPrompt again{{true, true}};
    EXPECT_EQ(UploadSelection(context, connection, again, {set}, local.Path(), L"", {}), NetResult::Ok) << log.All();
    EXPECT_EQ(again.asked.size(), 1u);
    EXPECT_EQ(ReadWholeFile(server.RootPath(L"/set/one.txt")), "local one");
    EXPECT_EQ(ReadWholeFile(server.RootPath(L"/set/two.txt")), "local two");
}

TEST_F(JobSafety, AnOverwriteAnsweredBeforehandReplacesWithoutAskingOrLookingAndASkipStillLooks)
{
    MakeServedFolder(server.RootPath(L"/given"));
    MakeServedFile(server.RootPath(L"/given/one.txt"), "remote one", WholeMinuteNow());
    std::wstring given = local.File(L"given");
    CreateDirectoryW(given.c_str(), nullptr);
    WriteWholeFile(given + L"\\one.txt", "local one");
    WriteWholeFile(given + L"\\two.txt", "local two");
    // The size queries, in the server's own log (this server answers them with MLST).
    auto sizeQueries = [&] {
        std::string protocol = server.ProtocolLog();
        size_t count = 0;
        for (size_t at = protocol.find("MLST "); at != std::string::npos; at = protocol.find("MLST ", at + 1))
            ++count;
        return count;
    };
    ScriptedPrompt none;
    RecordingContext context;
    // "Skip" for all: each remote file is looked for, the existing one kept.
    size_t before = sizeQueries();
    EXPECT_EQ(UploadSelection(context, connection, none, {given}, local.Path(), L"", {}, {true, false}),
              NetResult::Ok)
        << log.All();
    EXPECT_EQ(ReadWholeFile(server.RootPath(L"/given/one.txt")), "remote one");
    EXPECT_EQ(ReadWholeFile(server.RootPath(L"/given/two.txt")), "local two");
    EXPECT_GE(sizeQueries(), before + 2);

    // "Overwrite" for all: nothing is looked for, both are stored.
    before = sizeQueries();
    EXPECT_EQ(UploadSelection(context, connection, none, {given}, local.Path(), L"", {}, {true, true}), NetResult::Ok)
        << log.All();
    EXPECT_EQ(ReadWholeFile(server.RootPath(L"/given/one.txt")), "local one");
    EXPECT_EQ(sizeQueries(), before);
    EXPECT_TRUE(none.asked.empty());
}

TEST_F(JobSafety, TheNameRulesNameTheRemoteFiles)
{
    std::wstring folder = local.File(L"My Folder");
    CreateDirectoryW(folder.c_str(), nullptr);
    WriteWholeFile(folder + L"\\My File.TXT", "rules");
    ScriptedPrompt prompt;
    RecordingContext context;
    RemoteNameRules rules;
    rules.noSpaces = true;
    rules.lowerCase = true;
    EXPECT_EQ(UploadSelection(context, connection, prompt, {folder}, local.Path(), L"", rules), NetResult::Ok)
        << log.All();
    EXPECT_EQ(ReadWholeFile(server.RootPath(L"/my_folder/my_file.txt")), "rules");
}

TEST_F(JobSafety, AnUploadThatKeepsFailingRemovesThePartialRemoteFile)
{
    // The server stops writing this file after 64 KiB, every time.
    WriteWholeFile(local.File(L"half-fail.bin"), RandomBytes(1 << 20, 10));
    ScriptedPrompt prompt;
    RecordingContext context;
    EXPECT_EQ(UploadSelection(context, connection, prompt, {local.File(L"half-fail.bin")}, local.Path(), L"", {}),
              NetResult::Failed);
    EXPECT_FALSE(PathExists(server.RootPath(L"/half-fail.bin"))) << log.All();
    EXPECT_TRUE(log.Contains(L"Deleted the partial remote file /half-fail.bin")) << log.All();
    EXPECT_TRUE(log.Contains(L"Cannot upload the file list"));
}
