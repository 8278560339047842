#pragma once
#include <windows.h>

// The "Site Export" dialog: every saved slot in a list, the sites whose
// labels the user selects written to a file picked in a save dialog. It
// closes once the file is written and stays open when the user cancels the
// save dialog or the overwrite question.
void ShowSiteExportDialog(HWND owner);
