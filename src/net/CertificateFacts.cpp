#include "net/CertificateFacts.h"

#include <cwctype>

#include "net/TextCodec.h"

namespace {

constexpr size_t kFingerprintDigits = 64;

std::wstring Lower(std::wstring_view text)
{
    std::wstring lower(text);
    for (wchar_t& c : lower)
        c = static_cast<wchar_t>(std::towlower(c));
    return lower;
}

bool NameCovers(std::wstring_view name, std::wstring_view host)
{
    std::wstring pattern = Lower(name);
    std::wstring target = Lower(host);
    if (pattern.size() > 2 && pattern.compare(0, 2, L"*.") == 0) {
        size_t dot = target.find(L'.');
        return dot != std::wstring::npos && dot > 0 && target.compare(dot, std::wstring::npos, pattern, 1) == 0;
    }
    return !pattern.empty() && pattern == target;
}

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void CivilFromDays(int64_t days, int64_t& year, unsigned& month, unsigned& day)
{
    days += 719468;
    int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    unsigned shifted = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    month = shifted < 10 ? shifted + 3 : shifted - 9;
    year = static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
}

std::wstring TwoDigits(unsigned value)
{
    return std::wstring(1, static_cast<wchar_t>(L'0' + value / 10 % 10)) + static_cast<wchar_t>(L'0' + value % 10);
}

}  // namespace

std::optional<std::string> ParseFingerprint(std::wstring_view text)
{
    std::string digits;
    bool colons = text.find(L':') != std::wstring_view::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        // With separators, one after every pair and none elsewhere.
        if (colons && i % 3 == 2) {
            if (c != L':')
                return std::nullopt;
            continue;
        }
        int value = HexDigitValue(c);
        if (value < 0 || digits.size() == kFingerprintDigits)
            return std::nullopt;
        digits += "0123456789ABCDEF"[value];
    }
    if (digits.size() != kFingerprintDigits || (colons && text.size() != kFingerprintDigits / 2 * 3 - 1))
        return std::nullopt;
    return digits;
}

std::wstring FingerprintText(std::string_view sha256)
{
    std::wstring text;
    for (size_t i = 0; i < sha256.size(); ++i) {
        if (i > 0 && i % 2 == 0)
            text += L':';
        text += static_cast<wchar_t>(static_cast<unsigned char>(sha256[i]));
    }
    return text;
}

bool CertificateCoversHost(const std::vector<std::wstring>& names, std::wstring_view host)
{
    for (const std::wstring& name : names)
        if (NameCovers(name, host))
            return true;
    return false;
}

CertificateProblem ClassifyCertificate(CertificateProblem chainVerdict, const CertificateFacts& facts,
                                       std::wstring_view host, int64_t now)
{
    if (chainVerdict == CertificateProblem::None)
        return chainVerdict;
    if (now < facts.validFrom || now > facts.validTo)
        return CertificateProblem::Expired;
    if (!CertificateCoversHost(facts.names, host))
        return CertificateProblem::WrongName;
    return chainVerdict;
}

bool TrustAccepts(const CertificateTrust& trust, const CertificateFacts& facts)
{
    if (trust.sha256.empty() || trust.sha256 != facts.sha256)
        return false;
    switch (facts.problem) {
    case CertificateProblem::None:
    case CertificateProblem::UntrustedRoot:
        return true;
    case CertificateProblem::WrongName:
    case CertificateProblem::Expired:
        return trust.evenIfExpiredOrMisnamed;
    case CertificateProblem::Other:
        return false;
    }
    return false;
}

std::wstring CertificateProblemText(CertificateProblem problem)
{
    switch (problem) {
    case CertificateProblem::None:
        return L"The certificate is valid.";
    case CertificateProblem::UntrustedRoot:
        return L"The certificate is not issued by an authority this computer trusts (it may be self-signed).";
    case CertificateProblem::WrongName:
        return L"The certificate was issued for another server name.";
    case CertificateProblem::Expired:
        return L"The certificate has expired or is not valid yet.";
    case CertificateProblem::Other:
        return L"The certificate could not be verified.";
    }
    return L"";
}

std::wstring CertificateTimeText(int64_t secondsSince1970)
{
    int64_t days = secondsSince1970 / 86400;
    int64_t rest = secondsSince1970 % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    int64_t year = 0;
    unsigned month = 0, day = 0;
    CivilFromDays(days, year, month, day);
    unsigned seconds = static_cast<unsigned>(rest);
    return std::to_wstring(year) + L"-" + TwoDigits(month) + L"-" + TwoDigits(day) + L" " + TwoDigits(seconds / 3600) +
           L":" + TwoDigits(seconds / 60 % 60) + L":" + TwoDigits(seconds % 60) + L" UTC";
}

std::wstring CertificateNamesText(const std::vector<std::wstring>& names)
{
    std::wstring text;
    for (const std::wstring& name : names)
        text += (text.empty() ? L"" : L", ") + name;
    return text.empty() ? L"(none)" : text;
}

std::vector<std::wstring> CertificateFactLines(const CertificateFacts& facts)
{
    return {
        L"Problem: " + CertificateProblemText(facts.problem),
        L"Subject: " + facts.subject,
        L"Issuer: " + facts.issuer,
        L"Valid from: " + CertificateTimeText(facts.validFrom),
        L"Valid to: " + CertificateTimeText(facts.validTo),
        L"Host names: " + CertificateNamesText(facts.names),
        L"SHA-256 fingerprint: " + FingerprintText(facts.sha256),
    };
}
