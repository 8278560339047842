#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Why a server certificate did not verify, the worst reason first: a
// certificate that is expired or names another host is never accepted on a
// stored fingerprint alone.
enum class CertificateProblem { None, UntrustedRoot, WrongName, Expired, Other };

// What the user is shown about a server's certificate.
struct CertificateFacts {
    std::wstring subject;
    std::wstring issuer;
    int64_t validFrom = 0;  // seconds since 1970 UTC
    int64_t validTo = 0;
    std::vector<std::wstring> names;  // the host names it covers
    std::string sha256;               // 64 upper-case hex digits of the DER encoding
    CertificateProblem problem = CertificateProblem::None;
};

// The user's trust in one certificate: its fingerprint, and whether it may be
// accepted although it is expired or names another host (granted for one
// connection at a time, never stored).
struct CertificateTrust {
    std::string sha256;
    bool evenIfExpiredOrMisnamed = false;
};

// 64 hex digits, with or without ":" between the pairs, either case; the
// upper-case digits without separators, nothing for anything else.
std::optional<std::string> ParseFingerprint(std::wstring_view text);

// "AB:CD:..." for display.
std::wstring FingerprintText(std::string_view sha256);

// Whether a host name is covered by one of the certificate's names: equal
// without regard to case, or a "*." name covering exactly one more label.
bool CertificateCoversHost(const std::vector<std::wstring>& names, std::wstring_view host);

// The reason to show: the chain's verdict, made more exact from the facts. A
// chain that only lacks a trusted root still reports an expired or misnamed
// certificate as such.
CertificateProblem ClassifyCertificate(CertificateProblem chainVerdict, const CertificateFacts& facts,
                                       std::wstring_view host, int64_t now);

// Whether the trust lets the certificate through.
bool TrustAccepts(const CertificateTrust& trust, const CertificateFacts& facts);

// One sentence per problem, for the dialog and the console.
std::wstring CertificateProblemText(CertificateProblem problem);

// "2026-12-09 05:32:00 UTC".
std::wstring CertificateTimeText(int64_t secondsSince1970);

// The host names joined with ", "; "(none)" when there are none.
std::wstring CertificateNamesText(const std::vector<std::wstring>& names);

// The facts as "Label: value" lines, for the console and the log.
std::vector<std::wstring> CertificateFactLines(const CertificateFacts& facts);
