#include "app/cli/CliPrompt.h"

#include <windows.h>

#include <algorithm>

#include "app/cli/CliConsole.h"
#include "net/TextCodec.h"

namespace {

bool StandardInputIsConsole()
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

std::wstring DeclineText(const PromptQuestion& question)
{
    return question.declineButton.empty() ? std::wstring(L"Cancel") : question.declineButton;
}

bool AskOnConsole(const PromptQuestion& question)
{
    FlushOutput();
    std::wstring hint = L"[" + question.acceptButton + L" = y, " + DeclineText(question) + L" = n] ";
    DWORD written = 0;
    WriteConsoleW(GetStdHandle(STD_OUTPUT_HANDLE), hint.data(), static_cast<DWORD>(hint.size()), &written, nullptr);
    wchar_t line[64] = {};
    DWORD read = 0;
    if (!ReadConsoleW(GetStdHandle(STD_INPUT_HANDLE), line, 63, &read, nullptr))
        return false;
    std::wstring answer = TrimControlsAndSpaces(std::wstring(line, read));
    return answer == L"y" || answer == L"Y";
}

}  // namespace

PromptAnswer ConsolePrompt::Ask(const PromptQuestion& question)
{
    PrintLine(question.text);
    PromptAnswer answer;
    if (question.declineButton.empty()) {
        answer.accepted = true;
        return answer;
    }
    if (preset_) {
        answer.accepted = *preset_;
    } else if (StandardInputIsConsole()) {
        answer.accepted = AskOnConsole(question);
    } else {
        PrintLine(L"(not asked: standard input is not a console; pass " + presetFlags_ + L")");
    }
    PrintLine(L"-> " + (answer.accepted ? question.acceptButton : DeclineText(question)));
    return answer;
}

std::optional<CliArguments> TakePromptArguments(const CliArguments& arguments, size_t minimum, size_t maximum,
                                                std::wstring_view usage, std::optional<bool>& preset)
{
    CliArguments args = arguments;
    bool overwrite = std::erase(args, L"--overwrite") > 0;
    bool skip = std::erase(args, L"--skip") > 0;
    if ((overwrite && skip) || args.size() < minimum || args.size() > maximum) {
        PrintError(L"usage: tarnwick-cli " + std::wstring(usage));
        return std::nullopt;
    }
    if (overwrite || skip)
        preset = overwrite;
    return args;
}
