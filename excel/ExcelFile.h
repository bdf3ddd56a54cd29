#pragma once

#include "BiffWorkbook.h"
#include "BiffWorksheet.h"
#include "CompoundFile.h"
#include "ExcelCell.h"
#include "ExcelSheet.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct ExcelTextStore;

// An .xls workbook (BIFF8 in a compound file) built in memory and saved to
// disk: an ordered list of sheets, each a grid of cells. The only interface
// the program uses to write spreadsheets.
//
// Every 8-bit text of this interface (sheet names, 8-bit cell texts, paths)
// is UTF-8. A workbook owns its sheets and their cells; sheet pointers stay
// valid until the next New or the workbook's end.
//
// Saving answers true only when every byte reached the disk: a path that
// cannot be created, a failed write or a full disk give false.
class ExcelFile
{
public:
    ExcelFile();
    ~ExcelFile();
    ExcelFile(const ExcelFile&) = delete;
    ExcelFile& operator=(const ExcelFile&) = delete;

    // Starts an empty workbook of max(sheets, 1) sheets named "Sheet1",
    // "Sheet2", ...
    void New(int sheets);

    std::size_t WorksheetCount() const { return m_sheets.size(); }
    // The first sheet whose name equals name exactly (case matters), or null.
    ExcelSheet* GetWorksheet(std::string_view name);
    ExcelSheet* WorksheetAt(std::size_t index);
    std::string WorksheetName(std::size_t index) const;

    // Adds a sheet named "Sheet%d" with the first free number from the sheet
    // count + 1 up. index -1 appends; 0..count inserts before that sheet;
    // any other index gives null.
    ExcelSheet* AddWorksheet(int index = -1);
    // Adds a sheet of that name; null when the name is taken or not a valid
    // sheet name (see RenameWorksheet) or the index is out of range.
    ExcelSheet* AddWorksheet(std::string_view name, int index = -1);
    // False, changing nothing, when no sheet is named from, when to is taken
    // (compared without regard to ASCII case, as spreadsheet programs do) or
    // when to is not a valid sheet name: empty, longer than 31 characters,
    // holding one of : \ / ? * [ ] or starting or ending with '.
    bool RenameWorksheet(std::string_view from, std::string_view to);

    // Creates the file at path (replacing an old one) and writes the
    // workbook into it; the file stays open for Save.
    bool SaveAs(std::string_view utf8Path);
    // Writes the workbook again into the file that SaveAs opened.
    bool Save();

    static bool IsValidSheetName(std::string_view utf8Name);

private:
    friend class ExcelSheet;

    // Where one row block of a sheet lies: the sizes found while sizing, so
    // the stream positions are known before anything is written.
    struct BlockLayout
    {
        std::uint32_t rowsAndCells = 0;
        std::uint32_t dbCell = 0;
    };
    struct SheetLayout
    {
        std::uint32_t firstRow = 0; // the first row block starts here
        std::uint32_t blockCount = 0;
        std::vector<BlockLayout> blocks;
        std::uint32_t size = 0; // the whole substream
    };

    void SetDefaultFormats();
    void RebuildSheetObjects();
    void BuildCellRecords();
    void AdjustStreamPositions();
    void AdjustBoundSheetPositions();
    void AdjustDBCellPositions();
    bool Write(ByteSink& sink);
    // Builds the records of one row block from the cells. With assign set
    // (the sizing pass) new texts get their shared-string entries; otherwise
    // the entries found then are looked up.
    void BuildRowBlock(
        const ExcelSheet& sheet, std::uint32_t firstRow, bool assign, Biff::Worksheet::CellTable::RowBlock& block);
    std::uint32_t SharedStringIndex(const ExcelCell& cell, bool assign);
    int FindSheet(std::u16string_view name) const;
    bool NameTaken(std::u16string_view name, int except) const;

    CompoundFile m_compoundFile;
    std::unique_ptr<ExcelTextStore> m_textStore;
    Biff::Workbook m_globals;
    std::vector<Biff::Worksheet> m_worksheets;
    std::vector<std::unique_ptr<ExcelSheet>> m_sheets;

    // Working state of one save.
    std::vector<SheetLayout> m_layouts;
    std::vector<std::uint32_t> m_narrowToShared;
    std::vector<std::uint32_t> m_wideToShared;
};
