#pragma once
// A menu belongs to its process: under Wine another process cannot read it at
// all. The probe therefore loads ui-probe-agent.dll into the window's process,
// which reads the menu bar there and leaves its records in a shared section
// named after that process.
#include <windows.h>

#include <string>

struct MenuExchange {
    HWND window;     // set by the probe
    LONG finished;   // set by the agent when the records are in place
    DWORD length;    // bytes of UTF-8 records that follow
    char records[1];
};

constexpr DWORD kMenuExchangeSize = 1 << 20;

inline std::wstring MenuExchangeName(DWORD processId)
{
    return L"Local\\ui-probe-menu-" + std::to_wstring(processId);
}
