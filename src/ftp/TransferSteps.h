#pragma once
#include <cstdint>
#include <string>

#include "ftp/FtpSession.h"
#include "ftp/TransferProgress.h"

// The pieces Download and Upload share.

// PBSZ/PROT P on a TLS session, then TYPE I.
NetResult PrepareBinaryTransfer(TaskContext& context, FtpSession& session);

// PASV and one connection attempt to the endpoint.
NetResult ConnectPassiveData(TaskContext& context, FtpSession& session, SecureSocket& data);

// The reply text out of a transfer: cleared at the start, then holding the
// server's (or the program's) words on a failure, at most 259 units.
class ReplyTextOut {
public:
    explicit ReplyTextOut(std::wstring* target);
    void SetUtf8(const std::string& text);
    void Set(const std::wstring& text);

private:
    std::wstring* target_;
};

// The buffer for the data of one transfer: the session's block, or less
// when what is left of the file is known to be smaller (the buffer is made
// for every file, and setting up a large one costs more than a small file's
// whole transfer).
size_t TransferBufferBytes(const FtpSession& session, const TransferProgress& progress);

// Redraws "name: 42%" and the progress bar.
void ShowTransferProgress(TaskContext& context, const std::wstring& name, const TransferProgress& progress);

// Sends NOOP on the control connection when the keep-alive interval has
// passed since the transfer began or since the last NOOP, so that the control
// connection is not dropped as idle during a long transfer.
class KeepAlive {
public:
    explicit KeepAlive(FtpSession& session);
    // Cancelled when the context was cancelled while sending or waiting.
    NetResult Check(TaskContext& context);
    // A NOOP reply did not come in time: it is still owed, among the final replies.
    bool ReplyMissed() const { return replyMissed_; }

private:
    FtpSession& session_;
    uint64_t lastMs_;
    bool replyMissed_ = false;
};

// The reply that ends a transfer. After a NOOP whose reply did not come in
// time, the transfer's own and the NOOP's are owed, in either order: replies
// are read, lateEachMs each, until one read fails, and the last 226 or 426 is
// the transfer's. Failed when no such reply came.
NetResult ReadFinalTransferReply(FtpSession& session, bool noopReplyMissed, uint32_t lateEachMs, uint16_t& code,
                                 std::string& text);
