// Turning the sheets' cells into BIFF8 records at save time.
//
// A sheet is sized in a first pass and written in a second, one row block at
// a time: the records of a full sheet (65,536 rows) would take many times
// the memory of its cells, while one block of 32 rows is small. Both passes
// build each block with the same function, so the sizes that fix the stream
// positions are the sizes that get written.

#include "ExcelFile.h"

#include "ExcelText.h"
#include "ExcelTextStore.h"
#include "RkNumber.h"

#include <algorithm>
#include <optional>

namespace {

using RowBlock = Biff::Worksheet::CellTable::RowBlock;
using CellBlock = RowBlock::CellBlock;

constexpr std::uint32_t kRowsPerBlock = 32;
constexpr std::uint32_t kNoIndex = 0xFFFFFFFF;

std::optional<std::uint32_t> RkOf(const ExcelCell& cell)
{
    if (cell.Type() == ExcelCellType::Integer)
        return RkFromInteger(cell.GetInteger());
    return RkFromDouble(cell.GetDouble());
}

// Fills in the DBCELL of a built block: the offset back to its first ROW and,
// per row, the offset to the row's first cell record.
void FinishRowBlock(RowBlock& block)
{
    std::uint32_t rowsSize = 0;
    for (auto& row : block.rows)
        rowsSize += row.RecordSize();
    std::uint32_t cellsSize = 0;
    for (auto& cell : block.cells)
        cellsSize += cell.RecordSize();
    block.dbCell.firstRowOffset = rowsSize + cellsSize;
    block.dbCell.offsets.assign(block.rows.size(), 0);
    if (block.rows.empty())
        return;
    std::size_t j = 0;
    std::uint32_t running = rowsSize - block.rows.front().RecordSize();
    for (std::size_t i = 0; i < block.rows.size(); ++i) {
        while (j < block.cells.size()) {
            if (block.rows[i].row <= block.cells[j].RowIndex()) {
                block.dbCell.offsets[i] = static_cast<std::uint16_t>(running);
                break;
            }
            running += block.cells[j].RecordSize();
            ++j;
        }
        running = 0;
    }
}

} // namespace

std::uint32_t ExcelFile::SharedStringIndex(const ExcelCell& cell, bool assign)
{
    Biff::Workbook::SharedStringTable& sst = m_globals.sst;
    const bool wide = cell.Type() == ExcelCellType::WString;
    std::uint32_t& index = wide ? m_wideToShared[cell.TextId()] : m_narrowToShared[cell.TextId()];
    if (assign)
        ++sst.totalCount;
    if (index != kNoIndex || !assign)
        return index;
    if (wide) {
        index = sst.AddWide(cell.WStringView());
    } else {
        // An 8-bit text is stored compressed only when every character fits
        // one byte; anything else would lose its meaning.
        const std::u16string characters = ExcelText::Utf8ToUtf16(cell.StringView());
        index = ExcelText::FitsLatin1(characters) ? sst.AddCompressed(ExcelText::ToLatin1(characters))
                                                  : sst.AddWide(characters);
    }
    return index;
}

void ExcelFile::BuildRowBlock(const ExcelSheet& sheet, std::uint32_t firstRow, bool assign, RowBlock& block)
{
    block.Clear();
    const std::uint32_t end = std::min(firstRow + kRowsPerBlock, sheet.RowCount());
    const auto lastColumnPlus1 = static_cast<std::uint16_t>(sheet.ColumnCount());
    std::vector<std::uint32_t> run;
    for (std::uint32_t r = firstRow; r < end; ++r) {
        const std::vector<ExcelCell>& cells = sheet.RowCells(r);
        bool rowStarted = false;
        std::size_t i = 0;
        while (i < cells.size()) {
            const ExcelCell& cell = cells[i];
            if (cell.Type() == ExcelCellType::Empty) {
                ++i;
                continue;
            }
            if (!rowStarted) {
                RowBlock::Row row;
                row.row = static_cast<std::uint16_t>(r);
                row.lastColumnPlus1 = lastColumnPlus1;
                block.rows.push_back(row);
                rowStarted = true;
            }
            if (cell.Type() == ExcelCellType::String || cell.Type() == ExcelCellType::WString) {
                CellBlock::LabelSST label;
                label.row = static_cast<std::uint16_t>(r);
                label.column = cell.Column();
                label.sstIndex = SharedStringIndex(cell, assign);
                block.cells.emplace_back(std::move(label));
                ++i;
                continue;
            }
            const std::optional<std::uint32_t> rk = RkOf(cell);
            if (!rk) {
                // No RK value gives this number back: the full double.
                CellBlock::Number number;
                number.row = static_cast<std::uint16_t>(r);
                number.column = cell.Column();
                number.value = cell.GetDouble();
                block.cells.emplace_back(std::move(number));
                ++i;
                continue;
            }
            // A run: the following cells of the same type, in adjacent
            // columns, that have RK values too.
            run.assign(1, *rk);
            std::size_t j = i + 1;
            while (
                j < cells.size() && cells[j].Type() == cell.Type() && cells[j].Column() == cells[j - 1].Column() + 1) {
                const std::optional<std::uint32_t> next = RkOf(cells[j]);
                if (!next)
                    break;
                run.push_back(*next);
                ++j;
            }
            if (run.size() >= 2) {
                CellBlock::MulRK mulRk;
                mulRk.row = static_cast<std::uint16_t>(r);
                mulRk.column = cell.Column();
                mulRk.lastColumn = static_cast<std::uint16_t>(cell.Column() + run.size() - 1);
                for (std::uint32_t value : run)
                    mulRk.entries.push_back({0, value});
                block.cells.emplace_back(std::move(mulRk));
            } else {
                CellBlock::RK single;
                single.row = static_cast<std::uint16_t>(r);
                single.column = cell.Column();
                single.rk = *rk;
                block.cells.emplace_back(std::move(single));
            }
            i = j;
        }
    }
    FinishRowBlock(block);
}

