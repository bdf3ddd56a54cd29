#include "CompoundFile.h"

#include "ExcelTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

using ExcelTest::ContainerDump;
using ExcelTest::InspectContainer;
using ExcelTest::PatternBytes;
using ExcelTest::TempDir;

constexpr std::uint32_t kNone = 0xFFFFFFFF;
constexpr std::uint32_t kEnd = 0xFFFFFFFE;

// A new compound file and what each of its streams must hold. Every check
// is of what every reader of a writer-made file may rely on: olefile opens
// it strictly, every sector inside the file is in use, the streams hold what
// was written.
class CompoundFileTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(file.Create(path)); }

    void Make(std::initializer_list<const char*> streams)
    {
        for (const char* stream : streams) {
            ASSERT_EQ(file.MakeStream(stream), CompoundFile::Done) << stream;
            contents[stream] = {};
        }
    }
    // Writes `size` bytes of a fresh pattern into the stream.
    ContainerDump Write(const std::string& stream, std::size_t size)
    {
        contents[stream] = PatternBytes(size, ++writes);
        const std::u16string name(stream.begin(), stream.end());
        EXPECT_EQ(file.WriteStream(name, contents[stream]), CompoundFile::Done) << stream;
        return Verify();
    }
    ContainerDump Verify()
    {
        const ContainerDump dump = InspectContainer(path, contents);
        EXPECT_EQ(dump.error, "") << dump.raw;
        EXPECT_EQ(dump.fileSize % 512, 0u);
        EXPECT_EQ(dump.freeInside, 0u) << "free sectors left inside the file\n" << dump.raw;
        EXPECT_EQ(dump.markedFat, dump.fatSectors) << dump.raw;
        EXPECT_EQ(dump.markedDifat, dump.difatSectors) << dump.raw;
        for (const auto& [stream, bytes] : contents) {
            EXPECT_EQ(dump.streams.count(stream) ? dump.streams.at(stream) : "missing", "same") << stream;
            EXPECT_EQ(dump.streamSizes.count(stream) ? dump.streamSizes.at(stream) : 0, bytes.size()) << stream;
        }
        return dump;
    }

    TempDir dir;
    const std::string path = dir.File("file.cfb");
    CompoundFile file;
    std::map<std::string, std::vector<std::uint8_t>> contents;
    unsigned writes = 0;
};

TEST_F(CompoundFileTest, NewFileAndSmallStreamLayouts)
{
    EXPECT_EQ(std::filesystem::file_size(path), 1536u);
    ContainerDump dump = Verify();
    ASSERT_EQ(dump.entries.size(), 1u);
    EXPECT_EQ(dump.entries[0].name, "Root Entry");
    EXPECT_EQ(dump.entries[0].child, kNone);

    Make({"Workbook"});
    dump = Write("Workbook", 1000);
    // Container sectors 2 and 4 around the mini FAT in sector 3.
    EXPECT_EQ(dump.firstMiniFat, 3u);
    EXPECT_EQ(dump.Find("Root Entry")->start, 2u);
    EXPECT_EQ(dump.Find("Root Entry")->size, 1024u);
    EXPECT_EQ(dump.Find("Workbook")->start, 0u);
    EXPECT_EQ(dump.fileSize, 6u * 512);
    // 64 mini sectors in a container of 8 sectors.
    dump = Write("Workbook", 4095);
    EXPECT_EQ(dump.Find("Root Entry")->size, 4096u);
    EXPECT_EQ(dump.fileSize, (1u + 3 + 8) * 512);
    // Sectors from 2 on, no mini FAT.
    dump = Write("Workbook", 4096);
    EXPECT_EQ(dump.firstMiniFat, kEnd);
    EXPECT_EQ(dump.Find("Workbook")->start, 2u);
    EXPECT_EQ(dump.fileSize, (1u + 2 + 8) * 512);
}

TEST_F(CompoundFileTest, LargeStreamsGrowTheFatAndPastSevenMegabytesUseDifatSectors)
{
    Make({"Workbook"});
    ContainerDump dump = Write("Workbook", 100000);
    EXPECT_EQ(dump.fatSectors, 2u); // sector 128 is the second FAT sector
    EXPECT_EQ(dump.fileSize, (1u + 2 + 196 + 1) * 512);

    // 8 MB needs more FAT sectors than the header's 109 slots.
    dump = Write("Workbook", 8u << 20);
    EXPECT_GT(dump.fatSectors, 109u);
    EXPECT_EQ(dump.difatSectors, 1u);
    EXPECT_EQ(dump.fileSize, (1 + dump.fatSectors + dump.difatSectors + 1 + 16384u) * 512);

    // Shorter again: the DIFAT sector and the surplus FAT sectors go.
    dump = Write("Workbook", 1u << 20);
    EXPECT_EQ(dump.difatSectors, 0u);
    EXPECT_EQ(dump.firstDifat, kEnd);
    EXPECT_EQ(dump.fatSectors, 17u);
    EXPECT_EQ(dump.fileSize, (1 + 17 + 1 + 2048u) * 512);
}

