#pragma once
#include <string>
#include <string_view>

#include "store/ImportLines.h"
#include "store/UserPrompt.h"

enum class ExportResult { Written, Cancelled, Failed };

// Writes text as UTF-8 without a byte-order mark into a file created anew.
// An existing file is replaced only when the user agrees to overwrite it.
ExportResult WriteExportFile(const std::wstring& path, std::wstring_view text, UserPrompt& prompt);

// Hands every line of the file to sink, reading it in 8192-byte blocks.
// False when the file cannot be opened or read.
bool ReadImportFile(const std::wstring& path, const ImportLineSplitter::LineSink& sink);

// The question before an existing file or record is replaced.
PromptQuestion OverwriteQuestion(std::wstring_view what, std::wstring_view name);
