#include <gtest/gtest.h>

#include "net/SecureSocket.h"
#include "support/ScriptedFtpServer.h"
#include "support/TestContexts.h"

namespace {

using namespace std::string_literals;

constexpr uint32_t kShortTimeout = 2000;

// Connects a socket to the scripted server, whose script must then be started.
void ConnectTo(SecureSocket& socket, ScriptedFtpServer& server)
{
    server.Start();
    ASSERT_EQ(socket.Connect(NullContext(), server.HostText(), 21, kShortTimeout), NetResult::Ok);
}

std::string ReadOneLine(SecureSocket& socket, NetResult expected = NetResult::Ok)
{
    std::string line;
    EXPECT_EQ(socket.ReadLine(NullContext(), line, kShortTimeout), expected);
    return line;
}

}  // namespace

TEST(SecureSocket, LinesEndAtCrLfOrABareLf)
{
    ScriptedFtpServer server;
    server.Send("123456789\r\n").Send("a\rb\r\n").Send("abc\n").Pause(300).Send("def\r\n\n\r\r\n").CloseControl();
    SecureSocket socket;
    ConnectTo(socket, server);
    EXPECT_EQ(ReadOneLine(socket), "123456789");
    EXPECT_EQ(ReadOneLine(socket), "a\rb");  // a CR alone is an ordinary byte
    EXPECT_EQ(ReadOneLine(socket), "abc");
    EXPECT_EQ(ReadOneLine(socket), "def");
    EXPECT_EQ(ReadOneLine(socket), "");
    EXPECT_EQ(ReadOneLine(socket), "\r");
    EXPECT_EQ(ReadOneLine(socket, NetResult::Failed), "");
}

TEST(SecureSocket, BytesReadAheadOfALineComeFirstForEveryReader)
{
    ScriptedFtpServer server;
    server.Send("150 data follows\r\nBINARY\r\x00\n1\r\n2\r\n"s).Pause(3000);
    SecureSocket socket;
    ConnectTo(socket, server);
    EXPECT_EQ(ReadOneLine(socket), "150 data follows");
    // The rest came in the same block: it is there for a wait and a receive.
    EXPECT_EQ(socket.WaitReadable(NullContext(), 200), NetResult::Ok);
    char bytes[9] = {};
    ASSERT_EQ(socket.ReadExact(NullContext(), bytes, sizeof(bytes), kShortTimeout), NetResult::Ok);
    EXPECT_EQ(std::string(bytes, sizeof(bytes)), std::string("BINARY\r\x00\n", 9));
    EXPECT_EQ(ReadOneLine(socket), "1");
    size_t count = 0;
    ASSERT_EQ(socket.Receive(NullContext(), bytes, 2, kShortTimeout, count), NetResult::Ok);
    EXPECT_EQ(std::string(bytes, count), "2\r");
    EXPECT_EQ(ReadOneLine(socket), "");
    EXPECT_EQ(socket.WaitReadable(NullContext(), 200), NetResult::Failed);  // nothing is left
}

TEST(SecureSocket, ALineBoundedInTheStreamFailsAtItsBound)
{
    ScriptedFtpServer server;
    server.Send("12345\r\n" + std::string(100, 'z') + "\r\n").Pause(3000);
    SecureSocket socket;
    ConnectTo(socket, server);
    SecureSocket::LineBounds bounds{3, 60};
    std::string line;
    ASSERT_EQ(socket.ReadLine(NullContext(), line, kShortTimeout, bounds), NetResult::Ok);
    EXPECT_EQ(line, "123");
    EXPECT_EQ(bounds.streamBytes, 60u - 7u);
    EXPECT_EQ(socket.ReadLine(NullContext(), line, kShortTimeout, bounds), NetResult::Failed);
    EXPECT_EQ(bounds.streamBytes, 0u);
}

TEST(SecureSocket, OverlongLineIsCutAndTheNextLineStartsClean)
{
    ScriptedFtpServer server;
    server.Send(std::string(300, 'x') + "\r\nnext\r\n").CloseControl();
    SecureSocket socket;
    ConnectTo(socket, server);
    EXPECT_EQ(ReadOneLine(socket), std::string(259, 'x'));
    EXPECT_EQ(ReadOneLine(socket), "next");

    ScriptedFtpServer longServer;
    longServer.Send(std::string(6000, 'y') + "\r\n").CloseControl();
    SecureSocket longSocket;
    ConnectTo(longSocket, longServer);
    std::string line;
    EXPECT_EQ(longSocket.ReadLongLine(NullContext(), line, kShortTimeout), NetResult::Ok);
    EXPECT_EQ(line.size(), 6000u);
}

