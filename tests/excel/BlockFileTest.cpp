#include "BlockFile.h"

#include "ExcelTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace {

using ExcelTest::TempDir;

std::vector<std::uint8_t> Block(std::uint8_t tag)
{
    return std::vector<std::uint8_t>(512, tag);
}

// The tag (first byte) of every block of the file.
std::vector<int> Tags(BlockFile& file)
{
    std::vector<int> tags;
    std::vector<std::uint8_t> buffer(512);
    for (std::uint32_t i = 0; i < file.BlockCount(); ++i) {
        EXPECT_TRUE(file.ReadBlock(i, buffer.data()));
        tags.push_back(buffer[0]);
    }
    return tags;
}

void Fill(BlockFile& file, int count)
{
    for (int i = 0; i < count; ++i)
        ASSERT_TRUE(file.WriteBlock(static_cast<std::uint32_t>(i), Block(static_cast<std::uint8_t>(i)).data()));
}

TEST(BlockFile, CreateEmptiesAndOpenCountsAPartialLastBlock)
{
    TempDir dir;
    const auto path = dir.Path("blocks.bin");
    std::ofstream(path, std::ios::binary) << std::string(1000, 'x');
    BlockFile file;
    ASSERT_TRUE(file.Open(path, BlockFile::ReadWrite));
    EXPECT_EQ(file.BlockCount(), 2u);
    std::vector<std::uint8_t> buffer(512, 0xEE);
    ASSERT_TRUE(file.ReadBlock(1, buffer.data()));
    EXPECT_EQ(buffer[487], 'x');
    EXPECT_EQ(buffer[488], 0);

    ASSERT_TRUE(file.Create(path));
    EXPECT_EQ(file.BlockCount(), 0u);
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST(BlockFile, InsertMoveAndSwapShiftTheRightBlocks)
{
    TempDir dir;
    BlockFile file;
    ASSERT_TRUE(file.Create(dir.Path("blocks.bin")));
    Fill(file, 4);
    ASSERT_TRUE(file.InsertBlock(2, Block(9).data()));
    EXPECT_EQ(Tags(file), (std::vector<int> {0, 1, 9, 2, 3}));
    ASSERT_TRUE(file.InsertBlock(5, Block(8).data())); // at the end: nothing moves
    EXPECT_EQ(Tags(file), (std::vector<int> {0, 1, 9, 2, 3, 8}));

    BlockFile five;
    ASSERT_TRUE(five.Create(dir.Path("five.bin")));
    Fill(five, 5);
    ASSERT_TRUE(five.MoveBlock(4, 1));
    EXPECT_EQ(Tags(five), (std::vector<int> {0, 4, 1, 2, 3}));
    ASSERT_TRUE(five.MoveBlock(1, 4));
    EXPECT_EQ(Tags(five), (std::vector<int> {0, 1, 2, 3, 4}));
    ASSERT_TRUE(five.SwapBlocks(0, 3));
    EXPECT_TRUE(five.SwapBlocks(2, 2));
    EXPECT_EQ(Tags(five), (std::vector<int> {3, 1, 2, 0, 4}));
    EXPECT_FALSE(five.SwapBlocks(1, 5));
    EXPECT_FALSE(five.MoveBlock(5, 0));
}

TEST(BlockFile, EraseClosesGapsIgnoresDuplicatesAndRefusesBlocksPastTheEnd)
{
    TempDir dir;
    const auto path = dir.Path("blocks.bin");
    BlockFile file;
    ASSERT_TRUE(file.Create(path));
    Fill(file, 5);
    ASSERT_TRUE(file.EraseBlocks({3, 1, 3}));
    EXPECT_EQ(Tags(file), (std::vector<int> {0, 2, 4}));
    EXPECT_EQ(std::filesystem::file_size(path), 3u * 512);

    // One bad number refuses the whole call, and nothing is cut.
    EXPECT_FALSE(file.EraseBlocks({0, 3}));
    EXPECT_EQ(Tags(file), (std::vector<int> {0, 2, 4}));
    EXPECT_EQ(std::filesystem::file_size(path), 3u * 512);

    ASSERT_TRUE(file.EraseBlocks({2}));
    ASSERT_TRUE(file.WriteBlock(file.BlockCount(), Block(7).data()));
    EXPECT_EQ(Tags(file), (std::vector<int> {0, 2, 7}));
}

TEST(BlockFile, OperationsOnAClosedOrReadOnlyFileFail)
{
    TempDir dir;
    BlockFile file;
    std::vector<std::uint8_t> buffer = Block(1);
    EXPECT_FALSE(file.ReadBlock(0, buffer.data()));
    EXPECT_FALSE(file.WriteBlock(0, buffer.data()));
    EXPECT_FALSE(file.InsertBlock(0, buffer.data()));
    EXPECT_FALSE(file.SwapBlocks(0, 0));
    EXPECT_FALSE(file.MoveBlock(0, 0));
    EXPECT_FALSE(file.EraseBlocks({}));
    EXPECT_FALSE(file.Open(dir.Path("missing.bin"), BlockFile::ReadWrite));
    EXPECT_FALSE(file.Create(dir.Path("no/such/folder/x.bin")));
    EXPECT_EQ(file.Close(), 1);

    ASSERT_TRUE(file.Create(dir.Path("ro.bin")));
    Fill(file, 2);
    file.Close();
    ASSERT_TRUE(file.Open(dir.Path("ro.bin"), BlockFile::Read));
    EXPECT_TRUE(file.ReadBlock(1, buffer.data()));
    EXPECT_FALSE(file.WriteBlock(0, buffer.data()));
    EXPECT_FALSE(file.EraseBlocks({0}));
    EXPECT_FALSE(file.ReadBlock(2, buffer.data()));
}

} // namespace
