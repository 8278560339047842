#pragma once
#include <string>

#include "ftp/FtpSession.h"

// The FTP proxy in front of the servers (program settings FtpProxyType,
// ProxyHost, ProxyUsername, ProxyPassword).
struct ProxySettings {
    int type = 0;  // 0 none, 1 SITE with proxy log-in, 2 OPEN, 3 USER user@site, 4 USER user@site with proxy log-in
    std::wstring host;
    std::wstring user;
    std::wstring password;
};

struct LoginRequest {
    std::wstring hostText;  // host or host:port
    std::wstring user;
    std::wstring password;
    bool secure = false;    // TLS, explicit or implicit
    bool implicit = false;  // TLS from the first byte (port 990 by default)
    // Explicit TLS only: when the server refuses AUTH TLS, log in all the same,
    // with the user name and password in clear text. The user grants this for
    // one attempt at a time.
    bool allowUnprotected = false;
    // A server certificate the system does not accept that the user trusts.
    CertificateTrust certificateTrust{};
};

// Why a log-in failed, where the caller can do something about it.
enum class LoginFailure {
    None,
    // The server refused AUTH TLS and the request did not allow going on
    // without TLS: nothing was sent after AUTH TLS. The caller may ask the
    // user and log in again with allowUnprotected.
    ExplicitTlsRefused,
    // The TCP connection to the server (or the proxy) could not be made: no
    // password would help.
    NotConnected,
    // The server's certificate did not verify and was not trusted: nothing
    // was sent after the handshake. The session's RejectedCertificate() has
    // its facts; the caller may ask the user and log in again trusting it.
    CertificateRejected,
};

// 990 for implicit TLS, 21 otherwise.
uint16_t DefaultFtpPort(bool secure, bool implicit);

// Connects (directly or through the proxy), reads the greeting, negotiates TLS
// and logs in. Every failure is logged with the host and port it concerns.
// Nothing follows a TLS set-up that failed: the user name and password never
// travel unprotected on a connection that was to be secured, unless the
// request allows it.
NetResult Login(TaskContext& context, FtpSession& session, const LoginRequest& request, const ProxySettings& proxy);
NetResult Login(TaskContext& context, FtpSession& session, const LoginRequest& request, const ProxySettings& proxy,
                LoginFailure& failure);

// Asks FEAT once per log-in and records the answer in the feature flags.
// Always Ok.
NetResult QueryFeatures(TaskContext& context, FtpSession& session);
