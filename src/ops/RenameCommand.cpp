#include "ops/RenameCommand.h"

#include "ftp/RemoteCommands.h"
#include "ftp/RemoteListing.h"
#include "ops/FileNameChecks.h"
#include "ops/Notice.h"
#include "store/Registry.h"

namespace {

// Whether the user lets an existing target be overwritten; asks unless an
// answer was remembered.
bool OverwriteAllowed(UserPrompt& prompt, const std::wstring& newName)
{
    RegKeyRef settings = SettingsKey();
    if (ReadBool(settings, L"OverwriteRenameRemember", false))
        return ReadBool(settings, L"OverwriteRename", false);
    PromptQuestion question{L"Overwrite",
                            L"The file " + newName + L" already exists on the server. Do you want to overwrite it?",
                            L"Overwrite", L"Don't ask me again"};
    question.icon = PromptIcon::Warning;
    question.declineIsDefault = true;
    PromptAnswer answer = prompt.Ask(question);
    if (answer.checked) {
        WriteBool(settings, L"OverwriteRenameRemember", true);
        WriteBool(settings, L"OverwriteRename", answer.accepted);
    }
    return answer.accepted;
}

NetResult Rename(TaskContext& context, FtpSession& session, UserPrompt& prompt, const std::wstring& oldName,
                 const std::wstring& newName)
{
    // A target of size 0 may be an empty file or no file at all: only a size
    // above 0 says for certain that something would be overwritten.
    uint64_t size = 0;
    NetResult sized = GetRemoteSize(context, session, newName, size);
    if (sized == NetResult::Cancelled)
        return sized;
    if (sized == NetResult::Ok && size > 0 && !OverwriteAllowed(prompt, newName))
        return NetResult::Cancelled;
    bool targetListed = FindRemoteEntry(context, session, newName);
    NetResult result = RenameRemote(context, session, oldName, newName);
    if (result != NetResult::Failed)
        return result;
    if (targetListed)
        ShowNotice(prompt, L"Error",
                   L"Cannot rename the file. \"" + newName + L"\" already exists and cannot be overwritten.");
    else
        ShowNotice(prompt, L"Error",
                   L"Cannot rename the file. Please check with your system administrator whether you have write "
                   L"permission on this folder.");
    return result;
}

NetResult RefuseEmptyName(TaskContext& context, FtpSession& session, UserPrompt& prompt, const std::wstring& oldName)
{
    RemoteKind kind = RemoteKind::Unknown;
    if (GetRemoteKind(context, session, oldName, kind) == NetResult::Cancelled)
        return NetResult::Cancelled;
    if (kind == RemoteKind::Folder)
        ShowNotice(prompt, L"Folder Rename", L"Folder name cannot be empty.");
    else
        ShowNotice(prompt, L"File Rename", L"File name cannot be empty.");
    return NetResult::Failed;
}

}  // namespace

NetResult RenameRemoteRow(TaskContext& context, Connection& connection, UserPrompt& prompt,
                          const SelectedRemoteRow& row, const std::wstring& editedText, std::wstring& focusName)
{
    std::wstring newName = RenameText(editedText);
    std::wstring oldName = ServerName(row);
    focusName = row.name;
    FtpSession& session = connection.Session();
    switch (ClassifyRename(oldName, newName)) {
    case RenameStep::OnlyExtension:
        ShowNotice(prompt, L"Invalid Name", L"File name cannot be empty.");
        return NetResult::Failed;
    case RenameStep::NothingNamed:
        ShowNotice(prompt, L"Invalid Name", L"Please enter a valid folder name.");
        return NetResult::Failed;
    case RenameStep::BadCharacter:
        ShowNotice(prompt, L"Invalid Name", L"A name cannot contain \"/\" or control characters.");
        return NetResult::Failed;
    case RenameStep::CreateFolder: {
        NetResult result = MakeRemoteFolder(context, session, newName);
        if (result == NetResult::Failed)
            ShowNotice(prompt, L"Error",
                       L"Create directory failed.\r\n\r\nDirectory already exists or you do not have permission to "
                       L"create directories with this FTP user account.");
        focusName = newName;
        return result;
    }
    case RenameStep::Unchanged:
        return NetResult::Ok;
    case RenameStep::EmptyName:
        return RefuseEmptyName(context, session, prompt, oldName);
    case RenameStep::Rename:
        break;
    }
    NetResult result = Rename(context, session, prompt, oldName, newName);
    if (result == NetResult::Ok)
        focusName = newName;
    return result;
}
