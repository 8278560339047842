#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ftp/FeatureFlags.h"
#include "net/SecureSocket.h"

// Idle allowances of one session, in milliseconds. The product uses these
// values; tests shorten them.
struct FtpTimeouts {
    uint32_t connect = 60000;      // control connection
    uint32_t tlsHandshake = SecureSocket::kHandshakeTimeoutMs;  // of the control connection
    uint32_t send = 20000;         // one command line
    uint32_t reply = 60000;        // silence between bytes of a reply line
    uint32_t dataConnect = 20000;  // passive data connection
    uint32_t listingLine = 20000;  // silence between bytes of a listing line
    uint32_t folderListing = 10000;
    uint32_t downloadBlock = 40000;
    uint32_t uploadBlock = 20000;
    uint32_t keepAliveInterval = 30000;
    uint32_t keepAliveReply = 5000;
    uint32_t downloadAbortSend = 2000;
    uint32_t abortReply = 2000;
    // Each final reply read after a NOOP whose reply did not come in time.
    uint32_t lateDownloadReply = 1000;
    uint32_t lateUploadReply = 10000;
};

// One FTP control connection.
class FtpSession : public SecureSocket {
public:
    uint32_t features = 0;
    FtpTimeouts timeouts;
    // Bytes moved per receive, send and file call of a transfer: every call
    // costs about 0.2 ms under Wine, so large blocks decide the throughput
    // (1 MiB, what the data connection's receive buffer holds, measured best).
    size_t transferBlockBytes = 1024 * 1024;
    // The representation type the server last accepted through
    // SetTransferType, so that a run of transfers sends TYPE once; 0 when not
    // known. A log-in, and a TYPE or REIN line sent any other way, forget it.
    char transferType = 0;

    bool Has(FeatureFlag flag) const { return (features & flag) != 0; }
    void Set(FeatureFlag flag) { features |= flag; }
};

// Sends a command line; nothing is logged. A line that holds CR, LF or NUL
// before its closing CR LF, or is longer than kMaxCommandLineBytes, is not
// sent: the refusal is logged and the result is Failed.
NetResult SendRaw(TaskContext& context, FtpSession& session, std::string_view line, uint32_t timeoutMs);
// Reads one whole reply; its final line is logged. The lines before it (a
// multi-line reply) are dropped unless earlierLines is given.
// The control connection is closed when the session can no longer stay in
// step with the server: the reply broken off after it began, a reply of more
// than kMaxReplyLines lines or kMaxReplyBytes bytes (logged), or no reply
// within the session's reply allowance. A shorter time-out looks for a reply
// that may not come (a NOOP during a transfer): silence there keeps the
// session open.
NetResult ReadReply(TaskContext& context, FtpSession& session, uint32_t timeoutMs, uint16_t& code, std::string* text,
                    std::vector<std::string>* earlierLines = nullptr);
NetResult ReadReplyCode(TaskContext& context, FtpSession& session, uint16_t& code);
// Consumes a reply still owed by the server (uncancellable; result ignored).
void DrainReply(FtpSession& session);
// Send, read the reply, Ok for codes 200-399 and 150.
NetResult SendCommand(TaskContext& context, FtpSession& session, std::string_view line, std::string* text = nullptr,
                      uint16_t* code = nullptr);
// TYPE A or TYPE I, sent only when the server is not known to be in that
// type already; as SendCommand otherwise. code is 200 when nothing was sent.
NetResult SetTransferType(TaskContext& context, FtpSession& session, char type, uint16_t* code = nullptr);
// As SendCommand for commands that are logged (PASS masked); Ok for 200-399.
NetResult SendLoggedCommand(TaskContext& context, FtpSession& session, std::string_view line);
// A command whose answer is wanted line by line: the lines before the final
// one, or the only line of a one-line answer. The answer is always read to
// its end; Ok when it is positive.
NetResult CollectReply(TaskContext& context, FtpSession& session, std::string_view line, std::vector<std::string>& lines);
