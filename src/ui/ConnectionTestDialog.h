#pragma once
#include <windows.h>

#include "ftp/ServerTest.h"

// Runs the full connection test in the progress dialog "FTP Connection Test"
// and, unless the user cancelled it, shows its result.
void RunConnectionTest(HWND owner, ServerTest& test);

// The result of a finished test: the table of steps with an image each
// (the write steps only for the full test), the working folder with its
// listing, the report and a link to the help on passive mode.
void ShowConnectionTestResult(HWND owner, const ServerTest& test, bool fullTest);
