// Remote names as local file names: one path element, nothing Windows would
// read as a drive, a stream, a device or a different name.
#include <gtest/gtest.h>

#include "ops/LocalNames.h"

namespace {

std::wstring Refusal(const std::wstring& name)
{
    std::wstring why;
    std::optional<std::wstring> local = LocalNameForRemote(name, why);
    EXPECT_EQ(local.has_value(), why.empty()) << name;
    return why;
}

void ExpectAccepted(const std::wstring& name)
{
    std::wstring why;
    std::optional<std::wstring> local = LocalNameForRemote(name, why);
    ASSERT_TRUE(local) << name << ": " << why;
    EXPECT_EQ(*local, name);
    EXPECT_TRUE(why.empty());
}

}  // namespace

TEST(LocalNames, PathsDrivesAndStreamsAreRefused)
{
    for (const wchar_t* name : {L"../x", L"..\\x", L"/x", L"\\x", L"a/b", L"x\\", L"C:\\x", L"C:/x"})
        EXPECT_EQ(Refusal(name), L"the name holds \"/\" or \"\\\"") << name;
    EXPECT_EQ(Refusal(L"C:"), L"the name is a drive name");
    for (const wchar_t* name : {L"C:x", L"a:b", L"file.txt:hidden", L"file.txt::$DATA", L":", L"1:", L"name:"})
        EXPECT_EQ(Refusal(name), L"the name holds \":\" (a drive or an alternate data stream)") << name;
}

TEST(LocalNames, DotsAndEmptyNamesAreRefused)
{
    EXPECT_EQ(Refusal(L""), L"the name is empty");
    EXPECT_EQ(Refusal(L"."), L"\".\" and \"..\" name a folder, not an entry in it");
    EXPECT_EQ(Refusal(L".."), L"\".\" and \"..\" name a folder, not an entry in it");
    // Windows drops trailing dots and spaces: these would become other names.
    for (const wchar_t* name : {L"...", L"a.", L"a ", L"report.txt.", L"  ", L". "})
        EXPECT_EQ(Refusal(name), L"the name ends in a dot or a space") << name;
}

TEST(LocalNames, DeviceNamesAreRefusedInAnyCaseAndWithAnyExtension)
{
    for (const wchar_t* name : {L"CON", L"con", L"Prn", L"AUX", L"nul", L"nul.txt", L"Com1.tar.gz", L"COM9",
                                L"lpt1", L"LPT9.log", L"com0", L"NUL .txt", L"conin$", L"CONOUT$.x",
                                L"COM\u00b9", L"lpt\u00b3.txt", L" con", L"  AUX  .c"})
        EXPECT_EQ(Refusal(name), L"the name is a reserved device name") << name;
    // Only the whole part before the first dot counts.
    for (const wchar_t* name : {L"console", L"nul1", L"COM10", L"LPT", L"com", L"my.con", L"x.nul", L"auxiliary.txt",
                                L"COM\u00b4", L"_nul", L"c on"})
        ExpectAccepted(name);
}

TEST(LocalNames, ControlAndWindowsInvalidCharactersAreRefused)
{
    for (const wchar_t* name : {L"a\rb", L"a\nb", L"line\r\n", L"\tname", L"a\x01", L"del\x7f", L"\x1f"})
        EXPECT_EQ(Refusal(name), L"the name holds a control character");
    EXPECT_EQ(Refusal(std::wstring(L"nul\0x", 5)), L"the name holds a control character");
    for (const wchar_t* name : {L"a<b", L"a>b", L"say \"hi\"", L"a|b", L"why?", L"*.txt"})
        EXPECT_EQ(Refusal(name), L"the name holds one of < > \" | ? *") << name;
}

TEST(LocalNames, OrdinaryNamesAreKept)
{
    for (const wchar_t* name : {L"a.txt", L"-rf", L"--help", L"my file.txt", L" leading space", L".htaccess",
                                L"..hidden", L"a..b", L"\u00e9t\u00e9.txt", L"\u65e5\u672c\u8a9e",
                                L"\U0001F600.png", L"100%", L"a;b,c=d+e[f]{g}", L"~$temp.docx", L"\u0080"})
        ExpectAccepted(name);
    ExpectAccepted(std::wstring(259, L'n'));
    EXPECT_EQ(Refusal(std::wstring(260, L'n')), L"the name is longer than 259 characters");
}
