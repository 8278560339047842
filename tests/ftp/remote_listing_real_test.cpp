// Folder listings of one tree through vsftpd (LIST) and pyftpdlib (MLSD),
// plain and protected.
#include <gtest/gtest.h>

#include <map>

#include "ftp/Login.h"
#include "ftp/RemoteCommands.h"
#include "ftp/RemoteListing.h"
#include "ftp/RemoteNames.h"
#include "ftp/RemoteTime.h"
#include "support/RealFtpServer.h"
#include "support/ServedFiles.h"
#include "support/TestLog.h"

namespace {

using Kind = RealFtpServer::Kind;
using Tls = RealFtpServer::Tls;

struct Expected {
    uint64_t size;
    bool isFolder;
    int64_t modified;
};

constexpr int kManyFiles = 2000;

// The tree every server gets, and what a listing must say about it.
class ServedTree {
public:
    ServedTree() : recent_(WholeMinuteNow() - 10 * 86400), old_(*UtcTimeToSeconds({2020, 5, 17, 0, 0, 0})) {}

    void Build(RealFtpServer& server) const
    {
        for (const auto& [name, file] : TopFiles())
            MakeServedFile(server.RootPath(L"/" + name), std::string(file.size, 'x'), file.modified);
        MakeServedFolder(server.RootPath(L"/sub dir"));
        MakeServedFile(server.RootPath(L"/sub dir/inner.txt"), "inner", old_);
        SetModifiedTime(server.RootPath(L"/sub dir"), recent_);
        ASSERT_TRUE(server.MakeSymlink("link-to-plain", "plain.txt"));
        server.TakeOwnership();
    }

    void BuildMany(RealFtpServer& server) const
    {
        MakeServedFolder(server.RootPath(L"/many"));
        for (const auto& [name, file] : ManyFiles())
            MakeServedFile(server.RootPath(L"/many/" + name), std::string(file.size, 'm'), file.modified);
        SetModifiedTime(server.RootPath(L"/many"), old_);
    }

    std::map<std::wstring, Expected> TopFiles() const
    {
        return {{L"plain.txt", {10, false, recent_}},
                {L"name with  spaces.txt", {0, false, old_}},
                {L"-leading dash", {123, false, recent_}},
                {L"caf\u00e9 \u65e5\u672c \U0001F600.txt", {7, false, old_}}};
    }
    std::map<std::wstring, Expected> ManyFiles() const
    {
        std::map<std::wstring, Expected> files;
        for (int i = 0; i < kManyFiles; ++i) {
            wchar_t name[16];
            swprintf(name, 16, L"f%04d", i);
            files[name] = {static_cast<uint64_t>(i % 17), false, old_};
        }
        return files;
    }
    int64_t Recent() const { return recent_; }
    int64_t Old() const { return old_; }

private:
    int64_t recent_;
    int64_t old_;
};

struct ServerCase {
    Kind kind;
    Tls tls;
};

std::string CaseName(const ServerCase& c)
{
    return std::string(RealFtpServer::Name(c.kind)) + (c.tls == Tls::None ? "Plain" : "Tls");
}

class RealListing : public ::testing::TestWithParam<ServerCase> {
protected:
    void SetUp() override
    {
        server = std::make_unique<RealFtpServer>(GetParam().kind, GetParam().tls);
        ASSERT_TRUE(server->Started()) << server->Error();
        ASSERT_NO_FATAL_FAILURE(tree.Build(*server));
        LoginRequest request{server->HostText(), server->User(), server->Password(), GetParam().tls != Tls::None,
                             false};
        ASSERT_EQ(Login(NullContext(), session, request, {}), NetResult::Ok) << log.All();
    }
    // vsftpd lists GMT times; the client reads LIST times as local ones.
    int64_t AsListed(int64_t utc) const
    {
        if (GetParam().kind != Kind::Vsftpd)
            return utc;
        return *LocalTimeToSeconds(SecondsToUtcTime(utc));
    }
    void ExpectEntries(const RemoteListing& listing, const std::map<std::wstring, Expected>& expected)
    {
        std::map<std::wstring, const RemoteEntry*> byName;
        for (const RemoteEntry& entry : listing.entries)
            byName[entry.name] = &entry;
        for (const auto& [name, want] : expected) {
            auto found = byName.find(name);
            ASSERT_NE(found, byName.end()) << "missing: " << testing::PrintToString(name);
            const RemoteEntry& entry = *found->second;
            EXPECT_TRUE(entry.hasSize && entry.hasKind && entry.hasModified);
            EXPECT_EQ(entry.size, want.size) << testing::PrintToString(name);
            EXPECT_EQ(entry.isFolder, want.isFolder) << testing::PrintToString(name);
            EXPECT_FALSE(entry.isLink);
            EXPECT_EQ(entry.modified, AsListed(want.modified)) << testing::PrintToString(name);
        }
    }

