#include "ui/SiteManagerDialog.h"

#include <commctrl.h>

#include "store/SiteStore.h"
#include "ui/ControlIds.h"
#include "ui/DialogFields.h"
#include "ui/HelpTopic.h"
#include "ui/ListView.h"
#include "ui/MessagePrompt.h"
#include "ui/SiteDialogIds.h"
#include "ui/SiteManagerRows.h"
#include "ui/SitePropertiesSheet.h"

namespace {

const wchar_t* const kColumnNames[] = {L"Site Label", L"FTP Server", L"User Name", L"Directory", L"Status"};
// The columns' shares of the list, the Status column never narrower than its longest word.
const std::vector<ColumnFit> kColumnFits = {{15, L""}, {30, L""}, {15, L""}, {30, L""}, {10, L"Disconnected"}};

class SiteManager {
public:
    explicit SiteManager(const SiteManagerHost& host) : host_(host) {}
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    SiteManagerChoice choice;

private:
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Initialise(HWND dialog);
    void Fill(std::optional<size_t> select);
    std::optional<size_t> Selected() const;
    void UpdateButtons();
    void AddSite();
    void EditSelected();
    void DeleteSelected();
    void DisconnectSite();
    bool Accept();
    void ShowMenu(POINT at);
    const SiteManagerRow& Row(size_t index) const { return list_.rows[index]; }
    const std::wstring& LabelOf(size_t index) const { return Row(index).siteLabel; }

    SiteManagerHost host_;
    HWND dialog_ = nullptr;
    HWND view_ = nullptr;
    HIMAGELIST images_ = nullptr;
    SiteManagerList list_;
};

HIMAGELIST SiteImages()
{
    int size = GetSystemMetrics(SM_CXSMICON);
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 2, 0);
    for (const wchar_t* name : {MAKEINTRESOURCEW(IDI_TARNWICK), MAKEINTRESOURCEW(IDI_STATUS_ONLINE1)}) {
        auto icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_ICON, size, size, 0));
        ImageList_AddIcon(images, icon);
        DestroyIcon(icon);
    }
    return images;
}

INT_PTR CALLBACK SiteManager::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* manager = reinterpret_cast<SiteManager*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<SiteManager*>(lParam)->Initialise(dialog);
        return FALSE;  // the list has the focus
    }
    return manager ? manager->Handle(message, wParam, lParam) : FALSE;
}

void SiteManager::Initialise(HWND dialog)
{
    dialog_ = dialog;
    view_ = GetDlgItem(dialog, IDC_SM_LIST);
    ListView_SetExtendedListViewStyle(view_, LVS_EX_FULLROWSELECT);
    images_ = SiteImages();
    ListView_SetImageList(view_, images_, LVSIL_SMALL);
    for (int i = 0; i < 5; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = const_cast<wchar_t*>(kColumnNames[i]);
        ListView_InsertColumn(view_, i, &column);
    }
    FitListColumns(view_, kColumnFits);
    Fill(0);
    SetFocus(view_);
}

void SiteManager::Fill(std::optional<size_t> select)
{
    std::vector<SiteSlotFacts> slots;
    for (const SiteSlot& site : EnumerateSites()) {
        SiteSlotFacts facts;
        facts.label = site.label;
        facts.server = site.server;
        facts.user = SiteUserDisplay(site.slot);
        facts.directory = ReadString(site.slot, L"Directory", L"/");
        facts.useRecentRemote = ReadBool(site.slot, L"UseRecentRemote", true);
        slots.push_back(facts);
    }
    CurrentSiteName current = ReadCurrentSiteName();
    list_ = BuildSiteRows(slots, {current.label, current.server, current.user, host_.connected()});
    ListView_DeleteAllItems(view_);
    for (size_t i = 0; i < list_.rows.size(); ++i) {
        const SiteManagerRow& row = list_.rows[i];
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(row.label.c_str());
        item.iImage = static_cast<int>(row.image);
        ListView_InsertItem(view_, &item);
        const std::wstring* cells[] = {&row.server, &row.user, &row.directory, &row.status};
        for (int column = 0; column < 4; ++column)
            ListView_SetItemText(view_, static_cast<int>(i), column + 1, const_cast<wchar_t*>(cells[column]->c_str()));
    }
    if (auto row = RowAfterRefill(select, list_.rows.size())) {
        int index = static_cast<int>(*row);
        ListView_SetItemState(view_, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(view_, index, FALSE);
    }
    UpdateButtons();
}

std::optional<size_t> SiteManager::Selected() const
{
    int row = ListView_GetNextItem(view_, -1, LVNI_SELECTED);
    int focused = ListView_GetNextItem(view_, -1, LVNI_FOCUSED);
    if (focused >= 0 && ListView_GetItemState(view_, focused, LVIS_SELECTED))
        row = focused;
    if (row < 0 || static_cast<size_t>(row) >= list_.rows.size())
        return std::nullopt;
    return static_cast<size_t>(row);
}

void SiteManager::UpdateButtons()
{
    SiteManagerButtons buttons = DecideSiteManagerButtons(Selected(), list_.connectedRow);
    EnableWindow(GetDlgItem(dialog_, IDC_SM_PROPERTIES), buttons.properties);
    EnableWindow(GetDlgItem(dialog_, IDOK), buttons.connect);
    EnableWindow(GetDlgItem(dialog_, IDC_SM_DELETE), buttons.remove);
    EnableWindow(GetDlgItem(dialog_, IDC_SM_DISCONNECT), buttons.disconnect);
    SetDlgItemTextW(dialog_, IDOK, buttons.reconnectText ? L"Reconnect" : L"Connect");
}

INT_PTR SiteManager::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SM_ADD:
            AddSite();
            return TRUE;
        case IDC_SM_PROPERTIES:
            EditSelected();
            return TRUE;
        case IDC_SM_DELETE:
            DeleteSelected();
            return TRUE;
        case IDC_SM_DISCONNECT:
            DisconnectSite();
            return TRUE;
        case IDOK:
            if (Accept())
                EndDialog(dialog_, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog_, IDCANCEL);
            return TRUE;
        case IDHELP:
            ShowHelpTopic(dialog_, L"sitemanager");
            return TRUE;
        default:
            return FALSE;
        }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != IDC_SM_LIST)
            return FALSE;
        if (header->code == LVN_ITEMCHANGED)
            UpdateButtons();
        else if (header->code == NM_DBLCLK && Selected())
            EditSelected();
        return FALSE;
    }
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == view_) {
            ShowMenu(ContextMenuPoint(view_, lParam));
        }
        return TRUE;
    case WM_DESTROY:
        ImageList_Destroy(images_);
        return FALSE;
    default:
        return FALSE;
    }
}

