#include <gtest/gtest.h>

#include "store/NumberedValues.h"
#include "store/Registry.h"
#include "support/ScratchRegistry.h"

namespace {

class RegistryTest : public ::testing::Test {
protected:
    ScratchProductKey scratch;
    RegKeyRef settings = SettingsKey();
};

}  // namespace

TEST(RegistryLayout, KeysLiveBelowTheProductKey)
{
    SetProductKeyPath(L"");
    EXPECT_EQ(SettingsKey().path, L"Software\\Velmora Software\\Tarnwick\\Settings");
    EXPECT_EQ(ProductKey(L"Settings\\FileFilters\\LocalFilters").name, L"LocalFilters");
    RegKeyRef server = ChildKey(ChildKey(SitesKey(), L"Home"), L"ftp.example.com");
    EXPECT_EQ(server.path, L"Software\\Velmora Software\\Tarnwick\\FTPAccounts\\Home\\ftp.example.com");
    EXPECT_EQ(server.name, L"ftp.example.com");
    EXPECT_EQ(server.root, HKEY_CURRENT_USER);
    EXPECT_TRUE(ProductKey(L"").path.empty());
    EXPECT_TRUE(ChildKey(ProductKey(L""), L"x").path.empty());
}

TEST_F(RegistryTest, ValuesAreStoredAsTerminatedText)
{
    EXPECT_TRUE(WriteString(settings, L"ProxyHost", L"proxy.example.com"));
    EXPECT_TRUE(WriteInt(MainWindowKey(), L"DividerY", -12));
    EXPECT_TRUE(WriteBool(settings, L"FtpRetry", true));

    RawValue host = ReadRawValue(settings, L"ProxyHost");
    EXPECT_EQ(host.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(host.bytes, Utf16Bytes(std::wstring(L"proxy.example.com") + L'\0'));
    EXPECT_EQ(ReadRawValue(MainWindowKey(), L"DividerY").bytes, Utf16Bytes(std::wstring(L"-12") + L'\0'));
    EXPECT_EQ(ReadRawValue(settings, L"FtpRetry").bytes, Utf16Bytes(std::wstring(L"1") + L'\0'));

    EXPECT_EQ(ReadString(settings, L"ProxyHost"), L"proxy.example.com");
    EXPECT_EQ(ReadInt(MainWindowKey(), L"DividerY", 500), -12);
    EXPECT_TRUE(ReadBool(settings, L"FtpRetry", false));
    WriteBool(settings, L"FtpRetry", false);
    EXPECT_FALSE(ReadBool(settings, L"FtpRetry", true));
}

TEST_F(RegistryTest, AbsentEmptyAndOddValuesReadAsDefaults)
{
    bool found = true;
    EXPECT_EQ(ReadString(settings, L"DragSource", L"local", &found), L"local");
    EXPECT_FALSE(found);
    EXPECT_EQ(ReadInt(settings, L"Missing", 500), 500);
    EXPECT_EQ(ReadInt(ProductKey(L"NoSuchKey"), L"Missing", 7), 7);

    WriteString(settings, L"Empty", L"");
    EXPECT_EQ(ReadString(settings, L"Empty", L"fallback", &found), L"");
    EXPECT_TRUE(found);
    EXPECT_EQ(ReadInt(settings, L"Empty", 500), 500);
    EXPECT_TRUE(ReadBool(settings, L"Empty", true));

    WriteString(settings, L"Word", L"wide");
    EXPECT_EQ(ReadInt(settings, L"Word", 500), 0);

    for (const wchar_t* text : {L"0", L"00", L"0x", L"0abc"}) {
        WriteString(settings, L"Flag", text);
        EXPECT_FALSE(ReadBool(settings, L"Flag", true)) << text;
    }
    for (const wchar_t* text : {L"2", L"yes", L"false"}) {
        WriteString(settings, L"Flag", text);
        EXPECT_TRUE(ReadBool(settings, L"Flag", false)) << text;
    }
}

TEST_F(RegistryTest, StringsBeyond259CharactersCannotBeRead)
{
    std::wstring longest(259, L'x');
    WriteString(settings, L"Folder", longest);
    EXPECT_EQ(ReadString(settings, L"Folder"), longest);

    bool found = true;
    WriteString(settings, L"Folder", std::wstring(260, L'y'));
    EXPECT_EQ(ReadString(settings, L"Folder", L"default", &found), L"default");
    EXPECT_FALSE(found);
    EXPECT_TRUE(ValueExists(settings, L"Folder"));  // it is there, only unreadable
    WriteString(settings, L"Folder", std::wstring(5000, L'z'));
    EXPECT_EQ(ReadString(settings, L"Folder", L"default"), L"default");

    // 260 units with no terminator fit the buffer and are cut to 259. (As
    // REG_SZ the registry may add the terminator that follows in memory.)
    WriteRawValue(settings, L"Folder", REG_BINARY, Utf16Bytes(std::wstring(260, L'w')));
    ASSERT_EQ(ReadRawValue(settings, L"Folder").bytes.size(), 520u);
    EXPECT_EQ(ReadString(settings, L"Folder"), std::wstring(259, L'w'));
}

TEST_F(RegistryTest, ValueTypesAreIgnoredOnRead)
{
    WriteRawValue(settings, L"Binary", REG_BINARY, Utf16Bytes(L"remote"));
    EXPECT_EQ(ReadString(settings, L"Binary"), L"remote");
    // Text stops at the first terminator; a stray odd byte is dropped.
    WriteRawValue(settings, L"Binary", REG_BINARY, Utf16Bytes(std::wstring(L"ab\0cd", 5)) + "!");
    EXPECT_EQ(ReadString(settings, L"Binary"), L"ab");
    WriteRawValue(settings, L"Binary", REG_BINARY, "");
    bool found = false;
    EXPECT_EQ(ReadString(settings, L"Binary", L"default", &found), L"");
    EXPECT_TRUE(found);
}

TEST_F(RegistryTest, DeletingALogicalNameRemovesItsProtectedFormOnlyWhenPlainIsAbsent)
{
    RegKeyRef slot = ChildKey(ChildKey(ChildKey(SitesKey(), L"Home"), L"ftp.example.com"), L"0");
    WriteString(slot, L"Password", L"plain");
    WriteRawValue(slot, L"_Password", REG_BINARY, "\x01\x02");

    DeleteValue(slot, L"Password");
    EXPECT_FALSE(ValueExists(slot, L"Password"));
    EXPECT_TRUE(ValueExists(slot, L"_Password"));
    DeleteValue(slot, L"Password");
    EXPECT_FALSE(ValueExists(slot, L"_Password"));
    DeleteValue(slot, L"Password");  // nothing left: harmless
    DeleteValue(ProductKey(L"NoSuchKey"), L"Password");
    EXPECT_FALSE(KeyExists(ProductKey(L"NoSuchKey")));
}

TEST_F(RegistryTest, ChildKeysAreCreatedFoundAndEnumerated)
{
    RegKeyRef sites = SitesKey();
    RegKeyRef home = ChildKey(sites, L"Home");
    EXPECT_FALSE(KeyExists(home));  // naming a key does not create it
    EXPECT_TRUE(EnumerateSubkeys(sites).empty());

    bool created = false;
    RegKeyRef made = CreateChildKey(sites, L"Home", &created);
    EXPECT_TRUE(created);
    EXPECT_EQ(made.path, home.path);
    CreateChildKey(sites, L"HOME", &created);
    EXPECT_FALSE(created);
    CreateChildKey(sites, L"Work", &created);
    EXPECT_TRUE(ChildKeyExists(sites, L"home"));
    EXPECT_FALSE(ChildKeyExists(sites, L"Play"));

    std::vector<RegKeyRef> children = EnumerateSubkeys(sites);
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(children[0].name, L"Home");
    EXPECT_EQ(children[0].path, home.path);
    EXPECT_EQ(children[1].name, L"Work");
}

TEST_F(RegistryTest, DeleteKeyTreeRemovesEverythingBelowButNeverAnEmptyPath)
{
    RegKeyRef home = ChildKey(SitesKey(), L"Home");
    RegKeyRef slot = ChildKey(ChildKey(home, L"ftp.example.com"), L"0");
    WriteString(slot, L"Server", L"ftp.example.com");
    WriteString(ChildKey(slot, L"LocalBookmarks"), L"0", L"C:\\");
    WriteString(settings, L"Current", L"Home");

    DeleteKeyTree(RegKeyRef{});
    DeleteKeyTree(ProductKey(L""));
    EXPECT_EQ(ReadString(slot, L"Server"), L"ftp.example.com");

    DeleteKeyTree(home);
    EXPECT_FALSE(KeyExists(home));
    EXPECT_TRUE(KeyExists(SitesKey()));
    EXPECT_EQ(ReadString(settings, L"Current"), L"Home");
}

TEST_F(RegistryTest, RenameMovesTheWholeTree)
{
    RegKeyRef sites = SitesKey();
    RegKeyRef slot = ChildKey(ChildKey(ChildKey(sites, L"Old"), L"ftp.example.com"), L"3");
    WriteString(slot, L"UserName", L"bob");
    WriteRawValue(slot, L"_Password", REG_BINARY, "\xAA\xBB");
    WriteString(ChildKey(slot, L"RemoteBookmarks"), L"0", L"/pub");

    RegKeyRef key = ChildKey(ChildKey(sites, L"Old"), L"ftp.example.com");
    RegKeyRef moved = ChildKey(key, L"3");
    ASSERT_TRUE(RenameKey(moved, L"0"));
    EXPECT_EQ(moved.name, L"0");
    EXPECT_EQ(moved.path, ChildKey(key, L"0").path);
    EXPECT_FALSE(KeyExists(slot));
    EXPECT_EQ(ReadString(moved, L"UserName"), L"bob");
    EXPECT_EQ(ReadRawValue(moved, L"_Password").bytes, "\xAA\xBB");
    EXPECT_EQ(ReadRawValue(moved, L"_Password").type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(ReadString(ChildKey(moved, L"RemoteBookmarks"), L"0"), L"/pub");
}

TEST_F(RegistryTest, RenameRefusesCaseOnlyChangesAndExistingTargets)
{
    RegKeyRef sites = SitesKey();
    RegKeyRef home = ChildKey(sites, L"Home");
    RegKeyRef work = ChildKey(sites, L"Work");
    WriteString(home, L"Mark", L"home");
    WriteString(work, L"Mark", L"work");

    EXPECT_FALSE(RenameKey(home, L"HOME"));
    EXPECT_EQ(home.name, L"Home");
    EXPECT_FALSE(RenameKey(home, L"work"));  // would mix two trees
    EXPECT_EQ(ReadString(work, L"Mark"), L"work");
    EXPECT_EQ(ReadString(home, L"Mark"), L"home");
    EXPECT_FALSE(RenameKey(home, L"a\\b"));
    EXPECT_FALSE(RenameKey(home, L""));

    RegKeyRef missing = ChildKey(sites, L"Missing");
    EXPECT_FALSE(RenameKey(missing, L"Found"));
    EXPECT_FALSE(ChildKeyExists(sites, L"Found"));
    RegKeyRef nothing;
    EXPECT_FALSE(RenameKey(nothing, L"x"));
}

TEST_F(RegistryTest, NumberedListsReadToTheFirstGapAndRewriteExactly)
{
    RegKeyRef list = ProductKey(L"FTPAccounts\\Home\\ftp.example.com\\0\\LocalBookmarks");
    EXPECT_TRUE(ReadNumberedValues(list).empty());
    WriteNumberedValues(list, {L"C:\\a", L"C:\\b", L"C:\\c"});
    EXPECT_EQ(ReadString(list, L"2"), L"C:\\c");
    WriteString(list, L"4", L"C:\\after-gap");
    EXPECT_EQ(ReadNumberedValues(list), (std::vector<std::wstring>{L"C:\\a", L"C:\\b", L"C:\\c"}));

    // An unreadable entry is skipped without ending the list.
    WriteString(list, L"1", std::wstring(300, L'x'));
    EXPECT_EQ(ReadNumberedValues(list), (std::vector<std::wstring>{L"C:\\a", L"C:\\c"}));

    WriteNumberedValues(list, {L"C:\\only"});
    EXPECT_EQ(ReadNumberedValues(list), std::vector<std::wstring>{L"C:\\only"});
    EXPECT_FALSE(ValueExists(list, L"1"));
    EXPECT_TRUE(ValueExists(list, L"4"));  // beyond the old list's gap: not ours to remove
}
