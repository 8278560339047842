#pragma once
#include <optional>
#include <string>

#include "ftp/FtpSession.h"
#include "ftp/Login.h"

// The server a command works on, named by a URL or a saved site's label.
struct ServerTarget {
    LoginRequest login;
    std::wstring path;  // the URL's path or the site's start folder; may be empty
};

// The global --allow-plain: servers that refuse AUTH TLS are logged in to
// without TLS, the password in clear text.
void AllowPlainLogIns();

// The global --trust-fingerprint: a server certificate with this SHA-256
// fingerprint is accepted although it does not verify. False when the text is
// not 64 hex digits (with or without ":" between the pairs).
bool TrustFingerprint(const std::wstring& text);

// Prints why when the argument names no server.
std::optional<ServerTarget> ResolveServer(const std::wstring& argument);

// Logs in; prints a message and returns false when that fails.
bool ConnectSession(TaskContext& context, FtpSession& session, const ServerTarget& target);
