#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "app/cli/CliCommands.h"
#include "store/UserPrompt.h"

// Answers the store's questions on the console: with the answer given by
// the command's flags (presetFlags names them, for the hint), else by asking
// when standard input is a console, else by declining. Every question and its
// answer is printed; a message with no choice is only printed.
class ConsolePrompt : public UserPrompt {
public:
    explicit ConsolePrompt(std::optional<bool> preset, std::wstring_view presetFlags = L"--overwrite or --skip")
        : preset_(preset), presetFlags_(presetFlags)
    {
    }
    PromptAnswer Ask(const PromptQuestion& question) override;

private:
    std::optional<bool> preset_;
    std::wstring presetFlags_;
};

// The arguments of a command that may ask, without --overwrite and --skip,
// which set preset (true, false, or empty when neither was given). Prints
// the usage and returns nothing when both were given or when the rest does
// not number between minimum and maximum.
std::optional<CliArguments> TakePromptArguments(const CliArguments& arguments, size_t minimum, size_t maximum,
                                                std::wstring_view usage, std::optional<bool>& preset);
