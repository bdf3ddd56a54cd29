#include "BiffWorkbook.h"

#include "ExcelText.h"
#include "LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace Biff {

Workbook::Window1::Window1()
    : FieldRecord(0x003D)
{
}

void Workbook::Window1::StoreFields(FieldWriter& out) const
{
    for (std::uint16_t value : {horizontalPosition, verticalPosition, width, height, options, activeSheet,
             firstVisibleTab, selectedSheets, tabBarWidthRatio})
        out.U16(value);
}

bool Workbook::Window1::LoadFields(FieldReader& in)
{
    return in.U16(horizontalPosition) && in.U16(verticalPosition) && in.U16(width) && in.U16(height) && in.U16(options)
        && in.U16(activeSheet) && in.U16(firstVisibleTab) && in.U16(selectedSheets) && in.U16(tabBarWidthRatio);
}

Workbook::Font::Font()
    : FieldRecord(0x0031)
{
    name.SetWide(u"Arial");
}

void Workbook::Font::StoreFields(FieldWriter& out) const
{
    out.U16(height);
    out.U16(options);
    out.U16(colourIndex);
    out.U16(weight);
    out.U16(escapement);
    out.U8(underline);
    out.U8(family);
    out.U8(characterSet);
    out.U8(reserved);
    std::vector<std::uint8_t> bytes(name.RecordSize());
    name.Write(bytes.data());
    out.Bytes(bytes);
}

bool Workbook::Font::LoadFields(FieldReader& in)
{
    if (!(in.U16(height) && in.U16(options) && in.U16(colourIndex) && in.U16(weight) && in.U16(escapement)
            && in.U8(underline) && in.U8(family) && in.U8(characterSet) && in.U8(reserved)))
        return false;
    return name.Read(data.data() + in.Position(), in.Remaining()) != 0;
}

Workbook::XF::XF()
    : FieldRecord(0x00E0)
{
}

void Workbook::XF::StoreFields(FieldWriter& out) const
{
    out.U16(fontIndex);
    out.U16(formatIndex);
    out.U16(protectionType);
    out.U8(alignment);
    out.U8(rotation);
    out.U8(indentShrink);
    out.U8(usedAttributes);
    out.U32(borderLines);
    out.U32(borderColoursPattern);
    out.U16(patternColours);
}

bool Workbook::XF::LoadFields(FieldReader& in)
{
    return in.U16(fontIndex) && in.U16(formatIndex) && in.U16(protectionType) && in.U8(alignment) && in.U8(rotation)
        && in.U8(indentShrink) && in.U8(usedAttributes) && in.U32(borderLines) && in.U32(borderColoursPattern)
        && in.U16(patternColours);
}

Workbook::Style::Style()
    : FieldRecord(0x0293)
{
}

void Workbook::Style::StoreFields(FieldWriter& out) const
{
    out.U16(xfIndex);
    if (IsBuiltIn()) {
        out.U8(builtInId);
        out.U8(outlineLevel);
        return;
    }
    LongString copy = name;
    std::vector<std::uint8_t> bytes(copy.RecordSize());
    copy.Write(bytes.data());
    out.Bytes(bytes);
}

bool Workbook::Style::LoadFields(FieldReader& in)
{
    if (!in.U16(xfIndex))
        return false;
    if (IsBuiltIn())
        return in.U8(builtInId) && in.U8(outlineLevel);
    return name.Read(data.data() + in.Position(), in.Remaining()) != 0;
}

Workbook::BoundSheet::BoundSheet()
    : FieldRecord(0x0085)
{
    name.SetNarrow("Sheet1");
}

void Workbook::BoundSheet::StoreFields(FieldWriter& out) const
{
    out.U32(position);
    out.U8(visibility);
    out.U8(sheetType);
    std::vector<std::uint8_t> bytes(name.RecordSize());
    name.Write(bytes.data());
    out.Bytes(bytes);
}

bool Workbook::BoundSheet::LoadFields(FieldReader& in)
{
    if (!(in.U32(position) && in.U8(visibility) && in.U8(sheetType)))
        return false;
    return name.Read(data.data() + in.Position(), in.Remaining()) != 0;
}

Workbook::ExtSST::ExtSST()
    : FieldRecord(0x00FF)
{
}

