// ui-probe: reads the windows of other programs in the same Wine prefix for
// the GUI tests, and starts programs on a given desktop.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "ControlDump.h"
#include "MenuDump.h"
#include "ProbeOutput.h"
#include "RegistryDump.h"
#include "TargetWindow.h"

namespace {

constexpr const wchar_t* kUsage =
    L"usage: ui-probe [--desktop NAME] [--title TEXT] [--title-part TEXT] [--class NAME] [--hwnd 0xHEX]\n"
    L"                [--hidden] [--timeout MS] COMMAND [ARGUMENT...]\n"
    L"  windows          every matching top-level window\n"
    L"  foreground       the window in the foreground (with the keyboard), if any\n"
    L"  wait | gone      wait until a matching window exists (printed) or none does\n"
    L"  controls         the window's descendants and the keyboard focus\n"
    L"  list ID [visible] | tree ID | combo ID | toolbar ID | status [ID]\n"
    L"                   a list view, tree view, combo box, toolbar, status bar\n"
    L"  menu             the entries of the menu bar, or of an open pop-up menu (class #32768)\n"
    L"  command ID       posts WM_COMMAND with the id to the window\n"
    L"  close            posts WM_CLOSE to the window\n"
    L"  processes        every process: PID, parent PID, program\n"
    L"  registry KEY     the values of a key below HKEY_CURRENT_USER: name, type, data\n"
    L"  forget-key KEY   deletes a key below HKEY_CURRENT_USER with everything in it\n"
    L"  run PROGRAM [ARGUMENT...]   runs a program on the desktop and exits with its code\n"
    L"  serve            reads requests (the arguments above, tab-separated) a line at a time from\n"
    L"                   stdin and answers each with its records and a line \"end\" CODE";

struct Options {
    std::wstring desktop;
    WindowQuery query;
    DWORD timeoutMs = 10000;
    std::vector<std::wstring> command;
};

bool ParseNumber(const std::wstring& text, long& value)
{
    wchar_t* end = nullptr;
    value = std::wcstol(text.c_str(), &end, 10);
    return !text.empty() && end && *end == L'\0';
}

bool Parse(const std::vector<std::wstring>& argv, Options& options)
{
    size_t i = 0;
    size_t argc = argv.size();
    for (; i < argc && argv[i].rfind(L"--", 0) == 0; ++i) {
        const std::wstring& name = argv[i];
        if (name == L"--hidden") {
            options.query.includeHidden = true;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        std::wstring value = argv[++i];
        long number = 0;
        if (name == L"--desktop")
            options.desktop = value;
        else if (name == L"--title")
            options.query.title = value;
        else if (name == L"--title-part")
            options.query.titlePart = value;
        else if (name == L"--class")
            options.query.className = value;
        else if (name == L"--hwnd")
            options.query.handle = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::wcstoull(value.c_str(), nullptr, 16)));
        else if (name == L"--timeout" && ParseNumber(value, number) && number >= 0)
            options.timeoutMs = static_cast<DWORD>(number);
        else
            return false;
    }
    for (; i < argc; ++i)
        options.command.push_back(argv[i]);
    return !options.command.empty();
}

