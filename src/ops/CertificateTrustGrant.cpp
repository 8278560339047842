#include "ops/CertificateTrustGrant.h"

#include "store/SiteStore.h"

std::optional<CertificateTrust> GrantCertificateTrust(CertificatePrompt& prompt, const CertificateFacts& facts)
{
    RegKeyRef slot = CurrentSiteSlot();
    std::string trusted = slot.path.empty() ? std::string() : ReadTrustedCertificate(slot);
    bool changed = !trusted.empty() && trusted != facts.sha256;
    if (!prompt.TrustCertificate(facts, changed))
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