    ServedTree tree;
    std::unique_ptr<RealFtpServer> server;
    FtpSession session;
    CapturedLog log;
};

}  // namespace

TEST_P(RealListing, TheTreeIsListedWithItsNamesSizesKindsAndTimes)
{
    RemoteListing listing;
    ASSERT_EQ(ListRemoteFolder(NullContext(), session, listing), NetResult::Ok) << log.All();
    EXPECT_TRUE(listing.succeeded);
    EXPECT_EQ(listing.count, listing.entries.size());
    // Four files, a folder and the link; no "." or "..".
    EXPECT_EQ(listing.count, 6u);
    ExpectEntries(listing, tree.TopFiles());

    auto folder = std::find_if(listing.entries.begin(), listing.entries.end(),
                               [](const RemoteEntry& e) { return e.name == L"sub dir"; });
    ASSERT_NE(folder, listing.entries.end());
    EXPECT_TRUE(folder->isFolder && !folder->isLink);
    EXPECT_EQ(folder->modified, AsListed(tree.Recent()));
    if (GetParam().kind == Kind::Vsftpd) {
        // LIST shows the link itself: its own name, the target, the link kind.
        auto link = std::find_if(listing.entries.begin(), listing.entries.end(),
                                 [](const RemoteEntry& e) { return e.name == L"link-to-plain -> plain.txt"; });
        ASSERT_NE(link, listing.entries.end());
        EXPECT_TRUE(link->isLink);
        EXPECT_EQ(OwnName(*link), L"link-to-plain");
        EXPECT_EQ(link->permissions, L"lrwxrwxrwx");
    } else {
        // pyftpdlib's MLSD follows links and reports the target.
        ExpectEntries(listing, {{L"link-to-plain", {10, false, tree.Recent()}}});
    }
}

TEST_P(RealListing, AFolderOfTwoThousandEntries)
{
    tree.BuildMany(*server);
    ASSERT_EQ(ChangeRemoteFolder(NullContext(), session, L"many"), NetResult::Ok);
    RemoteListing listing;
    ASSERT_EQ(ListRemoteFolder(NullContext(), session, listing), NetResult::Ok) << log.All();
    EXPECT_EQ(listing.count, static_cast<size_t>(kManyFiles));
    ExpectEntries(listing, tree.ManyFiles());
}

TEST_P(RealListing, FindRemoteEntryComparesNamesExactly)
{
    NullTaskContext context;
    EXPECT_TRUE(FindRemoteEntry(context, session, L"plain.txt"));
    EXPECT_TRUE(FindRemoteEntry(context, session, L"caf\u00e9 \u65e5\u672c \U0001F600.txt"));
    EXPECT_FALSE(FindRemoteEntry(context, session, L"PLAIN.TXT"));
    EXPECT_FALSE(FindRemoteEntry(context, session, L"plain"));
    EXPECT_FALSE(FindRemoteEntry(context, session, L""));
}

INSTANTIATE_TEST_SUITE_P(Servers, RealListing,
                         ::testing::Values(ServerCase{Kind::Vsftpd, Tls::None}, ServerCase{Kind::Vsftpd, Tls::Explicit},
                                           ServerCase{Kind::Pyftpdlib, Tls::None},
                                           ServerCase{Kind::Pyftpdlib, Tls::Explicit}),
                         [](const auto& info) { return CaseName(info.param); });
