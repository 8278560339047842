#pragma once
#include <string>

#include "ops/Connection.h"
#include "store/UserPrompt.h"

// New Folder in the remote pane: the name typed in the dialog is checked
// (CheckNewFolderName), refused when the current folder already lists it,
// and created with up to three attempts, a silent reconnect into folder (the
// current folder, absolute) between them. Whether it worked is judged by the
// folder's listing afterwards: Ok when it grew, Failed with a message when it
// did not. The session stays in folder.
NetResult NewRemoteFolder(TaskContext& context, Connection& connection, UserPrompt& prompt,
                          const std::wstring& folder, const std::wstring& typedName);

// New Folder in the local pane: the same name check, then the folder is made
// in localFolder. False (the user told why) when it could not be made.
bool NewLocalFolder(UserPrompt& prompt, const std::wstring& localFolder, const std::wstring& typedName);
