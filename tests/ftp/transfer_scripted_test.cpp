// Downloads and uploads against the scripted server: the replies real servers
// will not send on demand.
#include <gtest/gtest.h>

#include <thread>

#include "ftp/FeatureFlags.h"
#include "ftp/Transfer.h"
#include "ftp/TransferScript.h"
#include "ftp/TransferTestSupport.h"
#include "support/ScriptedFtpServer.h"
#include "support/TestContexts.h"
#include "support/TestLog.h"

namespace {

// Holds the transfer up once, at the given progress draw, for longer than the
// keep-alive interval of these tests.
class StallAtProgress : public RecordingContext {
public:
    explicit StallAtProgress(size_t draw) : draw_(draw) {}
    void SetProgress(double fraction) override
    {
        RecordingContext::SetProgress(fraction);
        if (progress.size() == draw_)
            ::Sleep(700);
    }

private:
    size_t draw_;
};

// A local file to write that fails part-way: a named pipe whose other end
// takes a few bytes and goes away.
class VanishingLocalFile {
public:
    VanishingLocalFile()
        : path_(L"\\\\.\\pipe\\tarnwick-transfer-" + std::to_wstring(GetCurrentProcessId())),
          pipe_(CreateNamedPipeW(path_.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr))
    {
        EXPECT_NE(pipe_, INVALID_HANDLE_VALUE);
        other_ = std::thread([this]() {
            ConnectNamedPipe(pipe_, nullptr);
            char bytes[3000] = {};
            DWORD count = 0;
            ReadFile(pipe_, bytes, sizeof(bytes), &count, nullptr);
            DisconnectNamedPipe(pipe_);
        });
    }
    ~VanishingLocalFile()
    {
        other_.join();
        CloseHandle(pipe_);
    }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
    HANDLE pipe_;
    std::thread other_;
};

bool IsPrefix(const std::string& part, const std::string& whole)
{
    return part.size() <= whole.size() && whole.compare(0, part.size(), part) == 0;
}

}  // namespace

TEST_F(TransferScript, DownloadAsksTheSizeFirstAndWritesEveryByte)
{
    const std::string data = RandomBytes(150000, 1);
    DownloadStart(data.size()).SendData(data).CloseData().Reply("226 Transfer complete.");
    Connect();
    RecordingContext context;
    std::wstring local = folder.File(L"a.bin");
    ASSERT_EQ(Download(context, session, L"pub/a.bin", local, &replyText), NetResult::Ok) << log.All();
    ExpectScriptDone();
    EXPECT_EQ(ContentHash(ReadWholeFile(local)), ContentHash(data));
    EXPECT_EQ(replyText, L"");
    // The size query comes before PASV: it may need a data connection of its
    // own. Its TYPE I holds for the transfer.
    EXPECT_EQ(server.Received(),
              (std::vector<std::string>{"TYPE I\r\n", "SIZE pub/a.bin\r\n", "PASV\r\n", "RETR pub/a.bin\r\n"}));
    ASSERT_GE(context.statuses.size(), 4u);
    EXPECT_EQ(context.statuses[0], (std::pair<int, std::wstring>{0, L"Preparing for download..."}));
    EXPECT_EQ(context.statuses[1], (std::pair<int, std::wstring>{1, L"pub/a.bin"}));
    EXPECT_EQ(context.statuses[2], (std::pair<int, std::wstring>{0, L"Downloading file..."}));
    EXPECT_EQ(context.statuses[3], (std::pair<int, std::wstring>{1, L"pub/a.bin:  0%"}));
    EXPECT_EQ(context.statuses.back(), (std::pair<int, std::wstring>{1, L"pub/a.bin: 100%"}));
    ASSERT_FALSE(context.progress.empty());
    EXPECT_EQ(context.progress.front(), 0.0);
    EXPECT_DOUBLE_EQ(context.progress.back(), 1.0);
}

