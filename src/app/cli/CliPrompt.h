#pragma once
#include <cstddef>
#include <optional>
#include <string_view>

#include "app/cli/CliCommands.h"
#include "store/UserPrompt.h"

// Answers the store's questions on the console: with the answer given by
// --overwrite or --skip, else by asking when standard input is a console,
// else by declining. Every question and its answer is printed.
class ConsolePrompt : public UserPrompt {
public:
    explicit ConsolePrompt(std::optional<bool> preset) : preset_(preset) {}
    PromptAnswer Ask(const PromptQuestion& question) override;

private:
    std::optional<bool> preset_;
};

// The arguments of a command that may ask, without --overwrite and --skip,
// which set preset (true, false, or empty when neither was given). Prints
// the usage and returns nothing when both were given or when the rest does
// not number between minimum and maximum.
std::optional<CliArguments> TakePromptArguments(const CliArguments& arguments, size_t minimum, size_t maximum,
                                                std::wstring_view usage, std::optional<bool>& preset);
