#include "ui/SiteExportDialog.h"

#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "store/Registry.h"
#include "store/SiteImportExport.h"
#include "store/SiteStore.h"
#include "ui/HelpTopic.h"
#include "ui/ImportExportFileDialog.h"
#include "ui/ListView.h"
#include "ui/MessagePrompt.h"
#include "ui/OptionDialogIds.h"

namespace {

struct Column {
    const wchar_t* title;
    int share;  // of the list's width, out of the sum of all shares
};
constexpr std::array<Column, 4> kColumns = {{{L"Site Label", 15}, {L"FTP Server", 30}, {L"User Name", 15},
                                             {L"Directory", 30}}};

using SiteRow = std::array<std::wstring, kColumns.size()>;

class SiteExportDialog {
public:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void Initialise(HWND dialog);
    void FillList();
    void RefreshButtons() const;
    void SelectAll() const;
    void Export();
    bool OnNotify(const NMHDR& header) const;

    HWND dialog_ = nullptr;
    ListView list_;
    std::vector<SiteRow> rows_;
};

void SiteExportDialog::Initialise(HWND dialog)
{
    dialog_ = dialog;
    list_.Attach(GetDlgItem(dialog, IDC_EXPORT_LIST));
    list_.SetFullRowSelect();
    RECT client{};
    GetClientRect(list_.Handle(), &client);
    int shares = 0;
    for (const Column& column : kColumns)
        shares += column.share;
    for (size_t i = 0; i < kColumns.size(); ++i)
        list_.InsertColumn(static_cast<int>(i), kColumns[i].title, Width(client) * kColumns[i].share / shares, false);
    FillList();
    if (!rows_.empty())
        list_.FocusRow(0);
    RefreshButtons();
}

void SiteExportDialog::FillList()
{
    for (const SiteSlot& site : EnumerateSites())
        rows_.push_back({site.label, ReadString(site.slot, L"Server"), ReadString(site.slot, L"UserName"),
                         ReadString(site.slot, L"Directory", L"/")});
    list_.SetRowCount(rows_.size(), false);
}

void SiteExportDialog::RefreshButtons() const
{
    EnableWindow(GetDlgItem(dialog_, IDC_EXPORT_SELECT_ALL), !rows_.empty());
    EnableWindow(GetDlgItem(dialog_, IDOK), list_.SelectedCount() > 0);
}

void SiteExportDialog::SelectAll() const
{
    for (size_t row = 0; row < rows_.size(); ++row)
        list_.SelectRow(static_cast<int>(row));
    RefreshButtons();
    SetFocus(list_.Handle());
}

void SiteExportDialog::Export()
{
    std::vector<std::wstring> labels;
    for (int row : list_.SelectedRows())
        labels.push_back(rows_[static_cast<size_t>(row)][0]);
    if (labels.empty())
        return;
    std::optional<std::wstring> path = ChooseImportExportFile(dialog_, L"Export Sites to File...", FileUse::Export);
    if (!path)
        return;
    MessagePrompt prompt(dialog_);
    if (ExportSites(*path, labels, prompt) == ExportResult::Written)
        EndDialog(dialog_, IDOK);
}

bool SiteExportDialog::OnNotify(const NMHDR& header) const
{
    if (header.idFrom != IDC_EXPORT_LIST)
        return false;
    if (header.code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header))->item;
        auto row = static_cast<size_t>(item.iItem);
        auto column = static_cast<size_t>(item.iSubItem);
        if ((item.mask & LVIF_TEXT) && row < rows_.size() && column < kColumns.size())
            lstrcpynW(item.pszText, rows_[row][column].c_str(), item.cchTextMax);
        return true;
    }
    if (header.code == LVN_ITEMCHANGED || header.code == LVN_ODSTATECHANGED) {
        RefreshButtons();
        return true;
    }
    return false;
}

INT_PTR CALLBACK SiteExportDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<SiteExportDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<SiteExportDialog*>(lParam)->Initialise(dialog);
        return TRUE;
    case WM_NOTIFY:
        return self && self->OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_EXPORT_SELECT_ALL:
            self->SelectAll();
            return TRUE;
        case IDOK:
            self->Export();
            return TRUE;
        case IDHELP:
            ShowHelpTopic(dialog, L"siteexport");
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace

void ShowSiteExportDialog(HWND owner)
{
    SiteExportDialog dialog;
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SITE_EXPORT), owner, SiteExportDialog::Procedure,
                    reinterpret_cast<LPARAM>(&dialog));
}
