#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace ExcelTest {

// A fresh folder under the system's temporary folder, removed at the end.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::filesystem::path Path(const std::string& name) const { return m_path / name; }
    std::string File(const std::string& name) const { return Path(name).string(); }

private:
    std::filesystem::path m_path;
};

// What read_workbook.py (xlrd) saw in a workbook.
struct WorkbookDump
{
    struct Sheet
    {
        std::string name;
        int rows = 0;
        int columns = 0;
    };
    struct Cell
    {
        std::string kind; // "text" or "number"
        std::string text;
        double number = 0.0;
    };
    std::vector<Sheet> sheets;
    std::map<std::tuple<int, int, int>, Cell> cells;
    std::vector<std::string> warnings;
    std::string raw; // the whole output, for failure messages

    const Cell* At(int sheet, int row, int column) const;
    std::size_t CellCount(int sheet) const;
};
WorkbookDump ReadWorkbook(const std::string& path);

// What inspect_container.py (olefile) saw in a compound file: the header's
// counts and first sectors, the file's size, the FAT's marks on the sectors
// inside the file, and the directory.
struct ContainerDump
{
    struct Entry
    {
        std::string name;
        std::uint64_t sid, type, left, right, child, start, size;
    };
    std::string error;
    std::uint64_t fatSectors = 0, difatSectors = 0, firstDifat = 0, firstMiniFat = 0, miniFatSectors = 0;
    std::uint64_t fileSize = 0, markedFat = 0, markedDifat = 0, freeInside = 0;
    std::vector<Entry> entries;
    std::map<std::string, std::string> streams; // path -> "same" / "different"
    std::map<std::string, std::uint64_t> streamSizes;
    std::string raw;

    const Entry* Find(const std::string& name) const;
};
// expected: stream path -> the bytes it must hold.
ContainerDump InspectContainer(
    const std::string& path, const std::map<std::string, std::vector<std::uint8_t>>& expected = {});

// What check_offsets.py found: per sheet (INDEX slots, DBCELL records, ROW
// records), and whether the stream positions are all right.
struct OffsetCheck
{
    std::vector<std::tuple<int, int, int>> sheets;
    bool ok = false;
    std::string raw;
};
OffsetCheck CheckOffsets(const std::string& path);

std::vector<std::uint8_t> PatternBytes(std::size_t size, unsigned seed);

} // namespace ExcelTest