void SiteManager::AddSite()
{
    if (EditSite(dialog_))
        Fill(Selected());
}

void SiteManager::EditSelected()
{
    std::optional<size_t> row = Selected();
    if (!row)
        return;
    const SiteManagerRow& chosen = Row(*row);
    if (EditSite(dialog_, LabelOf(*row), chosen.server, chosen.user))
        Fill(row);
}

void SiteManager::DeleteSelected()
{
    if (!Selected())
        return;
    MessagePrompt prompt(dialog_);
    PromptQuestion question;
    question.caption = L"Confirm Delete";
    question.text = L"Are you sure you want to delete the selected site(s)?";
    question.acceptButton = L"Delete";
    question.declineButton = L"Cancel";
    if (!prompt.Ask(question).accepted)
        return;
    std::optional<size_t> focus = Selected();
    std::vector<SiteManagerRow> chosen;
    std::vector<bool> isCurrent;
    CurrentSiteName current = ReadCurrentSiteName();
    for (int row = ListView_GetNextItem(view_, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(view_, row, LVNI_SELECTED)) {
        const SiteManagerRow& site = Row(static_cast<size_t>(row));
        chosen.push_back(site);
        isCurrent.push_back(SameKeyName(site.siteLabel, current.label) && SameKeyName(site.server, current.server) &&
                            SameKeyName(site.user, current.user));
    }
    for (size_t i = 0; i < chosen.size(); ++i) {
        const SiteManagerRow& site = chosen[i];
        if (isCurrent[i]) {
            PromptQuestion warning{L"Cannot delete site",
                                   L"Cannot delete connected site \"" + site.siteLabel + L"\\" + site.server + L"\\" +
                                       site.user + L"\", please disconnect it first.",
                                   L"OK", L"", L""};
            warning.icon = PromptIcon::Warning;
            prompt.Ask(warning);
            continue;
        }
        DeleteSite(site.siteLabel, site.server, site.user);
    }
    Fill(focus);
}

void SiteManager::DisconnectSite()
{
    list_.connectedRow.reset();
    host_.disconnect();
    Fill(Selected());
}

bool SiteManager::Accept()
{
    std::optional<size_t> row = Selected();
    if (!row)
        return false;
    choice.row = *row;
    choice.isConnectedSite = list_.connectedRow == row;
    return true;
}

void SiteManager::ShowMenu(POINT at)
{
    std::optional<size_t> selected = Selected();
    SiteManagerButtons buttons = DecideSiteManagerButtons(selected, list_.connectedRow);
    HMENU menu = CreatePopupMenu();
    auto add = [&](int command, const wchar_t* text, bool enabled) {
        AppendMenuW(menu, MF_STRING | (enabled ? 0 : MF_GRAYED), command, text);
    };
    if (buttons.disconnect) {
        add(IDOK, L"Reconnect", buttons.connect);
        add(IDC_SM_DISCONNECT, L"Disconnect", true);
    } else {
        add(IDOK, L"Connect", buttons.connect);
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    add(IDC_SM_ADD, L"Add Site", true);
    add(IDC_SM_PROPERTIES, L"Site Properties", buttons.properties);
    add(IDC_SM_DELETE, L"Delete Site", buttons.remove);
    SetMenuDefaultItem(menu, selected ? IDOK : IDC_SM_ADD, FALSE);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, dialog_, nullptr);
    DestroyMenu(menu);
}

}  // namespace

std::optional<SiteManagerChoice> ShowSiteManager(HWND owner, const SiteManagerHost& host)
{
    SiteManager manager(host);
    if (DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SITE_MANAGER), owner, SiteManager::Procedure,
                        reinterpret_cast<LPARAM>(&manager)) != IDOK)
        return std::nullopt;
    return manager.choice;
}
