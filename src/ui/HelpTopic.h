#pragma once
#include <windows.h>

#include <string>

// Opens the help page of a topic ("sitemanager", "general", ...): the file
// help\<topic>.html beside the executable, in the user's default browser.
// A missing page is reported in a message box owned by `owner`, so a Help
// button never silently does nothing.
void ShowHelpTopic(HWND owner, const std::wstring& topic);

// The full path the page of `topic` is looked for at.
std::wstring HelpPagePath(const std::wstring& topic);
