// Site export and import against a scratch registry key and real files.
#include <gtest/gtest.h>

#include <map>

#include "net/TextCodec.h"
#include "store/ProtectedValues.h"
#include "store/SiteImportExport.h"
#include "store/SiteStore.h"
#include "support/ScratchRegistry.h"
#include "support/ScriptedPrompt.h"
#include "support/TestLog.h"

namespace {

using Values = std::map<std::wstring, std::wstring>;

// A slot holding exactly the given values (as stored text).
RegKeyRef MakeSlot(const std::wstring& label, const std::wstring& server, const std::wstring& slotName,
                   const Values& values)
{
    RegKeyRef slot = ChildKey(SiteServerKey(label, server), slotName);
    for (const auto& [name, text] : values)
        WriteString(slot, name, text);
    return slot;
}

RegKeyRef Slot(const std::wstring& label, const std::wstring& server, const std::wstring& slotName)
{
    return ChildKey(SiteServerKey(label, server), slotName);
}

size_t SlotCount(const std::wstring& label, const std::wstring& server)
{
    return EnumerateSubkeys(SiteServerKey(label, server)).size();
}

void MakeTypicalSites()
{
    RegKeyRef work = MakeSlot(L"Work", L"ftp.example.com:2121", L"0",
                              {{L"Server", L"ftp.example.com:2121"}, {L"UserName", L"anna"}, {L"RemP", L"1"},
                               {L"UseExplicitSSL", L"1"}, {L"UseImplicitSSL", L"0"}, {L"UseRecentRemote", L"0"},
                               {L"Directory", L"/pub:files"}, {L"UseRecentLocal", L"1"},
                               {L"LocalDirectory", L"C:\\Work"}});
    WriteProtected(work, L"Password", L"s:cr\u00e9t");
    MakeSlot(L"Work", L"10.0.0.7", L"0",
             {{L"Server", L"10.0.0.7"}, {L"UserName", L"anna"}, {L"RemP", L"0"}, {L"UseImplicitSSL", L"1"},
              {L"UseRecentRemote", L"1"}, {L"UseRecentLocal", L"0"}, {L"LocalDirectory", L"D:\\"}});
    MakeSlot(L"Home", L"home.example.org", L"0",
             {{L"Server", L"home.example.org"}, {L"UserName", L"bob"}, {L"RemP", L"0"}});
}

std::string Export(const ScratchFolder& folder, const std::vector<std::wstring>& labels, const wchar_t* name)
{
    ScriptedPrompt prompt;
    EXPECT_EQ(ExportSites(folder.File(name), labels, prompt), ExportResult::Written);
    EXPECT_TRUE(prompt.asked.empty());
    return ReadWholeFile(folder.File(name));
}

SiteImportResult ImportText(const ScratchFolder& folder, const std::string& bytes, UserPrompt& prompt)
{
    WriteWholeFile(folder.File(L"import.txt"), bytes);
    return ImportSites(folder.File(L"import.txt"), prompt);
}

constexpr char kOneRecord[] = "Label:Solo\r\nServer:solo.example.net:21\r\nUsername:sam\r\nPassword:pw\r\n"
                              "RemP:1\r\nDirectory:/\r\nLocalDirectory:C:\\\r\nUseExplicitSSL:0\r\n"
                              "UseImplicitSSL:0\r\nUseRecentLocal:1\r\nUseRecentRemote:1\r\n";

}  // namespace

TEST(SiteExport, WritesTheChosenLabelsSlotBySlot)
{
    ScratchProductKey scratch;
    ScratchFolder folder;
    MakeTypicalSites();
    std::string file = Export(folder, {L"Work"}, L"work.txt");

    EXPECT_EQ(file.rfind("Label:Work\r\nServer:", 0), 0u) << "no byte-order mark";
    EXPECT_EQ(file.find("Home"), std::string::npos);
    size_t second = file.find("Label:Work", 1);
    ASSERT_NE(second, std::string::npos) << "two servers give two records with the same label";
    EXPECT_EQ(file.find("Label:", second + 1), std::string::npos);
    EXPECT_NE(file.find("Password:s:cr\xC3\xA9t\r\n"), std::string::npos) << "passwords travel decrypted, in UTF-8";
    EXPECT_NE(file.find("Server:ftp.example.com:2121\r\n"), std::string::npos);
    std::string lone = file;
    for (size_t at = 0; (at = lone.find("\r\n", at)) != std::string::npos;)
        lone.erase(at, 2);
    EXPECT_EQ(lone.find_first_of("\r\n"), std::string::npos) << "every line ends with CR LF";
    EXPECT_EQ(file.size() - lone.size(), 2u * 22u) << "eleven lines per record";

    EXPECT_TRUE(Export(folder, {L"work"}, L"none.txt").empty()) << "labels compare exactly";
}

