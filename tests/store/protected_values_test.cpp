#include <gtest/gtest.h>

#include "net/TextCodec.h"
#include "store/ProtectedValues.h"
#include "store/ValueCipher.h"
#include "support/ScratchRegistry.h"

namespace {

class ProtectedValuesTest : public ::testing::Test {
protected:
    ScratchProductKey scratch;
    RegKeyRef slot = ProductKey(L"FTPAccounts\\Home\\ftp.example.com\\0");
};

}  // namespace

TEST_F(ProtectedValuesTest, PasswordsAreStoredAsRc4OfTheFixedKey)
{
    ASSERT_TRUE(StoredPasswordCipher().Available());
    ASSERT_TRUE(WriteProtected(slot, L"Password", L"hello"));
    RawValue stored = ReadRawValue(slot, L"_Password");
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_BINARY));
    // RC4 keyed with MD5("pvtrmelqoz"): what every installation reads back.
    EXPECT_EQ(stored.bytes, "\xb1\xbe\x83\xff\x2b");
    EXPECT_FALSE(ValueExists(slot, L"Password"));

    // Every value starts at the beginning of the key stream.
    WriteProtected(slot, L"Password", L"hello");
    EXPECT_EQ(ReadRawValue(slot, L"_Password").bytes, "\xb1\xbe\x83\xff\x2b");

    bool found = false;
    EXPECT_EQ(ReadProtected(slot, L"Password", &found), L"hello");
    EXPECT_TRUE(found);
}

TEST_F(ProtectedValuesTest, TextRoundTripsAsUtf8)
{
    std::wstring text = L"p\u00E4ss \u20AC \U0001F600 w\u00F6rd";
    WriteProtected(SettingsKey(), L"ProxyPassword", text);
    EXPECT_EQ(ReadProtected(SettingsKey(), L"ProxyPassword"), text);
    EXPECT_EQ(ReadRawValue(SettingsKey(), L"_ProxyPassword").bytes.size(), WideToUtf8(text).size());
}

TEST_F(ProtectedValuesTest, EmptyValuesAreZeroLengthBinaries)
{
    WriteProtected(slot, L"Password", L"");
    RawValue stored = ReadRawValue(slot, L"_Password");
    EXPECT_TRUE(stored.exists);
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_TRUE(stored.bytes.empty());
    bool found = false;
    EXPECT_EQ(ReadProtected(slot, L"Password", &found), L"");
    EXPECT_TRUE(found);
}

TEST_F(ProtectedValuesTest, LongValuesAreCutTo259BytesWithoutSplittingACharacter)
{
    WriteProtected(slot, L"Password", std::wstring(300, L'k'));
    EXPECT_EQ(ReadRawValue(slot, L"_Password").bytes.size(), 259u);
    EXPECT_EQ(ReadProtected(slot, L"Password"), std::wstring(259, L'k'));

    std::wstring accented = std::wstring(258, L'a') + L"\u00E9";  // 260 bytes in UTF-8
    WriteProtected(slot, L"Password", accented);
    EXPECT_EQ(ReadProtected(slot, L"Password"), std::wstring(258, L'a'));

    // Text ends at an embedded NUL, as it did in a C string.
    WriteProtected(slot, L"Password", std::wstring(L"ab\0cd", 5));
    EXPECT_EQ(ReadProtected(slot, L"Password"), L"ab");
}

TEST_F(ProtectedValuesTest, PlainValuesAreReadWhenNoEncryptedFormExists)
{
    WriteString(slot, L"Password", L"written-in-plain");
    EXPECT_EQ(ReadProtected(slot, L"Password"), L"written-in-plain");

    // Once encrypted, the encrypted form wins; the old plain value stays.
    WriteProtected(slot, L"Password", L"newer");
    EXPECT_EQ(ReadProtected(slot, L"Password"), L"newer");
    EXPECT_EQ(ReadString(slot, L"Password"), L"written-in-plain");

    bool found = true;
    EXPECT_EQ(ReadProtected(slot, L"Nothing", &found), L"");
    EXPECT_FALSE(found);
}

TEST_F(ProtectedValuesTest, OversizedEncryptedValuesAreCutOnRead)
{
    std::string bytes(100000, 'q');
    ASSERT_TRUE(StoredPasswordCipher().Encrypt(bytes));
    WriteRawValue(slot, L"_Password", REG_BINARY, bytes);
    EXPECT_EQ(ReadProtected(slot, L"Password"), std::wstring(259, L'q'));
}

TEST_F(ProtectedValuesTest, WithoutTheProviderValuesAreStoredInPlain)
{
    ValueCipher missing(L"Tarnwick No Such Provider");
    EXPECT_FALSE(missing.Available());

    EXPECT_TRUE(WriteProtected(missing, slot, L"Password", L"s\u00E9cret"));
    RawValue stored = ReadRawValue(slot, L"Password");
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(stored.bytes, Utf16Bytes(std::wstring(L"s\u00E9cret") + L'\0'));
    EXPECT_FALSE(ValueExists(slot, L"_Password"));

    bool found = false;
    EXPECT_EQ(ReadProtected(missing, slot, L"Password", &found), L"s\u00E9cret");
    EXPECT_TRUE(found);
    // An encrypted form is of no use without the provider.
    WriteProtected(slot, L"Password", L"encrypted");
    EXPECT_EQ(ReadProtected(missing, slot, L"Password"), L"s\u00E9cret");
    // Everything else works as usual.
    EXPECT_TRUE(WriteString(SettingsKey(), L"ProxyHost", L"proxy.example.com"));
    EXPECT_EQ(ReadString(SettingsKey(), L"ProxyHost"), L"proxy.example.com");
}
