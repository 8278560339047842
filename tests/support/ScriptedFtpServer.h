#pragma once
#include <winsock2.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// An FTP server for tests: a thread in the test process that listens on
// 127.0.0.1 and plays a script of replies, including broken ones, while it
// records the command lines it receives byte for byte.
//
//   ScriptedFtpServer server;
//   server.Reply("220 ready").ExpectLine().Reply("331 pw?").ExpectLine().Reply("230 in");
//   server.Start();
//   ... client talks to server.HostText() ...
//   server.Finish();   // waits for the end of the script
//   EXPECT_EQ(server.Received()[0], "USER x\r\n");
class ScriptedFtpServer {
public:
    ScriptedFtpServer();
    ~ScriptedFtpServer();
    ScriptedFtpServer(const ScriptedFtpServer&) = delete;
    ScriptedFtpServer& operator=(const ScriptedFtpServer&) = delete;

    uint16_t Port() const { return port_; }
    std::wstring HostText() const;  // "127.0.0.1:port"

    // Control connection. The first connection is accepted when the script starts.
    ScriptedFtpServer& Send(std::string bytes);         // exactly these bytes
    ScriptedFtpServer& SendUntilHangUp(std::string bytes);  // as Send; the client may hang up part-way
    ScriptedFtpServer& Reply(const std::string& line);  // the line and CR LF
    ScriptedFtpServer& ExpectLine();                    // reads and records one CR LF line
    ScriptedFtpServer& ExpectLines(int count);
    ScriptedFtpServer& Pause(int milliseconds);
    ScriptedFtpServer& CloseControl();                  // drops the control connection
    ScriptedFtpServer& AcceptControl();                 // waits for the next control connection
    ScriptedFtpServer& CloseListener();                 // the server is gone: connections are refused
    ScriptedFtpServer& WaitForClientClose();            // reads until the client closes
    // Raw bytes on the control connection (a TLS handshake, say), kept apart
    // from the command lines: what the client has sent by now (waiting for
    // the first byte), or everything until it closes the connection.
    ScriptedFtpServer& RecordBytes();
    ScriptedFtpServer& RecordBytesUntilClientClose();

    // Passive data connection. OfferPassive opens a data listener and sends
    // the reply made from format, where %s stands for "h1,h2,h3,h4,p1,p2"
    // (h1-h4 from address, p1 and p2 the listener's port).
    ScriptedFtpServer& OfferPassive(const std::string& format = "227 Entering Passive Mode (%s).",
                                    const std::string& address = "127,0,0,1");
    ScriptedFtpServer& AcceptData();
    ScriptedFtpServer& SendData(std::string bytes);
    ScriptedFtpServer& ReceiveDataToEnd();  // records until the client closes it
    ScriptedFtpServer& CloseData();

    // A step of the test's own.
    ScriptedFtpServer& Run(std::function<void()> step);

    void Start();
    // Waits for the script to end (at most timeoutMs); false when it did not.
    bool Finish(int timeoutMs = 20000);

    // Whether a client has connected to a server whose script never started.
    bool ConnectionWaiting() const;

    std::vector<std::string> Received() const;
    std::string ReceivedData() const;
    std::string ReceivedBytes() const;
    // Why the script stopped early, empty when it ran to its end.
    std::string Failure() const;

private:
    void Add(std::function<bool()> step);
    void RunScript();
    bool ReadControlLine(std::string& line);
    // One receive, kept in the raw record when asked; false when the client
    // closed.
    bool ReceiveControlBytes(bool record);
    ScriptedFtpServer& ReadUntilClientClose(bool record);
    void Fail(const std::string& why);

    SOCKET listener_ = INVALID_SOCKET;
    SOCKET control_ = INVALID_SOCKET;
    SOCKET dataListener_ = INVALID_SOCKET;
    SOCKET data_ = INVALID_SOCKET;
    uint16_t port_ = 0;
    std::vector<std::function<bool()>> steps_;
    std::thread thread_;
    std::atomic<bool> done_{false};
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> received_;
    std::string receivedData_;
    std::string receivedBytes_;
    std::string failure_;
};

// An address that accepts no connection and refuses none: a listener whose
// backlog is full, so further connection attempts hang.
class UnresponsiveEndpoint {
public:
    UnresponsiveEndpoint();
    ~UnresponsiveEndpoint();
    std::wstring HostText() const;

private:
    SOCKET listener_ = INVALID_SOCKET;
    std::vector<SOCKET> fillers_;
    uint16_t port_ = 0;
};
