#include "ops/CertificateTrustGrant.h"

#include "ops/ConnectionPrompts.h"
#include "store/SiteStore.h"

std::optional<CertificateTrust> GrantCertificateTrust(UserPrompt& prompt, const CertificateFacts& facts)
{
    RegKeyRef slot = CurrentSiteSlot();
    std::string trusted = slot.path.empty() ? std::string() : ReadTrustedCertificate(slot);
    bool changed = !trusted.empty() && trusted != facts.sha256;
    if (!prompt.Ask(CertificateQuestion(facts, changed)).accepted)
        return std::nullopt;
    // A quick connection has no site to remember it with.
    if (!slot.path.empty())
        WriteTrustedCertificate(slot, facts.sha256);
    return CertificateTrust{facts.sha256, true};
}

CertificateTrust CurrentSiteCertificateTrust()
{
    RegKeyRef slot = CurrentSiteSlot();
    return {slot.path.empty() ? std::string() : ReadTrustedCertificate(slot), false};
}
