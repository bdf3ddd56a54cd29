#include "ExcelSheet.h"

#include "BiffWorkbook.h"
#include "BiffWorksheet.h"
#include "ExcelFile.h"
#include "ExcelText.h"
#include "RkNumber.h"

#include <algorithm>

ExcelSheet::ExcelSheet(ExcelFile& owner, std::uint32_t sheetIndex)
    : m_owner(owner)
    , m_store(owner.m_textStore.get())
    , m_sheetIndex(sheetIndex)
{
}

ExcelCell* ExcelSheet::Cell(std::uint32_t row, std::uint32_t column)
{
    if (row >= kMaxRows || column >= kMaxColumns)
        return nullptr;
    m_columnCount = std::max(m_columnCount, column + 1);
    m_rowCount = std::max(m_rowCount, row + 1);
    if (row >= m_rows.size())
        m_rows.resize(row + 1);
    std::vector<ExcelCell>& cells = m_rows[row];
    std::size_t position = cells.size();
    if (!cells.empty() && cells.back().m_column >= column) {
        position
            = static_cast<std::size_t>(std::lower_bound(cells.begin(), cells.end(), column,
                                           [](const ExcelCell& cell, std::uint32_t c) { return cell.m_column < c; })
                - cells.begin());
        if (cells[position].m_column == column)
            return &cells[position];
    }
    // The cells are most of a large export's memory, so rows avoid slack: a
    // new row starts with room for as many cells as the row filled before it
    // (exports fill rows of one width), and a full row grows by half its
    // size rather than doubling.
    if (row != m_hintRow) {
        if (m_hintRow < m_rows.size())
            m_widthHint = m_rows[m_hintRow].size();
        m_hintRow = row;
    }
    if (cells.empty() && cells.capacity() == 0) {
        cells.reserve(std::max<std::size_t>(4, m_widthHint));
    } else if (cells.size() == cells.capacity()) {
        cells.reserve(std::max<std::size_t>(4, cells.size() + cells.size() / 2));
    }
    const auto inserted = cells.insert(
        cells.begin() + static_cast<std::ptrdiff_t>(position), ExcelCell(m_store, static_cast<std::uint16_t>(column)));
    return &*inserted;
}

const ExcelCell* ExcelSheet::FindCell(std::uint32_t row, std::uint32_t column) const
{
    if (row >= m_rows.size())
        return nullptr;
    const std::vector<ExcelCell>& cells = m_rows[row];
    const auto it = std::lower_bound(
        cells.begin(), cells.end(), column, [](const ExcelCell& cell, std::uint32_t c) { return cell.m_column < c; });
    return it != cells.end() && it->m_column == column ? &*it : nullptr;
}

const std::vector<ExcelCell>& ExcelSheet::RowCells(std::uint32_t row) const
{
    static const std::vector<ExcelCell> none;
    return row < m_rows.size() ? m_rows[row] : none;
}

void ExcelSheet::SetCellValue(std::uint32_t row, std::uint32_t column, std::uint32_t rk)
{
    ExcelCell* cell = Cell(row, column);
    if (cell == nullptr)
        return;
    if (RkIsInteger(rk) && (rk & 0x01) == 0)
        cell->SetInteger(RkToInteger(rk));
    else
        cell->SetDouble(RkToDouble(rk));
}

void ExcelSheet::FillFromRecords(Biff::Worksheet& worksheet, const Biff::Workbook& globals)
{
    using CellBlock = Biff::Worksheet::CellTable::RowBlock::CellBlock;
    m_rows.clear();
    m_rowCount = std::min<std::uint32_t>(worksheet.dimensions.lastUsedRowPlus1, kMaxRows);
    m_columnCount = std::min<std::uint32_t>(worksheet.dimensions.lastUsedColumnPlus1, kMaxColumns);
    for (auto& block : worksheet.cellTable.rowBlocks) {
        for (auto& record : block.cells) {
            const std::uint32_t row = record.RowIndex();
            const std::uint32_t column = record.ColumnIndex();
            if (const auto* number = record.Get<CellBlock::Number>()) {
                if (ExcelCell* cell = Cell(row, column))
                    cell->SetDouble(number->value);
            } else if (const auto* rk = record.Get<CellBlock::RK>()) {
                SetCellValue(row, column, rk->rk);
            } else if (const auto* mulRk = record.Get<CellBlock::MulRK>()) {
                for (std::size_t i = 0; i < mulRk->entries.size(); ++i)
                    SetCellValue(row, column + static_cast<std::uint32_t>(i), mulRk->entries[i].rk);
            } else if (const auto* boolErr = record.Get<CellBlock::BoolErr>()) {
                if (boolErr->isError == 0) {
                    if (ExcelCell* cell = Cell(row, column))
                        cell->SetInteger(boolErr->value);
                }
            } else if (const auto* label = record.Get<CellBlock::LabelSST>()) {
                if (label->sstIndex < globals.sst.UniqueCount()) {
                    const Biff::LongString text = globals.sst.At(label->sstIndex);
                    if (ExcelCell* cell = Cell(row, column)) {
                        if (text.IsWide())
                            cell->SetWString(text.wide);
                        else
                            cell->SetString(ExcelText::Utf16ToUtf8(text.Characters()));
                    }
                }
            }
        }
    }
}
