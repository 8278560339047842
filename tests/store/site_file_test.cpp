// The site export format and its parser, fed the way the importer reads files.
#include <gtest/gtest.h>

#include "net/TextCodec.h"
#include "store/ImportLines.h"
#include "store/SiteFile.h"

namespace {

std::vector<std::string> SplitInBlocks(std::string_view bytes, size_t blockSize)
{
    std::vector<std::string> lines;
    ImportLineSplitter splitter([&](std::string_view line) { lines.emplace_back(line); });
    for (size_t at = 0; at < bytes.size(); at += blockSize)
        splitter.Feed(bytes.substr(at, blockSize));
    splitter.Finish();
    return lines;
}

SiteFileContents Parse(std::string_view bytes, size_t blockSize = kImportBlockBytes)
{
    SiteFileParser parser;
    for (const std::string& line : SplitInBlocks(bytes, blockSize))
        parser.AddLine(line);
    return parser.Finish();
}

SiteFileRecord Site(std::wstring label, std::wstring server, std::wstring user)
{
    SiteFileRecord record;
    record.label = std::move(label);
    record.server = std::move(server);
    record.userName = std::move(user);
    return record;
}

}  // namespace

TEST(SiteFile, RecordIsElevenCrLfLinesInFixedOrder)
{
    SiteFileRecord record = Site(L"Work", L"ftp.example.com:2121", L"anna");
    record.password = L"p:w";
    record.directory = L"/pub";
    record.localDirectory = L"C:\\Data";
    record.rememberPassword = true;
    record.implicitTls = true;
    record.useRecentRemote = true;
    EXPECT_EQ(WideToUtf8(FormatSiteRecord(record)),
              "Label:Work\r\nServer:ftp.example.com:2121\r\nUsername:anna\r\nPassword:p:w\r\nRemP:1\r\n"
              "Directory:/pub\r\nLocalDirectory:C:\\Data\r\nUseExplicitSSL:0\r\nUseImplicitSSL:1\r\n"
              "UseRecentLocal:0\r\nUseRecentRemote:1\r\n");
}

TEST(SiteFile, SeveralRecordsSurviveTheRoundTripWhateverTheBlockSize)
{
    SiteFileRecord first = Site(L"Work", L"ftp.example.com:2121", L"anna");
    first.password = L"s\u00e9cret:\u20ac";  // a colon and non-ASCII in a value
    first.rememberPassword = first.explicitTls = first.useRecentLocal = true;
    first.directory = L"/a:b";
    SiteFileRecord second = Site(L"Work", L"10.0.0.7", L"anna");  // a second server under the same label
    second.implicitTls = second.useRecentRemote = true;
    SiteFileRecord third = Site(L"\u00dcbung", L"files.example.org", L"anonymous");
    third.localDirectory = L"D:\\";
    std::string file = WideToUtf8(FormatSiteRecord(first) + FormatSiteRecord(second) + FormatSiteRecord(third));

    for (size_t block : {kImportBlockBytes, size_t{1}, size_t{2}, size_t{7}}) {
        SiteFileContents contents = Parse(file, block);
        EXPECT_TRUE(contents.hasLabelLine);
        EXPECT_EQ(contents.unreadableRecords, 0u);
        ASSERT_EQ(contents.records.size(), 3u) << "block size " << block;
        EXPECT_EQ(contents.records[0], first);
        EXPECT_EQ(contents.records[1], second);
        EXPECT_EQ(contents.records[2], third);
    }
}

TEST(SiteFile, LastRecordWithoutLineBreakAndAnyLineEndCount)
{
    SiteFileContents contents = Parse("Label:A\nServer:a.example.com\rUsername:u1\r\n"
                                      "Label:B\r\rServer:b.example.com\n\nUsername:u2");
    ASSERT_EQ(contents.records.size(), 2u);
    EXPECT_EQ(contents.records[1].label, L"B");
    EXPECT_EQ(contents.records[1].userName, L"u2");
    EXPECT_EQ(contents.records[0].server, L"a.example.com");
    EXPECT_EQ(contents.records[0].directory, L"/") << "missing folder lines give the site defaults";
    EXPECT_EQ(contents.records[0].localDirectory, L"C:\\");
}

