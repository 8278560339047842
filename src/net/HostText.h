#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// A server named as "host" or "host:port".
struct HostAndPort {
    std::wstring host;  // the text before the first ':', at most 259 units
    uint16_t port = 0;
};

// The port is the decimal number after the first ':' (text that is not a
// number, or a number beyond 65535, gives 0); without ':' it is defaultPort.
HostAndPort SplitHostText(std::wstring_view hostText, uint16_t defaultPort);
