#pragma once
#include <string>
#include <string_view>

// What to do when a site set to explicit TLS meets a server that refuses
// AUTH TLS: ask each time, or the answer the user asked to be remembered.
enum class UnprotectedLogin { Ask, Allow, Refuse };

// The answer as stored: "1" allows, "0" refuses; anything else asks again
// rather than guessing.
inline UnprotectedLogin UnprotectedLoginFromText(std::wstring_view text)
{
    return text == L"1" ? UnprotectedLogin::Allow : text == L"0" ? UnprotectedLogin::Refuse : UnprotectedLogin::Ask;
}

// One saved FTP account, as the connection manager and the site dialogs use
// it. The defaults are those of a site that stores nothing.
struct SiteRecord {
    std::wstring label;
    std::wstring requestedLabel;  // the label LoadCurrentSite is asked for
    std::wstring server;          // host or dotted address, with ":port" when one was entered
    std::wstring userName;
    std::wstring password;
    std::wstring remoteDirectory = L"/";
    std::wstring localDirectory = L"C:\\";
    std::wstring recentRemoteDirectory = L"/";
    std::wstring recentLocalDirectory = L"C:\\";
    bool rememberPassword = false;
    bool secure = false;    // explicit or implicit TLS
    bool implicit = false;  // TLS from the first byte
    bool useRecentRemote = true;
    bool useRecentLocal = true;
    UnprotectedLogin unprotectedLogin = UnprotectedLogin::Ask;  // AllowUnprotected "1"/"0", absent: ask
    // The SHA-256 fingerprint of a server certificate the user trusts although
    // it does not verify ("TrustedCertificate"); empty: none.
    std::string trustedCertificate;
};

// The security list of the site dialogs.
enum class SecurityChoice { Plain = 0, Explicit = 1, Implicit = 2 };

inline SecurityChoice SecurityOf(bool secure, bool implicit)
{
    return !secure ? SecurityChoice::Plain : implicit ? SecurityChoice::Implicit : SecurityChoice::Explicit;
}
