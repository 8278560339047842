#pragma once
#include <string>

// A question with an accepting button and "Cancel", optionally with a check
// box. Operations that must ask take a UserPrompt so that the window can show
// a dialog, the command-line tool can ask on the console and tests can answer
// from a script.
struct PromptQuestion {
    std::wstring caption;
    std::wstring text;
    std::wstring acceptButton;  // "Overwrite", "Continue", ...
    std::wstring checkBox;      // empty: no check box
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
