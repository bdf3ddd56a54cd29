#include "BiffWorksheet.h"

#include "LittleEndian.h"

#include <algorithm>

namespace Biff {

using RowBlock = Worksheet::CellTable::RowBlock;
using CellBlock = Worksheet::CellTable::RowBlock::CellBlock;
using Formula = CellBlock::Formula;

// ---- INDEX, DIMENSIONS, WINDOW2 ----

Worksheet::Index::Index()
    : FieldRecord(0x020B)
{
    dbCellPositions.push_back(0);
}

std::uint32_t Worksheet::Index::ComputeDataSize() const
{
    return static_cast<std::uint32_t>(16 + 4 * dbCellPositions.size());
}

void Worksheet::Index::StoreFields(FieldWriter& out) const
{
    out.U32(0);
    out.U32(firstUsedRow);
    out.U32(lastUsedRowPlus1);
    out.U32(0);
    for (std::uint32_t position : dbCellPositions)
        out.U32(position);
}

bool Worksheet::Index::LoadFields(FieldReader& in)
{
    std::uint32_t reserved = 0;
    if (!(in.U32(reserved) && in.U32(firstUsedRow) && in.U32(lastUsedRowPlus1) && in.U32(reserved)))
        return false;
    dbCellPositions.clear();
    while (in.Remaining() >= 4) {
        std::uint32_t position = 0;
        in.U32(position);
        dbCellPositions.push_back(position);
    }
    return in.Ok();
}

Worksheet::Dimensions::Dimensions()
    : FieldRecord(0x0200)
{
}

void Worksheet::Dimensions::StoreFields(FieldWriter& out) const
{
    out.U32(firstUsedRow);
    out.U32(lastUsedRowPlus1);
    out.U16(firstUsedColumn);
    out.U16(lastUsedColumnPlus1);
    out.U16(0);
}

bool Worksheet::Dimensions::LoadFields(FieldReader& in)
{
    return in.U32(firstUsedRow) && in.U32(lastUsedRowPlus1) && in.U16(firstUsedColumn) && in.U16(lastUsedColumnPlus1);
}

Worksheet::Window2::Window2()
    : FieldRecord(0x023E)
{
}

void Worksheet::Window2::StoreFields(FieldWriter& out) const
{
    out.U16(options);
    out.U16(firstVisibleRow);
    out.U16(firstVisibleColumn);
    out.U16(gridLineColour);
    out.U16(0);
    out.U16(zoomPageBreakPreview);
    out.U16(zoomNormal);
    out.U32(0);
}

bool Worksheet::Window2::LoadFields(FieldReader& in)
{
    std::uint16_t reserved = 0;
    return in.U16(options) && in.U16(firstVisibleRow) && in.U16(firstVisibleColumn) && in.U16(gridLineColour)
        && in.U16(reserved) && in.U16(zoomPageBreakPreview) && in.U16(zoomNormal);
}

// ---- ROW and DBCELL ----

RowBlock::Row::Row()
    : FieldRecord(0x0208)
{
}

void RowBlock::Row::StoreFields(FieldWriter& out) const
{
    out.U16(row);
    out.U16(firstColumn);
    out.U16(lastColumnPlus1);
    out.U16(height);
    out.U16(0);
    out.U16(0);
    out.U32(optionFlags);
}

bool RowBlock::Row::LoadFields(FieldReader& in)
{
    std::uint16_t reserved = 0;
    return in.U16(row) && in.U16(firstColumn) && in.U16(lastColumnPlus1) && in.U16(height) && in.U16(reserved)
        && in.U16(reserved) && in.U32(optionFlags);
}

RowBlock::DBCell::DBCell()
    : FieldRecord(0x00D7)
{
}

std::uint32_t RowBlock::DBCell::ComputeDataSize() const
{
    return static_cast<std::uint32_t>(4 + 2 * offsets.size());
}

void RowBlock::DBCell::StoreFields(FieldWriter& out) const
{
    out.U32(firstRowOffset);
    for (std::uint16_t offset : offsets)
        out.U16(offset);
}

bool RowBlock::DBCell::LoadFields(FieldReader& in)
{
    if (!in.U32(firstRowOffset))
        return false;
    offsets.clear();
    while (in.Remaining() >= 2) {
        std::uint16_t offset = 0;
        in.U16(offset);
        offsets.push_back(offset);
    }
    return in.Ok();
}

// ---- cell records ----

CellBlock::Blank::Blank()
    : CellRecord(0x0201)
{
}

void CellBlock::Blank::StoreFields(FieldWriter& out) const
{
    out.U16(row);
    out.U16(column);
    out.U16(xfIndex);
}

bool CellBlock::Blank::LoadFields(FieldReader& in)
{
    return in.U16(row) && in.U16(column) && in.U16(xfIndex);
}

CellBlock::BoolErr::BoolErr()
    : CellRecord(0x0205)
{
}

void CellBlock::BoolErr::StoreFields(FieldWriter& out) const
{
    out.U16(row);
    out.U16(column);
    out.U16(xfIndex);
    out.U8(value);
    out.U8(isError);
}

bool CellBlock::BoolErr::LoadFields(FieldReader& in)
{
    return in.U16(row) && in.U16(column) && in.U16(xfIndex) && in.U8(value) && in.U8(isError);
}

CellBlock::LabelSST::LabelSST()
    : CellRecord(0x00FD)
{
}

void CellBlock::LabelSST::StoreFields(FieldWriter& out) const
{
    out.U16(row);
    out.U16(column);
    out.U16(xfIndex);
    out.U32(sstIndex);
}

bool CellBlock::LabelSST::LoadFields(FieldReader& in)
{
    return in.U16(row) && in.U16(column) && in.U16(xfIndex) && in.U32(sstIndex);
}

CellBlock::MulBlank::MulBlank()
    : CellRecord(0x00BE)
{
}

std::uint32_t CellBlock::MulBlank::ComputeDataSize() const
{
    return static_cast<std::uint32_t>(6 + 2 * xfIndices.size());
}

void CellBlock::MulBlank::StoreFields(FieldWriter& out) const
{
    out.U16(row);
    out.U16(column);
    for (std::uint16_t xf : xfIndices)
        out.U16(xf);
    out.U16(lastColumn);
}

bool CellBlock::MulBlank::LoadFields(FieldReader& in)
{
    if (data.size() < 6 || !(in.U16(row) && in.U16(column)))
        return false;
    lastColumn = LittleEndianRead<std::uint16_t>(data.data(), data.size() - 2);
    if (lastColumn < column || data.size() != 6 + 2u * (lastColumn - column + 1))
        return false;
    xfIndices.assign(lastColumn - column + 1u, 0);
    for (auto& xf : xfIndices)
        in.U16(xf);
    return in.Ok();
}

CellBlock::MulRK::MulRK()
    : CellRecord(0x00BD)
{
}

std::uint32_t CellBlock::MulRK::ComputeDataSize() const
{
    return static_cast<std::uint32_t>(6 + 6 * entries.size());
}

void CellBlock::MulRK::StoreFields(FieldWriter& out) const
{
    out.U16(row);
    out.U16(column);
    for (const MulRKEntry& entry : entries) {
        out.U16(entry.xfIndex);
        out.U32(entry.rk);
    }
    out.U16(lastColumn);
}

bool CellBlock::MulRK::LoadFields(FieldReader& in)
{
    if (data.size() < 6 || !(in.U16(row) && in.U16(column)))
        return false;
    lastColumn = LittleEndianRead<std::uint16_t>(data.data(), data.size() - 2);
    if (lastColumn < column || data.size() != 6 + 6u * (lastColumn - column + 1))
        return false;
    entries.assign(lastColumn - column + 1u, MulRKEntry {});
    for (auto& entry : entries)
        in.U16(entry.xfIndex) && in.U32(entry.rk);
    return in.Ok();
}

CellBlock::Number::Number()
    : CellRecord(0x0203)
{
}

void CellBlock::Number::StoreFields(FieldWriter& out) const
{
    out.U16(row);
    out.U16(column);
    out.U16(xfIndex);
    out.F64(value);
}

bool CellBlock::Number::LoadFields(FieldReader& in)
{
    return in.U16(row) && in.U16(column) && in.U16(xfIndex) && in.F64(value);
}

CellBlock::RK::RK()
    : CellRecord(0x027E)
{
}

void CellBlock::RK::StoreFields(FieldWriter& out) const
{
    out.U16(row);
    out.U16(column);
    out.U16(xfIndex);
    out.U32(rk);
}

bool CellBlock::RK::LoadFields(FieldReader& in)
{
    return in.U16(row) && in.U16(column) && in.U16(xfIndex) && in.U32(rk);
}

// ---- the formula family ----

Formula::Array::Array()
    : FieldRecord(0x0221)
{
}

void Formula::Array::StoreFields(FieldWriter& out) const
{
    out.U16(firstRow);
    out.U16(lastRow);
    out.U8(firstColumn);
    out.U8(lastColumn);
    out.U16(options);
    out.U32(reserved);
    out.Bytes(formula);
}

bool Formula::Array::LoadFields(FieldReader& in)
{
    return in.U16(firstRow) && in.U16(lastRow) && in.U8(firstColumn) && in.U8(lastColumn) && in.U16(options)
        && in.U32(reserved) && in.Rest(formula);
}

Formula::ShrFmla::ShrFmla()
    : FieldRecord(0x00BC)
{
}

void Formula::ShrFmla::StoreFields(FieldWriter& out) const
{
    out.U16(firstRow);
    out.U16(lastRow);
    out.U8(firstColumn);
    out.U8(lastColumn);
    out.U16(word);
    out.Bytes(formula);
}

bool Formula::ShrFmla::LoadFields(FieldReader& in)
{
    return in.U16(firstRow) && in.U16(lastRow) && in.U8(firstColumn) && in.U8(lastColumn) && in.U16(word)
        && in.Rest(formula);
}

Formula::Table::Table()
    : FieldRecord(0x0036)
{
}

void Formula::Table::StoreFields(FieldWriter& out) const
{
    out.U16(firstRow);
    out.U16(lastRow);
    out.U8(firstColumn);
    out.U8(lastColumn);
    out.U16(options);
    out.U16(inputRow1);
    out.U16(inputColumn1);
    out.U16(inputRow2);
    out.U16(inputColumn2);
}

bool Formula::Table::LoadFields(FieldReader& in)
{
    return in.U16(firstRow) && in.U16(lastRow) && in.U8(firstColumn) && in.U8(lastColumn) && in.U16(options)
        && in.U16(inputRow1) && in.U16(inputColumn1) && in.U16(inputRow2) && in.U16(inputColumn2);
}

Formula::String::String()
    : FieldRecord(0x0207)
{
}

std::uint32_t Formula::String::ComputeDataSize() const
{
    return text.empty() ? 0 : static_cast<std::uint32_t>(3 + 2 * std::min<std::size_t>(text.size(), 0xFFFF));
}

void Formula::String::StoreFields(FieldWriter& out) const
{
    if (text.empty())
        return;
    const auto count = static_cast<std::uint16_t>(std::min<std::size_t>(text.size(), 0xFFFF));
    out.U16(count);
    out.U8(1);
    for (std::size_t i = 0; i < count; ++i)
        out.U16(static_cast<std::uint16_t>(text[i]));
}

bool Formula::String::LoadFields(FieldReader& in)
{
    text.clear();
    if (in.Remaining() == 0)
        return true;
    std::uint16_t count = 0;
    std::uint8_t wide = 0;
    if (!(in.U16(count) && in.U8(wide)))
        return false;
    for (std::uint16_t i = 0; i < count; ++i) {
        if (wide & 1) {
            std::uint16_t unit = 0;
            in.U16(unit);
            text.push_back(static_cast<char16_t>(unit));
        } else {
            std::uint8_t byte = 0;
            in.U8(byte);
            text.push_back(static_cast<char16_t>(byte));
        }
    }
    return in.Ok();
}

Formula::Formula()
    : CellRecord(0x0006)
{
}

void Formula::StoreFields(FieldWriter& out) const
{
    out.U16(row);
    out.U16(column);
    out.U16(xfIndex);
    for (int i = 0; i < 8; ++i)
        out.U8(static_cast<std::uint8_t>((result >> (8 * i)) & 0xFF));
    out.U16(options);
    out.U16(word);
    out.Bytes(rest);
}

bool Formula::LoadFields(FieldReader& in)
{
    if (!(in.U16(row) && in.U16(column) && in.U16(xfIndex)))
        return false;
    result = 0;
    for (int i = 0; i < 8; ++i) {
        std::uint8_t byte = 0;
        in.U8(byte);
        result |= static_cast<std::uint64_t>(byte) << (8 * i);
    }
    return in.U16(options) && in.U16(word) && in.Rest(rest);
}

Record* Formula::Follower()
{
    switch (static_cast<std::uint16_t>(followerKind)) {
    case 0x0221:
        return &array;
    case 0x00BC:
        return &shrFmla;
    case 0x04BC:
        return &shrFmla1;
    case 0x0036:
        return &table;
    default:
        return nullptr;
    }
}

std::uint32_t Formula::Read(const std::uint8_t* bytes, std::size_t available)
{
    std::uint32_t consumed = FieldRecord::Read(bytes, available);
    if (consumed == 0)
        return 0;
    followerKind = -1;
    if (available >= consumed + 2) {
        const auto next = LittleEndianRead<std::uint16_t>(bytes, consumed);
        if (next == 0x04BC || next == 0x0221 || next == 0x0036 || next == 0x00BC) {
            followerKind = static_cast<std::int16_t>(next);
            const std::uint32_t taken = Follower()->Read(bytes + consumed, available - consumed);
            if (taken == 0)
                return 0;
            consumed += taken;
        }
    }
    string.text.clear();
    if (available >= consumed + 2 && LittleEndianRead<std::uint16_t>(bytes, consumed) == 0x0207) {
        const std::uint32_t taken = string.Read(bytes + consumed, available - consumed);
        if (taken == 0)
            return 0;
        consumed += taken;
    }
    return consumed;
}

std::uint32_t Formula::Write(std::uint8_t* buffer)
{
    std::uint32_t written = FieldRecord::Write(buffer);
    if (Record* follower = Follower())
        written += follower->Write(buffer + written);
    if (string.DataSize() != 0)
        written += string.Write(buffer + written);
    return written;
}

std::uint32_t Formula::RecordSize()
{
    std::uint32_t size = FieldRecord::RecordSize();
    if (Record* follower = Follower())
        size += follower->RecordSize();
    if (string.DataSize() != 0)
        size += string.RecordSize();
    return size;
}

// ---- CellBlock ----

std::int16_t CellBlock::Kind() const
{
    return std::visit(
        [](const auto& record) -> std::int16_t {
            if constexpr (std::is_same_v<std::decay_t<decltype(record)>, std::monostate>)
                return -1;
            else
                return static_cast<std::int16_t>(record.recordId);
        },
        m_record);
}

std::uint32_t CellBlock::Read(const std::uint8_t* bytes, std::size_t available)
{
    if (available < 2)
        return 0;
    const auto read = [&](auto record) -> std::uint32_t {
        const std::uint32_t consumed = record.Read(bytes, available);
        if (consumed != 0)
            m_record = std::move(record);
        return consumed;
    };
    switch (LittleEndianRead<std::uint16_t>(bytes, 0)) {
    case 0x0201:
        return read(Blank());
    case 0x0203:
        return read(Number());
    case 0x0205:
        return read(BoolErr());
    case 0x027E:
        return read(RK());
    case 0x0006:
        return read(Formula());
    case 0x00BD:
        return read(MulRK());
    case 0x00BE:
        return read(MulBlank());
    case 0x00FD:
        return read(LabelSST());
    default:
        return 0;
    }
}

std::uint32_t CellBlock::Write(std::uint8_t* buffer)
{
    return std::visit(
        [buffer](auto& record) -> std::uint32_t {
            if constexpr (std::is_same_v<std::decay_t<decltype(record)>, std::monostate>)
                return 0;
            else
                return record.Write(buffer);
        },
        m_record);
}

std::uint32_t CellBlock::RecordSize()
{
    return std::visit(
        [](auto& record) -> std::uint32_t {
            if constexpr (std::is_same_v<std::decay_t<decltype(record)>, std::monostate>)
                return 0;
            else
                return record.RecordSize();
        },
        m_record);
}

std::uint16_t CellBlock::RowIndex() const
{
    return std::visit(
        [](const auto& record) -> std::uint16_t {
            if constexpr (std::is_same_v<std::decay_t<decltype(record)>, std::monostate>)
                return 0;
            else
                return record.row;
        },
        m_record);
}

std::uint16_t CellBlock::ColumnIndex() const
{
    return std::visit(
        [](const auto& record) -> std::uint16_t {
            if constexpr (std::is_same_v<std::decay_t<decltype(record)>, std::monostate>)
                return 0;
            else
                return record.column;
        },
        m_record);
}

// ---- containers ----

std::uint32_t RowBlock::Write(std::uint8_t* buffer)
{
    std::uint32_t written = 0;
    for (auto& row : rows)
        written += row.Write(buffer + written);
    for (auto& cell : cells)
        written += cell.Write(buffer + written);
    return written + dbCell.Write(buffer + written);
}

std::uint32_t RowBlock::DataSize()
{
    std::uint32_t size = 0;
    for (auto& row : rows)
        size += row.RecordSize();
    for (auto& cell : cells)
        size += cell.RecordSize();
    return size + dbCell.RecordSize();
}

void RowBlock::Clear()
{
    rows.clear();
    cells.clear();
    dbCell.firstRowOffset = 0;
    dbCell.offsets.clear();
}

std::uint32_t Worksheet::CellTable::Write(std::uint8_t* buffer)
{
    std::uint32_t written = 0;
    for (auto& block : rowBlocks)
        written += block.Write(buffer + written);
    return written;
}

std::uint32_t Worksheet::CellTable::DataSize()
{
    std::uint32_t size = 0;
    for (auto& block : rowBlocks)
        size += block.RecordSize();
    return size;
}

Worksheet::Worksheet()
{
    bof.version = 0x0600;
    bof.type = 0x0010;
    bof.buildIdentifier = 0x19A0;
    bof.buildYear = 0x07CD;
    bof.fileHistoryFlags = 0xC0C9;
    bof.lowestVersion = 0x0306;
}

std::uint32_t Worksheet::HeadSize()
{
    return bof.RecordSize() + index.RecordSize() + dimensions.RecordSize();
}

std::uint32_t Worksheet::TailSize()
{
    return window2.RecordSize() + eof.RecordSize();
}

std::uint32_t Worksheet::DataSize()
{
    return HeadSize() + cellTable.RecordSize() + TailSize();
}

std::uint32_t Worksheet::Write(std::uint8_t* buffer)
{
    std::uint32_t written = bof.Write(buffer);
    written += index.Write(buffer + written);
    written += dimensions.Write(buffer + written);
    written += cellTable.Write(buffer + written);
    written += window2.Write(buffer + written);
    return written + eof.Write(buffer + written);
}

bool Worksheet::WriteHead(ByteSink& sink)
{
    return bof.WriteTo(sink) && index.WriteTo(sink) && dimensions.WriteTo(sink);
}

bool Worksheet::WriteTail(ByteSink& sink)
{
    return window2.WriteTo(sink) && eof.WriteTo(sink);
}

} // namespace Biff
