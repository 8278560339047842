#include "ui/TextInputDialog.h"

#include "ui/ControlIds.h"
#include "ui/DialogFields.h"

namespace {

struct DialogState {
    const TextRequest* request;
    std::wstring answer;
};

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        state = reinterpret_cast<DialogState*>(lParam);
        SetWindowTextW(dialog, state->request->caption.c_str());
        SetDlgItemTextW(dialog, IDC_INPUT_LABEL, state->request->label.c_str());
        HWND edit = GetDlgItem(dialog, IDC_INPUT_TEXT);
        if (state->request->password)
            SendMessageW(edit, EM_SETPASSWORDCHAR, L'\x25CF', 0);
        SetWindowTextW(edit, state->request->initial.c_str());
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SetFocus(edit);
        return FALSE;  // the focus is set
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            state->answer = FieldText(dialog, IDC_INPUT_TEXT);
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

std::optional<std::wstring> AskText(HWND owner, const TextRequest& request)
{
    DialogState state{&request, L""};
    INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TEXT_INPUT), owner, Procedure,
                                     reinterpret_cast<LPARAM>(&state));
    if (result != IDOK)
        return std::nullopt;
    return state.answer;
}