TEST(SiteExport, AbsentValuesAreWrittenAsTheSiteUsesThem)
{
    ScratchProductKey scratch;
    ScratchFolder folder;
    // A quick connection stores only these; its password is not remembered.
    RegKeyRef slot = MakeSlot(L"Quick Site 1", L"q.example.com", L"0",
                              {{L"Server", L"q.example.com"}, {L"UserName", L"anonymous"}, {L"RemP", L"0"}});
    WriteProtected(slot, L"Password", L"leftover");
    MakeSlot(L"Legacy", L"old.example.com", L"0",
             {{L"Server", L"old.example.com"}, {L"UserName", L"carl"}, {L"Domain", L"ACME"}});

    EXPECT_EQ(Export(folder, {L"Quick Site 1"}, L"quick.txt"),
              "Label:Quick Site 1\r\nServer:q.example.com\r\nUsername:anonymous\r\nPassword:\r\nRemP:0\r\n"
              "Directory:/\r\nLocalDirectory:C:\\\r\nUseExplicitSSL:0\r\nUseImplicitSSL:0\r\n"
              "UseRecentLocal:1\r\nUseRecentRemote:1\r\n");
    EXPECT_NE(Export(folder, {L"Legacy"}, L"legacy.txt").find("Username:ACME\\carl\r\n"), std::string::npos);
}

TEST(SiteExport, AsksBeforeReplacingAFile)
{
    ScratchProductKey scratch;
    ScratchFolder folder;
    MakeTypicalSites();
    std::wstring path = folder.File(L"sites.txt");
    WriteWholeFile(path, "keep me");

    ScriptedPrompt decline;
    EXPECT_EQ(ExportSites(path, {L"Home"}, decline), ExportResult::Cancelled);
    ASSERT_EQ(decline.asked.size(), 1u);
    EXPECT_EQ(decline.asked[0].caption, L"Overwrite?");
    EXPECT_EQ(decline.asked[0].acceptButton, L"Overwrite");
    EXPECT_EQ(decline.asked[0].text, L"File \"" + path + L"\" already exists. Do you wish to overwrite it?");
    EXPECT_EQ(ReadWholeFile(path), "keep me");

    ScriptedPrompt accept{{true}};
    EXPECT_EQ(ExportSites(path, {L"Home"}, accept), ExportResult::Written);
    EXPECT_EQ(ReadWholeFile(path).rfind("Label:Home\r\n", 0), 0u);

    ScriptedPrompt unused;
    EXPECT_EQ(ExportSites(folder.File(L"no such folder\\x.txt"), {L"Home"}, unused), ExportResult::Failed);
}

TEST(SiteImport, RoundTripReproducesEverySite)
{
    ScratchProductKey scratch;
    ScratchFolder folder;
    MakeTypicalSites();
    std::string file = Export(folder, {L"Work", L"Home"}, L"all.txt");
    DeleteKeyTree(SitesKey());

    ScriptedPrompt prompt;
    SiteImportResult result = ImportSites(folder.File(L"all.txt"), prompt);
    EXPECT_TRUE(result.sitesFound);
    EXPECT_TRUE(result.allRecordsRead);
    EXPECT_EQ(result.stored, 3u);
    EXPECT_TRUE(prompt.asked.empty());

    EXPECT_EQ(WideToUtf8(SiteExportText({L"Work", L"Home"})), file);
    RegKeyRef work = Slot(L"Work", L"ftp.example.com:2121", L"0");
    EXPECT_EQ(ReadProtected(work, L"Password"), L"s:cr\u00e9t");
    EXPECT_EQ(ReadRawValue(work, L"_Password").type, static_cast<DWORD>(REG_BINARY)) << "stored encrypted again";
    EXPECT_EQ(ReadString(work, L"Directory"), L"/pub:files");
    EXPECT_EQ(ReadString(Slot(L"Work", L"10.0.0.7", L"0"), L"UseImplicitSSL"), L"1");
}