TEST_F(TransferScript, BinaryModeIsSetOnceForARunOfTransfersAndAgainAfterAnotherType)
{
    const std::string data = RandomBytes(3000, 8);
    DownloadStart(data.size()).SendData(data).CloseData().Reply("226 Transfer complete.");
    UploadStart(true).ReceiveDataToEnd().Reply("226 Transfer complete.");
    DownloadStart(data.size(), true).SendData(data).CloseData().Reply("226 Transfer complete.");
    // A TYPE sent any other way (a listing's, the user's own) leaves the
    // session's type unknown: the next transfer sets binary mode again.
    server.ExpectLine().Reply("200 Switching to ASCII mode.");
    DownloadStart(data.size()).SendData(data).CloseData().Reply("226 Transfer complete.");
    Connect();
    std::wstring local = folder.File(L"a.bin");
    ASSERT_EQ(Download(NullContext(), session, L"a.bin", local, &replyText), NetResult::Ok) << log.All();
    ASSERT_EQ(Upload(NullContext(), session, L"b.bin", local, &replyText), NetResult::Ok) << log.All();
    ASSERT_EQ(Download(NullContext(), session, L"c.bin", local, &replyText), NetResult::Ok) << log.All();
    ASSERT_EQ(SendCommand(NullContext(), session, "type a\r\n"), NetResult::Ok);
    ASSERT_EQ(Download(NullContext(), session, L"d.bin", local, &replyText), NetResult::Ok) << log.All();
    ExpectScriptDone();
    EXPECT_EQ(server.ReceivedData(), data);
    EXPECT_EQ(server.Received(),
              (std::vector<std::string>{"TYPE I\r\n", "SIZE a.bin\r\n", "PASV\r\n", "RETR a.bin\r\n", "PASV\r\n",
                                        "STOR b.bin\r\n", "SIZE c.bin\r\n", "PASV\r\n", "RETR c.bin\r\n",
                                        "type a\r\n", "TYPE I\r\n", "SIZE d.bin\r\n", "PASV\r\n",
                                        "RETR d.bin\r\n"}));
}

// Downloads whose data does not end in order, or not at the size the server
// gave: each fails with its own words, leaves no file and keeps the session
// in step.
TEST_F(TransferScript, DownloadShortOfTheQueriedSizeFailsWithBothNumbers)
{
    DownloadStart(5000).SendData(RandomBytes(4000, 2)).CloseData().Reply("226 Transfer complete.");
    ExpectDownloadFails(L"b.bin", L"The transfer ended after 4000 of 5000 bytes.");
}

TEST_F(TransferScript, TheSizeInThePreliminaryReplyIsTheOneThatCounts)
{
    // SIZE says 0, which proves nothing; the 150 reply names the size.
    DownloadPrelude(0)
        .ExpectLine()
        .Reply("150 Opening BINARY mode data connection for b (3).bin (5000 bytes).")
        .SendData(RandomBytes(6000, 2))
        .CloseData()
        .Reply("226 Transfer complete.");
    const std::string data = RandomBytes(5000, 3);
    DownloadPrelude(4000, true)
        .ExpectLine()
        .Reply("150 Opening BINARY mode data connection for c.bin (5000 Bytes)")
        .SendData(data)
        .CloseData()
        .Reply("226 Transfer complete.");
    Connect();
    RecordingContext context;
    std::wstring local = folder.File(L"b.bin");
    EXPECT_EQ(Download(context, session, L"b (3).bin", local, &replyText), NetResult::Failed);
    EXPECT_EQ(replyText, L"The server sent 6000 bytes where 5000 were expected.");
    EXPECT_FALSE(FileExists(local));
    EXPECT_EQ(Download(context, session, L"c.bin", local, &replyText), NetResult::Ok) << log.All();
    EXPECT_EQ(ReadWholeFile(local), data);
    ExpectScriptDone();
}

TEST_F(TransferScript, DownloadStalledPastItsAllowanceFails)
{
    session.timeouts.downloadBlock = 600;
    AnswerAbort(DownloadStart(100000).SendData(RandomBytes(30000, 15)));
    ExpectDownloadFails(L"s.bin", L"The data connection timed out after 30000 of 100000 bytes.");
    EXPECT_EQ(server.Received()[4], "ABOR\r\n");
}

TEST_F(TransferScript, CancelledDownloadAnswered426Then226IsCancelledAndLeavesNoPart)
{
    // The server's 226 after ABOR does not make 150000 of 1000000 bytes a file.
    const std::string data = RandomBytes(150000, 3);
    AnswerAbort(DownloadStart(1000000).SendData(data));
    Connect();
    CancelAtProgress context(2);  // the first draw comes before any data
    std::wstring local = folder.File(L"c.bin");
    EXPECT_EQ(Download(context, session, L"c.bin", local, &replyText), NetResult::Cancelled) << log.All();
    ExpectAborted();
    EXPECT_FALSE(FileExists(local));
    EXPECT_EQ(replyText, L"");
}

