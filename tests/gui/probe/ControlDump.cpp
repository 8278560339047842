#include "ControlDump.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "ProbeOutput.h"
#include "RemoteBuffer.h"
#include "TargetWindow.h"

namespace {

constexpr size_t kTextChars = 2048;
constexpr size_t kTextOffset = 512;  // the text buffer, after the structure
constexpr size_t kBufferSize = kTextOffset + kTextChars * sizeof(wchar_t);

std::vector<HWND> Descendants(HWND top)
{
    std::vector<HWND> found;
    EnumChildWindows(
        top,
        [](HWND child, LPARAM lParam) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

RECT ScreenRect(HWND control, RECT clientRect)
{
    MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&clientRect), 2);
    return clientRect;
}

std::wstring Flags(std::initializer_list<std::pair<bool, const wchar_t*>> flags)
{
    std::wstring text;
    for (auto [on, name] : flags) {
        if (on)
            text += (text.empty() ? L"" : L",") + std::wstring(name);
    }
    return text.empty() ? L"-" : text;
}

bool Unanswered(const wchar_t* what)
{
    PrintError(std::wstring(what) + L" did not answer");
    return false;
}

bool NoBuffer()
{
    PrintError(L"cannot reach the memory of the control's process");
    return false;
}

std::wstring ListText(HWND list, RemoteBuffer& buffer, int row, int column)
{
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = static_cast<wchar_t*>(buffer.At(kTextOffset));
    item.cchTextMax = kTextChars;
    wchar_t nothing = L'\0';
    buffer.Write(kTextOffset, &nothing, sizeof nothing);
    buffer.Write(0, &item, sizeof item);
    Ask(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(buffer.At(0)));
    // The list may point the item at its own copy of the text instead.
    LVITEMW answered{};
    buffer.Read(0, &answered, sizeof answered);
    return buffer.ReadText(answered.pszText, kTextChars);
}

void DumpTreeItems(HWND tree, RemoteBuffer& buffer, HTREEITEM first, int depth)
{
    for (HTREEITEM item = first; item;
         item = reinterpret_cast<HTREEITEM>(Ask(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        TVITEMW info{};
        info.mask = TVIF_TEXT | TVIF_STATE | TVIF_HANDLE;
        info.hItem = item;
        info.stateMask = TVIS_SELECTED | TVIS_EXPANDED;
        info.pszText = static_cast<wchar_t*>(buffer.At(kTextOffset));
        info.cchTextMax = kTextChars;
        buffer.Write(0, &info, sizeof info);
        Ask(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(buffer.At(0)));
        TVITEMW answered{};
        buffer.Read(0, &answered, sizeof answered);
        std::wstring text = buffer.ReadText(answered.pszText, kTextChars);

        // TVM_GETITEMRECT takes the item in the rectangle's place.
        RECT rect{};
        std::memcpy(&rect, &item, sizeof item);
        buffer.Write(0, &rect, sizeof rect);
        bool shown = Ask(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(buffer.At(0))) != 0;
        buffer.Read(0, &rect, sizeof rect);
        if (!shown)
            rect = RECT{};
        Record(L"item").Number(depth)
            .Text(Flags({{(answered.state & TVIS_SELECTED) != 0, L"selected"}, {(answered.state & TVIS_EXPANDED) != 0, L"expanded"}}))
            .Rect(shown ? ScreenRect(tree, rect) : rect).Text(text).Print();
        HTREEITEM child = reinterpret_cast<HTREEITEM>(Ask(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
        DumpTreeItems(tree, buffer, child, depth + 1);
    }
}

}  // namespace

HWND FindControl(HWND top, int id)
{
    for (HWND child : Descendants(top)) {
        if (GetDlgCtrlID(child) == id)
            return child;
    }
    PrintError(L"no control with id " + std::to_wstring(id));
    return nullptr;
}

bool DumpControls(HWND top)
{
    for (HWND child : Descendants(top)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        Record(L"control").Handle(child).Handle(GetParent(child)).Number(GetDlgCtrlID(child)).Text(ClassOf(child))
            .Text(TextOf(child)).Flag(IsWindowVisible(child), L"visible", L"hidden")
            .Flag(IsWindowEnabled(child), L"enabled", L"disabled").Rect(rect).Print();
    }
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &gui);
    Record(L"focus").Handle(gui.hwndFocus).Number(gui.hwndFocus ? GetDlgCtrlID(gui.hwndFocus) : 0).Print();
    return true;
}

bool DumpListView(HWND top, int id, bool visibleOnly)
{
    HWND list = FindControl(top, id);
    if (!list)
        return false;
    RemoteBuffer buffer(list, kBufferSize);
    if (!buffer.Valid())
        return NoBuffer();
    bool ok = false;
    int rows = static_cast<int>(Ask(list, LVM_GETITEMCOUNT, 0, 0, &ok));
    if (!ok)
        return Unanswered(L"the list");
    int selected = static_cast<int>(Ask(list, LVM_GETSELECTEDCOUNT, 0, 0));
    int focused = static_cast<int>(Ask(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    Record(L"list").Handle(list).Number(rows).Number(selected).Number(focused).Print();

    HWND header = reinterpret_cast<HWND>(Ask(list, LVM_GETHEADER, 0, 0));
    int columns = header ? static_cast<int>(Ask(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int c = 0; c < columns; ++c) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = static_cast<wchar_t*>(buffer.At(kTextOffset));
        column.cchTextMax = kTextChars;
        buffer.Write(0, &column, sizeof column);
        Ask(list, LVM_GETCOLUMNW, c, reinterpret_cast<LPARAM>(buffer.At(0)));
        LVCOLUMNW answered{};
        buffer.Read(0, &answered, sizeof answered);
        Record(L"column").Number(c).Number(answered.cx).Text(buffer.ReadText(answered.pszText, kTextChars)).Print();
    }
    int first = 0, end = rows;
    if (visibleOnly) {
        // Only the page on screen: an owner-data list of 100,000 rows is read in a moment.
        first = static_cast<int>(Ask(list, LVM_GETTOPINDEX, 0, 0));
        end = std::min(rows, first + static_cast<int>(Ask(list, LVM_GETCOUNTPERPAGE, 0, 0)) + 1);
    }
    for (int row = first; row < end; ++row) {
        UINT state = static_cast<UINT>(Ask(list, LVM_GETITEMSTATE, row, LVIS_SELECTED | LVIS_FOCUSED));
        RECT rect{};
        rect.left = LVIR_LABEL;  // where a click selects the row, with or without full-row select
        buffer.Write(0, &rect, sizeof rect);
        Ask(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(buffer.At(0)));
        buffer.Read(0, &rect, sizeof rect);
        Record record(L"row");
        record.Number(row)
            .Text(Flags({{(state & LVIS_SELECTED) != 0, L"selected"}, {(state & LVIS_FOCUSED) != 0, L"focused"}}))
            .Rect(ScreenRect(list, rect));
        for (int c = 0; c < (columns ? columns : 1); ++c)
            record.Text(ListText(list, buffer, row, c));
        record.Print();
    }
    return true;
}

bool DumpTreeView(HWND top, int id)
{
    HWND tree = FindControl(top, id);
    if (!tree)
        return false;
    RemoteBuffer buffer(tree, kBufferSize);
    if (!buffer.Valid())
        return NoBuffer();
    bool ok = false;
    int count = static_cast<int>(Ask(tree, TVM_GETCOUNT, 0, 0, &ok));
    if (!ok)
        return Unanswered(L"the tree");
    Record(L"tree").Handle(tree).Number(count).Print();
    DumpTreeItems(tree, buffer, reinterpret_cast<HTREEITEM>(Ask(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)), 0);
    return true;
}

bool DumpStatusBar(HWND top, int id)
{
    HWND bar = nullptr;
    if (id)
        bar = FindControl(top, id);
    else {
        for (HWND child : Descendants(top)) {
            if (ClassOf(child) == STATUSCLASSNAMEW) {
                bar = child;
                break;
            }
        }
        if (!bar)
            PrintError(L"no status bar");
    }
    if (!bar)
        return false;
    RemoteBuffer buffer(bar, kBufferSize);
    if (!buffer.Valid())
        return NoBuffer();
    bool ok = false;
    int parts = static_cast<int>(Ask(bar, SB_GETPARTS, 0, 0, &ok));
    if (!ok)
        return Unanswered(L"the status bar");
    for (int part = 0; part < parts; ++part) {
        size_t length = LOWORD(Ask(bar, SB_GETTEXTLENGTHW, part, 0));
        std::wstring text;
        if (length < kTextChars) {
            Ask(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(buffer.At(kTextOffset)));
            text = buffer.ReadText(buffer.At(kTextOffset), length);
        }
        Record(L"part").Number(part).Text(text).Print();
    }
    return true;
}

bool DumpToolbar(HWND top, int id)
{
    HWND toolbar = FindControl(top, id);
    if (!toolbar)
        return false;
    RemoteBuffer buffer(toolbar, kBufferSize);
    if (!buffer.Valid())
        return NoBuffer();
    bool ok = false;
    int count = static_cast<int>(Ask(toolbar, TB_BUTTONCOUNT, 0, 0, &ok));
    if (!ok)
        return Unanswered(L"the toolbar");
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        Ask(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(buffer.At(0)));
        buffer.Read(0, &button, sizeof button);
        std::wstring text;
        if (!(button.fsStyle & BTNS_SEP)) {
            LRESULT length = Ask(toolbar, TB_GETBUTTONTEXTW, button.idCommand, reinterpret_cast<LPARAM>(buffer.At(kTextOffset)));
            if (length > 0 && static_cast<size_t>(length) < kTextChars)
                text = buffer.ReadText(buffer.At(kTextOffset), static_cast<size_t>(length));
        }
        RECT rect{};
        Ask(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(buffer.At(0)));
        buffer.Read(0, &rect, sizeof rect);
        Record(L"button").Number(i).Number(button.idCommand)
            .Text(Flags({{(button.fsState & TBSTATE_ENABLED) != 0, L"enabled"}, {(button.fsState & TBSTATE_CHECKED) != 0, L"checked"},
                         {(button.fsState & TBSTATE_HIDDEN) != 0, L"hidden"}, {(button.fsStyle & BTNS_SEP) != 0, L"separator"}}))
            .Rect(ScreenRect(toolbar, rect)).Text(text).Print();
    }
    return true;
}

bool DumpComboBox(HWND top, int id)
{
    HWND combo = FindControl(top, id);
    if (!combo)
        return false;
    bool ok = false;
    int count = static_cast<int>(Ask(combo, CB_GETCOUNT, 0, 0, &ok));
    if (!ok)
        return Unanswered(L"the combo box");
    Record(L"combo").Handle(combo).Number(count).Number(static_cast<int>(Ask(combo, CB_GETCURSEL, 0, 0)))
        .Text(TextOf(combo)).Print();
    // The system copies the text of CB_GETLBTEXT between processes itself.
    for (int entry = 0; entry < count; ++entry) {
        LRESULT length = Ask(combo, CB_GETLBTEXTLEN, entry, 0);
        std::wstring text(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
        LRESULT copied = length > 0 ? Ask(combo, CB_GETLBTEXT, entry, reinterpret_cast<LPARAM>(text.data())) : 0;
        text.resize(copied > 0 && static_cast<size_t>(copied) < text.size() ? static_cast<size_t>(copied) : 0);
        Record(L"entry").Number(entry).Text(text).Print();
    }
    return true;
}