void ExcelFile::BuildCellRecords()
{
    m_worksheets.clear();
    m_worksheets.resize(m_sheets.size());
    m_globals.sst.Clear();
    // Reserved once from the texts in use, so the table never doubles.
    m_globals.sst.Reserve(m_textStore->narrow.Count() + m_textStore->wide.Count(),
        2 * (m_textStore->narrow.CharacterCount() + m_textStore->wide.CharacterCount()));
    m_narrowToShared.assign(m_textStore->narrow.Count(), kNoIndex);
    m_wideToShared.assign(m_textStore->wide.Count(), kNoIndex);
    m_layouts.assign(m_sheets.size(), SheetLayout());

    RowBlock block;
    for (std::size_t s = 0; s < m_sheets.size(); ++s) {
        const ExcelSheet& sheet = *m_sheets[s];
        Biff::Worksheet& worksheet = m_worksheets[s];
        SheetLayout& layout = m_layouts[s];
        const std::uint32_t rowCount = sheet.RowCount();

        std::optional<std::uint32_t> firstRow;
        std::optional<std::uint16_t> firstColumn;
        for (std::uint32_t r = 0; r < rowCount; ++r) {
            for (const ExcelCell& cell : sheet.RowCells(r)) {
                if (cell.Type() == ExcelCellType::Empty)
                    continue;
                if (!firstRow)
                    firstRow = r;
                if (!firstColumn || cell.Column() < *firstColumn)
                    firstColumn = cell.Column();
                break; // cells are in column order: the row's first value is its leftmost
            }
        }

        worksheet.index.firstUsedRow = firstRow.value_or(0);
        worksheet.index.lastUsedRowPlus1 = rowCount;
        worksheet.dimensions.firstUsedRow = firstRow.value_or(0);
        worksheet.dimensions.lastUsedRowPlus1 = rowCount;
        worksheet.dimensions.firstUsedColumn = firstColumn.value_or(0);
        worksheet.dimensions.lastUsedColumnPlus1 = static_cast<std::uint16_t>(sheet.ColumnCount());
        if (s > 0)
            worksheet.window2.options &= static_cast<std::uint16_t>(~Biff::Worksheet::Window2::kSelected);

        // The row blocks start at the first row that holds a value, and the
        // INDEX gets one slot for every block.
        layout.firstRow = firstRow.value_or(0);
        layout.blockCount = firstRow ? (rowCount - *firstRow - 1) / kRowsPerBlock + 1 : 0;
        worksheet.index.dbCellPositions.assign(layout.blockCount, 0);
        layout.blocks.reserve(layout.blockCount);
        std::uint32_t size = worksheet.HeadSize() + worksheet.TailSize();
        for (std::uint32_t k = 0; k < layout.blockCount; ++k) {
            BuildRowBlock(sheet, layout.firstRow + k * kRowsPerBlock, true, block);
            BlockLayout sizes;
            sizes.dbCell = block.dbCell.RecordSize();
            sizes.rowsAndCells = block.RecordSize() - sizes.dbCell;
            layout.blocks.push_back(sizes);
            size += sizes.rowsAndCells + sizes.dbCell;
        }
        layout.size = size;
    }
}

void ExcelFile::AdjustStreamPositions()
{
    AdjustBoundSheetPositions();
    AdjustDBCellPositions();
}

void ExcelFile::AdjustBoundSheetPositions()
{
    std::uint32_t position = m_globals.RecordSize();
    for (std::size_t s = 0; s < m_globals.boundSheets.size(); ++s) {
        m_globals.boundSheets[s].position = position;
        position += m_layouts[s].size;
    }
}

void ExcelFile::AdjustDBCellPositions()
{
    for (std::size_t s = 0; s < m_worksheets.size(); ++s) {
        Biff::Worksheet& worksheet = m_worksheets[s];
        std::uint32_t position = m_globals.boundSheets[s].position + worksheet.HeadSize();
        const SheetLayout& layout = m_layouts[s];
        for (std::uint32_t k = 0; k < layout.blockCount; ++k) {
            position += layout.blocks[k].rowsAndCells;
            worksheet.index.dbCellPositions[k] = position;
            position += layout.blocks[k].dbCell;
        }
    }
}

bool ExcelFile::Write(ByteSink& sink)
{
    if (!m_globals.WriteTo(sink))
        return false;
    RowBlock block;
    std::vector<std::uint8_t> scratch;
    for (std::size_t s = 0; s < m_sheets.size(); ++s) {
        Biff::Worksheet& worksheet = m_worksheets[s];
        const SheetLayout& layout = m_layouts[s];
        if (!worksheet.WriteHead(sink))
            return false;
        for (std::uint32_t k = 0; k < layout.blockCount; ++k) {
            BuildRowBlock(*m_sheets[s], layout.firstRow + k * kRowsPerBlock, false, block);
            const std::uint32_t size = block.RecordSize();
            if (size != layout.blocks[k].rowsAndCells + layout.blocks[k].dbCell)
                return false;
            scratch.resize(size);
            if (block.Write(scratch.data()) != size || !sink.Put(scratch.data(), size))
                return false;
        }
        if (!worksheet.WriteTail(sink))
            return false;
    }
    return true;
}