TEST_F(TransferScript, FinalReply451DeletesTheFileAndHandsOnItsText)
{
    DownloadStart(1000).SendData(RandomBytes(1000, 4)).CloseData().Reply("451 Local error in processing.");
    Connect();
    RecordingContext context;
    std::wstring local = folder.File(L"d.bin");
    EXPECT_EQ(Download(context, session, L"d.bin", local, &replyText), NetResult::Failed);
    ExpectScriptDone();
    EXPECT_FALSE(FileExists(local));
    EXPECT_EQ(replyText, L"Local error in processing.");
}

TEST_F(TransferScript, RefusedRetrLeavesNoFileAndHandsOnTheText)
{
    DownloadPrelude(10).ExpectLine().Reply("550 Failed to open file.");
    Connect();
    RecordingContext context;
    std::wstring local = folder.File(L"e.bin");
    WriteWholeFile(local, "old contents");
    EXPECT_EQ(Download(context, session, L"e.bin", local, &replyText), NetResult::Failed);
    ExpectScriptDone();
    EXPECT_FALSE(FileExists(local));
    EXPECT_EQ(replyText, L"Failed to open file.");
}

TEST_F(TransferScript, DownloadMissingTheNoopReplyFindsTheTransferReplyAmongTheLateOnes)
{
    session.timeouts.keepAliveInterval = 300;
    session.timeouts.keepAliveReply = 100;
    session.timeouts.lateDownloadReply = 3000;
    const std::string data = RandomBytes(3000, 5);
    DownloadStart(data.size())
        .SendData(data)
        .ExpectLine()  // NOOP, left unanswered while the data flows
        .Pause(700)
        .CloseData()
        .Reply("226 Transfer complete.")
        .Reply("200 NOOP ok.")
        .ExpectLine()
        .Reply("257 \"/pub\" is the current directory");
    Connect();
    StallAtProgress context(1);
    std::wstring local = folder.File(L"f.bin");
    EXPECT_EQ(Download(context, session, L"f.bin", local, &replyText), NetResult::Ok) << log.All();
    ExpectSessionInSync();
    ExpectScriptDone();
    EXPECT_EQ(server.Received()[4], "NOOP\r\n");
    EXPECT_EQ(ReadWholeFile(local), data);
}

TEST_F(TransferScript, FailedWriteAbortsFailsAndSaysSo)
{
    VanishingLocalFile local;  // the disk "fills" after the first bytes
    AnswerAbort(DownloadStart(300000).SendData(RandomBytes(300000, 6)));
    Connect();
    RecordingContext context;
    EXPECT_EQ(Download(context, session, L"g.bin", local.Path(), &replyText), NetResult::Failed);
    ExpectAborted();
    EXPECT_EQ(replyText, L"Unable to write the local file.");
}

TEST_F(TransferScript, FailedReadAbortsTheUploadAndSaysSo)
{
    AnswerAbort(UploadStart().ReceiveDataToEnd());
    server.ExpectLine().Reply("257 \"/pub\" is the current directory");
    Connect();
    RecordingContext context;
    // A file whose size reads as 0 and whose every read fails: the memory of
    // the process as Linux shows it.
    EXPECT_EQ(Upload(context, session, L"p.bin", L"Z:\\proc\\self\\mem", &replyText), NetResult::Failed);
    EXPECT_EQ(replyText, L"Unable to read the local file.");
    ExpectSessionInSync();
    ExpectScriptDone();
    EXPECT_EQ(server.Received()[3], "ABOR\r\n");
    EXPECT_EQ(server.ReceivedData(), "");
}

