#pragma once
#include <optional>

#include "net/CertificateFacts.h"
#include "ops/CertificatePrompt.h"

// After the server's certificate was refused: whether the user trusts it,
// told when the current site trusted another certificate. A trusted
// fingerprint is stored with the current site; it lets a certificate without
// a trusted root through silently from then on, while an expired or misnamed
// one is trusted for this connection only and asked about again the next
// time.
std::optional<CertificateTrust> GrantCertificateTrust(CertificatePrompt& prompt, const CertificateFacts& facts);

// The trust stored with the current site (empty when none).
CertificateTrust CurrentSiteCertificateTrust();