TEST(SiteFile, CrLfSplitAcrossBlocksIsOneLineEnd)
{
    std::string bytes = std::string(kImportBlockBytes - 1, 'x') + "\r\nnext";
    std::vector<std::string> lines = SplitInBlocks(bytes, kImportBlockBytes);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "next");
    EXPECT_EQ(SplitInBlocks("a\r\n\r\nb\r\n", 1), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitInBlocks("", 1).empty());
}

TEST(SiteFile, LongLinesKeep259BytesAndDropTheRest)
{
    // The cut falls inside a two-byte character, which is dropped whole; the
    // text after byte 259 (even a "Label:" in it) is not a line of its own.
    std::string password = std::string(259 - 9 - 1, 'p') + "\xC3\xA9" + std::string(40, 'q') + "Label:Evil:";
    SiteFileContents contents = Parse("Label:L\r\nServer:s.example.com\r\nUsername:u\r\nPassword:" + password + "\r\n");
    ASSERT_EQ(contents.records.size(), 1u);
    EXPECT_EQ(contents.records[0].password, std::wstring(249, L'p'));
    std::vector<std::string> lines = SplitInBlocks(std::string(1000, 'z') + "\nshort", 300);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 259u);
    EXPECT_EQ(lines[1], "short");
}

TEST(SiteFile, KeysAreExactAndCaseSensitive)
{
    SiteFileContents contents = Parse(
        "label:lower\r\nLabel:Real\r\nserver:wrong.example.com\r\nServer:right.example.com\r\n"
        "UserName:wrong\r\nUsername:first\r\nUsername:second\r\n Password:x\r\nNoColonHere\r\n"
        "RemP:1\r\nRemP: 1\r\n");
    ASSERT_EQ(contents.records.size(), 1u);
    const SiteFileRecord& record = contents.records[0];
    EXPECT_EQ(record.label, L"Real");
    EXPECT_EQ(record.server, L"right.example.com");
    EXPECT_EQ(record.userName, L"second") << "a later line replaces an earlier one";
    EXPECT_EQ(record.password, L"");
    EXPECT_FALSE(record.rememberPassword) << "only the exact text 1 is true";
}

TEST(SiteFile, BooleansAreTrueOnlyForOne)
{
    const char* texts[] = {"1", "0", "true", "01", "2", "1 ", "", "yes"};
    for (const char* text : texts) {
        SiteFileContents contents =
            Parse(std::string("Label:L\nServer:s.example.com\nUsername:u\nUseExplicitSSL:") + text + "\n");
        ASSERT_EQ(contents.records.size(), 1u);
        EXPECT_EQ(contents.records[0].explicitTls, std::string(text) == "1") << text;
    }
}

TEST(SiteFile, LinesBeforeTheFirstLabelFillNoRecord)
{
    SiteFileContents contents = Parse("Server:orphan.example.com\r\nUsername:orphan\r\nPassword:lost\r\n"
                                      "Label:Kept\r\nServer:kept.example.com\r\nUsername:k\r\n");
    EXPECT_EQ(contents.unreadableRecords, 0u);
    ASSERT_EQ(contents.records.size(), 1u);
    EXPECT_EQ(contents.records[0].password, L"");
}

TEST(SiteFile, IncompleteRecordsAreDroppedAndCounted)
{
    SiteFileContents contents = Parse("Label:NoServer\r\nUsername:u\r\n"
                                      "Label:\r\nServer:s.example.com\r\nUsername:u\r\n"
                                      "Label:NoUser\r\nServer:s.example.com\r\n"
                                      "Label:Good\r\nServer:s.example.com\r\nUsername:u\r\n"
                                      "Label:Bad\\Nested\r\nServer:s.example.com\r\nUsername:u\r\n"
                                      "Label:Bad/Slash\r\nServer:s.example.com\r\nUsername:u\r\n"
                                      "Label:BadServer\r\nServer:s\\x\r\nUsername:u\r\n");
    EXPECT_EQ(contents.unreadableRecords, 6u);
    ASSERT_EQ(contents.records.size(), 1u);
    EXPECT_EQ(contents.records[0].label, L"Good");
}

