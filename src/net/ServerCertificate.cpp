#include "net/ServerCertificate.h"

#include <bcrypt.h>

#include <vector>

namespace {

constexpr int64_t kFileTimeUnitsPerSecond = 10000000;
constexpr int64_t kFileTimeUnitsTo1970 = 116444736000000000;

int64_t SecondsSince1970(const FILETIME& time)
{
    int64_t units = (static_cast<int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return (units - kFileTimeUnitsTo1970) / kFileTimeUnitsPerSecond;
}

std::wstring NameText(const CERT_NAME_BLOB& name)
{
    DWORD flags = CERT_X500_NAME_STR | CERT_NAME_STR_REVERSE_FLAG;
    auto blob = const_cast<CERT_NAME_BLOB*>(&name);
    DWORD length = CertNameToStrW(X509_ASN_ENCODING, blob, flags, nullptr, 0);
    if (length <= 1)
        return L"";
    std::wstring text(length, L'\0');
    CertNameToStrW(X509_ASN_ENCODING, blob, flags, text.data(), length);
    text.resize(length - 1);
    return text;
}

// The DNS names of the subject-alternative-name extension.
std::vector<std::wstring> AlternativeNames(PCCERT_CONTEXT certificate)
{
    std::vector<std::wstring> names;
    const CERT_INFO* info = certificate->pCertInfo;
    PCERT_EXTENSION extension = CertFindExtension(szOID_SUBJECT_ALT_NAME2, info->cExtension, info->rgExtension);
    if (!extension)
        return names;
    CERT_ALT_NAME_INFO* decoded = nullptr;
    DWORD size = 0;
    if (!CryptDecodeObjectEx(X509_ASN_ENCODING, X509_ALTERNATE_NAME, extension->Value.pbData, extension->Value.cbData,
                             CRYPT_DECODE_ALLOC_FLAG, nullptr, &decoded, &size))
        return names;
    for (DWORD i = 0; i < decoded->cAltEntry; ++i)
        if (decoded->rgAltEntry[i].dwAltNameChoice == CERT_ALT_NAME_DNS_NAME && decoded->rgAltEntry[i].pwszDNSName)
            names.emplace_back(decoded->rgAltEntry[i].pwszDNSName);
    LocalFree(decoded);
    return names;
}

std::wstring CommonName(PCCERT_CONTEXT certificate)
{
    wchar_t name[256] = {};
    char oid[] = szOID_COMMON_NAME;
    CertGetNameStringW(certificate, CERT_NAME_ATTR_TYPE, 0, oid, name, 256);
    return name;
}

std::string Sha256Hex(const BYTE* data, DWORD size)
{
    std::string hex;
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0) != 0)
        return hex;
    unsigned char digest[32] = {};
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool hashed = BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0) == 0;
    hashed = hashed && BCryptHashData(hash, const_cast<PUCHAR>(data), size, 0) == 0 &&
             BCryptFinishHash(hash, digest, sizeof(digest), 0) == 0;
    if (hash)
        BCryptDestroyHash(hash);
    if (hashed) {
        for (unsigned char byte : digest) {
            hex += "0123456789ABCDEF"[byte >> 4];
            hex += "0123456789ABCDEF"[byte & 15];
        }
    }
    BCryptCloseAlgorithmProvider(algorithm, 0);
    return hex;
}

CertificateProblem ProblemOf(DWORD error)
{
    switch (error) {
    case 0:
        return CertificateProblem::None;
    case static_cast<DWORD>(CERT_E_UNTRUSTEDROOT):
    case static_cast<DWORD>(CERT_E_CHAINING):
    case static_cast<DWORD>(TRUST_E_CERT_SIGNATURE):
        return CertificateProblem::UntrustedRoot;
    case static_cast<DWORD>(CERT_E_CN_NO_MATCH):
        return CertificateProblem::WrongName;
    case static_cast<DWORD>(CERT_E_EXPIRED):
    case static_cast<DWORD>(CERT_E_VALIDITYPERIODNESTING):
        return CertificateProblem::Expired;
    default:
        return CertificateProblem::Other;
    }
}

}  // namespace

CertificateFacts ReadCertificateFacts(PCCERT_CONTEXT certificate)
{
    CertificateFacts facts;
    const CERT_INFO* info = certificate->pCertInfo;
    facts.subject = NameText(info->Subject);
    facts.issuer = NameText(info->Issuer);
    facts.validFrom = SecondsSince1970(info->NotBefore);
    facts.validTo = SecondsSince1970(info->NotAfter);
    facts.names = AlternativeNames(certificate);
    // Without alternative names, clients fall back to the common name.
    if (facts.names.empty()) {
        std::wstring common = CommonName(certificate);
        if (!common.empty())
            facts.names.push_back(common);
    }
    facts.sha256 = Sha256Hex(certificate->pbCertEncoded, certificate->cbCertEncoded);
    return facts;
}

CertificateProblem VerifyCertificateChain(PCCERT_CONTEXT certificate, const std::wstring& host)
{
    char serverAuth[] = szOID_PKIX_KP_SERVER_AUTH;
    LPSTR usages[] = {serverAuth};
    CERT_CHAIN_PARA chainPara{};
    chainPara.cbSize = sizeof(chainPara);
    chainPara.RequestedUsage.dwType = USAGE_MATCH_TYPE_OR;
    chainPara.RequestedUsage.Usage.cUsageIdentifier = 1;
    chainPara.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
    PCCERT_CHAIN_CONTEXT chain = nullptr;
    if (!CertGetCertificateChain(nullptr, certificate, nullptr, certificate->hCertStore, &chainPara, 0, nullptr, &chain))
        return CertificateProblem::Other;
    SSL_EXTRA_CERT_CHAIN_POLICY_PARA sslPara{};
    sslPara.cbSize = sizeof(sslPara);
    sslPara.dwAuthType = AUTHTYPE_SERVER;
    sslPara.pwszServerName = const_cast<wchar_t*>(host.c_str());
    CERT_CHAIN_POLICY_PARA policyPara{};
    policyPara.cbSize = sizeof(policyPara);
    policyPara.pvExtraPolicyPara = &sslPara;
    CERT_CHAIN_POLICY_STATUS policyStatus{};
    policyStatus.cbSize = sizeof(policyStatus);
    bool checked = CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain, &policyPara, &policyStatus);
    CertFreeCertificateChain(chain);
    return checked ? ProblemOf(policyStatus.dwError) : CertificateProblem::Other;
}
