// tarnwick-cli export-sites, import-sites, export-settings, import-settings
// against a scratch registry key.
#include <gtest/gtest.h>

#include "store/Registry.h"
#include "store/SiteStore.h"
#include "support/ProcessRunner.h"
#include "support/ScratchRegistry.h"
#include "support/TestLog.h"

namespace {

class CliImportExport : public ::testing::Test {
protected:
    ProcessResult Run(std::vector<std::wstring> arguments)
    {
        arguments.insert(arguments.begin(), {L"--registry", scratch.Path()});
        return RunSiblingProgram(L"tarnwick-cli.exe", arguments);
    }
    static size_t Count(const std::string& text, const std::string& part)
    {
        size_t count = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++count;
        return count;
    }

    ScratchProductKey scratch;
    ScratchFolder folder;
};

void MakeSite(const std::wstring& label, const std::wstring& server, const std::wstring& user)
{
    RegKeyRef slot = ChildKey(SiteServerKey(label, server), L"0");
    WriteString(slot, L"Server", server);
    WriteString(slot, L"UserName", user);
}

}  // namespace

TEST_F(CliImportExport, SitesGoOutAndComeBackAskingOnlyWhenTold)
{
    MakeSite(L"Alpha", L"a.example.com:2121", L"anna");
    MakeSite(L"Beta", L"b.example.com", L"bob");
    std::wstring file = folder.File(L"sites.txt");

    ProcessResult unknown = Run({L"export-sites", file, L"Gamma"});
    EXPECT_EQ(unknown.exitCode, 2u);
    EXPECT_NE(unknown.output.find("no saved site is labelled \"Gamma\""), std::string::npos) << unknown.output;

    ProcessResult exported = Run({L"export-sites", file});
    ASSERT_EQ(exported.exitCode, 0u) << exported.output;
    std::string text = ReadWholeFile(file);
    EXPECT_EQ(Count(text, "Label:"), 2u);
    EXPECT_NE(text.find("Server:a.example.com:2121\r\n"), std::string::npos);

    ProcessResult notReplaced = Run({L"export-sites", file, L"Beta"});
    EXPECT_EQ(notReplaced.exitCode, 1u);
    EXPECT_NE(notReplaced.output.find("already exists. Do you wish to overwrite it?"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(file), text);

    DeleteKeyTree(SitesKey());
    ProcessResult imported = Run({L"import-sites", file});
    EXPECT_EQ(imported.exitCode, 0u) << imported.output;
    EXPECT_NE(imported.output.find("2 sites imported, 0 existing sites kept."), std::string::npos) << imported.output;
    EXPECT_EQ(EnumerateSites().size(), 2u);

    // Standard input is no console here: without an option nothing is overwritten.
    WriteString(ChildKey(SiteServerKey(L"Beta", L"b.example.com"), L"0"), L"Directory", L"/mine");
    ProcessResult again = Run({L"import-sites", file});
    EXPECT_EQ(again.exitCode, 0u) << again.output;
    EXPECT_EQ(Count(again.output, "Record \"Beta\" already exists. Do you wish to overwrite it?"), 1u) << again.output;
    EXPECT_NE(again.output.find("not asked"), std::string::npos);
    EXPECT_NE(again.output.find("0 sites imported, 2 existing sites kept."), std::string::npos);

    ProcessResult overwritten = Run({L"import-sites", file, L"--overwrite"});
    EXPECT_NE(overwritten.output.find("2 sites imported, 0 existing sites kept."), std::string::npos)
        << overwritten.output;
    EXPECT_EQ(ReadString(ChildKey(SiteServerKey(L"Beta", L"b.example.com"), L"0"), L"Directory"), L"/");
    EXPECT_EQ(EnumerateSites().size(), 2u);

    EXPECT_EQ(Run({L"import-sites", file, L"--overwrite", L"--skip"}).exitCode, 2u);
}

TEST_F(CliImportExport, BadSiteFilesSayWhy)
{
    ProcessResult missing = Run({L"import-sites", folder.File(L"missing.txt")});
    EXPECT_EQ(missing.exitCode, 1u);
    EXPECT_NE(missing.output.find("No Ftp sites were found in the file."), std::string::npos) << missing.output;

    WriteWholeFile(folder.File(L"part.txt"), "Label:Half\r\nServer:h.example.com\r\nLabel:Whole\r\n"
                                             "Server:w.example.com\r\nUsername:w");
    ProcessResult partial = Run({L"import-sites", folder.File(L"part.txt")});
    EXPECT_EQ(partial.exitCode, 1u);
    EXPECT_NE(partial.output.find("One or more records could not be read!"), std::string::npos) << partial.output;
    EXPECT_EQ(EnumerateSites().size(), 1u) << "the complete record is stored all the same";

    DeleteKeyTree(SitesKey());
    ProcessResult nothing = Run({L"export-sites", folder.File(L"none.txt")});
    EXPECT_EQ(nothing.exitCode, 1u);
    EXPECT_NE(nothing.output.find("no saved sites"), std::string::npos) << nothing.output;
}

TEST_F(CliImportExport, SettingsRoundTrip)
{
    WriteBool(SettingsKey(), L"FtpNoSpaces", true);
    std::wstring file = folder.File(L"settings.txt");
    ASSERT_EQ(Run({L"export-settings", file}).exitCode, 0u);
    EXPECT_EQ(ReadWholeFile(file), "FtpLowerCase:0\r\nFtpNoSpaces:1\r\nFtpRetry:0\r\n");

    WriteWholeFile(file, "FtpRetry:7 FtpNoSpaces:x");
    ProcessResult imported = Run({L"import-settings", file});
    EXPECT_EQ(imported.exitCode, 0u) << imported.output;
    EXPECT_TRUE(ReadBool(SettingsKey(), L"FtpRetry", false));
    EXPECT_FALSE(ReadBool(SettingsKey(), L"FtpNoSpaces", true));

    WriteWholeFile(file, "nothing here\r\n");
    ProcessResult none = Run({L"import-settings", file});
    EXPECT_EQ(none.exitCode, 1u);
    EXPECT_NE(none.output.find("No Ftp settings were found in the file."), std::string::npos) << none.output;
}
