#include "CompoundFile.h"

#include "ExcelTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>

namespace {

using ExcelTest::ContainerDump;
using ExcelTest::InspectContainer;
using ExcelTest::PatternBytes;
using ExcelTest::TempDir;

constexpr std::uint32_t kNone = 0xFFFFFFFF;
constexpr std::uint32_t kEnd = 0xFFFFFFFE;

using Contents = std::map<std::string, std::vector<std::uint8_t>>;

// Checks what every reader of a writer-made file may rely on: olefile opens
// it strictly, every sector inside the file is in use, the streams hold what
// was written.
ContainerDump Verify(const std::string& path, const Contents& contents)
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

TEST(CompoundFile, NewFileAndSmallStreamLayouts)
{
    TempDir dir;
    CompoundFile file;
    const std::string path = dir.File("new.cfb");
    ASSERT_TRUE(file.Create(path));
    EXPECT_EQ(std::filesystem::file_size(path), 1536u);
    ContainerDump dump = Verify(path, {});
    ASSERT_EQ(dump.entries.size(), 1u);
    EXPECT_EQ(dump.entries[0].name, "Root Entry");
    EXPECT_EQ(dump.entries[0].child, kNone);

    ASSERT_EQ(file.MakeStream("Workbook"), CompoundFile::Done);
    const auto thousand = PatternBytes(1000, 1);
    ASSERT_EQ(file.WriteStream(u"Workbook", thousand), CompoundFile::Done);
    dump = Verify(path, {{"Workbook", thousand}});
    // Container sectors 2 and 4 around the mini FAT in sector 3.
    EXPECT_EQ(dump.firstMiniFat, 3u);
    EXPECT_EQ(dump.Find("Root Entry")->start, 2u);
    EXPECT_EQ(dump.Find("Root Entry")->size, 1024u);
    EXPECT_EQ(dump.Find("Workbook")->start, 0u);
    EXPECT_EQ(dump.fileSize, 6u * 512);

    for (std::uint32_t size : {4095u, 4096u}) {
        CompoundFile other;
        const std::string otherPath = dir.File(std::string("s") + std::to_string(size) + ".cfb");
        ASSERT_TRUE(other.Create(otherPath));
        ASSERT_EQ(other.MakeStream("Workbook"), CompoundFile::Done);
        const auto bytes = PatternBytes(size, size);
        ASSERT_EQ(other.WriteStream(u"Workbook", bytes), CompoundFile::Done);
        dump = Verify(otherPath, {{"Workbook", bytes}});
        if (size == 4096) { // sectors from 2 on, no mini FAT
            EXPECT_EQ(dump.firstMiniFat, kEnd);
            EXPECT_EQ(dump.Find("Workbook")->start, 2u);
            EXPECT_EQ(dump.fileSize, (1u + 2 + 8) * 512);
        } else { // 64 mini sectors in a container of 8 sectors
            EXPECT_EQ(dump.Find("Root Entry")->size, 4096u);
            EXPECT_EQ(dump.fileSize, (1u + 3 + 8) * 512);
        }
    }
}

TEST(CompoundFile, LargeStreamsGrowTheFatAndPastSevenMegabytesUseDifatSectors)
{
    TempDir dir;
    CompoundFile file;
    const std::string path = dir.File("big.cfb");
    ASSERT_TRUE(file.Create(path));
    ASSERT_EQ(file.MakeStream("Workbook"), CompoundFile::Done);

    const auto hundredK = PatternBytes(100000, 2);
    ASSERT_EQ(file.WriteStream(u"Workbook", hundredK), CompoundFile::Done);
    ContainerDump dump = Verify(path, {{"Workbook", hundredK}});
    EXPECT_EQ(dump.fatSectors, 2u); // sector 128 is the second FAT sector
    EXPECT_EQ(dump.fileSize, (1u + 2 + 196 + 1) * 512);

    // 8 MB needs more FAT sectors than the header's 109 slots.
    const auto eightMb = PatternBytes(8u << 20, 3);
    ASSERT_EQ(file.WriteStream(u"Workbook", eightMb), CompoundFile::Done);
    dump = Verify(path, {{"Workbook", eightMb}});
    EXPECT_GT(dump.fatSectors, 109u);
    EXPECT_EQ(dump.difatSectors, 1u);
    EXPECT_EQ(dump.fileSize, (1 + dump.fatSectors + dump.difatSectors + 1 + 16384u) * 512);

    // Shorter again: the DIFAT sector and the surplus FAT sectors go.
    const auto oneMb = PatternBytes(1u << 20, 4);
    ASSERT_EQ(file.WriteStream(u"Workbook", oneMb), CompoundFile::Done);
    dump = Verify(path, {{"Workbook", oneMb}});
    EXPECT_EQ(dump.difatSectors, 0u);
    EXPECT_EQ(dump.firstDifat, kEnd);
    EXPECT_EQ(dump.fatSectors, 17u);
    EXPECT_EQ(dump.fileSize, (1 + 17 + 1 + 2048u) * 512);
}

TEST(CompoundFile, DirectoryKeepsNameOrderAndRefusesBadNames)
{
    TempDir dir;
    CompoundFile file;
    const std::string path = dir.File("dir.cfb");
    ASSERT_TRUE(file.Create(path));
    ASSERT_EQ(file.MakeStream("Workbook"), CompoundFile::Done);
    ASSERT_EQ(file.MakeStream("Book"), CompoundFile::Done);
    ContainerDump dump = Verify(path, {});
    EXPECT_EQ(dump.Find("Book")->sid, 1);
    EXPECT_EQ(dump.Find("Workbook")->sid, 2);
    EXPECT_EQ(dump.Find("Root Entry")->child, 2u);
    EXPECT_EQ(dump.Find("Workbook")->left, 1u);

    for (const char* name : {"C", "DD", "EEEEE"})
        ASSERT_EQ(file.MakeStream(name), CompoundFile::Done);
    dump = Verify(path, {});
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
    dump = Verify(path, {{"a/b/Workbook", inner}});
    ASSERT_NE(dump.Find("a"), nullptr);
    ASSERT_NE(dump.Find("b"), nullptr);
    EXPECT_EQ(dump.Find("a")->type, 1);
    EXPECT_EQ(dump.Find("b")->type, 1);
}

TEST(CompoundFile, RewritingShorterCutsFreedSectorsOutAndRenumbersTheRest)
{
    TempDir dir;
    CompoundFile file;
    const std::string path = dir.File("rewrite.cfb");
    ASSERT_TRUE(file.Create(path));
    ASSERT_EQ(file.MakeStream("First"), CompoundFile::Done);
    ASSERT_EQ(file.MakeStream("Second"), CompoundFile::Done);
    auto first = PatternBytes(20000, 5);
    const auto second = PatternBytes(30000, 6);
    ASSERT_EQ(file.WriteStream(u"First", first), CompoundFile::Done);
    ASSERT_EQ(file.WriteStream(u"Second", second), CompoundFile::Done);
    ContainerDump dump = Verify(path, {{"First", first}, {"Second", second}});
    const std::uint32_t secondStart = dump.Find("Second")->start;

    // The first stream lies below the second: the second moves down.
    first = PatternBytes(6000, 7);
    ASSERT_EQ(file.WriteStream(u"First", first), CompoundFile::Done);
    dump = Verify(path, {{"First", first}, {"Second", second}});
    EXPECT_EQ(dump.Find("Second")->start, secondStart - (40 - 12));
    EXPECT_EQ(dump.fileSize, (1u + 1 + 1 + 12 + 59) * 512);

    // Longer again: new sectors are appended after everything else.
    first = PatternBytes(50000, 8);
    ASSERT_EQ(file.WriteStream(u"First", first), CompoundFile::Done);
    Verify(path, {{"First", first}, {"Second", second}});

    // Emptied: the chain goes and the start is "none".
    ASSERT_EQ(file.WriteStream(u"First", {}), CompoundFile::Done);
    dump = Verify(path, {{"First", {}}, {"Second", second}});
    EXPECT_EQ(dump.Find("First")->start, kEnd);
    EXPECT_EQ(dump.fileSize, (1u + 1 + 1 + 59) * 512);

    // A whole FAT sector's worth of free entries releases the last FAT sector.
    const auto big = PatternBytes(100000, 10);
    ASSERT_EQ(file.WriteStream(u"First", big), CompoundFile::Done);
    EXPECT_EQ(Verify(path, {{"First", big}, {"Second", second}}).fatSectors, 3u);
    const auto small = PatternBytes(9000, 11);
    ASSERT_EQ(file.WriteStream(u"First", small), CompoundFile::Done);
    dump = Verify(path, {{"First", small}, {"Second", second}});
    EXPECT_EQ(dump.fatSectors, 1u);
}

TEST(CompoundFile, StreamsMoveBetweenMiniSectorsAndSectors)
{
    TempDir dir;
    CompoundFile file;
    const std::string path = dir.File("mini.cfb");
    ASSERT_TRUE(file.Create(path));
    ASSERT_EQ(file.MakeStream("A"), CompoundFile::Done);
    ASSERT_EQ(file.MakeStream("B"), CompoundFile::Done);
    auto a = PatternBytes(2000, 12);
    auto b = PatternBytes(1000, 13);
    ASSERT_EQ(file.WriteStream(u"A", a), CompoundFile::Done);
    ASSERT_EQ(file.WriteStream(u"B", b), CompoundFile::Done);
    ContainerDump dump = Verify(path, {{"A", a}, {"B", b}});
    EXPECT_EQ(dump.Find("B")->start, 32u);

    // Shorter: B's mini sectors move down behind A's.
    a = PatternBytes(500, 14);
    ASSERT_EQ(file.WriteStream(u"A", a), CompoundFile::Done);
    dump = Verify(path, {{"A", a}, {"B", b}});
    EXPECT_EQ(dump.Find("B")->start, 8u);
    EXPECT_EQ(dump.Find("Root Entry")->size, (8u + 16) * 64);

    // Past 128 mini sectors the mini FAT takes a second sector.
    const auto c = PatternBytes(4000, 15);
    const auto d = PatternBytes(4000, 16);
    ASSERT_EQ(file.MakeStream("C"), CompoundFile::Done);
    ASSERT_EQ(file.MakeStream("D"), CompoundFile::Done);
    ASSERT_EQ(file.WriteStream(u"C", c), CompoundFile::Done);
    ASSERT_EQ(file.WriteStream(u"D", d), CompoundFile::Done);
    dump = Verify(path, {{"A", a}, {"B", b}, {"C", c}, {"D", d}});
    EXPECT_EQ(dump.miniFatSectors, 2u);

    // From mini sectors to sectors and the mini stream goes away entirely.
    for (const char* name : {"C", "D", "B"})
        ASSERT_EQ(file.WriteStream(std::u16string(name, name + std::strlen(name)), {}), CompoundFile::Done);
    a = PatternBytes(5000, 17);
    ASSERT_EQ(file.WriteStream(u"A", a), CompoundFile::Done);
    dump = Verify(path, {{"A", a}});
    EXPECT_EQ(dump.firstMiniFat, kEnd);
    EXPECT_EQ(dump.miniFatSectors, 0u);
    EXPECT_EQ(dump.Find("Root Entry")->start, kEnd);
    EXPECT_EQ(dump.Find("Root Entry")->size, 0u);
    EXPECT_EQ(dump.fileSize, (1u + 1 + 2 + 10) * 512);
}

TEST(CompoundFile, AFailingProducerLeavesAnEmptyStreamAndSaysSo)
{
    TempDir dir;
    CompoundFile file;
    const std::string path = dir.File("producer.cfb");
    ASSERT_TRUE(file.Create(path));
    ASSERT_EQ(file.MakeStream("S"), CompoundFile::Done);
    const auto half = PatternBytes(6000, 1);
    EXPECT_EQ(file.WriteStream(u"S", 12000, [&half](ByteSink& sink) { return sink.Put(half.data(), half.size()); }),
        CompoundFile::ContentFailed);
    EXPECT_EQ(file.WriteStream(u"S", 100, [](ByteSink&) { return false; }), CompoundFile::ContentFailed);
    const ContainerDump dump = Verify(path, {{"S", {}}});
    EXPECT_EQ(dump.Find("S")->start, kEnd);
}

} // namespace
