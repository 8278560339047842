// ui-probe-agent.dll: loaded into a program's process by ui-probe, it writes
// the records of a window's menu into the shared section the probe made,
// and then declines to stay loaded.
#include <windows.h>

#include <cstring>

#include "MenuExchange.h"
#include "MenuRecords.h"
#include "ProbeOutput.h"

namespace {

void AnswerProbe()
{
    HANDLE section = OpenFileMappingW(FILE_MAP_WRITE | FILE_MAP_READ, FALSE, MenuExchangeName(GetCurrentProcessId()).c_str());
    if (!section)
        return;
    if (auto* exchange = static_cast<MenuExchange*>(MapViewOfFile(section, FILE_MAP_WRITE | FILE_MAP_READ, 0, 0, 0))) {
        std::string records = Utf8(MenuRecords(exchange->window));
        size_t room = kMenuExchangeSize - offsetof(MenuExchange, records);
        exchange->length = static_cast<DWORD>(records.size() < room ? records.size() : room);
        std::memcpy(exchange->records, records.data(), exchange->length);
        InterlockedExchange(&exchange->finished, 1);
        UnmapViewOfFile(exchange);
    }
    CloseHandle(section);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    AnswerProbe();
    return FALSE;  // unloaded again at once: nothing of the probe stays in the program
}