TEST(SiteFile, DomainJoinsTheUserNameOfItsOwnRecordOnly)
{
    SiteFileContents contents = Parse("Label:A\r\nDomain:CORP\r\nServer:a.example.com\r\nUsername:anna\r\n"
                                      "Label:B\r\nServer:b.example.com\r\nUsername:bob\r\n"
                                      "Label:C\r\nServer:c.example.com\r\nUsername:carl\r\nDomain:\r\n"
                                      "Label:D\r\nServer:d.example.com\r\nUsername:dora\r\ndomain:X\r\n");
    ASSERT_EQ(contents.records.size(), 4u);
    EXPECT_EQ(contents.records[0].userName, L"CORP\\anna");
    EXPECT_EQ(contents.records[1].userName, L"bob");
    EXPECT_EQ(contents.records[2].userName, L"carl");
    EXPECT_EQ(contents.records[3].userName, L"dora");

    // Domain and user together stay within what the registry reads back.
    std::string longName(200, 'n');
    SiteFileContents joined = Parse("Label:E\nServer:e.example.com\nUsername:" + longName + "\nDomain:" + longName);
    ASSERT_EQ(joined.records.size(), 1u);
    EXPECT_EQ(joined.records[0].userName.size(), 259u);
}

TEST(SiteFile, ValuesEndAtANulByte)
{
    SiteFileContents contents = Parse(std::string("Label:A\0B\nServer:s.example.com\nUsername:u\0v\n", 44));
    ASSERT_EQ(contents.records.size(), 1u);
    EXPECT_EQ(contents.records[0].label, L"A");
    EXPECT_EQ(contents.records[0].userName, L"u");
}

TEST(SiteFile, FileWithoutLabelLineHasNoSites)
{
    SiteFileContents contents = Parse("Server:s.example.com\r\nUsername:u\r\n");
    EXPECT_FALSE(contents.hasLabelLine);
    EXPECT_TRUE(contents.records.empty());
    EXPECT_EQ(contents.unreadableRecords, 0u);
}

TEST(SiteFile, RememberedUnprotectedAnswerIsOneMoreLineOnlyWhenStored)
{
    SiteFileRecord asks = Site(L"A", L"a.example.com", L"u");
    SiteFileRecord allows = Site(L"B", L"b.example.com", L"u");
    allows.unprotectedLogin = UnprotectedLogin::Allow;
    SiteFileRecord refuses = Site(L"C", L"c.example.com", L"u");
    refuses.unprotectedLogin = UnprotectedLogin::Refuse;
    std::string eleven = WideToUtf8(FormatSiteRecord(asks));
    EXPECT_EQ(eleven.find("AllowUnprotected"), std::string::npos) << "a site that asks writes what older files hold";
    std::string allowing = WideToUtf8(FormatSiteRecord(allows));
    EXPECT_EQ(allowing.substr(allowing.size() - 20), "AllowUnprotected:1\r\n");
    std::string refusing = WideToUtf8(FormatSiteRecord(refuses));
    EXPECT_EQ(refusing.substr(refusing.size() - 20), "AllowUnprotected:0\r\n");

    SiteFileContents contents = Parse(allowing + eleven + refusing);
    ASSERT_EQ(contents.records.size(), 3u);
    EXPECT_EQ(contents.records[0], allows);
    EXPECT_EQ(contents.records[1], asks) << "the answer stays with its own record";
    EXPECT_EQ(contents.records[2], refuses);

    // Anything but the two texts asks again, as does a lower-case key.
    for (const char* line : {"AllowUnprotected:yes", "AllowUnprotected:1 ", "AllowUnprotected:", "allowunprotected:1"}) {
        SiteFileContents odd = Parse(std::string("Label:L\nServer:s.example.com\nUsername:u\n") + line + "\n");
        ASSERT_EQ(odd.records.size(), 1u);
        EXPECT_EQ(odd.records[0].unprotectedLogin, UnprotectedLogin::Ask) << line;
    }
    SiteFileContents later = Parse("Label:L\nServer:s.example.com\nUsername:u\nAllowUnprotected:1\nAllowUnprotected:0\n");
    ASSERT_EQ(later.records.size(), 1u);
    EXPECT_EQ(later.records[0].unprotectedLogin, UnprotectedLogin::Refuse) << "a later line replaces an earlier one";
}
