#include "ops/JobSteps.h"

#include <windows.h>

#include "ops/Standby.h"

NetResult WithReconnects(TaskContext& context, Connection& connection, int attempts,
                         const std::function<NetResult()>& step)
{
    NetResult result = NetResult::Failed;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        result = step();
        if (result != NetResult::Failed || attempt == attempts)
            return result;
        if (connection.Reconnect(context) == NetResult::Cancelled)
            return NetResult::Cancelled;
    }
    return result;
}

bool AnswerOverwrite(UserPrompt& prompt, OverwriteMemory& memory, const std::wstring& text)
{
    if (memory.forAll)
        return memory.overwrite;
    PromptQuestion question;
    question.caption = L"Overwrite";
    question.text = text;
    question.acceptButton = L"Overwrite";
    question.declineButton = L"Skip";
    question.checkBox = L"Do this for all";
    question.declineIsDefault = true;
    PromptAnswer answer = prompt.Ask(question);
    memory.forAll = answer.checked;
    memory.overwrite = answer.accepted;
    return answer.accepted;
}


NetResult RecoverFromStandby(TaskContext& context, Connection& connection, bool responsivePauses)
{
    connection.Session().Close();
    while (Standby().Active())
        if (context.Sleep(200) == NetResult::Cancelled)
            return NetResult::Cancelled;
    context.SetStatus(L"Reconnecting to Server...", 0);
    NetResult result = NetResult::Failed;
    for (int attempt = 0; attempt < 11 && result != NetResult::Ok; ++attempt) {
        result = connection.Reconnect(context);
        if (result == NetResult::Cancelled)
            return result;
        if (responsivePauses)
            context.Sleep(500);
        else
            Sleep(500);
    }
    return result;
}

void ShowStandbyCancel(UserPrompt& prompt, const wchar_t* caption, const wchar_t* text)
{
    PromptQuestion question;
    question.caption = caption;
    question.text = text;
    question.acceptButton = L"OK";
    question.declineButton.clear();
    question.icon = PromptIcon::Warning;
    prompt.Ask(question);
}
