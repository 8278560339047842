#include "ui/HelpTopic.h"

#include <shellapi.h>

namespace {

std::wstring ProgramFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

}  // namespace

std::wstring HelpPagePath(const std::wstring& topic)
{
    return ProgramFolder() + L"\\help\\" + topic + L".html";
}

void ShowHelpTopic(HWND owner, const std::wstring& topic)
{
    std::wstring page = HelpPagePath(topic);
    if (GetFileAttributesW(page.c_str()) != INVALID_FILE_ATTRIBUTES) {
        // ShellExecute answers a value above 32 when the browser was started.
        auto started = reinterpret_cast<INT_PTR>(
            ShellExecuteW(owner, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        if (started > 32)
            return;
    }
    std::wstring text = L"The help page could not be opened:\n" + page;
    MessageBoxW(owner, text.c_str(), L"Tarnwick Help", MB_OK | MB_ICONWARNING);
}
