#pragma once
#include <string>

#include "store/UserPrompt.h"

// A message with an OK button alone, for what the user must be told.
inline void ShowNotice(UserPrompt& prompt, const std::wstring& caption, const std::wstring& text,
                       PromptIcon icon = PromptIcon::Error)
{
    PromptQuestion question{caption, text, L"OK", L""};
    question.declineButton.clear();
    question.icon = icon;
    prompt.Ask(question);
}
