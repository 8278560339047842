// The TLS handshake against peers that break it, and what a connection that
// was to be protected carries afterwards: TLS records or nothing.
#include <gtest/gtest.h>

#include "net/SecureSocket.h"
#include "support/ScriptedFtpServer.h"
#include "support/ScriptedTlsServer.h"
#include "support/TlsRecords.h"

namespace {

constexpr uint32_t kShortHandshakeMs = 1500;

struct BrokenPeer {
    const char* name;
    // The peer's side after it has read the ClientHello.
    void (*script)(ScriptedFtpServer&);
};

const BrokenPeer kBrokenPeers[] = {
    {"AnswersWithGarbage",
     [](ScriptedFtpServer& s) { s.Send("HTTP/1.0 400 Bad Request\r\n\r\n").RecordBytesUntilClientClose(); }},
    {"AnswersWithAFatalAlert",
     [](ScriptedFtpServer& s) { s.Send(std::string("\x15\x03\x03\x00\x02\x02\x28", 7)).RecordBytesUntilClientClose(); }},
    {"AnswersWithAMalformedServerHello",
     [](ScriptedFtpServer& s) {
         s.Send(std::string("\x16\x03\x03\x00\x08\x02\x00\x00\x04\xff\xff\xff\xff", 13)).RecordBytesUntilClientClose();
     }},
    {"ClosesMidHandshake", [](ScriptedFtpServer& s) { s.CloseControl(); }},
    {"Stalls", [](ScriptedFtpServer& s) { s.RecordBytesUntilClientClose(); }},
    {"StallsInsideARecord",
     [](ScriptedFtpServer& s) {
         // A handshake record header announcing 16 KB, and ten of them.
         s.Send(std::string("\x16\x03\x03\x40\x00", 5) + std::string(10, '\x02')).RecordBytesUntilClientClose();
     }},
};

class BrokenHandshake : public ::testing::TestWithParam<BrokenPeer> {};

}  // namespace

TEST_P(BrokenHandshake, FailsClosesTheConnectionAndSendsNothingMore)
{
    ScriptedFtpServer server;
    server.RecordBytes();
    GetParam().script(server);
    server.Start();
    SecureSocket socket;
    ASSERT_EQ(socket.Connect(NullContext(), server.HostText(), 21, 3000), NetResult::Ok);

    EXPECT_FALSE(socket.StartTls(kShortHandshakeMs));
    EXPECT_FALSE(socket.TlsActive());
    EXPECT_FALSE(socket.IsOpen()) << "a failed handshake must not leave a connection for clear text";
    EXPECT_EQ(socket.Send(NullContext(), "USER alice\r\n", 12, 1000), NetResult::Failed);

    ASSERT_TRUE(server.Finish());
    EXPECT_EQ(server.Failure(), "");
    std::string sent = server.ReceivedBytes();
    EXPECT_FALSE(sent.empty()) << "the ClientHello";
    EXPECT_TRUE(OnlyTlsRecords(sent)) << sent;
}

INSTANTIATE_TEST_SUITE_P(Peers, BrokenHandshake, ::testing::ValuesIn(kBrokenPeers),
                         [](const ::testing::TestParamInfo<BrokenPeer>& info) { return std::string(info.param.name); });

TEST(TlsChannel, AfterTheServersCloseNotificationNothingIsSentInClear)
{
    ScriptedTlsServer server(true, {"send 220 hi", "unwrap", "expect"});
    ASSERT_TRUE(server.Started()) << server.Error();
    SecureSocket socket;
    ASSERT_EQ(socket.Connect(NullContext(), server.HostText(), 21, 3000), NetResult::Ok);
    ASSERT_TRUE(socket.StartTls());
    std::string line;
    ASSERT_EQ(socket.ReadLine(NullContext(), line, 5000), NetResult::Ok);
    EXPECT_EQ(line, "220 hi");

    // The close notification is answered and ends TLS...
    EXPECT_EQ(socket.ReadLine(NullContext(), line, 5000), NetResult::Failed);
    EXPECT_FALSE(socket.TlsActive());
    // ...and the connection does not go on in clear, either way.
    EXPECT_EQ(socket.Send(NullContext(), "NOOP\r\n", 6, 1000), NetResult::Failed);
    char byte;
    size_t count = 0;
    EXPECT_EQ(socket.Receive(NullContext(), &byte, 1, 1000, count), NetResult::Failed);
    socket.Close();

    ASSERT_TRUE(server.Finish());
    EXPECT_EQ(server.Received(), std::vector<std::string>{});
}

namespace {

// The lines of the script below, one record each: many small ones and a few
// that fill the largest record and spill into the next.
std::vector<std::string> ManyRecordLines()
{
    std::vector<std::string> lines;
    for (int i = 0; i < 300; ++i)
        lines.push_back(i % 50 == 7 ? std::string(20000, static_cast<char>('a' + i % 26)) : "record " + std::to_string(i));
    return lines;
}

class ReceiveSize : public ::testing::TestWithParam<size_t> {};

}  // namespace

// A server writing many records in a row leaves several in the socket at a
// time, and its close notification right behind the last: every byte comes
// out once and in order, whatever the caller's buffer, and then the end.
TEST_P(ReceiveSize, ManyRecordsInARowComeOutWholeThenTheEnd)
{
    std::vector<std::string> script;
    std::string expected;
    for (const std::string& line : ManyRecordLines()) {
        script.push_back("send " + line);
        expected += line + "\r\n";
    }
    script.push_back("unwrap");
    script.push_back("expect");
    ScriptedTlsServer server(true, script);
    ASSERT_TRUE(server.Started()) << server.Error();
    SecureSocket socket;
    ASSERT_EQ(socket.Connect(NullContext(), server.HostText(), 21, 3000), NetResult::Ok);
    ASSERT_TRUE(socket.StartTls());

    std::string got;
    std::vector<char> buffer(GetParam());
    for (;;) {
        size_t count = 0;
        NetResult result = socket.Receive(NullContext(), buffer.data(), buffer.size(), 5000, count);
        if (result != NetResult::Ok) {
            EXPECT_EQ(result, NetResult::Failed);
            EXPECT_EQ(count, 0u);
            break;
        }
        ASSERT_GT(count, 0u);
        ASSERT_LE(count, buffer.size());
        got.append(buffer.data(), count);
    }
    EXPECT_EQ(socket.LastReceiveEnd(), ReceiveEnd::Closed);
    EXPECT_FALSE(socket.TlsActive());
    EXPECT_EQ(got.size(), expected.size());
    EXPECT_TRUE(got == expected) << "the data differs from what the server sent";
    socket.Close();
    ASSERT_TRUE(server.Finish());
}

INSTANTIATE_TEST_SUITE_P(Buffers, ReceiveSize, ::testing::Values(1, 1000, 16384, 100000, 1024 * 1024),
                         [](const ::testing::TestParamInfo<size_t>& info) { return "Of" + std::to_string(info.param); });
