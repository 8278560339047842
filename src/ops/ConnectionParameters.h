#pragma once
#include <cstdint>
#include <string>

// The input of one connection attempt.
struct ConnectionParameters {
    std::wstring server;  // host or host:port
    std::wstring user;
    std::wstring password;
    std::wstring startFolder;  // empty: "/"
    bool secure = false;       // explicit or implicit TLS
    bool implicit = false;
    bool showProgress = true;  // inside the "FTP Connect" dialog; off for silent reconnects
};

// What the Quick Connect dialog supplies.
// The password of an anonymous log-in without one: servers that want an
// e-mail address from anonymous users accept any.
inline constexpr const wchar_t* kAnonymousPassword = L"guest@tarnwick.invalid";

struct QuickConnection {
    std::wstring server;
    std::wstring user;
    std::wstring password;
    std::wstring label;  // "Quick Connection" when not saved
    bool secure = false;
    bool implicit = false;
    bool keepRecentFolders = false;  // the dialog's answer whether the connection is kept
    bool forgetOnFailure = false;
};

// The intervals of the connection's timers. The product uses these values;
// tests shorten them.
struct ConnectionTimings {
    uint32_t keepAliveMs = 30000;   // timer 3 between checks
    uint32_t firstCheckMs = 100;    // timer 3 right after a connection or an operation
    uint32_t blinkMs = 1000;        // timer 2
};
