#include "BiffRecord.h"

#include "LittleEndian.h"

#include <algorithm>
#include <bit>
#include <cstring>

bool BufferSink::Put(const std::uint8_t* data, std::size_t size)
{
    if (size > m_capacity - m_written)
        return false;
    if (size > 0)
        std::memcpy(m_buffer + m_written, data, size);
    m_written += size;
    return true;
}

namespace Biff {

std::uint32_t Record::Read(const std::uint8_t* bytes, std::size_t available)
{
    if (available < 4)
        return 0;
    const auto id = LittleEndianRead<std::uint16_t>(bytes, 0);
    const auto length = LittleEndianRead<std::uint16_t>(bytes, 2);
    if (available < 4u + length)
        return 0;
    recordId = id;
    data.assign(bytes + 4, bytes + 4 + length);
    continueIndices.clear();
    dataSize = length;
    recordSize = length + 4u;
    while (available >= recordSize + 4u && LittleEndianRead<std::uint16_t>(bytes, recordSize) == kContinueId) {
        const auto pieceLength = LittleEndianRead<std::uint16_t>(bytes, recordSize + 2);
        if (available < recordSize + 4u + pieceLength)
            return 0;
        continueIndices.push_back(dataSize);
        data.insert(data.end(), bytes + recordSize + 4, bytes + recordSize + 4 + pieceLength);
        dataSize += pieceLength;
        recordSize += pieceLength + 4u;
    }
    return recordSize;
}

std::uint32_t Record::Write(std::uint8_t* buffer)
{
    const auto size = static_cast<std::uint32_t>(std::min<std::size_t>(dataSize, data.size()));
    std::uint32_t pos = 0;
    const auto writePiece = [&](std::uint16_t id, std::uint32_t from, std::uint32_t to) {
        LittleEndianWrite(buffer, pos, id);
        LittleEndianWrite(buffer, pos + 2, static_cast<std::uint16_t>(to - from));
        if (to > from)
            std::memcpy(buffer + pos + 4, data.data() + from, to - from);
        pos += 4 + (to - from);
    };
    if (!continueIndices.empty()) {
        std::uint32_t from = 0;
        std::uint16_t id = recordId;
        for (std::uint32_t index : continueIndices) {
            const std::uint32_t to = std::clamp(index, from, size);
            writePiece(id, from, to);
            id = kContinueId;
            from = to;
        }
        writePiece(id, from, size);
        return pos;
    }
    std::uint32_t from = 0;
    std::uint16_t id = recordId;
    do {
        const std::uint32_t to = std::min(size, from + kMaxPieceData);
        writePiece(id, from, to);
        id = kContinueId;
        from = to;
    } while (from < size);
    return pos;
}

std::uint32_t Record::DataSize()
{
    return dataSize;
}

std::uint32_t Record::RecordSize()
{
    return recordSize;
}

std::uint32_t Record::PieceCount() const
{
    if (!continueIndices.empty())
        return static_cast<std::uint32_t>(continueIndices.size() + 1);
    return dataSize == 0 ? 1 : (dataSize + kMaxPieceData - 1) / kMaxPieceData;
}

bool Record::WriteTo(ByteSink& sink)
{
    std::vector<std::uint8_t> scratch(RecordSize());
    const std::uint32_t written = Write(scratch.data());
    return sink.Put(scratch.data(), std::min<std::size_t>(written, scratch.size()));
}

void FieldWriter::U8(std::uint8_t value)
{
    m_data.push_back(value);
}

void FieldWriter::U16(std::uint16_t value)
{
    m_data.push_back(static_cast<std::uint8_t>(value & 0xFF));
    m_data.push_back(static_cast<std::uint8_t>(value >> 8));
}

void FieldWriter::U32(std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        m_data.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF));
}

void FieldWriter::F64(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        m_data.push_back(static_cast<std::uint8_t>((bits >> (8 * i)) & 0xFF));
}

void FieldWriter::Bytes(const std::uint8_t* bytes, std::size_t count)
{
    m_data.insert(m_data.end(), bytes, bytes + count);
}

bool FieldReader::Take(std::size_t count)
{
    if (!m_ok || count > m_data.size() - m_pos) {
        m_ok = false;
        return false;
    }
    return true;
}

bool FieldReader::U8(std::uint8_t& value)
{
    if (!Take(1))
        return false;
    value = m_data[m_pos++];
    return true;
}

bool FieldReader::U16(std::uint16_t& value)
{
    if (!Take(2))
        return false;
    value = LittleEndianRead<std::uint16_t>(m_data.data(), m_pos);
    m_pos += 2;
    return true;
}

bool FieldReader::U32(std::uint32_t& value)
{
    if (!Take(4))
        return false;
    value = LittleEndianRead<std::uint32_t>(m_data.data(), m_pos);
    m_pos += 4;
    return true;
}

bool FieldReader::F64(double& value)
{
    if (!Take(8))
        return false;
    value = LittleEndianReadDouble(m_data.data(), m_pos);
    m_pos += 8;
    return true;
}

bool FieldReader::Bytes(std::vector<std::uint8_t>& out, std::size_t count)
{
    if (!Take(count))
        return false;
    out.assign(m_data.begin() + static_cast<std::ptrdiff_t>(m_pos),
        m_data.begin() + static_cast<std::ptrdiff_t>(m_pos + count));
    m_pos += count;
    return true;
}

std::uint32_t FieldRecord::Read(const std::uint8_t* bytes, std::size_t available)
{
    const std::uint32_t consumed = Record::Read(bytes, available);
    if (consumed == 0)
        return 0;
    FieldReader in(data);
    if (!LoadFields(in) || !in.Ok())
        return 0;
    return consumed;
}

std::uint32_t FieldRecord::Write(std::uint8_t* buffer)
{
    DataSize();
    continueIndices.clear();
    data.clear();
    data.reserve(dataSize);
    FieldWriter out(data);
    StoreFields(out);
    data.resize(dataSize, 0);
    return Record::Write(buffer);
}

std::uint32_t FieldRecord::DataSize()
{
    dataSize = ComputeDataSize();
    return dataSize;
}

std::uint32_t FieldRecord::RecordSize()
{
    DataSize();
    continueIndices.clear(); // the fields are cut by size alone
    recordSize = dataSize + 4 * PieceCount();
    return recordSize;
}

BOF::BOF()
    : FieldRecord(0x0809)
{
    dataSize = 16;
    recordSize = 20;
}

void BOF::StoreFields(FieldWriter& out) const
{
    out.U16(version);
    out.U16(type);
    out.U16(buildIdentifier);
    out.U16(buildYear);
    out.U32(fileHistoryFlags);
    out.U32(lowestVersion);
}

bool BOF::LoadFields(FieldReader& in)
{
    return in.U16(version) && in.U16(type) && in.U16(buildIdentifier) && in.U16(buildYear) && in.U32(fileHistoryFlags)
        && in.U32(lowestVersion);
}

} // namespace Biff