TEST(SiteImport, RememberedUnprotectedAnswerComesBackWithItsSite)
{
    ScratchProductKey scratch;
    ScratchFolder folder;
    MakeTypicalSites();
    WriteUnprotectedLogin(Slot(L"Work", L"ftp.example.com:2121", L"0"), UnprotectedLogin::Allow);
    WriteUnprotectedLogin(Slot(L"Home", L"home.example.org", L"0"), UnprotectedLogin::Refuse);
    std::string file = Export(folder, {L"Work", L"Home"}, L"all.txt");
    EXPECT_NE(file.find("UseRecentRemote:0\r\nAllowUnprotected:1\r\n"), std::string::npos);
    EXPECT_NE(file.find("AllowUnprotected:0\r\n"), std::string::npos);
    DeleteKeyTree(SitesKey());

    ScriptedPrompt prompt;
    EXPECT_EQ(ImportSites(folder.File(L"all.txt"), prompt).stored, 3u);
    EXPECT_EQ(ReadUnprotectedLogin(Slot(L"Work", L"ftp.example.com:2121", L"0")), UnprotectedLogin::Allow);
    EXPECT_EQ(ReadUnprotectedLogin(Slot(L"Home", L"home.example.org", L"0")), UnprotectedLogin::Refuse);
    EXPECT_FALSE(ValueExists(Slot(L"Work", L"10.0.0.7", L"0"), L"AllowUnprotected")) << "no answer: it asks";
    EXPECT_EQ(WideToUtf8(SiteExportText({L"Work", L"Home"})), file);

    // An older file, or one with a value that is neither answer, leaves the
    // question open, even over a slot that had an answer.
    ScriptedPrompt overwrite{{true}, {true}};
    WriteUnprotectedLogin(Slot(L"Solo", L"solo.example.net:21", L"0"), UnprotectedLogin::Allow);
    WriteString(Slot(L"Solo", L"solo.example.net:21", L"0"), L"UserName", L"sam");
    ImportText(folder, kOneRecord, overwrite);
    EXPECT_EQ(ReadUnprotectedLogin(Slot(L"Solo", L"solo.example.net:21", L"0")), UnprotectedLogin::Ask);
    ImportText(folder, std::string(kOneRecord) + "AllowUnprotected:maybe\r\n", overwrite);
    EXPECT_EQ(overwrite.asked.size(), 2u);
    EXPECT_FALSE(ValueExists(Slot(L"Solo", L"solo.example.net:21", L"0"), L"AllowUnprotected"));
}

TEST(SiteImport, SecondImportAsksOncePerRecord)
{
    ScratchProductKey scratch;
    ScratchFolder folder;
    MakeTypicalSites();
    Export(folder, {L"Work", L"Home"}, L"all.txt");
    RegKeyRef work = Slot(L"Work", L"ftp.example.com:2121", L"0");
    RegKeyRef home = Slot(L"Home", L"home.example.org", L"0");
    WriteString(work, L"Directory", L"/changed");
    WriteString(ChildKey(work, L"RemoteBookmarks"), L"0", L"/bookmarked");
    WriteString(home, L"Directory", L"/changed too");

    // The export followed the registry's order: Home, Work on 10.0.0.7, Work on port 2121.
    ScriptedPrompt prompt{{false}, {false}, {true}};
    SiteImportResult result = ImportSites(folder.File(L"all.txt"), prompt);
    ASSERT_EQ(prompt.asked.size(), 3u);
    EXPECT_EQ(prompt.asked[0].text, L"Record \"Home\" already exists. Do you wish to overwrite it?");
    EXPECT_EQ(prompt.asked[0].caption, L"Overwrite?");
    EXPECT_EQ(prompt.asked[2].text, L"Record \"Work\" already exists. Do you wish to overwrite it?");
    EXPECT_EQ(result.stored, 1u);
    EXPECT_EQ(result.kept, 2u);
    EXPECT_TRUE(result.allRecordsRead);

    EXPECT_EQ(ReadString(work, L"Directory"), L"/pub:files") << "overwritten";
    EXPECT_FALSE(ChildKeyExists(work, L"RemoteBookmarks")) << "the old slot's tree is gone";
    EXPECT_EQ(ReadString(home, L"Directory"), L"/changed too") << "kept";
    EXPECT_EQ(SlotCount(L"Work", L"ftp.example.com:2121"), 1u);
    EXPECT_EQ(SlotCount(L"Home", L"home.example.org"), 1u);
}

