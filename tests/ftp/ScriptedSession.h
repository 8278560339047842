#pragma once
// A session logged in to the scripted server, for the remote listing, query
// and command tests.
#include <gtest/gtest.h>

#include "ftp/FtpSession.h"
#include "support/ScriptedFtpServer.h"
#include "support/TestContexts.h"
#include "support/TestLog.h"

// The command lines a script received.
using Lines = std::vector<std::string>;

class ScriptedSession : public ::testing::Test {
protected:
    // Starts the script and connects; the session then knows the features.
    void Connect(uint32_t features = FeatQueried)
    {
        session.timeouts.reply = 3000;
        session.timeouts.dataConnect = 2000;
        session.timeouts.listingLine = 2000;
        session.timeouts.folderListing = 2000;
        server.Start();
        ASSERT_EQ(session.Connect(NullContext(), server.HostText(), 21, 3000), NetResult::Ok);
        session.features = features;
    }
    void ExpectScriptDone()
    {
        EXPECT_TRUE(server.Finish());
        EXPECT_EQ(server.Failure(), "");
    }
    // TYPE A and PASV answered, the data connection accepted.
    ScriptedFtpServer& OpenData(const std::string& pasvFormat = "227 Entering Passive Mode (%s).",
                                const std::string& address = "127,0,0,1")
    {
        return server.ExpectLine().Reply("200 Type set to A").ExpectLine().OfferPassive(pasvFormat, address).AcceptData();
    }
    // A whole listing-type exchange: the data, then the final reply.
    ScriptedFtpServer& ListingAnswer(const std::string& data)
    {
        return OpenData().ExpectLine().Reply("150 Here it comes").SendData(data).CloseData().Reply("226 Done");
    }

    ScriptedFtpServer server;
    FtpSession session;
    CapturedLog log;
    RecordingContext context;
};
