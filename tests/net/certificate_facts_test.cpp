#include <gtest/gtest.h>

#include "net/CertificateFacts.h"

namespace {

const std::string kDigits = "0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF";

CertificateFacts FactsFor(std::vector<std::wstring> names, int64_t from, int64_t to)
{
    CertificateFacts facts;
    facts.names = std::move(names);
    facts.validFrom = from;
    facts.validTo = to;
    facts.sha256 = kDigits;
    return facts;
}

}  // namespace

TEST(Fingerprint, TakesSixtyFourHexDigitsWithOrWithoutColonsInEitherCase)
{
    std::wstring plain(kDigits.begin(), kDigits.end());
    EXPECT_EQ(ParseFingerprint(plain), kDigits);
    std::wstring lower = plain;
    for (wchar_t& c : lower)
        c = static_cast<wchar_t>(towlower(c));
    EXPECT_EQ(ParseFingerprint(lower), kDigits);
    std::wstring colons = FingerprintText(kDigits);
    EXPECT_EQ(colons.substr(0, 9), L"01:23:45:");
    EXPECT_EQ(colons.size(), 95u);
    EXPECT_EQ(ParseFingerprint(colons), kDigits);

    EXPECT_FALSE(ParseFingerprint(L""));
    EXPECT_FALSE(ParseFingerprint(plain.substr(1))) << "63 digits";
    EXPECT_FALSE(ParseFingerprint(plain + L"0")) << "65 digits";
    EXPECT_FALSE(ParseFingerprint(L"G" + plain.substr(1)));
    EXPECT_FALSE(ParseFingerprint(colons + L":")) << "a trailing colon";
    EXPECT_FALSE(ParseFingerprint(L"0:" + colons.substr(1))) << "a colon out of place";
    EXPECT_FALSE(ParseFingerprint(plain.substr(0, 62) + L":" + plain.substr(62)));
    EXPECT_FALSE(ParseFingerprint(L" " + plain));
}

TEST(CertificateNames, CoverTheHostWithoutCaseOrThroughOneWildcardLabel)
{
    EXPECT_TRUE(CertificateCoversHost({L"other", L"LocalHost"}, L"localhost"));
    EXPECT_TRUE(CertificateCoversHost({L"*.example.com"}, L"ftp.Example.com"));
    EXPECT_FALSE(CertificateCoversHost({L"*.example.com"}, L"example.com"));
    EXPECT_FALSE(CertificateCoversHost({L"*.example.com"}, L"a.b.example.com"));
    EXPECT_FALSE(CertificateCoversHost({L"*.example.com"}, L".example.com"));
    EXPECT_FALSE(CertificateCoversHost({L"example.com"}, L"ftp.example.com"));
    EXPECT_FALSE(CertificateCoversHost({}, L"localhost"));
    EXPECT_FALSE(CertificateCoversHost({L""}, L""));
}

TEST(CertificateProblems, AMissingRootDoesNotHideAnExpiredOrMisnamedCertificate)
{
    const int64_t now = 1800000000;
    CertificateFacts fine = FactsFor({L"localhost"}, now - 10, now + 10);
    EXPECT_EQ(ClassifyCertificate(CertificateProblem::None, fine, L"localhost", now), CertificateProblem::None);
    EXPECT_EQ(ClassifyCertificate(CertificateProblem::UntrustedRoot, fine, L"localhost", now),
              CertificateProblem::UntrustedRoot);
    EXPECT_EQ(ClassifyCertificate(CertificateProblem::UntrustedRoot, fine, L"ftp.example.com", now),
              CertificateProblem::WrongName);
    CertificateFacts old = FactsFor({L"localhost"}, now - 20, now - 10);
    EXPECT_EQ(ClassifyCertificate(CertificateProblem::UntrustedRoot, old, L"localhost", now),
              CertificateProblem::Expired);
    CertificateFacts early = FactsFor({L"localhost"}, now + 10, now + 20);
    EXPECT_EQ(ClassifyCertificate(CertificateProblem::WrongName, early, L"other", now), CertificateProblem::Expired);
}

TEST(CertificateTrust, AStoredFingerprintPassesOnlyACertificateWithoutATrustedRoot)
{
    CertificateFacts facts = FactsFor({L"localhost"}, 0, 1);
    CertificateTrust stored{kDigits, false};
    CertificateTrust granted{kDigits, true};
    facts.problem = CertificateProblem::UntrustedRoot;
    EXPECT_TRUE(TrustAccepts(stored, facts));
    EXPECT_FALSE(TrustAccepts({"", true}, facts)) << "no fingerprint trusts nothing";
    EXPECT_FALSE(TrustAccepts({kDigits.substr(0, 63) + "0", true}, facts)) << "another certificate";
    for (CertificateProblem problem : {CertificateProblem::Expired, CertificateProblem::WrongName}) {
        facts.problem = problem;
        EXPECT_FALSE(TrustAccepts(stored, facts));
        EXPECT_TRUE(TrustAccepts(granted, facts));
    }
    facts.problem = CertificateProblem::Other;
    EXPECT_FALSE(TrustAccepts(granted, facts));
}

TEST(CertificateTimes, ReadAsUtcDates)
{
    EXPECT_EQ(CertificateTimeText(0), L"1970-01-01 00:00:00 UTC");
    EXPECT_EQ(CertificateTimeText(1796797920), L"2026-12-09 06:32:00 UTC");
    EXPECT_EQ(CertificateTimeText(951782400), L"2000-02-29 00:00:00 UTC");
    EXPECT_EQ(CertificateTimeText(-1), L"1969-12-31 23:59:59 UTC");
    CertificateFacts facts = FactsFor({L"a", L"b"}, 0, 0);
    facts.subject = L"CN=localhost";
    std::vector<std::wstring> lines = CertificateFactLines(facts);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[1], L"Subject: CN=localhost");
    EXPECT_EQ(lines[5], L"Host names: a, b");
    EXPECT_EQ(lines[6], L"SHA-256 fingerprint: " + FingerprintText(kDigits));
}

TEST(CertificateNames, JoinedOrSaidToBeNone)
{
    EXPECT_EQ(CertificateNamesText({L"localhost"}), L"localhost");
    EXPECT_EQ(CertificateNamesText({L"a.example", L"*.b.example"}), L"a.example, *.b.example");
    EXPECT_EQ(CertificateNamesText({}), L"(none)");
    EXPECT_EQ(CertificateFactLines(FactsFor({}, 0, 0))[5], L"Host names: (none)");
}
