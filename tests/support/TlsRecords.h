#pragma once
#include <cstdint>
#include <string>

// True when bytes are whole TLS records and nothing else (a client's side of
// a handshake, an alert): no clear-text command slipped in.
inline bool OnlyTlsRecords(const std::string& bytes)
{
    size_t at = 0;
    while (at < bytes.size()) {
        if (bytes.size() - at < 5)
            return false;
        auto byte = [&](size_t i) { return static_cast<uint8_t>(bytes[at + i]); };
        bool knownType = byte(0) >= 0x14 && byte(0) <= 0x17;  // the four TLS record types, 20 to 23
        if (!knownType || byte(1) != 3)
            return false;
        at += 5 + (static_cast<size_t>(byte(3)) << 8 | byte(4));
    }
    return at == bytes.size();
}
