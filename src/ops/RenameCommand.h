#pragma once
#include <string>

#include "ops/Connection.h"
#include "ops/RemoteSelection.h"
#include "store/UserPrompt.h"

// The end of an in-place edit of a row's name. A row without a name (one
// inserted for a new folder) becomes a folder of the edited name; otherwise
// the row is renamed, after asking when a file of the new name exists (the
// settings OverwriteRenameRemember and OverwriteRename keep a remembered
// answer). Names the user must correct are refused with a message. Ok when
// the server holds what was asked (also when nothing was to be done),
// Cancelled when the user kept the existing file, Failed otherwise.
// focusName is the name the pane focuses afterwards.
NetResult RenameRemoteRow(TaskContext& context, Connection& connection, UserPrompt& prompt,
                          const SelectedRemoteRow& row, const std::wstring& editedText, std::wstring& focusName);