TEST_F(TransferScript, LocalFilesThatCannotBeOpenedFailBeforeAnythingIsSent)
{
    server.WaitForClientClose();
    Connect();
    RecordingContext context;
    std::wstring inMissingFolder = folder.File(L"missing\\h.bin");
    EXPECT_EQ(Download(context, session, L"h.bin", inMissingFolder, &replyText), NetResult::Failed);
    EXPECT_FALSE(FileExists(inMissingFolder));

    // A target another program holds open without sharing (the read-only
    // attribute does not stop root under Wine).
    std::wstring locked = folder.File(L"locked.bin");
    WriteWholeFile(locked, "keep me");
    HANDLE holder = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Download(context, session, L"h.bin", locked, &replyText), NetResult::Failed);
    CloseHandle(holder);
    EXPECT_EQ(ReadWholeFile(locked), "keep me");

    EXPECT_EQ(Download(context, session, L"h.bin", folder.Path(), &replyText), NetResult::Failed);
    EXPECT_NE(GetFileAttributesW(folder.Path().c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);

    EXPECT_EQ(Upload(context, session, L"h.bin", folder.File(L"no-such-file.bin"), &replyText), NetResult::Failed);

    // A pipe opens but has no size to compare the server's with.
    std::wstring pipePath = L"\\\\.\\pipe\\tarnwick-sizeless-" + std::to_wstring(GetCurrentProcessId());
    HANDLE pipe = CreateNamedPipeW(pipePath.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 4096, 4096, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Upload(context, session, L"h.bin", pipePath, &replyText), NetResult::Failed);
    EXPECT_EQ(replyText, L"Unable to read the size of the local file.");
    CloseHandle(pipe);
    session.Close();
    ExpectScriptDone();
    EXPECT_TRUE(server.Received().empty());
}

TEST_F(TransferScript, UploadSetsTheRemoteTimeToTheFilesUtcTime)
{
    session.features = FeatQueried | HasMfmt;
    const std::string data = RandomBytes(70000, 7);
    std::wstring local = folder.File(L"up.bin");
    WriteWholeFile(local, data);
    // 2021-06-15 12:00:00 UTC.
    const uint64_t units = 1623758400ull * 10000000 + 116444736000000000ull;
    FILETIME written{static_cast<DWORD>(units), static_cast<DWORD>(units >> 32)};
    HANDLE file = CreateFileW(local.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
    CloseHandle(file);

    UploadStart().ReceiveDataToEnd().Reply("226 Transfer complete.").ExpectLine().Reply("213 Modify=20210615120000;");
    Connect();
    RecordingContext context;
    ASSERT_EQ(Upload(context, session, L"dir/up.bin", local, &replyText), NetResult::Ok) << log.All();
    ExpectScriptDone();
    EXPECT_EQ(server.ReceivedData(), data);
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"TYPE I\r\n", "PASV\r\n", "STOR dir/up.bin\r\n",
                                                           "MFMT 20210615120000 dir/up.bin\r\n"}));
    ASSERT_FALSE(context.statuses.empty());
    EXPECT_EQ(context.statuses[0], (std::pair<int, std::wstring>{0, L"Uploading file..."}));
    EXPECT_EQ(context.statuses[1], (std::pair<int, std::wstring>{1, L"up.bin"}));
    EXPECT_EQ(context.statuses.back(), (std::pair<int, std::wstring>{1, L"dir/up.bin: 100%"}));
    EXPECT_EQ(context.progress.front(), 0.0);
    EXPECT_DOUBLE_EQ(context.progress.back(), 1.0);
}

TEST_F(TransferScript, StorRefusedWith550TwiceFailsWithTheSecondText)
{
    std::wstring local = folder.File(L"s.bin");
    WriteWholeFile(local, RandomBytes(5000, 8));
    server.ExpectLine().Reply("200 Switching to Binary mode.");
    for (const char* refusal : {"550 Permission denied.", "550 Still denied."})
        server.ExpectLine().OfferPassive().AcceptData().ExpectLine().Reply(refusal);
    Connect();
    RecordingContext context;
    EXPECT_EQ(Upload(context, session, L"s.bin", local, &replyText), NetResult::Failed);
    ExpectScriptDone();
    EXPECT_EQ(replyText, L"Still denied.");
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"TYPE I\r\n", "PASV\r\n", "STOR s.bin\r\n", "PASV\r\n",
                                                           "STOR s.bin\r\n"}));
}

TEST_F(TransferScript, StorRefusedWith550OnceSucceedsOnTheSecondConnection)
{
    const std::string data = RandomBytes(5000, 9);
    std::wstring local = folder.File(L"t.bin");
    WriteWholeFile(local, data);
    server.ExpectLine().Reply("200 Switching to Binary mode.");
    server.ExpectLine().OfferPassive().AcceptData().ExpectLine().Reply("550 Busy.");
    server.ExpectLine().OfferPassive().AcceptData().ExpectLine().Reply("150 Ok to send data.");
    server.ReceiveDataToEnd().Reply("226 Transfer complete.");
    Connect();
    RecordingContext context;
    EXPECT_EQ(Upload(context, session, L"t.bin", local, &replyText), NetResult::Ok) << log.All();
    ExpectScriptDone();
    EXPECT_EQ(server.ReceivedData(), data);
}

