#pragma once
#include "net/CertificateFacts.h"
#include "store/UserPrompt.h"

// Asks the user whether to trust a server certificate that did not verify.
// changed: the site trusts another certificate. True: trust it.
class CertificatePrompt {
public:
    virtual ~CertificatePrompt() = default;
    virtual bool TrustCertificate(const CertificateFacts& facts, bool changed) = 0;
};

// The same question as a plain prompt with the facts as text lines, for
// callers without a certificate dialog.
class CertificateQuestionPrompt : public CertificatePrompt {
public:
    explicit CertificateQuestionPrompt(UserPrompt& prompt) : prompt_(prompt) {}
    bool TrustCertificate(const CertificateFacts& facts, bool changed) override;

private:
    UserPrompt& prompt_;
};