std::uint32_t Workbook::ExtSST::ComputeDataSize() const
{
    return static_cast<std::uint32_t>(2 + 8 * streamPositions.size());
}

void Workbook::ExtSST::StoreFields(FieldWriter& out) const
{
    out.U16(stringsPerBucket);
    for (std::size_t i = 0; i < streamPositions.size(); ++i) {
        out.U32(streamPositions[i]);
        out.U16(i < recordPositions.size() ? recordPositions[i] : 0);
        out.U16(i < reserved.size() ? reserved[i] : 0);
    }
}

bool Workbook::ExtSST::LoadFields(FieldReader& in)
{
    if (!in.U16(stringsPerBucket))
        return false;
    streamPositions.clear();
    recordPositions.clear();
    reserved.clear();
    while (in.Remaining() >= 8) {
        std::uint32_t position = 0;
        std::uint16_t inRecord = 0;
        std::uint16_t spare = 0;
        in.U32(position);
        in.U16(inRecord);
        in.U16(spare);
        streamPositions.push_back(position);
        recordPositions.push_back(inRecord);
        reserved.push_back(spare);
    }
    return in.Ok();
}

// ---- shared-string table ----

Workbook::SharedStringTable::SharedStringTable()
    : Record(0x00FC)
{
    dataSize = 8;
    recordSize = 12;
}

void Workbook::SharedStringTable::Clear()
{
    totalCount = 0;
    m_characters.clear();
    m_entries.clear();
    continueIndices.clear();
}

void Workbook::SharedStringTable::Reserve(std::size_t strings, std::size_t characterBytes)
{
    m_entries.reserve(strings);
    m_characters.reserve(characterBytes);
}

std::uint32_t Workbook::SharedStringTable::AddWide(std::u16string_view text)
{
    const auto count = static_cast<std::uint32_t>(std::min(text.size(), LongString::kMaxCharacters));
    const Entry entry {static_cast<std::uint32_t>(m_characters.size()), count, true};
    for (std::uint32_t i = 0; i < count; ++i) {
        m_characters.push_back(static_cast<std::uint8_t>(text[i] & 0xFF));
        m_characters.push_back(static_cast<std::uint8_t>(text[i] >> 8));
    }
    m_entries.push_back(entry);
    return static_cast<std::uint32_t>(m_entries.size() - 1);
}

std::uint32_t Workbook::SharedStringTable::AddCompressed(std::string_view latin1)
{
    const auto count = static_cast<std::uint32_t>(std::min(latin1.size(), LongString::kMaxCharacters));
    const Entry entry {static_cast<std::uint32_t>(m_characters.size()), count, false};
    m_characters.insert(m_characters.end(), latin1.begin(), latin1.begin() + count);
    m_entries.push_back(entry);
    return static_cast<std::uint32_t>(m_entries.size() - 1);
}

std::uint32_t Workbook::SharedStringTable::Add(const LongString& string)
{
    return string.IsWide() ? AddWide(string.wide) : AddCompressed(string.narrow);
}

LongString Workbook::SharedStringTable::At(std::uint32_t index) const
{
    LongString result;
    if (index >= m_entries.size())
        return result;
    const Entry& entry = m_entries[index];
    const std::uint8_t* chars = m_characters.data() + entry.offset;
    if (entry.wide) {
        result.flags = 1;
        for (std::uint32_t i = 0; i < entry.count; ++i)
            result.wide.push_back(static_cast<char16_t>(LittleEndianRead<std::uint16_t>(chars, 2 * i)));
    } else {
        result.flags = 0;
        result.narrow.assign(reinterpret_cast<const char*>(chars), entry.count);
    }
    return result;
}

std::uint32_t Workbook::SharedStringTable::DataSize()
{
    // Decides where the record is cut: each piece holds at most 8224 bytes;
    // a string header never leaves fewer than 12 bytes' room unused without
    // moving to the next piece.
    std::uint32_t size = 8;
    std::uint32_t end = kMaxPieceData;
    continueIndices.clear();
    for (const Entry& entry : m_entries) {
        const std::uint32_t bytes = entry.Bytes();
        if (size + 3 + bytes <= end) {
            size += 3 + bytes;
            continue;
        }
        if (end - size < 12) {
            continueIndices.push_back(size);
            end = size + kMaxPieceData;
            if (size + 3 + bytes <= end) {
                size += 3 + bytes;
                continue;
            }
        }
        if (entry.wide && (end - size) % 2 == 0)
            --end; // an even number of character bytes in this piece
        std::uint32_t remaining = bytes - (end - size - 3);
        size = end;
        continueIndices.push_back(size);
        const std::uint32_t capacity = entry.wide ? kMaxPieceData - 2 : kMaxPieceData - 1;
        std::uint32_t pieceStart = size;
        for (;;) {
            pieceStart = size;
            const std::uint32_t take = std::min(remaining, capacity);
            size += 1 + take;
            remaining -= take;
            if (remaining == 0)
                break;
            continueIndices.push_back(size);
        }
        end = pieceStart + kMaxPieceData;
    }
    dataSize = size;
    return dataSize;
}

