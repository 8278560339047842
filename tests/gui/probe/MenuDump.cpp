#include "MenuDump.h"

#include <string>

#include "MenuExchange.h"
#include "ProbeOutput.h"

namespace {

std::wstring AgentPath()
{
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring text = path;
    return text.substr(0, text.find_last_of(L"\\/") + 1) + L"ui-probe-agent.dll";
}

// Runs LoadLibraryW(agent) on a new thread of the process; the agent's
// DllMain does the work.
bool LoadAgentInto(HANDLE process)
{
    std::wstring path = AgentPath();
    size_t bytes = (path.size() + 1) * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote)
        return false;
    bool ran = false;
    auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
    if (WriteProcessMemory(process, remote, path.c_str(), bytes, nullptr)) {
        if (HANDLE thread = CreateRemoteThread(process, nullptr, 0, load, remote, 0, nullptr)) {
            ran = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
            CloseHandle(thread);
        }
    }
    if (ran)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return ran;
}

}  // namespace

bool DumpMenu(HWND top)
{
    wchar_t className[16] = L"";
    GetClassNameW(top, className, 16);
    if (!GetMenu(top) && std::wstring(className) != L"#32768") {
        PrintError(L"the window has no menu bar");
        return false;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(top, &pid);
    HANDLE section = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kMenuExchangeSize,
                                        MenuExchangeName(pid).c_str());
    auto* exchange = section ? static_cast<MenuExchange*>(MapViewOfFile(section, FILE_MAP_WRITE | FILE_MAP_READ, 0, 0, 0))
                             : nullptr;
    HANDLE process = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                     PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    bool answered = false;
    if (exchange && process) {
        exchange->window = top;
        exchange->finished = 0;
        answered = LoadAgentInto(process) && exchange->finished;
        if (answered)
            PrintRaw(std::string(exchange->records, exchange->length));
    }
    if (!answered)
        PrintError(L"the menu could not be read inside the window's process");
    if (process)
        CloseHandle(process);
    if (exchange)
        UnmapViewOfFile(exchange);
    if (section)
        CloseHandle(section);
    return answered;
}
