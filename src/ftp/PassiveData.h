#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ftp/FtpSession.h"

// Every data connection is passive: PASV, then a connection to the endpoint.
// The endpoint is "a.b.c.d:port". It always names the control connection's
// peer: a server that names another address in its 227 reply could otherwise
// point the client at any host (the address is logged as a warning).
NetResult OpenPassive(TaskContext& context, FtpSession& session, std::wstring& endpoint);

// On a TLS session: "PBSZ 0" and "PROT P" before each data connection; a 534
// refusal is shown to the user.
NetResult ProtectDataChannel(TaskContext& context, FtpSession& session);

// Connects a data connection to the endpoint, trying once more after a
// failure. Cancelled is returned at once.
NetResult ConnectData(TaskContext& context, FtpSession& session, const std::wstring& endpoint, SecureSocket& data);

// On a TLS session the data connection is protected like the control
// connection. False when that failed (the handshake or the certificate):
// the connection must then carry nothing, in either direction.
bool SecureDataIfNeeded(FtpSession& session, SecureSocket& data);

// What the user is told when a data connection could not be protected.
extern const wchar_t kDataNotSecuredText[];

// Stops a transfer in progress: closes the data connection (so that servers
// which only read commands between transfers notice at once), sends ABOR and
// reads its first reply. Ok when a reply was read, with its code and text.
NetResult AbortTransfer(FtpSession& session, SecureSocket& data, uint32_t sendTimeoutMs, uint16_t& code,
                        std::string& text);

// Reads a data connection in large blocks until the server closes it, a
// receive waits longer than timeoutMs, or the context is cancelled; the text
// is split into lines (see DataLineSplitter).
void ReadDataLines(TaskContext& context, SecureSocket& data, uint32_t timeoutMs, std::vector<std::string>& lines);

// The same, handing the lines of each block to `takeLines` as it arrives, so
// that they are used while the server is still writing the rest. The vector
// holds only new lines at each call; what takeLines leaves in it is dropped.
using DataLinesConsumer = std::function<void(std::vector<std::string>& lines)>;
void ReadDataLines(TaskContext& context, SecureSocket& data, uint32_t timeoutMs, const DataLinesConsumer& takeLines);

// The final reply of a command whose data has arrived: Ok for 200-399. A
// cancelled wait consumes the reply still owed, so that it cannot answer the
// next command.
NetResult ReadFinalDataReply(TaskContext& context, FtpSession& session);

// Gives up a listing-type command, after its preliminary reply, whose data
// connection could not be protected: ABOR, and the two replies then owed
// (the command's and the ABOR's) are read, so that the next command gets its
// own. Logs kDataNotSecuredText; the result is always Failed.
NetResult AbandonUnsecuredListing(FtpSession& session, SecureSocket& data);

// Sends a listing-type command over a fresh passive data connection and
// returns the lines received.
NetResult ListOverData(TaskContext& context, FtpSession& session, std::string_view commandLine,
                       std::vector<std::string>& lines);