std::uint32_t Workbook::SharedStringTable::RecordSize()
{
    DataSize();
    recordSize = dataSize + 4 * PieceCount();
    return recordSize;
}

bool Workbook::SharedStringTable::WriteTo(ByteSink& sink)
{
    DataSize();
    // Piece boundaries, the end of the data closing the list.
    std::vector<std::uint32_t> bounds(continueIndices);
    bounds.push_back(dataSize);
    std::size_t piece = 0;
    std::uint32_t pos = 0;
    std::vector<std::uint8_t> buffer;
    buffer.reserve(kMaxPieceData + 4);
    bool ok = true;

    const auto beginPiece = [&](std::uint16_t id) {
        const std::uint32_t from = piece == 0 ? 0 : bounds[piece - 1];
        buffer.clear();
        buffer.push_back(static_cast<std::uint8_t>(id & 0xFF));
        buffer.push_back(static_cast<std::uint8_t>(id >> 8));
        const auto length = static_cast<std::uint16_t>(bounds[piece] - from);
        buffer.push_back(static_cast<std::uint8_t>(length & 0xFF));
        buffer.push_back(static_cast<std::uint8_t>(length >> 8));
    };
    // Ends the current piece when pos reached its bound; true when it did.
    const auto nextPieceIfFull = [&]() {
        if (piece + 1 >= bounds.size() || pos < bounds[piece])
            return false;
        ok = ok && sink.Put(buffer.data(), buffer.size());
        ++piece;
        beginPiece(kContinueId);
        return true;
    };
    const auto put = [&](const std::uint8_t* bytes, std::size_t count) {
        buffer.insert(buffer.end(), bytes, bytes + count);
        pos += static_cast<std::uint32_t>(count);
    };

    beginPiece(recordId);
    std::uint8_t counts[8];
    LittleEndianWrite(counts, 0, totalCount);
    LittleEndianWrite(counts, 4, UniqueCount());
    put(counts, 8);
    for (const Entry& entry : m_entries) {
        nextPieceIfFull();
        std::uint8_t header[3];
        LittleEndianWrite(header, 0, static_cast<std::uint16_t>(entry.count));
        header[2] = entry.wide ? 1 : 0;
        put(header, 3);
        const std::uint8_t* chars = m_characters.data() + entry.offset;
        std::uint32_t remaining = entry.Bytes();
        while (remaining > 0) {
            if (nextPieceIfFull())
                put(&header[2], 1); // the continued string repeats its flags
            const std::uint32_t room = piece + 1 < bounds.size() ? bounds[piece] - pos : remaining;
            const std::uint32_t take = std::min(remaining, room);
            put(chars, take);
            chars += take;
            remaining -= take;
        }
    }
    ok = ok && sink.Put(buffer.data(), buffer.size());
    return ok && pos == dataSize;
}

std::uint32_t Workbook::SharedStringTable::Write(std::uint8_t* buffer)
{
    const std::uint32_t size = RecordSize();
    BufferSink sink(buffer, size);
    WriteTo(sink);
    return static_cast<std::uint32_t>(sink.Written());
}

