#pragma once
#include <string>
#include <vector>

#include "ops/Shell.h"
#include "store/UserPrompt.h"

// Local "Delete": once the user confirms, every path goes to the recycle bin
// in turn, without further questions or error windows; the current site's
// local bookmarks of what went are dropped. True when every path went (also
// for an empty selection); false when the user declined or something stayed.
bool DeleteLocalSelection(UserPrompt& prompt, Shell& shell, const std::vector<std::wstring>& paths);
