#pragma once
#include <windows.h>

#include "ops/CertificatePrompt.h"

// The "Server Certificate" dialog: the certificate's subject, issuer,
// validity, host names and SHA-256 fingerprint, the reason it was refused,
// and a note when it differs from the one trusted for the site before.
// Cancel is the default button.
class CertificateDialog : public CertificatePrompt {
public:
    explicit CertificateDialog(HWND owner) : owner_(owner) {}
    bool TrustCertificate(const CertificateFacts& facts, bool changed) override;

private:
    HWND owner_;
};
