#pragma once
#include <deque>
#include <initializer_list>
#include <vector>

#include "store/UserPrompt.h"

// Answers prompts from a script, in order, and keeps every question asked.
// A question beyond the script is declined.
class ScriptedPrompt : public UserPrompt {
public:
    ScriptedPrompt() = default;
    // ScriptedPrompt prompt{{true}, {false, true}}: overwrite, then cancel with the box ticked.
    ScriptedPrompt(std::initializer_list<PromptAnswer> answers) : answers_(answers) {}

    PromptAnswer Ask(const PromptQuestion& question) override
    {
        asked.push_back(question);
        if (answers_.empty())
            return {};
        PromptAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    std::vector<PromptQuestion> asked;

private:
    std::deque<PromptAnswer> answers_;
};
