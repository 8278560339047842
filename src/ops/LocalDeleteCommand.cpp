#include "ops/LocalDeleteCommand.h"

#include "store/Bookmarks.h"

bool DeleteLocalSelection(UserPrompt& prompt, Shell& shell, const std::vector<std::wstring>& paths)
{
    if (paths.empty())
        return true;
    PromptQuestion question{L"Confirm Delete", L"Are you sure you want to delete the selected files or directories?",
                            L"Delete", L""};
    question.icon = PromptIcon::Warning;
    if (!prompt.Ask(question).accepted)
        return false;
    std::vector<std::wstring> deleted;
    for (const std::wstring& path : paths) {
        if (shell.DeleteToRecycleBin(path))
            deleted.push_back(path);
    }
    if (!deleted.empty())
        ForgetBookmarks(PaneSide::Local, deleted);
    return deleted.size() == paths.size();
}
