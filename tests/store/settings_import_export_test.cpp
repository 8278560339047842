// Settings export and import against a scratch registry key and real files.
#include <gtest/gtest.h>

#include "store/Registry.h"
#include "store/SettingsImportExport.h"
#include "support/ScratchRegistry.h"
#include "support/ScriptedPrompt.h"
#include "support/TestLog.h"

namespace {

bool ImportText(const ScratchFolder& folder, const std::string& bytes)
{
    WriteWholeFile(folder.File(L"settings.txt"), bytes);
    return ImportSettings(folder.File(L"settings.txt"));
}

}  // namespace

TEST(SettingsExport, ThreeLinesFromTheStoredOptions)
{
    ScratchProductKey scratch;
    ScratchFolder folder;
    WriteBool(SettingsKey(), L"FtpRetry", true);
    WriteString(SettingsKey(), L"FtpLowerCase", L"yes");  // any text but "0…" reads true
    ScriptedPrompt prompt;
    ASSERT_EQ(ExportSettings(folder.File(L"out.txt"), prompt), ExportResult::Written);
    EXPECT_EQ(ReadWholeFile(folder.File(L"out.txt")), "FtpLowerCase:1\r\nFtpNoSpaces:0\r\nFtpRetry:1\r\n");

    EXPECT_EQ(ExportSettings(folder.File(L"out.txt"), prompt), ExportResult::Cancelled);
    EXPECT_EQ(prompt.asked.size(), 1u);
}

TEST(SettingsImport, StoresWhatTheFileNames)
{
    ScratchProductKey scratch;
    ScratchFolder folder;
    RegKeyRef settings = SettingsKey();
    EXPECT_TRUE(ImportText(folder, "FtpRetry:7"));
    EXPECT_TRUE(ReadBool(settings, L"FtpRetry", false));
    EXPECT_FALSE(ValueExists(settings, L"FtpNoSpaces")) << "options the file does not name stay untouched";

    EXPECT_TRUE(ImportText(folder, "FtpRetry:on\r\n"));
    EXPECT_FALSE(ReadBool(settings, L"FtpRetry", true)) << "letters turn it off";

    EXPECT_TRUE(ImportText(folder, "# FtpLowerCase:1 FtpNoSpaces:2\nFtpRetry:1\n"));
    EXPECT_TRUE(ReadBool(settings, L"FtpLowerCase", false));
    EXPECT_TRUE(ReadBool(settings, L"FtpNoSpaces", false));
    EXPECT_TRUE(ReadBool(settings, L"FtpRetry", false));
}

TEST(SettingsImport, FileWithoutAnyOptionChangesNothing)
{
    ScratchProductKey scratch;
    ScratchFolder folder;
    EXPECT_FALSE(ImportText(folder, "ftpretry:1\r\nFtpRetry=1\r\nLabel:Site\r\n"));
    EXPECT_FALSE(ImportText(folder, ""));
    EXPECT_FALSE(ImportSettings(folder.File(L"missing.txt")));
    EXPECT_FALSE(ValueExists(SettingsKey(), L"FtpRetry"));
    EXPECT_EQ(kNoSettingsInFile, L"No Ftp settings were found in the file.");
}
