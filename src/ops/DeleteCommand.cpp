#include "ops/DeleteCommand.h"

#include "ftp/RemoteCommands.h"
#include "ftp/RemoteNames.h"
#include "net/Log.h"
#include "net/ProgressSliceContext.h"
#include "ops/FolderReconnect.h"
#include "store/Bookmarks.h"

namespace {

bool IsDotName(const std::wstring& name)
{
    return name == L"." || name == L"..";
}

class RowDeleter {
public:
    RowDeleter(TaskContext& context, Connection& connection, const RemoteSelection& selection)
        : context_(context), connection_(connection), selection_(selection)
    {
    }

    NetResult Run(std::vector<std::wstring>& deletedPaths)
    {
        context_.SetStatus(L"Deleting...", 0);
        const size_t total = selection_.rows.size();
        for (size_t done = 0; done < total; ++done) {
            if (context_.IsCancelled())
                return NetResult::Cancelled;
            const SelectedRemoteRow& row = selection_.rows[done];
            context_.SetStatus(L"Deleting " + row.name, 0);
            std::wstring serverName = ServerName(row);
            NetResult result = row.kind == RemoteKind::File || row.kind == RemoteKind::Link
                                   ? DeleteOneFile(serverName)
                                   : DeleteOneFolder(serverName, static_cast<double>(done), static_cast<double>(total));
            if (result != NetResult::Ok)
                return result;
            deletedPaths.push_back(JoinRemotePath(selection_.folder, serverName));
            context_.SetProgress(static_cast<double>(done + 1) / static_cast<double>(total));
        }
        return NetResult::Ok;
    }

private:
    NetResult DeleteOneFile(const std::wstring& name)
    {
        LogInfo(L"Deleting file: %ls", name.c_str());
        NetResult result = DeleteRemoteFile(context_, connection_.Session(), name);
        if (result == NetResult::Failed)
            Fail(L"Unable to delete file \"" + name + L"\".");
        return result;
    }

    NetResult DeleteOneFolder(const std::wstring& name, double done, double total)
    {
        LogInfo(L"Deleting folder: %ls", name.c_str());
        if (IsDotName(name) || name.empty()) {
            Fail(L"Unable to delete directory \"" + name + L"\".");
            return NetResult::Failed;
        }
        ProgressSliceContext slice(context_, done, total);
        NetResult result = DeleteRemoteTree(slice, connection_.Session(), name);
        if (result == NetResult::Failed) {
            result = ReconnectInFolder(context_, connection_, selection_.folder);
            if (result == NetResult::Ok)
                result = DeleteRemoteTree(slice, connection_.Session(), name);
        }
        if (result == NetResult::Failed) {
            // A failed tree delete leaves the session somewhere below the folder.
            ChangeRemoteFolder(context_, connection_.Session(), selection_.folder);
            Fail(L"Unable to delete directory \"" + name + L"\".");
        }
        return result;
    }

    void Fail(const std::wstring& text)
    {
        context_.ShowError(text);
        LogError(L"%ls", text.c_str());
    }

    TaskContext& context_;
    Connection& connection_;
    const RemoteSelection& selection_;
};

}  // namespace

std::optional<PromptQuestion> DeleteQuestion(const std::vector<SelectedRemoteRow>& rows)
{
    if (rows.empty() || (rows.size() == 1 && rows[0].name.empty()))
        return std::nullopt;
    PromptQuestion question{L"Confirm Delete", L"", L"Delete", L""};
    question.icon = PromptIcon::Warning;
    if (rows.size() == 1) {
        const wchar_t* what = rows[0].kind == RemoteKind::File ? L"file" : L"folder";
        question.text = std::wstring(L"Are you sure you want to delete selected ") + what + L":\n\"" + rows[0].name +
                        L"\"?";
    } else {
        question.text = L"Are you sure you want to delete the selected files or directories?";
    }
    return question;
}

NetResult DeleteRemoteSelection(TaskContext& context, Connection& connection, UserPrompt& prompt,
                                const RemoteSelection& selection, bool forgetBookmarks)
{
    std::optional<PromptQuestion> question = DeleteQuestion(selection.rows);
    if (!question)
        return NetResult::Ok;
    if (!prompt.Ask(*question).accepted)
        return NetResult::Cancelled;
    std::vector<std::wstring> deletedPaths;
    NetResult result = RowDeleter(context, connection, selection).Run(deletedPaths);
    if (forgetBookmarks && !deletedPaths.empty())
        ForgetBookmarks(PaneSide::Remote, deletedPaths);
    return result;
}
