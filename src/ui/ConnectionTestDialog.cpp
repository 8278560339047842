#include "ui/ConnectionTestDialog.h"

#include <commctrl.h>

#include "ui/DialogFields.h"
#include "ui/HelpTopic.h"
#include "ui/ProgressDialog.h"
#include "ui/SiteDialogIds.h"
#include "ui/StepImages.h"

namespace {

struct ResultView {
    const ServerTest* test;
    bool full;
};

void FillSteps(HWND dialog, const ResultView& view)
{
    HWND list = GetDlgItem(dialog, IDC_CT_STEPS);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    ListView_SetImageList(list, CreateStepImages(), LVSIL_SMALL);
    RECT client;
    GetClientRect(list, &client);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL);
    ListView_InsertColumn(list, 0, &column);
    size_t shown = view.full ? kServerTestStepCount : static_cast<size_t>(ServerTestStep::Write);
    for (size_t step = 0; step < shown; ++step) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(step);
        item.pszText = const_cast<wchar_t*>(kServerTestStepLabels[step]);
        item.iImage = static_cast<int>(view.test->stepResults[step]);
        ListView_InsertItem(list, &item);
    }
}

void FillFolder(HWND dialog, const ServerTest& test)
{
    if (test.stepResults[static_cast<size_t>(ServerTestStep::GetWorkingFolder)] != StepPassed)
        return;
    SetFieldText(dialog, IDC_CT_FOLDER, test.workingFolder);
    auto add = [&](const std::wstring& text) {
        SendDlgItemMessageW(dialog, IDC_CT_LISTING, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    };
    for (const std::wstring& folder : test.folderNames)
        add(folder + L"/");
    for (const std::wstring& file : test.fileNames)
        add(file);
}

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        const auto& view = *reinterpret_cast<const ResultView*>(lParam);
        FillSteps(dialog, view);
        FillFolder(dialog, *view.test);
        SetFieldText(dialog, IDC_CT_REPORT, view.test->report);
        return TRUE;
    }
    case WM_DESTROY:
        ImageList_Destroy(ListView_GetImageList(GetDlgItem(dialog, IDC_CT_STEPS), LVSIL_SMALL));
        return FALSE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_CT_LINK && (header->code == NM_CLICK || header->code == NM_RETURN))
            ShowHelpTopic(dialog, L"passivemode");
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        if (LOWORD(wParam) == IDHELP) {
            ShowHelpTopic(dialog, L"connectiontest");
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

void ShowConnectionTestResult(HWND owner, const ServerTest& test, bool fullTest)
{
    ResultView view{&test, fullTest};
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_CONNECTION_TEST), owner, Procedure,
                    reinterpret_cast<LPARAM>(&view));
}

void RunConnectionTest(HWND owner, ServerTest& test)
{
    ProgressDialog progress(owner);
    NetResult result = progress.Run(L"FTP Connection Test",
                                    [&](TaskContext& context) { return RunFullServerTest(test, context); });
    if (result != NetResult::Cancelled)
        ShowConnectionTestResult(owner, test, true);
}
