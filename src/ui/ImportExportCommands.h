#pragma once
#include <windows.h>

#include "store/UserPrompt.h"

// The Import/Export menu: IDM_EXPORT_SITES (through the "Site Export"
// dialog), IDM_IMPORT_SITES, IDM_EXPORT_SETTINGS and IDM_IMPORT_SETTINGS,
// with their file dialogs and messages. True when the saved sites may have
// changed.
bool RunImportExportCommand(HWND owner, UserPrompt& prompt, int command);
