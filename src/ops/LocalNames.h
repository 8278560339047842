#pragma once
#include <optional>
#include <string>
#include <string_view>

// Names that come from a server become names of local files and folders only
// when Windows would create exactly that one element inside the target folder:
// no path separators, no drive or alternate data stream (":"), no "." or "..",
// no device (CON, NUL.txt, COM1, ...), nothing Windows refuses or silently
// changes (control characters, < > " | ? *, a trailing dot or space).

// Why the name cannot be one element of a local path, for the log; empty when
// it can. Includes the suspicious-name rule of remote listings.
std::wstring_view LocalNameRefusal(std::wstring_view name);

// The local name for a remote one (the remote name itself), or nothing with
// the reason in whyRefused.
std::optional<std::wstring> LocalNameForRemote(std::wstring_view remoteName, std::wstring& whyRefused);
