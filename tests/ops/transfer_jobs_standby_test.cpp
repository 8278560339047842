// A standby that begins in the middle of a download: the transfer stops, the
// job logs in again after the wake-up, continues after the bytes it has and
// the file arrives whole.
#include <gtest/gtest.h>

#include "ftp/TransferTestSupport.h"
#include "ops/DownloadJob.h"
#include "ops/JobTestSupport.h"
#include "ops/Standby.h"
#include "support/ScriptedPrompt.h"
#include "support/ServedFiles.h"

namespace {

// Goes to standby a few progress draws into the big file, and wakes up at
// the first wait the job makes while the flag is set.
class StandbyDuringDownload : public RecordingContext {
public:
    void SetStatus(const std::wstring& text, int line) override
    {
        RecordingContext::SetStatus(text, line);
        if (text == L"Downloading remote file: /big.bin")
            armed_ = true;
    }
    void SetProgress(double fraction) override
    {
        RecordingContext::SetProgress(fraction);
        if (armed_ && !slept_ && ++draws_ == 5)
            Standby().Begin();
    }
    NetResult Sleep(uint32_t milliseconds) override
    {
        if (Standby().Active()) {
            slept_ = true;
            Standby().End();
        }
        return NullTaskContext::Sleep(std::min<uint32_t>(milliseconds, 10));
    }

    bool slept_ = false;

private:
    bool armed_ = false;
    int draws_ = 0;
};

}  // namespace

TEST(Standby, ADownloadInterruptedByStandbyIsFetchedAgainAfterTheWakeUp)
{
    RealFtpServer server(RealFtpServer::Kind::Pyftpdlib);
    ASSERT_TRUE(server.Started()) << server.Error();
    const std::string data = RandomBytes(20 << 20, 9);
    MakeServedFile(server.RootPath(L"/big.bin"), data, WholeMinuteNow());
    CapturedLog log;
    DirectConnection connection(JobLoginFor(server), {});
    ASSERT_EQ(connection.Open(NullContext()), NetResult::Ok) << log.All();

    ScratchFolder local;
    WriteWholeFile(local.File(L"big.bin"), "older");
    ScriptedPrompt prompt{{true}};
    StandbyDuringDownload context;
    EXPECT_EQ(DownloadSelection(context, connection, prompt, {L"big.bin"}, local.Path()), NetResult::Ok) << log.All();
    EXPECT_TRUE(context.slept_) << "the standby happened";
    EXPECT_FALSE(Standby().Active());
    std::string back = ReadWholeFile(local.File(L"big.bin"));
    EXPECT_EQ(back.size(), data.size());
    EXPECT_EQ(ContentHash(back), ContentHash(data));
    size_t logins = 0;
    for (const auto& line : log.lines)
        logins += line.text == L"Response:  230 Login successful." ? 1 : 0;
    EXPECT_EQ(logins, 2u) << "one log-in after the wake-up";
    EXPECT_TRUE(log.ContainsPart(L"Continuing the download of /big.bin after ")) << log.All();
    bool reconnecting = false;
    for (const auto& [line, text] : context.statuses)
        reconnecting |= text == L"Reconnecting to Server...";
    EXPECT_TRUE(reconnecting);
    EXPECT_EQ(ReadTree(local.Path()).size(), 1u) << "no part file stays";
}
