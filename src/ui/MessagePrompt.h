#pragma once
#include <windows.h>

#include "store/UserPrompt.h"

// The program's questions as task dialogs owned by a window, with the
// question's own button texts and check box.
class MessagePrompt : public UserPrompt {
public:
    explicit MessagePrompt(HWND owner) : owner_(owner) {}
    PromptAnswer Ask(const PromptQuestion& question) override;

private:
    HWND owner_;
};
