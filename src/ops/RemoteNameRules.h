#pragma once
#include <string>
#include <string_view>

// How local names are changed on their way to the server (settings
// FtpNoSpaces and FtpLowerCase).
struct RemoteNameRules {
    bool noSpaces = false;   // every space becomes "_"
    bool lowerCase = false;  // A-Z become a-z
};

// A local name or path as it is named on the server.
std::wstring ApplyRemoteNameRules(std::wstring_view text, const RemoteNameRules& rules);
