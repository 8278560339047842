#pragma once
#include <optional>

#include "net/CertificateFacts.h"
#include "store/UserPrompt.h"

// After the server's certificate was refused: whether the user trusts it. The
// question names the facts and says when the current site trusted another
// certificate. A trusted fingerprint is stored with the current site; it lets
// a certificate without a trusted root through silently from then on, while
// an expired or misnamed one is trusted for this connection only and asked
// about again the next time.
std::optional<CertificateTrust> GrantCertificateTrust(UserPrompt& prompt, const CertificateFacts& facts);

// The trust stored with the current site (empty when none).
CertificateTrust CurrentSiteCertificateTrust();
