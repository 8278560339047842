#include "ui/MessagePrompt.h"

#include <commctrl.h>

namespace {

constexpr int kAccept = 100;
constexpr int kDecline = 101;

using TaskDialogFunction = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

// Only comctl32 6 has task dialogs; looked up at run time so that the
// program still starts where it is missing.
TaskDialogFunction TaskDialogEntry()
{
    HMODULE module = GetModuleHandleW(L"comctl32.dll");
    return module ? reinterpret_cast<TaskDialogFunction>(
                        reinterpret_cast<void*>(GetProcAddress(module, "TaskDialogIndirect")))
                  : nullptr;
}

UINT MessageBoxIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information:
        return MB_ICONINFORMATION;
    case PromptIcon::Warning:
        return MB_ICONWARNING;
    case PromptIcon::Error:
        return MB_ICONERROR;
    default:
        return MB_ICONQUESTION;
    }
}

PCWSTR TaskDialogIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information:
        return TD_INFORMATION_ICON;
    case PromptIcon::Warning:
        return TD_WARNING_ICON;
    case PromptIcon::Error:
        return TD_ERROR_ICON;
    default:
        return nullptr;
    }
}

}  // namespace

PromptAnswer MessagePrompt::Ask(const PromptQuestion& question)
{
    TaskDialogFunction taskDialog = TaskDialogEntry();
    HWND owner = owner_ && IsWindowEnabled(owner_) ? owner_ : GetActiveWindow();
    if (!taskDialog) {
        UINT buttons = question.declineButton.empty() ? MB_OK : MB_OKCANCEL;
        if (!question.declineButton.empty() && question.declineIsDefault)
            buttons |= MB_DEFBUTTON2;
        int pressed = MessageBoxW(owner, question.text.c_str(), question.caption.c_str(),
                                  buttons | MessageBoxIcon(question.icon) | MB_TASKMODAL);
        return {pressed == IDOK, false};
    }
    TASKDIALOG_BUTTON buttons[2] = {{kAccept, question.acceptButton.c_str()},
                                    {kDecline, question.declineButton.c_str()}};
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof(config);
    config.hwndParent = owner;
    config.hInstance = GetModuleHandleW(nullptr);
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    config.pszWindowTitle = question.caption.c_str();
    config.pszContent = question.text.c_str();
    config.pButtons = buttons;
    config.cButtons = question.declineButton.empty() ? 1 : 2;
    config.nDefaultButton = question.declineIsDefault && config.cButtons == 2 ? kDecline : kAccept;
    if (!question.checkBox.empty())
        config.pszVerificationText = question.checkBox.c_str();
    if (PCWSTR icon = TaskDialogIcon(question.icon)) {
        config.pszMainIcon = icon;
    } else {
        config.dwFlags |= TDF_USE_HICON_MAIN;
        config.hMainIcon = LoadIconW(nullptr, IDI_QUESTION);
    }
    int pressed = 0;
    BOOL checked = FALSE;
    if (FAILED(taskDialog(&config, &pressed, nullptr, &checked)))
        return {};
    return {pressed == kAccept, checked != FALSE};
}