std::uint32_t Workbook::SharedStringTable::Read(const std::uint8_t* bytes, std::size_t available)
{
    const std::uint32_t consumed = Record::Read(bytes, available);
    if (consumed == 0 || data.size() < 8)
        return 0;
    totalCount = LittleEndianRead<std::uint32_t>(data.data(), 0);
    const auto unique = LittleEndianRead<std::uint32_t>(data.data(), 4);
    const std::vector<std::uint32_t> pieces = continueIndices;
    m_characters.clear();
    m_entries.clear();
    std::size_t pos = 8;
    std::size_t piece = 0; // index of the next piece start in pieces
    const auto pieceEnd = [&]() -> std::size_t { return piece < pieces.size() ? pieces[piece] : data.size(); };

    for (std::uint32_t s = 0; s < unique; ++s) {
        if (pos == pieceEnd() && piece < pieces.size())
            ++piece;
        LongString string;
        const std::size_t headerRoom = pieceEnd() - pos;
        if (headerRoom < 3)
            return 0;
        const auto count = LittleEndianRead<std::uint16_t>(data.data(), pos);
        const std::uint8_t form = data[pos + 2];
        std::size_t extra = 3;
        std::uint16_t runs = 0;
        std::uint32_t phonetic = 0;
        if (form & 0x08) {
            if (headerRoom < extra + 2)
                return 0;
            runs = LittleEndianRead<std::uint16_t>(data.data(), pos + extra);
            extra += 2;
        }
        if (form & 0x04) {
            if (headerRoom < extra + 4)
                return 0;
            phonetic = LittleEndianRead<std::uint32_t>(data.data(), pos + extra);
            extra += 4;
        }
        string.flags = static_cast<std::uint8_t>(form & 0x01);
        pos += extra;
        std::uint32_t left = count;
        bool pieceWide = (form & 0x01) != 0;
        while (left > 0) {
            if (pos == pieceEnd()) {
                // The string goes on in the next piece, after a flags byte.
                if (piece >= pieces.size() || pos >= data.size())
                    return 0;
                ++piece;
                pieceWide = (data[pos] & 0x01) != 0;
                ++pos;
            }
            const std::size_t unit = pieceWide ? 2 : 1;
            const auto fit = static_cast<std::uint32_t>((pieceEnd() - pos) / unit);
            const std::uint32_t take = std::min(left, fit);
            if (take == 0)
                return 0;
            std::vector<std::uint8_t> piecePrefix(1 + take * unit);
            piecePrefix[0] = pieceWide ? 1 : 0;
            std::memcpy(piecePrefix.data() + 1, data.data() + pos, take * unit);
            if (string.ContinueRead(piecePrefix.data(), piecePrefix.size(), take) == 0)
                return 0;
            pos += take * unit;
            left -= take;
        }
        // Formatting runs and phonetic data are skipped; they may cross
        // pieces without a repeated flags byte.
        std::size_t skip = 4u * runs + phonetic;
        while (skip > 0) {
            if (pos == pieceEnd() && piece < pieces.size())
                ++piece;
            const std::size_t take = std::min(skip, pieceEnd() - pos);
            if (take == 0)
                return 0;
            pos += take;
            skip -= take;
        }
        Add(string);
    }
    return consumed;
}

// ---- the globals ----

Workbook::Workbook()
{
    bof.version = 0x0600;
    bof.type = 0x0005;
    bof.buildIdentifier = 0x19A0;
    bof.buildYear = 0x07CD;
    bof.fileHistoryFlags = 0xC0C9;
    bof.lowestVersion = 0x0306;
}

std::uint32_t Workbook::DataSize()
{
    std::uint32_t size = bof.RecordSize() + window1.RecordSize();
    for (auto& font : fonts)
        size += font.RecordSize();
    for (auto& xf : xfs)
        size += xf.RecordSize();
    for (auto& style : styles)
        size += style.RecordSize();
    for (auto& sheet : boundSheets)
        size += sheet.RecordSize();
    return size + sst.RecordSize() + eof.RecordSize();
}

bool Workbook::WriteTo(ByteSink& sink)
{
    bool ok = bof.WriteTo(sink) && window1.WriteTo(sink);
    for (auto& font : fonts)
        ok = ok && font.WriteTo(sink);
    for (auto& xf : xfs)
        ok = ok && xf.WriteTo(sink);
    for (auto& style : styles)
        ok = ok && style.WriteTo(sink);
    for (auto& sheet : boundSheets)
        ok = ok && sheet.WriteTo(sink);
    return ok && sst.WriteTo(sink) && eof.WriteTo(sink);
}

std::uint32_t Workbook::Write(std::uint8_t* buffer)
{
    BufferSink sink(buffer, DataSize());
    WriteTo(sink);
    return static_cast<std::uint32_t>(sink.Written());
}

} // namespace Biff
