#pragma once

#include "ExcelCell.h"

#include <cstdint>
#include <vector>

class ExcelFile;
struct ExcelTextStore;
namespace Biff {
class Workbook;
class Worksheet;
} // namespace Biff

// One sheet of a workbook, owned by its ExcelFile. Its grid has a row count
// and a column count that grow as cells are asked for, but only the cells
// actually asked for are stored: a cell at row 65,535, column 255 costs one
// cell, not the grid up to it.
class ExcelSheet
{
public:
    static constexpr std::uint32_t kMaxRows = 65536;
    static constexpr std::uint32_t kMaxColumns = 256;

    ExcelSheet(ExcelFile& owner, std::uint32_t sheetIndex);
    ExcelSheet(const ExcelSheet&) = delete;
    ExcelSheet& operator=(const ExcelSheet&) = delete;

    std::uint32_t SheetIndex() const { return m_sheetIndex; }
    std::uint32_t RowCount() const { return m_rowCount; }
    std::uint32_t ColumnCount() const { return m_columnCount; }

    // The cell at row, column (both from 0), growing the grid to hold it;
    // null when row > 65535 or column > 255.
    ExcelCell* Cell(std::uint32_t row, std::uint32_t column);
    // The cell if one was asked for there, without growing anything.
    const ExcelCell* FindCell(std::uint32_t row, std::uint32_t column) const;
    // The stored cells of a row in column order (some may be empty).
    const std::vector<ExcelCell>& RowCells(std::uint32_t row) const;

    // Fills the grid from a worksheet substream's cell records and the shared
    // strings they refer to.
    void FillFromRecords(Biff::Worksheet& worksheet, const Biff::Workbook& globals);

private:
    friend class ExcelFile;
    void SetSheetIndex(std::uint32_t index) { m_sheetIndex = index; }
    void SetCellValue(std::uint32_t row, std::uint32_t column, std::uint32_t rk);

    ExcelFile& m_owner;
    ExcelTextStore* m_store;
    std::uint32_t m_sheetIndex;
    std::uint32_t m_rowCount = 0;
    std::uint32_t m_columnCount = 0;
    // One entry per row up to the last row asked for; each holds only the
    // cells asked for, sorted by column.
    std::vector<std::vector<ExcelCell>> m_rows;
    // The row last given a cell, and the width of the row before it.
    std::uint32_t m_hintRow = 0;
    std::size_t m_widthHint = 0;
};