TEST_F(CompoundFileTest, DirectoryKeepsNameOrderAndRefusesBadNames)
{
    Make({"Workbook", "Book"});
    ContainerDump dump = Verify();
    EXPECT_EQ(dump.Find("Book")->sid, 1u);
    EXPECT_EQ(dump.Find("Workbook")->sid, 2u);
    EXPECT_EQ(dump.Find("Root Entry")->child, 2u);
    EXPECT_EQ(dump.Find("Workbook")->left, 1u);

    Make({"C", "DD", "EEEEE"});
    dump = Verify();
    // Entries 1..5: C, DD, Book, EEEEE, Workbook; the middle one is the root
    // of the sibling tree, left and right chains hang from it.
    EXPECT_EQ(dump.Find("Root Entry")->child, 3u);
    EXPECT_EQ(dump.Find("Book")->left, 2u);
    EXPECT_EQ(dump.Find("DD")->left, 1u);
    EXPECT_EQ(dump.Find("Book")->right, 4u);
    EXPECT_EQ(dump.Find("EEEEE")->right, 5u);
    EXPECT_EQ(dump.Find("Workbook")->right, kNone);

    EXPECT_EQ(file.MakeStream("\\Workbook"), CompoundFile::NameTaken);
    // Readers compare names without regard to case: a second "workbook"
    // would make the file unreadable.
    EXPECT_EQ(file.MakeStream("workbook"), CompoundFile::NameTaken);
    EXPECT_EQ(file.MakeStream(std::string(31, 'n')), CompoundFile::Done);
    EXPECT_EQ(file.MakeStream(std::string(32, 'n')), CompoundFile::NameTooLong);
    EXPECT_EQ(file.MakeStream(""), CompoundFile::NameTooLong);
    EXPECT_EQ(file.WriteStream(u"Missing", PatternBytes(10, 1)), CompoundFile::MissingEntry);

    // Missing storages on a path are made, outermost first.
    const auto inner = PatternBytes(5000, 9);
    ASSERT_EQ(file.MakeStream(u"a\\b\\Workbook"), CompoundFile::Done);
    ASSERT_EQ(file.WriteStream(u"a\\b\\Workbook", inner), CompoundFile::Done);
    EXPECT_EQ(file.ChangeDirectory(u".."), CompoundFile::Done);
    EXPECT_EQ(file.ChangeDirectory(u"a\\missing"), CompoundFile::MissingStorage);
    ASSERT_EQ(file.ChangeDirectory(u"a"), CompoundFile::Done);
    EXPECT_EQ(file.WriteStream(u"b\\Workbook", inner), CompoundFile::Done);
    contents["a/b/Workbook"] = inner;
    dump = Verify();
    ASSERT_NE(dump.Find("a"), nullptr);
    ASSERT_NE(dump.Find("b"), nullptr);
    EXPECT_EQ(dump.Find("a")->type, 1u);
    EXPECT_EQ(dump.Find("b")->type, 1u);
}

TEST_F(CompoundFileTest, RewritingShorterCutsFreedSectorsOutAndRenumbersTheRest)
{
    Make({"First", "Second"});
    Write("First", 20000);
    const std::uint64_t secondStart = Write("Second", 30000).Find("Second")->start;

    // The first stream lies below the second: the second moves down.
    ContainerDump dump = Write("First", 6000);
    EXPECT_EQ(dump.Find("Second")->start, secondStart - (40 - 12));
    EXPECT_EQ(dump.fileSize, (1u + 1 + 1 + 12 + 59) * 512);
    // Longer again: new sectors are appended after everything else.
    Write("First", 50000);
    // Emptied: the chain goes and the start is "none".
    dump = Write("First", 0);
    EXPECT_EQ(dump.Find("First")->start, kEnd);
    EXPECT_EQ(dump.fileSize, (1u + 1 + 1 + 59) * 512);

    // A whole FAT sector's worth of free entries releases the last FAT sector.
    EXPECT_EQ(Write("First", 100000).fatSectors, 3u);
    EXPECT_EQ(Write("First", 9000).fatSectors, 1u);
}

TEST_F(CompoundFileTest, StreamsMoveBetweenMiniSectorsAndSectors)
{
    Make({"A", "B"});
    Write("A", 2000);
    EXPECT_EQ(Write("B", 1000).Find("B")->start, 32u);

    // Shorter: B's mini sectors move down behind A's.
    ContainerDump dump = Write("A", 500);
    EXPECT_EQ(dump.Find("B")->start, 8u);
    EXPECT_EQ(dump.Find("Root Entry")->size, (8u + 16) * 64);

    // Past 128 mini sectors the mini FAT takes a second sector.
    Make({"C", "D"});
    Write("C", 4000);
    EXPECT_EQ(Write("D", 4000).miniFatSectors, 2u);

    // From mini sectors to sectors and the mini stream goes away entirely.
    for (const char* name : {"C", "D", "B"})
        Write(name, 0);
    dump = Write("A", 5000);
    EXPECT_EQ(dump.firstMiniFat, kEnd);
    EXPECT_EQ(dump.miniFatSectors, 0u);
    EXPECT_EQ(dump.Find("Root Entry")->start, kEnd);
    EXPECT_EQ(dump.Find("Root Entry")->size, 0u);
    EXPECT_EQ(dump.fileSize, (1u + 1 + 2 + 10) * 512);
}

TEST_F(CompoundFileTest, AFailingProducerLeavesAnEmptyStreamAndSaysSo)
{
    Make({"S"});
    const auto half = PatternBytes(6000, 1);
    EXPECT_EQ(file.WriteStream(u"S", 12000, [&half](ByteSink& sink) { return sink.Put(half.data(), half.size()); }),
        CompoundFile::ContentFailed);
    EXPECT_EQ(file.WriteStream(u"S", 100, [](ByteSink&) { return false; }), CompoundFile::ContentFailed);
    EXPECT_EQ(Verify().Find("S")->start, kEnd);
}

} // namespace