TEST(SiteImport, AnotherUserTakesTheFirstFreeSlot)
{
    ScratchProductKey scratch;
    ScratchFolder folder;
    MakeSlot(L"Solo", L"solo.example.net:21", L"0", {{L"UserName", L"first"}});
    MakeSlot(L"Solo", L"solo.example.net:21", L"2", {{L"UserName", L"third"}});
    ScriptedPrompt prompt;
    SiteImportResult result = ImportText(folder, kOneRecord, prompt);
    EXPECT_EQ(result.stored, 1u);
    EXPECT_TRUE(prompt.asked.empty());
    RegKeyRef slot = Slot(L"Solo", L"solo.example.net:21", L"1");
    EXPECT_EQ(ReadString(slot, L"UserName"), L"sam");
    EXPECT_EQ(ReadString(slot, L"Server"), L"solo.example.net:21");
    EXPECT_EQ(ReadString(Slot(L"Solo", L"solo.example.net:21", L"0"), L"UserName"), L"first");
}

TEST(SiteImport, DomainLineAndMissingLines)
{
    ScratchProductKey scratch;
    ScratchFolder folder;
    // No trailing line break, no UseRecentRemote line, a Domain line.
    std::string file = "Label:Corp\r\nServer:corp.example.com\r\nDomain:ACME\r\nUsername:carl\r\nRemP:1";
    ScriptedPrompt prompt;
    SiteImportResult result = ImportText(folder, file, prompt);
    EXPECT_EQ(result.stored, 1u);
    RegKeyRef slot = Slot(L"Corp", L"corp.example.com", L"0");
    EXPECT_EQ(ReadString(slot, L"UserName"), L"ACME\\carl");
    EXPECT_FALSE(ValueExists(slot, L"Domain"));
    EXPECT_EQ(ReadString(slot, L"RemP"), L"1");
    EXPECT_EQ(ReadString(slot, L"UseRecentRemote"), L"0") << "a missing line gives false";
    EXPECT_EQ(ReadString(slot, L"Directory"), L"/") << "missing folders get the defaults of a site";
    EXPECT_EQ(ReadString(slot, L"LocalDirectory"), L"C:\\");

    // The domain user is found again, so the same file only asks.
    ImportText(folder, file, prompt);
    EXPECT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(SlotCount(L"Corp", L"corp.example.com"), 1u);
}

TEST(SiteImport, BadFilesSayWhyAndKeepWhatCouldBeRead)
{
    ScratchProductKey scratch;
    ScratchFolder folder;
    ScriptedPrompt prompt;
    EXPECT_FALSE(ImportSites(folder.File(L"missing.txt"), prompt).sitesFound);
    EXPECT_FALSE(ImportText(folder, "", prompt).sitesFound);
    EXPECT_FALSE(ImportText(folder, "label:Lower\r\nServer:s.example.com\r\nUsername:u\r\n", prompt).sitesFound);

    SiteImportResult mixed = ImportText(folder,
                                        "Server:before.example.com\r\nUsername:nobody\r\n"
                                        "Label:NoUser\r\nServer:n.example.com\r\n" +
                                            std::string(kOneRecord) + "Label:Bad\\Name\r\nServer:b.example.com\r\nUsername:u\r\n",
                                        prompt);
    EXPECT_TRUE(mixed.sitesFound);
    EXPECT_FALSE(mixed.allRecordsRead);
    EXPECT_EQ(mixed.stored, 1u);
    EXPECT_EQ(ReadString(Slot(L"Solo", L"solo.example.net:21", L"0"), L"UserName"), L"sam");
    EXPECT_EQ(CountSites(), 1) << "nothing of the incomplete or unsafe records was stored";
    EXPECT_TRUE(prompt.asked.empty());
}
