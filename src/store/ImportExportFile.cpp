#include "store/ImportExportFile.h"

#include <windows.h>

#include "net/FileRetry.h"
#include "net/TextCodec.h"

namespace {

bool WriteAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

PromptQuestion OverwriteQuestion(std::wstring_view what, std::wstring_view name)
{
    return {L"Overwrite?",
            std::wstring(what) + L" \"" + std::wstring(name) + L"\" already exists. Do you wish to overwrite it?",
            L"Overwrite", L""};
}

ExportResult WriteExportFile(const std::wstring& path, std::wstring_view text, UserPrompt& prompt)
{
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES && !prompt.Ask(OverwriteQuestion(L"File", path)).accepted)
        return ExportResult::Cancelled;
    HANDLE file = CreateFileWithRetry(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
    if (file == INVALID_HANDLE_VALUE)
        return ExportResult::Failed;
    bool written = WriteAll(file, WideToUtf8(text));
    written = CloseHandle(file) && written;
    return written ? ExportResult::Written : ExportResult::Failed;
}

bool ReadImportFile(const std::wstring& path, const ImportLineSplitter::LineSink& sink)
{
    HANDLE file = CreateFileWithRetry(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ImportLineSplitter splitter(sink);
    char block[kImportBlockBytes];
    DWORD read = 0;
    bool ok;
    while ((ok = ReadFile(file, block, sizeof(block), &read, nullptr)) && read > 0)
        splitter.Feed(std::string_view(block, read));
    CloseHandle(file);
    splitter.Finish();
    return ok;
}
