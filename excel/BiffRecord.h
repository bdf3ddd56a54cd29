#pragma once

#include "ByteSink.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The BIFF8 record layer of the "Workbook" stream. Every record kind derives
// from Biff::Record, which holds the record's data as bytes and writes it as
// one piece or, past 8224 bytes, as a first piece followed by CONTINUE pieces.
namespace Biff {

inline constexpr std::uint16_t kContinueId = 0x003C;
inline constexpr std::uint32_t kMaxPieceData = 8224;

class Record
{
public:
    Record() = default;
    explicit Record(std::uint16_t id)
        : recordId(id)
    {
    }
    virtual ~Record() = default;
    Record(const Record&) = default;
    Record& operator=(const Record&) = default;
    Record(Record&&) noexcept = default;
    Record& operator=(Record&&) noexcept = default;

    // Parses the record that starts at data, joining the CONTINUE records
    // that follow it. Returns the bytes consumed, 0 when the available bytes
    // do not hold a whole record.
    virtual std::uint32_t Read(const std::uint8_t* data, std::size_t available);
    // Writes the record with all its pieces into a buffer of RecordSize bytes;
    // returns the bytes written.
    virtual std::uint32_t Write(std::uint8_t* buffer);
    virtual std::uint32_t DataSize();
    virtual std::uint32_t RecordSize();
    // Streams the record; the default goes through a scratch buffer.
    virtual bool WriteTo(ByteSink& sink);

    std::uint16_t recordId = 0;
    std::vector<std::uint8_t> data;
    // Data offsets where a further piece starts; empty means "cut every 8224".
    std::vector<std::uint32_t> continueIndices;
    std::uint32_t dataSize = 0;
    std::uint32_t recordSize = 4;

protected:
    // Pieces that Write emits for the current data size.
    std::uint32_t PieceCount() const;
};

// Appends the fields of a record, little-endian, to its data.
class FieldWriter
{
public:
    explicit FieldWriter(std::vector<std::uint8_t>& data)
        : m_data(data)
    {
    }
    void U8(std::uint8_t value);
    void U16(std::uint16_t value);
    void U32(std::uint32_t value);
    void F64(double value);
    void Bytes(const std::uint8_t* bytes, std::size_t count);
    void Bytes(const std::vector<std::uint8_t>& bytes) { Bytes(bytes.data(), bytes.size()); }

private:
    std::vector<std::uint8_t>& m_data;
};

// Loads fields from a record's data; the first read past the end marks the
// reader failed and every later read fails too.
class FieldReader
{
public:
    explicit FieldReader(const std::vector<std::uint8_t>& data, std::size_t pos = 0)
        : m_data(data)
        , m_pos(pos)
    {
    }
    bool U8(std::uint8_t& value);
    bool U16(std::uint16_t& value);
    bool U32(std::uint32_t& value);
    bool F64(double& value);
    bool Bytes(std::vector<std::uint8_t>& out, std::size_t count);
    bool Rest(std::vector<std::uint8_t>& out) { return Bytes(out, Remaining()); }
    std::size_t Remaining() const { return m_ok ? m_data.size() - m_pos : 0; }
    std::size_t Position() const { return m_pos; }
    bool Ok() const { return m_ok; }

private:
    bool Take(std::size_t count);
    const std::vector<std::uint8_t>& m_data;
    std::size_t m_pos;
    bool m_ok = true;
};

// A record whose data is a sequence of fields: Write rebuilds the data from
// the fields each time, so a record always writes its current values.
class FieldRecord : public Record
{
public:
    using Record::Record;
    std::uint32_t Read(const std::uint8_t* data, std::size_t available) override;
    std::uint32_t Write(std::uint8_t* buffer) override;
    std::uint32_t DataSize() override;
    std::uint32_t RecordSize() override;

protected:
    virtual std::uint32_t ComputeDataSize() const = 0;
    virtual void StoreFields(FieldWriter& out) const = 0;
    virtual bool LoadFields(FieldReader& in) = 0;
};

class BOF : public FieldRecord
{
public:
    BOF();
    std::uint16_t version = 0;
    std::uint16_t type = 0;
    std::uint16_t buildIdentifier = 0;
    std::uint16_t buildYear = 0;
    std::uint32_t fileHistoryFlags = 0;
    std::uint32_t lowestVersion = 0;

protected:
    std::uint32_t ComputeDataSize() const override { return 16; }
    void StoreFields(FieldWriter& out) const override;
    bool LoadFields(FieldReader& in) override;
};

class EndOfFile : public Record
{
public:
    EndOfFile()
        : Record(0x000A)
    {
    }
};

} // namespace Biff
