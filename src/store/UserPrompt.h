#pragma once
#include <string>

// A question with an accepting button and a declining one, optionally with a
// check box. Operations that must ask take a UserPrompt so that the window can
// show a message box, the command-line tool can ask on the console and tests
// can answer from a script.
enum class PromptIcon { Question, Information, Warning, Error };

struct PromptQuestion {
    std::wstring caption;
    std::wstring text;
    std::wstring acceptButton;               // "Overwrite", "Continue", "Connect Unprotected", ...
    std::wstring checkBox;                   // empty: no check box
    std::wstring declineButton = L"Cancel";  // "Skip", "Leave Files", ...; empty: the accepting button alone
    PromptIcon icon = PromptIcon::Question;
    bool declineIsDefault = false;           // Enter declines: for answers that put data at risk
};

struct PromptAnswer {
    bool accepted = false;
    bool checked = false;  // the check box's state when the prompt was closed
};

class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    virtual PromptAnswer Ask(const PromptQuestion& question) = 0;
};
