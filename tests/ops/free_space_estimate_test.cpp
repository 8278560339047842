#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "ops/FreeSpaceEstimate.h"

namespace {

// A volume per folder whose free space the test changes behind the estimate.
struct Volumes {
    std::map<std::wstring, std::optional<uint64_t>> freeBytes;
    std::vector<std::wstring> asked;

    FreeSpaceEstimate Estimate()
    {
        return FreeSpaceEstimate([this](const std::wstring& folder) {
            asked.push_back(folder);
            return freeBytes[folder];
        });
    }
};

}  // namespace

TEST(FreeSpaceEstimate, AsksOncePerFolderAndCountsDownWhatArrives)
{
    Volumes volumes;
    volumes.freeBytes[L"C:\\t\\a"] = 10000;
    volumes.freeBytes[L"C:\\t\\b"] = 50000;
    FreeSpaceEstimate estimate = volumes.Estimate();
    EXPECT_EQ(estimate.RoomFor(L"C:\\t\\a", 4000), 10000u);
    estimate.Used(4000);
    EXPECT_EQ(estimate.RoomFor(L"C:\\t\\a", 4000), 6000u);
    estimate.Used(4000);
    EXPECT_EQ(volumes.asked.size(), 1u);

    EXPECT_EQ(estimate.RoomFor(L"C:\\t\\b", 4000), 50000u) << "another folder may be another volume";
    EXPECT_EQ(volumes.asked.size(), 2u);
}

TEST(FreeSpaceEstimate, AFileThatSeemsNotToFitIsMeasuredAgainstAFreshAnswer)
{
    Volumes volumes;
    volumes.freeBytes[L"C:\\t"] = 5000;
    FreeSpaceEstimate estimate = volumes.Estimate();
    EXPECT_EQ(estimate.RoomFor(L"C:\\t", 4000), 5000u);
    estimate.Used(4000);

    volumes.freeBytes[L"C:\\t"] = 900000;  // the user made room meanwhile
    EXPECT_EQ(estimate.RoomFor(L"C:\\t", 4000), 900000u);
    EXPECT_EQ(volumes.asked.size(), 2u);

    volumes.freeBytes[L"C:\\t"] = 100;  // and another program filled it
    estimate.Used(899000);
    EXPECT_EQ(estimate.RoomFor(L"C:\\t", 4000), 100u) << "a refusal rests on the system's answer";

    estimate.Used(5000);  // more arrived than was free: never below zero
    EXPECT_EQ(estimate.RoomFor(L"C:\\t", 0), 0u);
}

TEST(FreeSpaceEstimate, AVolumeThatCannotTellIsAskedEachTime)
{
    Volumes volumes;
    FreeSpaceEstimate estimate = volumes.Estimate();
    EXPECT_EQ(estimate.RoomFor(L"\\\\server\\share", 10), std::nullopt);
    EXPECT_EQ(estimate.RoomFor(L"\\\\server\\share", 10), std::nullopt);
    EXPECT_EQ(volumes.asked.size(), 2u);
}
