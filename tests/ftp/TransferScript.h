#pragma once
// Single-file transfers against the scripted server, which sends the replies
// real servers will not send on demand.
#include <gtest/gtest.h>

#include "ftp/FeatureFlags.h"
#include "ftp/Transfer.h"
#include "ftp/TransferTestSupport.h"
#include "support/ScriptedFtpServer.h"
#include "support/TestContexts.h"
#include "support/TestLog.h"

class TransferScript : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.timeouts.reply = 5000;
        session.timeouts.dataConnect = 3000;
        session.timeouts.downloadBlock = 3000;
        session.timeouts.uploadBlock = 3000;
        // FEAT was asked at log-in; SIZE is known.
        session.features = FeatQueried | HasSize;
    }
    void Connect()
    {
        server.Start();
        ASSERT_EQ(session.Connect(NullContext(), server.HostText(), 21, 3000), NetResult::Ok);
    }
    void ExpectScriptDone()
    {
        EXPECT_TRUE(server.Finish());
        EXPECT_EQ(server.Failure(), "");
    }
    // The size query and the data connection, up to RETR. The size query's
    // TYPE I holds for the transfer; a later transfer of the same log-in
    // (binaryAlready) sends none.
    ScriptedFtpServer& DownloadPrelude(size_t size, bool binaryAlready = false)
    {
        if (!binaryAlready)
            server.ExpectLine().Reply("200 Switching to Binary mode.");
        return server.ExpectLine().Reply("213 " + std::to_string(size)).ExpectLine().OfferPassive().AcceptData();
    }
    ScriptedFtpServer& DownloadStart(size_t size, bool binaryAlready = false)
    {
        return DownloadPrelude(size, binaryAlready).ExpectLine().Reply("150 Opening BINARY mode data connection.");
    }
    ScriptedFtpServer& UploadStart(bool binaryAlready = false)
    {
        if (!binaryAlready)
            server.ExpectLine().Reply("200 Switching to Binary mode.");
        return server.ExpectLine()
            .OfferPassive()
            .AcceptData()
            .ExpectLine()
            .Reply("150 Ok to send data.");
    }
    // ABOR answered as servers do while a transfer runs.
    void AnswerAbort(ScriptedFtpServer& script)
    {
        script.ExpectLine().Reply("426 Failure in the data connection; transfer aborted.").Reply("226 ABOR successful.");
    }
    void ExpectAborted()
    {
        ExpectScriptDone();
        EXPECT_EQ(server.Received().back(), "ABOR\r\n");
    }
    // A command after the transfer gets its own reply: nothing stale is left.
    void ExpectSessionInSync()
    {
        std::string text;
        EXPECT_EQ(SendCommand(NullContext(), session, "PWD\r\n", &text), NetResult::Ok);
        EXPECT_EQ(text, "\"/pub\" is the current directory");
    }
    // Runs the script, which the answer to PWD ends, and a download of name
    // that must fail with these words, leave no file and the session in step.
    void ExpectDownloadFails(const std::wstring& name, const std::wstring& words)
    {
        server.ExpectLine().Reply("257 \"/pub\" is the current directory");
        Connect();
        RecordingContext context;
        std::wstring local = folder.File(name);
        EXPECT_EQ(Download(context, session, name, local, &replyText), NetResult::Failed);
        EXPECT_EQ(replyText, words);
        EXPECT_FALSE(FileExists(local));
        ExpectSessionInSync();
        ExpectScriptDone();
    }

    ScriptedFtpServer server;
    FtpSession session;
    CapturedLog log;
    ScratchFolder folder;
    std::wstring replyText = L"stale";
};
