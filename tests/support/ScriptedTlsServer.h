#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A scripted FTP control connection with TLS (scripted_tls_server.py, run by
// the server manager), for replies real servers will not send. Script steps:
// "send TEXT", "sendraw TEXT" (escapes such as \r\n decoded, one write),
// "expect", "starttls", "close".
class ScriptedTlsServer {
public:
    ScriptedTlsServer(bool implicitTls, const std::vector<std::string>& script);
    ~ScriptedTlsServer();
    ScriptedTlsServer(const ScriptedTlsServer&) = delete;
    ScriptedTlsServer& operator=(const ScriptedTlsServer&) = delete;

    bool Started() const { return port_ != 0; }
    const std::string& Error() const { return error_; }
    std::wstring HostText() const { return L"localhost:" + std::to_wstring(port_); }
    // The command lines received so far, byte for byte.
    std::vector<std::string> Received() const;

private:
    std::string id_;
    uint16_t port_ = 0;
    std::string error_;
    std::string record_;
};
