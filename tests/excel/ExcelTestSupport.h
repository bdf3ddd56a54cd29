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

// Runs one of the python readers beside the tests with Debian's python3
// (JXC_PYTHON when set) and returns what it printed.
std::string RunReader(const std::string& script, const std::vector<std::string>& arguments);

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

// What inspect_container.py (olefile) saw in a compound file.
struct ContainerDump
{
    struct Entry
    {
        int sid = 0;
        std::string name;
        int type = 0;
        std::uint32_t left = 0;
        std::uint32_t right = 0;
        std::uint32_t child = 0;
        std::uint32_t start = 0;
        std::uint64_t size = 0;
    };
    std::string error;
    std::uint32_t fatSectors = 0;
    std::uint32_t difatSectors = 0;
    std::uint32_t firstDifat = 0;
    std::uint32_t firstMiniFat = 0;
    std::uint32_t miniFatSectors = 0;
    std::uint32_t firstDirectory = 0;
    std::uint64_t fileSize = 0;
    std::uint64_t sectors = 0;
    std::uint32_t markedFat = 0;
    std::uint32_t markedDifat = 0;
    std::uint32_t freeInside = 0;
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
// records), and the problems with the stream positions ("ok" when none).
struct OffsetCheck
{
    std::vector<std::tuple<int, int, int>> sheets;
    std::vector<std::string> problems;
    bool ok = false;
    std::string raw;
};
OffsetCheck CheckOffsets(const std::string& path);

std::vector<std::uint8_t> PatternBytes(std::size_t size, unsigned seed);

} // namespace ExcelTest