std::wstring Quoted(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
        return argument;
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

int Run(const Options& options)
{
    std::wstring line;
    for (size_t i = 1; i < options.command.size(); ++i)
        line += (i > 1 ? L" " : L"") + Quoted(options.command[i]);
    std::wstring desktop = options.desktop.empty() ? L"" : L"winsta0\\" + options.desktop;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.lpDesktop = desktop.empty() ? nullptr : desktop.data();
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        PrintError(L"cannot start " + options.command[1] + L" (error " + std::to_wstring(GetLastError()) + L")");
        return 1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

int Processes()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        PrintError(L"cannot list the processes");
        return 1;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        Record(L"process").Number(entry.th32ProcessID).Number(entry.th32ParentProcessID).Text(entry.szExeFile).Print();
    CloseHandle(snapshot);
    return 0;
}

// The commands that act on one window, found by the query.
int OnWindow(const Options& options)
{
    const std::wstring& name = options.command[0];
    static const std::vector<std::wstring> withoutId = {L"controls", L"menu", L"status", L"close"};
    static const std::vector<std::wstring> withId = {L"list", L"tree", L"combo", L"toolbar", L"command"};
    bool needsId = std::find(withId.begin(), withId.end(), name) != withId.end();
    if (!needsId && std::find(withoutId.begin(), withoutId.end(), name) == withoutId.end()) {
        PrintError(L"unknown command " + name);
        return 2;
    }
    long id = 0;
    bool hasId = options.command.size() > 1 && ParseNumber(options.command[1], id);
    if (needsId && !hasId) {
        PrintError(name + L" needs a control id");
        return 2;
    }
    HWND top = FindTopWindow(options.query);
    if (!top)
        return 1;
    bool done = false;
    if (name == L"controls")
        done = DumpControls(top);
    else if (name == L"menu")
        done = DumpMenu(top);
    else if (name == L"status")
        done = DumpStatusBar(top, hasId ? id : 0);
    else if (name == L"close")
        done = PostMessageW(top, WM_CLOSE, 0, 0);
    else if (name == L"list")
        done = DumpListView(top, id, options.command.size() > 2 && options.command[2] == L"visible");
    else if (name == L"tree")
        done = DumpTreeView(top, id);
    else if (name == L"combo")
        done = DumpComboBox(top, id);
    else if (name == L"toolbar")
        done = DumpToolbar(top, id);
    else
        done = PostMessageW(top, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return done ? 0 : 1;
}

int Execute(const Options& options)
{
    const std::wstring& name = options.command[0];
    if (name == L"processes")
        return Processes();
    if ((name == L"registry" || name == L"forget-key") && options.command.size() != 2) {
        PrintError(name + L" needs a key");
        return 2;
    }
    if (name == L"registry")
        return DumpRegistryKey(options.command[1]) ? 0 : 1;
    if (name == L"forget-key")
        return ForgetRegistryKey(options.command[1]) ? 0 : 1;
    if (name == L"windows") {
        for (HWND window : FindTopWindows(options.query))
            PrintWindowRecord(window);
        return 0;
    }
    if (name == L"foreground") {
        if (HWND window = GetForegroundWindow())
            PrintWindowRecord(window);
        return 0;
    }
    if (name == L"wait" || name == L"gone") {
        bool present = name == L"wait";
        if (!WaitForWindow(options.query, present, options.timeoutMs))
            return 1;
        if (present)
            PrintWindowRecord(FindTopWindows(options.query).front());
        return 0;
    }
    return OnWindow(options);
}

std::wstring Wide(const std::string& bytes)
{
    std::wstring text(bytes.size(), L'\0');
    int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                                   static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(size > 0 ? size : 0));
    return text;
}

bool ReadRequest(std::vector<std::wstring>& fields)
{
    std::string line;
    char c = 0;
    DWORD got = 0;
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    while (ReadFile(input, &c, 1, &got, nullptr) && got == 1 && c != '\n')
        line += c;
    if (line.empty() && got == 0)
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    fields.clear();
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(Wide(line.substr(start, tab - start)));
    fields.push_back(Wide(line.substr(start)));
    return true;
}

// One probe process answers many requests: a Wine process takes a good part
// of a second to start, a request a few milliseconds.
int Serve()
{
    ReportErrorsAsRecords();
    std::vector<std::wstring> fields;
    while (ReadRequest(fields)) {
        Options options;
        int code = 2;
        if (!Parse(fields, options) || options.command[0] == L"run" || options.command[0] == L"serve")
            PrintError(kUsage);
        else
            code = Execute(options);
        Record(L"end").Number(code).Print();
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    Options options;
    if (!Parse(std::vector<std::wstring>(argv + 1, argv + argc), options)) {
        PrintError(kUsage);
        return 2;
    }
    // Windows are found on the probe's own desktop: move there first.
    if (!options.desktop.empty()) {
        HDESK desktop = OpenDesktopW(options.desktop.c_str(), 0, FALSE, GENERIC_ALL);
        if (!desktop || !SetThreadDesktop(desktop)) {
            PrintError(L"cannot open the desktop " + options.desktop);
            return 1;
        }
    }
    const std::wstring& name = options.command[0];
    if (name == L"run")
        return options.command.size() > 1 ? Run(options) : (PrintError(kUsage), 2);
    if (name == L"serve")
        return Serve();
    return Execute(options);
}
