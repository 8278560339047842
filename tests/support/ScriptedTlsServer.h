#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/RealFtpServer.h"

// A scripted FTP control connection with TLS (scripted_tls_server.py, run by
// the server manager), for replies real servers will not send. Script steps:
// "send TEXT", "sendraw TEXT" (escapes such as \r\n decoded, one write),
// "expect", "starttls", "unwrap" (ends TLS, the connection goes on in clear),
// "close". Anything the client sends outside the script's channel (clear text
// where TLS was expected, bytes after a failed handshake) is received as a
// line starting with "!".
// A scripted FTP server with TLS (scripted_tls_server.py, run natively by the
// server manager), for replies and data connections real servers will not
// produce. Script steps: "send TEXT", "expect", "starttls", "close", and for
// the data connection "pasv", "accept", "datatls CERT", "datasend TEXT",
// "datafill N", "datarecv", "datarecvbytes N", "dataclose", "datareset";
// "pause MS". In explicit mode the control connection is plain until
// "starttls".
class ScriptedTlsServer {
public:
    ScriptedTlsServer(bool implicitTls, const std::vector<std::string>& script,
                      RealFtpServer::Certificate certificate = RealFtpServer::Certificate::Good);
    ~ScriptedTlsServer();
    ScriptedTlsServer(const ScriptedTlsServer&) = delete;
    ScriptedTlsServer& operator=(const ScriptedTlsServer&) = delete;

    bool Started() const { return port_ != 0; }
    const std::string& Error() const { return error_; }
    std::wstring HostText() const { return L"localhost:" + std::to_wstring(port_); }
    // The command lines received so far, byte for byte.
    std::vector<std::string> Received() const;
    // Waits for the end of the script (at most timeoutMs); false when it did
    // not end. After it, Received() holds everything the client sent.
    bool Finish(int timeoutMs = 20000) const;
    // What the data connections brought, byte for byte.
    std::string ReceivedData() const;

private:
    std::string id_;
    uint16_t port_ = 0;
    std::string error_;
    std::string record_;
};
