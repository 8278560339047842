#include "MenuRecords.h"

#include "ProbeOutput.h"

namespace {

void AddMenu(HMENU menu, const std::wstring& path, std::wstring& out)
{
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[512] = L"";
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 512;
        if (!GetMenuItemInfoW(menu, i, TRUE, &info))
            continue;
        std::wstring flags;
        auto add = [&flags](bool on, const wchar_t* name) {
            if (on)
                flags += (flags.empty() ? L"" : L",") + std::wstring(name);
        };
        add(info.hSubMenu != nullptr, L"popup");
        add((info.fType & MFT_SEPARATOR) != 0, L"separator");
        add((info.fState & MFS_GRAYED) != 0, L"grayed");
        add((info.fState & MFS_CHECKED) != 0, L"checked");
        std::wstring here = path.empty() ? std::to_wstring(i) : path + L"." + std::to_wstring(i);
        out += Record(L"menu").Text(here).Number(info.hSubMenu ? 0 : info.wID).Text(flags.empty() ? L"-" : flags)
                   .Text(text).Line() + L"\n";
        if (info.hSubMenu)
            AddMenu(info.hSubMenu, here, out);
    }
}

}  // namespace

std::wstring MenuRecords(HWND window)
{
    HMENU menu = nullptr;
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32768") {
        // A pop-up menu's window names its menu; it answers from inside its modal loop.
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutW(window, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer))
            menu = reinterpret_cast<HMENU>(answer);
    } else {
        menu = GetMenu(window);
    }
    std::wstring out;
    if (menu)
        AddMenu(menu, L"", out);
    return out;
}
