#pragma once
#include <windows.h>

#include <optional>
#include <string>

// A text file picked for an import (an existing file) or an export: "Text
// Documents" with the default extension txt, starting in the folder of the
// file last picked (ExportImportFolder), which the choice then updates.
// Nothing when the user cancels.
enum class FileUse { Import, Export };
std::optional<std::wstring> ChooseImportExportFile(HWND owner, const wchar_t* title, FileUse use);
