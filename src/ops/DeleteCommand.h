#pragma once
#include <optional>
#include <string>
#include <vector>

#include "ops/Connection.h"
#include "ops/RemoteSelection.h"
#include "store/UserPrompt.h"

// The "Confirm Delete" question for the selected rows; nothing when there is
// nothing to delete (no row, or one row without a name: the pane is only
// refreshed).
std::optional<PromptQuestion> DeleteQuestion(const std::vector<SelectedRemoteRow>& rows);

// Deletes the selected rows once the user confirms: files with DELE, folders
// (and rows of unknown kind) with everything in them, links with DELE, which
// removes the link and never what it points to. A folder that fails is tried
// once more after a silent reconnect. Stops at the first failure, which is
// shown on the context and logged; rows after it stay. Declining and
// cancelling give Cancelled. With forgetBookmarks, the current site's remote
// bookmarks of what was deleted are dropped. Ends in the selection's folder.
NetResult DeleteRemoteSelection(TaskContext& context, Connection& connection, UserPrompt& prompt,
                                const RemoteSelection& selection, bool forgetBookmarks);
