// Transfers that continue after the bytes an earlier attempt left behind:
// REST where the server announced REST STREAM, APPE for uploads otherwise, and
// the whole file again where the server cannot continue.
#include <gtest/gtest.h>

#include <algorithm>

#include "ftp/TransferScript.h"

namespace {

bool Holds(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class ResumeScript : public TransferScript {
protected:
    const std::string data = RandomBytes(5000, 21);
    std::wstring part = folder.File(L"r.bin.part");

    // The part file an earlier attempt left: the first bytes of the file.
    void HoldFirst(size_t count) { WriteWholeFile(part, data.substr(0, count)); }
    // TYPE I and SIZE, as a size query sends them; only SIZE once the
    // session is in binary mode (binaryAlready).
    ScriptedFtpServer& SizeAnswer(size_t size, bool binaryAlready = false)
    {
        if (!binaryAlready)
            server.ExpectLine().Reply("200 Switching to Binary mode.");
        return server.ExpectLine().Reply("213 " + std::to_string(size));
    }
    // PASV and the data connection: the size query's TYPE I holds.
    ScriptedFtpServer& DataOpened() { return server.ExpectLine().OfferPassive().AcceptData(); }
};

}  // namespace

TEST_F(ResumeScript, DownloadContinuesAfterThePartWithRest)
{
    session.Set(HasRestStream);
    HoldFirst(3000);
    SizeAnswer(data.size());
    DataOpened()
        .ExpectLine()
        .Reply("350 Restart position accepted (3000).")
        .ExpectLine()
        .Reply("150 Opening BINARY mode data connection for r.bin (5000 bytes).")
        .SendData(data.substr(3000))
        .CloseData()
        .Reply("226 Transfer complete.");
    Connect();
    RecordingContext context;
    ASSERT_EQ(ContinueDownload(context, session, L"r.bin", part, &replyText), NetResult::Ok) << log.All();
    ExpectScriptDone();
    EXPECT_EQ(ReadWholeFile(part), data);
    const auto received = server.Received();
    ASSERT_EQ(received.size(), 5u);
    EXPECT_EQ(received[3], "REST 3000\r\n");
    EXPECT_EQ(received[4], "RETR r.bin\r\n");
    EXPECT_DOUBLE_EQ(context.progress.back(), 1.0);
}

TEST_F(ResumeScript, DownloadGivenTheCallersSizeAsksNoneOfItsOwn)
{
    session.Set(HasRestStream);
    HoldFirst(3000);
    server.ExpectLine().Reply("200 Switching to Binary mode.");
    DataOpened()
        .ExpectLine()
        .Reply("350 Restart position accepted (3000).")
        .ExpectLine()
        .Reply("150 Opening BINARY mode data connection.")
        .SendData(data.substr(3000))
        .CloseData()
        .Reply("226 Transfer complete.");
    Connect();
    RecordingContext context;
    ASSERT_EQ(ContinueDownload(context, session, L"r.bin", part, &replyText, data.size()), NetResult::Ok) << log.All();
    ExpectScriptDone();
    EXPECT_EQ(ReadWholeFile(part), data);
    EXPECT_EQ(server.Received(),
              (std::vector<std::string>{"TYPE I\r\n", "PASV\r\n", "REST 3000\r\n", "RETR r.bin\r\n"}));
    EXPECT_DOUBLE_EQ(context.progress.back(), 1.0);
}

TEST_F(ResumeScript, DownloadStartsAfreshWhereTheServerCannotContinue)
{
    // REST refused: the server sends the file from its start.
    session.Set(HasRestStream);
    HoldFirst(3000);
    SizeAnswer(data.size());
    DataOpened()
        .ExpectLine()
        .Reply("502 REST not implemented.")
        .ExpectLine()
        .Reply("150 Opening BINARY mode data connection.")
        .SendData(data)
        .CloseData()
        .Reply("226 Transfer complete.");
    Connect();
    RecordingContext context;
    ASSERT_EQ(ContinueDownload(context, session, L"r.bin", part, &replyText), NetResult::Ok) << log.All();
    ExpectScriptDone();
    EXPECT_EQ(ReadWholeFile(part), data);
}

TEST_F(ResumeScript, DownloadSendsNoRestWithoutRestStreamOrForAPartAsLongAsTheFile)
{
    for (int round = 0; round < 2; ++round) {
        SizeAnswer(data.size(), round > 0);
        DataOpened().ExpectLine().Reply("150 Opening.").SendData(data).CloseData().Reply("226 Transfer complete.");
    }
    Connect();
    RecordingContext context;
    // No REST STREAM: a 3000-byte part is replaced by the whole file.
    HoldFirst(3000);
    ASSERT_EQ(ContinueDownload(context, session, L"r.bin", part, &replyText), NetResult::Ok) << log.All();
    EXPECT_EQ(ReadWholeFile(part), data);
    // With REST STREAM, but a part longer than the server's file (which
    // changed): nothing of the old part may stay.
    session.Set(HasRestStream);
    WriteWholeFile(part, data + data);
    ASSERT_EQ(ContinueDownload(context, session, L"r.bin", part, &replyText), NetResult::Ok) << log.All();
    EXPECT_EQ(ReadWholeFile(part), data);
    ExpectScriptDone();
    for (const std::string& line : server.Received())
        EXPECT_NE(line.substr(0, 4), "REST");
}

TEST_F(ResumeScript, AFailedContinuationKeepsWhatArrivedForTheNextAttempt)
{
    session.Set(HasRestStream);
    session.timeouts.downloadBlock = 600;
    HoldFirst(1000);
    SizeAnswer(data.size());
    AnswerAbort(DataOpened()
                    .ExpectLine()
                    .Reply("350 Restart position accepted (1000).")
                    .ExpectLine()
                    .Reply("150 Opening.")
                    .SendData(data.substr(1000, 1500)));
    Connect();
    RecordingContext context;
    EXPECT_EQ(ContinueDownload(context, session, L"r.bin", part, &replyText), NetResult::Failed);
    EXPECT_EQ(replyText, L"The data connection timed out after 2500 of 5000 bytes.");
    ExpectScriptDone();
    EXPECT_EQ(ReadWholeFile(part), data.substr(0, 2500)) << "the part holds a true start of the file";
}

TEST_F(ResumeScript, DownloadWhoseFileChangedMeanwhileLeavesAnEmptyPart)
{
    // The server's file grew: continuing later would mix two versions.
    session.Set(HasRestStream);
    HoldFirst(1000);
    SizeAnswer(data.size());
    DataOpened()
        .ExpectLine()
        .Reply("350 Restart position accepted (1000).")
        .ExpectLine()
        .Reply("150 Opening.")
        .SendData(data.substr(1000) + "more")
        .CloseData()
        .Reply("226 Transfer complete.");
    Connect();
    RecordingContext context;
    EXPECT_EQ(ContinueDownload(context, session, L"r.bin", part, &replyText), NetResult::Failed);
    ExpectScriptDone();
    EXPECT_EQ(ReadWholeFile(part), "");
}

TEST_F(ResumeScript, UploadAppendsTheRestWithoutRestStreamAndChecksTheSize)
{
    std::wstring local = folder.File(L"u.bin");
    WriteWholeFile(local, data);
    SizeAnswer(2000);
    DataOpened()
        .ExpectLine()
        .Reply("150 Ok to send data.")
        .ReceiveDataToEnd()
        .Reply("226 Transfer complete.");
    SizeAnswer(data.size(), true);
    Connect();
    RecordingContext context;
    bool accepted = false;
    ASSERT_EQ(ContinueUpload(context, session, L"u.bin", local, &replyText, &accepted), NetResult::Ok) << log.All();
    ExpectScriptDone();
    EXPECT_TRUE(accepted);
    EXPECT_EQ(server.ReceivedData(), data.substr(2000));
    EXPECT_EQ(server.Received()[3], "APPE u.bin\r\n");
    EXPECT_DOUBLE_EQ(context.progress.back(), 1.0);
}

TEST_F(ResumeScript, UploadContinuesWithRestAndStorWhereTheServerOffersIt)
{
    session.Set(HasRestStream);
    std::wstring local = folder.File(L"u.bin");
    WriteWholeFile(local, data);
    SizeAnswer(2000);
    DataOpened()
        .ExpectLine()
        .Reply("350 Restart position accepted (2000).")
        .ExpectLine()
        .Reply("150 Ok to send data.")
        .ReceiveDataToEnd()
        .Reply("226 Transfer complete.");
    // The parts do not add up: the server holds less than the file.
    SizeAnswer(4000, true);
    Connect();
    RecordingContext context;
    EXPECT_EQ(ContinueUpload(context, session, L"u.bin", local, &replyText), NetResult::Failed);
    ExpectScriptDone();
    EXPECT_EQ(server.ReceivedData(), data.substr(2000));
    EXPECT_EQ(server.Received()[3], "REST 2000\r\n");
    EXPECT_EQ(server.Received()[4], "STOR u.bin\r\n");
    EXPECT_EQ(replyText, L"The server holds 4000 of 5000 bytes.");
}

TEST_F(ResumeScript, UploadSendsTheWholeFileWhenTheServerHoldsAsMuchOrNothing)
{
    session.Set(HasRestStream);
    std::wstring local = folder.File(L"u.bin");
    WriteWholeFile(local, data);
    for (size_t held : {data.size(), size_t{0}}) {
        SizeAnswer(held, held == 0);
        DataOpened().ExpectLine().Reply("150 Ok to send data.").ReceiveDataToEnd().Reply("226 Transfer complete.");
    }
    Connect();
    RecordingContext context;
    EXPECT_EQ(ContinueUpload(context, session, L"u.bin", local, &replyText), NetResult::Ok) << log.All();
    EXPECT_EQ(ContinueUpload(context, session, L"u.bin", local, &replyText), NetResult::Ok) << log.All();
    ExpectScriptDone();
    EXPECT_EQ(server.ReceivedData(), data + data);
    const auto received = server.Received();
    EXPECT_FALSE(Holds(received, "REST 5000\r\n"));
    EXPECT_EQ(std::count(received.begin(), received.end(), "STOR u.bin\r\n"), 2);
}
