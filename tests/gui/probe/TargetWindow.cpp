#include "TargetWindow.h"

#include "ProbeOutput.h"
#include "RemoteBuffer.h"

namespace {

bool Matches(HWND window, const WindowQuery& query)
{
    if (query.handle && window != query.handle)
        return false;
    if (!query.includeHidden && !IsWindowVisible(window))
        return false;
    if (!query.className.empty() && ClassOf(window) != query.className)
        return false;
    if (query.title.empty() && query.titlePart.empty())
        return true;
    wchar_t title[512] = L"";
    GetWindowTextW(window, title, 512);
    if (!query.title.empty() && query.title != title)
        return false;
    return query.titlePart.empty() || std::wstring(title).find(query.titlePart) != std::wstring::npos;
}

struct Search {
    const WindowQuery* query;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    if (Matches(window, *search->query))
        search->found.push_back(window);
    return TRUE;
}

std::wstring Describe(const WindowQuery& query)
{
    std::wstring text;
    if (query.handle)
        text += L" with the handle " + std::to_wstring(reinterpret_cast<UINT_PTR>(query.handle));
    if (!query.title.empty())
        text += L" titled \"" + query.title + L"\"";
    if (!query.titlePart.empty())
        text += L" with \"" + query.titlePart + L"\" in its title";
    if (!query.className.empty())
        text += L" of class " + query.className;
    return text;
}

}  // namespace

std::vector<HWND> FindTopWindows(const WindowQuery& query)
{
    Search search{&query, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopWindow(const WindowQuery& query)
{
    std::vector<HWND> found = FindTopWindows(query);
    if (found.empty()) {
        PrintError(L"no window" + Describe(query));
        return nullptr;
    }
    return found.front();
}

bool WaitForWindow(const WindowQuery& query, bool present, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (FindTopWindows(query).empty() != present)
            return true;
        if (GetTickCount() - start >= timeoutMs) {
            PrintError(std::wstring(present ? L"no window" : L"still a window") + Describe(query) + L" after " +
                       std::to_wstring(timeoutMs) + L" ms");
            return false;
        }
        Sleep(50);
    }
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window)
{
    LRESULT length = Ask(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied) < text.size() ? static_cast<size_t>(copied) : 0);
    return text;
}

void PrintWindowRecord(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t title[512] = L"";
    GetWindowTextW(window, title, 512);
    RECT rect{};
    GetWindowRect(window, &rect);
    Record(L"window").Handle(window).Number(pid).Text(ClassOf(window)).Text(title)
        .Flag(IsWindowVisible(window), L"visible", L"hidden").Rect(rect)
        .Text(IsIconic(window) ? L"minimized" : IsZoomed(window) ? L"maximized" : L"normal").Print();
}