TEST(SecureSocket, PeerClosingMidLineGivesTheLinePeerClosingBeforeALineFails)
{
    ScriptedFtpServer server;
    server.Send("220 partial").CloseControl();
    SecureSocket socket;
    ConnectTo(socket, server);
    EXPECT_EQ(ReadOneLine(socket), "220 partial");
    EXPECT_EQ(ReadOneLine(socket, NetResult::Failed), "");

    ScriptedFtpServer crServer;  // CR and then the end of the connection also ends a line
    crServer.Send("line\r").CloseControl();
    SecureSocket crSocket;
    ConnectTo(crSocket, crServer);
    EXPECT_EQ(ReadOneLine(crSocket), "line");
}

TEST(SecureSocket, SilenceUsesUpTheIdleAllowance)
{
    ScriptedFtpServer server;
    server.Pause(3000);
    SecureSocket socket;
    ConnectTo(socket, server);
    std::string line;
    DWORD start = GetTickCount();
    EXPECT_EQ(socket.ReadLine(NullContext(), line, 600), NetResult::Failed);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 500u);
    EXPECT_LT(elapsed, 2000u);
}

TEST(SecureSocket, ReceiveWithNoCapacityDoesNotTouchTheSocket)
{
    SecureSocket socket;  // not even connected
    size_t count = 99;
    char byte;
    EXPECT_EQ(socket.Receive(NullContext(), &byte, 0, 1000, count), NetResult::Ok);
    EXPECT_EQ(count, 0u);
}

TEST(SecureSocket, HostTextPortWinsOverTheDefault)
{
    ScriptedFtpServer server;
    server.Send("hi\r\n");
    server.Start();
    SecureSocket socket;
    // The default port is wrong; the one in the text is used.
    ASSERT_EQ(socket.Connect(NullContext(), server.HostText(), 1, kShortTimeout), NetResult::Ok);
    EXPECT_EQ(socket.Host(), L"127.0.0.1");
    EXPECT_EQ(ReadOneLine(socket), "hi");
}

TEST(SecureSocket, RefusedAndUnresolvableConnectionsFail)
{
    SecureSocket socket;
    // Port 1 on loopback refuses at once.
    EXPECT_EQ(socket.Connect(NullContext(), L"127.0.0.1:1", 21, 5000), NetResult::Failed);
    EXPECT_FALSE(socket.IsOpen());
    EXPECT_EQ(socket.Host(), L"127.0.0.1");
    EXPECT_EQ(socket.Connect(NullContext(), L"no-such-host.invalid", 21, 5000), NetResult::Failed);
    EXPECT_EQ(socket.Connect(NullContext(), L"255.255.255.255:21", 21, 5000), NetResult::Failed);
}

TEST(SecureSocket, ConnectionThatNeverAnswersIsCancelledWithinASlice)
{
    UnresponsiveEndpoint silent;
    SecureSocket socket;
    RecordingContext context;
    context.CancelAfter(300);
    DWORD start = GetTickCount();
    EXPECT_EQ(socket.Connect(context, silent.HostText(), 21, 60000), NetResult::Cancelled);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_LT(elapsed, 300u + 450u) << "cancellation must be noticed within about 200 ms";
    EXPECT_FALSE(socket.IsOpen());
}

TEST(SecureSocket, ConnectionThatNeverAnswersTimesOut)
{
    UnresponsiveEndpoint silent;
    SecureSocket socket;
    DWORD start = GetTickCount();
    EXPECT_EQ(socket.Connect(NullContext(), silent.HostText(), 21, 1000), NetResult::Failed);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 700u);
    EXPECT_LT(elapsed, 3000u);
}

TEST(SecureSocket, SendIntoAPeerThatNeverReadsFails)
{
    ScriptedFtpServer server;
    server.Pause(8000);  // never reads
    SecureSocket socket;
    ConnectTo(socket, server);
    std::string block(64 * 1024 * 1024, 'z');
    DWORD start = GetTickCount();
    EXPECT_EQ(socket.Send(NullContext(), block.data(), block.size(), 800), NetResult::Failed);
    EXPECT_LT(GetTickCount() - start, 6000u);
}

TEST(SecureSocket, SendIsCancelled)
{
    ScriptedFtpServer server;
    server.Pause(8000);
    SecureSocket socket;
    ConnectTo(socket, server);
    std::string block(64 * 1024 * 1024, 'z');
    RecordingContext context;
    context.CancelAfter(300);
    EXPECT_EQ(socket.Send(context, block.data(), block.size(), 60000), NetResult::Cancelled);
}

TEST(SecureSocket, SlowButMovingPeerDoesNotTimeOut)
{
    ScriptedFtpServer server;
    server.WaitForClientClose();
    // The server reads everything; the idle allowance is shorter than the
    // whole transfer, but every slice moves data.
    server.Start();
    SecureSocket socket;
    ASSERT_EQ(socket.Connect(NullContext(), server.HostText(), 21, kShortTimeout), NetResult::Ok);
    // The allowance leaves room for a loaded machine, where the reading thread
    // may not run for a slice or two.
    std::string block(64 * 1024 * 1024, 'm');
    EXPECT_EQ(socket.Send(NullContext(), block.data(), block.size(), 1000), NetResult::Ok);
}
