#pragma once
#include <string>
#include <string_view>

// Reduces what a user typed or pasted as a server to what is stored: a dotted
// IPv4 address, or a lower-case host name, each with ":port" when one follows.
// Returns false (leaving the text unspecified) when no server can be made of it.
bool NormalizeServerAddress(std::wstring& text);

// The server field of the site dialog, taken apart.
struct ServerField {
    std::wstring host;        // without scheme, user part or port
    std::wstring remotePath;  // what followed the host from its first "/", trimmed; "" when none
};

// Drops a scheme ("ftp://") and a port typed after the host, and splits off
// a path typed after the host.
ServerField SplitServerField(std::wstring_view field);

// The host, or "host:port" when a port was entered.
std::wstring JoinServerPort(std::wstring_view host, std::wstring_view port);
