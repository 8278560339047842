#include "ui/ComboBox.h"

#include <commctrl.h>

void ComboBox::SetItems(const std::vector<std::wstring>& items) const
{
    std::wstring edit = Text();
    SendMessageW(handle_, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items)
        SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SetText(edit);
}

std::vector<std::wstring> ComboBox::Items() const
{
    std::vector<std::wstring> items;
    int count = static_cast<int>(SendMessageW(handle_, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        LRESULT length = SendMessageW(handle_, CB_GETLBTEXTLEN, i, 0);
        if (length < 0)
            continue;
        std::wstring item(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(handle_, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<size_t>(length));
        items.push_back(item);
    }
    return items;
}

void ComboBox::PushFront(const std::wstring& text, size_t limit) const
{
    std::vector<std::wstring> items{text};
    for (const std::wstring& item : Items())
        if (item != text && items.size() < limit)
            items.push_back(item);
    SendMessageW(handle_, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items)
        SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SetText(text);
}

void ComboBox::SetCueText(const std::wstring& text) const
{
    SendMessageW(handle_, CB_SETCUEBANNER, 0, reinterpret_cast<LPARAM>(text.c_str()));
    // Wine's combo box keeps the cue to itself; its edit field shows one of its own.
    if (HWND edit = EditHandle())
        SendMessageW(edit, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND ComboBox::EditHandle() const
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    return GetComboBoxInfo(handle_, &info) ? info.hwndItem : nullptr;
}
