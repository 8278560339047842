#pragma once
#include <optional>

// Which fields of the "FTP Proxy" page are enabled for a proxy type: the
// host for every method but "None", the proxy's user name and password only
// for the methods that log in to the proxy. Their labels follow them.
struct ProxyFieldStates {
    bool host = false;
    bool login = false;
};

constexpr int kProxyTypeCount = 5;  // 0 "None" ... 4 "User@Site (with proxy login)"

// After a click on the radio button of a type (0-4).
ProxyFieldStates ProxyFieldsForChoice(int type);

// How the page opens for the stored FtpProxyType.
struct ProxyPageStart {
    std::optional<int> selected;  // empty: a stored type outside 0-4, no radio button ticked
    bool filled = false;          // the fields show the stored host, user name and password
    ProxyFieldStates fields;
};
ProxyPageStart ProxyPageStartFor(int storedType);