TEST_F(TransferScript, CancelledUploadAnswered426Then226GoesOnAsStored)
{
    session.features = FeatQueried;
    const std::string data = RandomBytes(3 * session.transferBlockBytes, 10);
    std::wstring local = folder.File(L"u.bin");
    WriteWholeFile(local, data);
    AnswerAbort(UploadStart().ReceiveDataToEnd());
    Connect();
    CancelAtProgress context(2);  // the first draw is the 0 before any data
    EXPECT_EQ(Upload(context, session, L"u.bin", local, &replyText), NetResult::Ok) << log.All();
    ExpectAborted();
    EXPECT_FALSE(server.ReceivedData().empty());
    EXPECT_LT(server.ReceivedData().size(), data.size());
    EXPECT_TRUE(IsPrefix(server.ReceivedData(), data));
}

TEST_F(TransferScript, UploadMissingTheNoopReplyFindsTheTransferReplyAmongTheLateOnes)
{
    session.timeouts.keepAliveInterval = 300;
    session.timeouts.keepAliveReply = 100;
    session.timeouts.lateUploadReply = 3000;
    const std::string data = RandomBytes(3 * session.transferBlockBytes, 11);
    std::wstring local = folder.File(L"v.bin");
    WriteWholeFile(local, data);
    UploadStart()
        .ReceiveDataToEnd()
        .ExpectLine()  // NOOP, read only once the data has ended
        .Reply("226 Transfer complete.")
        .Reply("200 NOOP ok.")
        .ExpectLine()
        .Reply("257 \"/pub\" is the current directory");
    Connect();
    StallAtProgress context(2);  // after the first block
    EXPECT_EQ(Upload(context, session, L"v.bin", local, &replyText), NetResult::Ok) << log.All();
    ExpectSessionInSync();
    ExpectScriptDone();
    EXPECT_EQ(server.Received()[3], "NOOP\r\n");
    EXPECT_EQ(server.ReceivedData(), data);
}

TEST_F(TransferScript, UploadMissingTheNoopReplyAndThenEveryReplyFails)
{
    session.timeouts.keepAliveInterval = 300;
    session.timeouts.keepAliveReply = 100;
    session.timeouts.lateUploadReply = 500;
    std::wstring local = folder.File(L"n.bin");
    WriteWholeFile(local, RandomBytes(3 * session.transferBlockBytes, 16));
    UploadStart().ReceiveDataToEnd().ExpectLine();  // NOOP, never answered, nor is the transfer
    Connect();
    StallAtProgress context(2);
    EXPECT_EQ(Upload(context, session, L"n.bin", local, &replyText), NetResult::Failed);
    EXPECT_EQ(replyText, L"The server did not confirm the transfer.");
    ExpectScriptDone();
    EXPECT_EQ(server.Received()[3], "NOOP\r\n");
}

TEST_F(TransferScript, Final426CountsWhenTheServerHoldsTheWholeFile)
{
    const std::string data = RandomBytes(3000, 12);
    std::wstring local = folder.File(L"w.bin");
    WriteWholeFile(local, data);
    UploadStart()
        .ReceiveDataToEnd()
        .Reply("426 Connection closed; transfer aborted.")
        .ExpectLine()  // SIZE: the transfer's binary mode holds for it
        .Reply("213 3000");
    Connect();
    RecordingContext context;
    EXPECT_EQ(Upload(context, session, L"w.bin", local, &replyText), NetResult::Ok) << log.All();
    ExpectScriptDone();
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"TYPE I\r\n", "PASV\r\n", "STOR w.bin\r\n", "SIZE w.bin\r\n"}));
}

TEST_F(TransferScript, Final550IsLoggedAndSkipsMfmt)
{
    session.features = FeatQueried | HasMfmt;
    std::wstring local = folder.File(L"x.bin");
    WriteWholeFile(local, RandomBytes(3000, 13));
    UploadStart().ReceiveDataToEnd().Reply("550 Disk quota exceeded.").WaitForClientClose();
    Connect();
    RecordingContext context;
    EXPECT_EQ(Upload(context, session, L"x.bin", local, &replyText), NetResult::Failed);
    session.Close();
    ExpectScriptDone();
    EXPECT_TRUE(log.Contains(L"Error uploading to server: Disk quota exceeded.")) << log.All();
    EXPECT_EQ(server.Received().back(), "STOR x.bin\r\n");
}
