// When a transfer redraws its progress, and what the detail line says.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "ftp/TransferProgress.h"

namespace {

struct Redraw {
    uint64_t moved;
    double fraction;
};

// Feeds the blocks and keeps every redraw.
std::vector<Redraw> Redraws(uint64_t expected, const std::vector<uint64_t>& blocks)
{
    TransferProgress progress(expected);
    std::vector<Redraw> redraws;
    for (uint64_t block : blocks) {
        if (progress.Add(block))
            redraws.push_back({progress.Moved(), progress.Fraction()});
    }
    return redraws;
}

std::vector<uint64_t> EvenBlocks(uint64_t total, uint64_t block)
{
    std::vector<uint64_t> blocks;
    for (uint64_t done = 0; done < total; done += block)
        blocks.push_back(std::min(block, total - done));
    return blocks;
}

}  // namespace

TEST(TransferProgress, SmallFilesRedrawAfterEveryBlockWithTheBytesMoved)
{
    // 50000 bytes in 1 KiB blocks: steps of about 2%.
    std::vector<Redraw> redraws = Redraws(50000, EvenBlocks(50000, 1024));
    ASSERT_EQ(redraws.size(), 49u);
    EXPECT_NEAR(redraws[0].fraction, 1024.0 / 50000, 1e-12);
    EXPECT_NEAR(redraws[1].fraction - redraws[0].fraction, 0.02048, 1e-12);
    EXPECT_DOUBLE_EQ(redraws.back().fraction, 1.0);

    // Just under 100 KiB still counts as small; blocks of any size are drawn.
    redraws = Redraws(102399, {1, 70000, 32398});
    ASSERT_EQ(redraws.size(), 3u);
    EXPECT_EQ(redraws[1].moved, 70001u);
}

TEST(TransferProgress, LargeFilesRedrawOnlyOnceMoreThanOnePercentHasMoved)
{
    // 10 MB in 1 KiB blocks: about every 98 blocks.
    std::vector<Redraw> redraws = Redraws(10000000, EvenBlocks(10000000, 1024));
    EXPECT_GE(redraws.size(), 95u);
    EXPECT_LE(redraws.size(), 100u);
    EXPECT_EQ(redraws[0].moved, 98u * 1024);

    // Exactly 1% is not yet more than 1%.
    redraws = Redraws(102400, {1024, 1024});
    ASSERT_EQ(redraws.size(), 1u);
    EXPECT_EQ(redraws[0].moved, 2048u);

    // Blocks larger than 1% redraw every block; 256 MiB in 256 KiB blocks
    // every eleventh.
    EXPECT_EQ(Redraws(20u << 20, EvenBlocks(20u << 20, 256 << 10)).size(), 80u);
    redraws = Redraws(256u << 20, EvenBlocks(256u << 20, 256 << 10));
    EXPECT_EQ(redraws[0].moved, 11u * (256 << 10));
    EXPECT_EQ(redraws.size(), 93u);
}

TEST(TransferProgress, RandomBlocksNeverRedrawMoreOftenThanEveryPercent)
{
    std::mt19937_64 random(7);
    const uint64_t expected = 7777777;
    std::uniform_int_distribution<uint64_t> blockSize(1, 300000);
    std::vector<uint64_t> blocks;
    uint64_t total = 0;
    while (total < expected) {
        blocks.push_back(std::min(blockSize(random), expected - total));
        total += blocks.back();
    }
    std::vector<Redraw> redraws = Redraws(expected, blocks);
    uint64_t previous = 0;
    for (const Redraw& redraw : redraws) {
        EXPECT_GT((redraw.moved - previous) * 100, expected);
        // No gap longer than 1% plus the largest block.
        EXPECT_LE(redraw.moved - previous, expected / 100 + 1 + 300000);
        EXPECT_DOUBLE_EQ(redraw.fraction, static_cast<double>(redraw.moved) / expected);
        previous = redraw.moved;
    }
    EXPECT_LE(expected - previous, expected / 100 + 300000);
}

TEST(TransferProgress, UnknownSizeShowsZeroAndExtraBytesGoPastOne)
{
    std::vector<Redraw> redraws = Redraws(0, {10, 20});
    ASSERT_EQ(redraws.size(), 2u);
    EXPECT_EQ(redraws[1].fraction, 0.0);
    EXPECT_EQ(redraws[1].moved, 30u);

    redraws = Redraws(100, {150});
    ASSERT_EQ(redraws.size(), 1u);
    EXPECT_DOUBLE_EQ(redraws[0].fraction, 1.5);
}

TEST(TransferProgress, StatusTextShowsTheCappedPercentage)
{
    EXPECT_EQ(TransferStatusText(L"/pub/a.bin", 0.0), L"/pub/a.bin:  0%");
    EXPECT_EQ(TransferStatusText(L"a.bin", 0.426), L"a.bin: 43%");
    EXPECT_EQ(TransferStatusText(L"a.bin", 1.5), L"a.bin: 100%");
    EXPECT_EQ(TransferStatusText(L"\u00e9t\u00e9.txt", 0.07), L"\u00e9t\u00e9.txt:  7%");
}
