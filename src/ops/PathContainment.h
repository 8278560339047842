#pragma once
#include <string_view>

// Every local path a job creates lies strictly below the job's local root.
// True only when the candidate is the root (compared ignoring A-Z case, "/"
// and "\" alike, the root's trailing separators ignored), one separator, and
// then one or more elements each of which is a valid local name: no "." or
// "..", no empty element from a doubled separator, no ":" and nothing else
// LocalNameRefusal refuses. One trailing separator is allowed. The root
// itself, an empty root and "C:\ab" under the root "C:\a" are not inside.
bool IsInsideRoot(std::wstring_view root, std::wstring_view candidate);
