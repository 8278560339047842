#pragma once
#include <string>

#include "net/CertificateFacts.h"
#include "store/UserPrompt.h"

// The questions and texts of connecting, dropping a connection and the
// connection's status line.

// Log-in failed while a proxy is configured (a message box with OK alone).
PromptQuestion ProxyFailureQuestion();

// Before an existing connection is dropped.
enum class DropWording { Reconnect, Disconnect };
PromptQuestion DropQuestion(DropWording wording, const std::wstring& label, const std::wstring& user);

// The server refused AUTH TLS on a site set to explicit TLS.
PromptQuestion UnprotectedLoginQuestion();
// A server certificate that did not verify: its facts and the reason; changed
// when the site trusts another certificate.
PromptQuestion CertificateQuestion(const CertificateFacts& facts, bool changed);

// Status bar part 0.
std::wstring NotConnectedStatusText();
std::wstring ConnectedStatusText(const std::wstring& label, const std::wstring& server, const std::wstring& user);
