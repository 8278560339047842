// tarnwick-cli ls, mkdir, rmdir, rm, mv, rmtree, cd and pwd end to end.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/CliRun.h"
#include "ftp/RemoteTime.h"
#include "net/TextCodec.h"
#include "support/ScriptedFtpServer.h"
#include "support/ServedFiles.h"
#include "support/TestLog.h"

TEST(CliRemote, LsPrintsNameSizeKindTimeAndPermissions)
{
    // pyftpdlib lists with MLSD, whose times are UTC like the printed ones.
    RealFtpServer server(RealFtpServer::Kind::Pyftpdlib);
    ASSERT_TRUE(server.Started()) << server.Error();
    int64_t modified = *UtcTimeToSeconds({2021, 3, 4, 5, 6, 7});
    MakeServedFile(server.RootPath(L"/caf\u00e9 list.txt"), std::string(321, 'c'), modified);
    MakeServedFolder(server.RootPath(L"/sub"));
    MakeServedFile(server.RootPath(L"/sub/inner.bin"), "12345", modified);
    SetModifiedTime(server.RootPath(L"/sub"), modified);

    ProcessResult run = Cli({L"ls", UrlOf(server)});
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(Has(run, "caf\xc3\xa9 list.txt\t321\tfile\t2021-03-04T05:06:07Z\t-")) << run.output;
    EXPECT_TRUE(Has(run, "sub\t")) << run.output;
    EXPECT_TRUE(Has(run, "\tfolder\t2021-03-04T05:06:07Z")) << run.output;

    run = Cli({L"ls", UrlOf(server), L"sub"});
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(Has(run, "inner.bin\t5\tfile\t2021-03-04T05:06:07Z")) << run.output;
    EXPECT_FALSE(Has(run, "caf\xc3\xa9")) << run.output;

    run = Cli({L"ls", UrlOf(server), L"no such folder"});
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    EXPECT_TRUE(Has(run, "cannot change to the remote folder no such folder")) << run.output;
}

TEST(CliRemote, LsShowsUnixPermissionsAndLinksFromList)
{
    RealFtpServer server(RealFtpServer::Kind::Vsftpd, RealFtpServer::Tls::Explicit);
    ASSERT_TRUE(server.Started()) << server.Error();
    MakeServedFile(server.RootPath(L"/-dash.txt"), "dash", WholeMinuteNow());
    ASSERT_TRUE(server.MakeSymlink("latest", "-dash.txt"));
    server.TakeOwnership();
    ProcessResult run = Cli({L"ls", L"ftpes://" + server.User() + L":" + server.Password() + L"@" + server.HostText()});
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(Has(run, "-dash.txt\t4\tfile\t")) << run.output;
    EXPECT_TRUE(Has(run, "\t-rw-r--r--")) << run.output;
    EXPECT_TRUE(Has(run, "latest -> -dash.txt\t9\tlink\t")) << run.output;
    EXPECT_TRUE(Has(run, "\tlrwxrwxrwx")) << run.output;
}

TEST(CliRemote, FolderAndFileCommands)
{
    RealFtpServer server(RealFtpServer::Kind::Vsftpd);
    ASSERT_TRUE(server.Started()) << server.Error();
    MakeServedFile(server.RootPath(L"/a.txt"), "moving", WholeMinuteNow());
    MakeServedFolder(server.RootPath(L"/start"));
    server.TakeOwnership();
    std::wstring url = UrlOf(server);

    ProcessResult run = Cli({L"mkdir", url, L"new dir"});
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(PathExists(server.RootPath(L"/new dir")));

    run = Cli({L"cd", url, L"new dir"});
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(Has(run, "\n/new dir\r\n")) << run.output;
    run = Cli({L"cd", url, L"/no/such/folder"});
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    EXPECT_TRUE(Has(run, "Response:  550")) << run.output;

    run = Cli({L"pwd", url});
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(Has(run, "\n/\r\n")) << run.output;
    run = Cli({L"pwd", UrlOf(server, L"/start")});
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(Has(run, "\n/start\r\n")) << run.output;

    run = Cli({L"mv", url, L"a.txt", L"new dir/b.txt"});
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(ReadWholeFile(server.RootPath(L"/new dir/b.txt")), "moving");
    run = Cli({L"rmdir", url, L"new dir"});
    EXPECT_EQ(run.exitCode, 1u) << "not empty: " << run.output;
    run = Cli({L"rm", url, L"new dir/b.txt"});
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_FALSE(PathExists(server.RootPath(L"/new dir/b.txt")));
    run = Cli({L"rm", url, L"new dir/b.txt"});
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    EXPECT_TRUE(Has(run, "cannot delete the file new dir/b.txt")) << run.output;
    run = Cli({L"rmdir", url, L"new dir"});
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_FALSE(PathExists(server.RootPath(L"/new dir")));

    run = Cli({L"mkdir", url});
    EXPECT_EQ(run.exitCode, 2u) << run.output;
    EXPECT_TRUE(Has(run, "usage: tarnwick-cli mkdir URL|LABEL PATH")) << run.output;
}

TEST(CliRemote, RmtreeDeletesEverythingBelowAndShowsEachFile)
{
    RealFtpServer server(RealFtpServer::Kind::Pyftpdlib);
    ASSERT_TRUE(server.Started()) << server.Error();
    int64_t now = WholeMinuteNow();
    MakeServedFolder(server.RootPath(L"/base"));
    MakeServedFolder(server.RootPath(L"/base/tree"));
    MakeServedFile(server.RootPath(L"/base/tree/x.txt"), "x", now);
    MakeServedFolder(server.RootPath(L"/base/tree/deeper"));
    MakeServedFile(server.RootPath(L"/base/tree/deeper/y.txt"), "y", now);

    ProcessResult run = Cli({L"rmtree", UrlOf(server, L"/base"), L"tree"});
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_FALSE(PathExists(server.RootPath(L"/base/tree")));
    EXPECT_TRUE(PathExists(server.RootPath(L"/base")));
    EXPECT_TRUE(Has(run, "Deleting /base/tree/x.txt")) << run.output;
    EXPECT_TRUE(Has(run, "Deleting /base/tree/deeper/y.txt")) << run.output;
    EXPECT_TRUE(Has(run, "100%")) << run.output;
}

TEST(CliRemote, AUrlThatWouldSmuggleACommandIsRefusedBeforeConnecting)
{
    ScriptedFtpServer server;  // never started: a connection would wait in its queue
    ProcessResult run = Cli({L"ls", L"ftp://u:p@" + server.HostText() + L"/a%0D%0ADELE%20x"});
    ASSERT_TRUE(run.started);
    EXPECT_NE(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(Has(run, "is not a server URL: the path holds a line break or NUL character (%0D, %0A or %00)"))
        << run.output;
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    EXPECT_FALSE(server.ConnectionWaiting());
}
