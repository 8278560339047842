#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ui/RemoteFolderNames.h"

namespace {

using Cases = std::vector<std::pair<std::wstring, std::wstring>>;  // folder, expected

}  // namespace

TEST(RemoteParent, CutsAtTheLastSeparatorAndEndsAtTheRoot)
{
    const Cases cases = {
        {L"/pub/docs", L"/pub"}, {L"/pub/docs/", L"/pub"}, {L"/pub\\docs", L"/pub"}, {L"/a/b/c", L"/a/b"},
        {L"/pub", L"/"},         {L"/pub/", L"/"},         {L"/", L"/"},             {L"pub", L"/"},
        {L"", L"/"},
    };
    for (const auto& [folder, parent] : cases)
        EXPECT_EQ(RemoteParent(folder), parent) << std::string(folder.begin(), folder.end());
}

TEST(FolderLeftByUp, IsTheLastComponent)
{
    const Cases cases = {{L"/pub/docs", L"docs"}, {L"/pub/docs/", L"docs"}, {L"C:\\data", L"data"}, {L"pub", L"pub"}};
    for (const auto& [folder, name] : cases)
        EXPECT_EQ(FolderLeftByUp(folder), name) << std::string(folder.begin(), folder.end());
}
