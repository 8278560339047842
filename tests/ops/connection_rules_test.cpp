#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ops/ConnectionPrompts.h"
#include "ops/RemoteFolderHistory.h"
#include "ops/RemoteNavigation.h"
#include "ops/RemoteRow.h"

TEST(RemoteFolderHistory, NewestFirstAndTheOldestFallsOut)
{
    RemoteFolderHistory history;
    EXPECT_EQ(history.At(0), L"");
    for (int i = 1; i <= 12; ++i)
        history.Push(L"/f" + std::to_wstring(i));
    EXPECT_EQ(history.Position(), 0u);
    EXPECT_EQ(history.At(0), L"/f12");
    EXPECT_EQ(history.At(RemoteFolderHistory::kSize - 1), L"/f3");

    // Back two steps, then a new folder: the two newer ones are dropped.
    history.SetPosition(2);
    history.Push(L"/new");
    EXPECT_EQ(history.Position(), 0u);
    EXPECT_EQ(history.At(0), L"/new");
    EXPECT_EQ(history.At(1), L"/f10");
    EXPECT_EQ(history.At(2), L"/f9");
    EXPECT_EQ(history.At(8), L"/f3");
    EXPECT_EQ(history.At(9), L"");

    history.SetPosition(50);
    EXPECT_EQ(history.Position(), RemoteFolderHistory::kSize - 1);
    history.Clear();
    EXPECT_EQ(history.At(0), L"");
    EXPECT_EQ(history.Position(), 0u);
    EXPECT_THROW(history.At(RemoteFolderHistory::kSize), std::out_of_range);
}

TEST(RemoteNavigation, UpCutsAtTheLastSeparatorAndEndsAtTheRoot)
{
    const std::vector<std::pair<std::wstring, std::wstring>> parents = {
        {L"/pub/docs", L"/pub"}, {L"/pub/docs/", L"/pub"}, {L"/pub\\docs", L"/pub"}, {L"/a/b/c", L"/a/b"},
        {L"/pub", L"/"},         {L"/pub/", L"/"},         {L"/", L"/"},              {L"pub", L"/"},
        {L"", L"/"},             {L"C:\\data\\in", L"C:\\data"},
    };
    for (const auto& [folder, parent] : parents)
        EXPECT_EQ(RemoteParentFolder(folder), parent) << std::string(folder.begin(), folder.end());
    const std::vector<std::pair<std::wstring, std::wstring>> left = {
        {L"/pub/docs", L"docs"}, {L"/pub/docs/", L"docs"}, {L"C:\\data", L"data"}, {L"pub", L"pub"}, {L"/", L""}};
    for (const auto& [folder, name] : left)
        EXPECT_EQ(RemoteFolderName(folder), name) << std::string(folder.begin(), folder.end());
}

TEST(RemoteFolderHistory, BackAndForwardStopAtTheEnds)
{
    RemoteFolderHistory history;
    EXPECT_FALSE(history.CanBack());  // nothing stored
    EXPECT_FALSE(history.Back());
    EXPECT_FALSE(history.Forward());
    history.Push(L"/a");
    EXPECT_FALSE(history.Back());  // the older entry is empty
    history.Push(L"/b");
    history.Push(L"/c");
    EXPECT_FALSE(history.CanForward());
    EXPECT_TRUE(history.Back());
    EXPECT_TRUE(history.Back());
    EXPECT_EQ(history.At(history.Position()), L"/a");
    EXPECT_FALSE(history.Back());
    EXPECT_EQ(history.Position(), 2u);
    EXPECT_TRUE(history.Forward());
    EXPECT_TRUE(history.Forward());
    EXPECT_EQ(history.At(history.Position()), L"/c");
    EXPECT_FALSE(history.Forward());
    EXPECT_EQ(history.Position(), 0u);

    for (int i = 0; i < 12; ++i)
        history.Push(L"/f" + std::to_wstring(i));
    while (history.Back()) {
    }
    EXPECT_EQ(history.Position(), RemoteFolderHistory::kSize - 1);  // a full history ends at its last entry
}

TEST(RemoteRowName, TrailingSlashIsCutFromLongerNamesOnly)
{
    EXPECT_EQ(RemoteRowName(L"dir/"), L"dir");
    EXPECT_EQ(RemoteRowName(L"/"), L"/");
    EXPECT_EQ(RemoteRowName(L"a b.txt"), L"a b.txt");
    EXPECT_EQ(RemoteRowName(std::wstring(300, L'x')).size(), 259u);
    EXPECT_EQ(RemoteRowName(std::wstring(259, L'x') + L"/"), std::wstring(259, L'x'));
    EXPECT_EQ(RemoteRowName(L""), L"");
}

TEST(ConnectionPrompts, DropWordingNamesTheSiteAndUser)
{
    PromptQuestion reconnect = DropQuestion(DropWording::Reconnect, L"Home", L"alice");
    EXPECT_EQ(reconnect.caption, L"Reconnect Confirm");
    EXPECT_EQ(reconnect.text, L"You are currently connected to Home, do you wish to reconnect?");
    EXPECT_EQ(reconnect.acceptButton, L"Reconnect");
    EXPECT_EQ(reconnect.declineButton, L"Cancel");

    PromptQuestion disconnect = DropQuestion(DropWording::Disconnect, L"Home", L"alice");
    EXPECT_EQ(disconnect.caption, L"Disconnect Confirm");
    EXPECT_EQ(disconnect.text, L"You are connected to Home as alice.\nAre you sure you want to disconnect?");
    EXPECT_EQ(disconnect.acceptButton, L"Disconnect");
    EXPECT_EQ(disconnect.declineButton, L"Cancel");
}

TEST(ConnectionPrompts, StatusTexts)
{
    EXPECT_EQ(NotConnectedStatusText(), L"Not connected to FTP site");
    EXPECT_EQ(ConnectedStatusText(L"Home", L"ftp.example.com:2121", L"alice"),
              L"Connected to Home (ftp.example.com:2121) as alice");
}
