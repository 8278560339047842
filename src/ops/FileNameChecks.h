#pragma once
#include <optional>
#include <string>
#include <string_view>

// The checks of names the user types for new folders and renames.

constexpr std::wstring_view kInvalidNewFolderName =
    L"Please enter a valid new folder name.  It must be at least one character, and may not contain any of the "
    L"following.  \\, /, :, *, ?, <, >, or |";

// The New Folder dialog's OK: the name without leading and trailing blanks and
// control characters, or nothing when it is empty or holds one of
// \ / : * ? < > | or a control character.
std::optional<std::wstring> CheckNewFolderName(std::wstring_view text);

// What an in-place rename of a row comes to.
enum class RenameStep {
    OnlyExtension,   // the new name's only "." is its first character: "File name cannot be empty."
    NothingNamed,    // old and new name both empty: "Please enter a valid folder name."
    BadCharacter,    // "/" (which would move the entry) or a control character
    CreateFolder,    // a row inserted for a new folder (old name empty)
    Unchanged,       // the same name, perhaps in another case
    EmptyName,       // the new name is empty: "Folder name cannot be empty." or "File name cannot be empty."
    Rename,
};

// newText is the edited text, already trimmed (RenameText).
RenameStep ClassifyRename(std::wstring_view oldName, std::wstring_view newText);

// The edited text as the rename uses it: without leading and trailing blanks
// and control characters.
std::wstring RenameText(std::wstring_view edited);

// Equal when A-Z are taken as a-z, as the rename compares names.
bool SameNameIgnoringCase(std::wstring_view a, std::wstring_view b);
