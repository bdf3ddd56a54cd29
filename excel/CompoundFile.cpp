#include "CompoundFile.h"

#include "ExcelText.h"
#include "LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace {

std::filesystem::path PathFromUtf8(std::string_view utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace

CompoundFileHeader::CompoundFileHeader()
    : signature {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1}
{
    difat.fill(0xFFFFFFFF);
    difat[0] = 0;
    ComputeSizes();
}

void CompoundFileHeader::ComputeSizes()
{
    sectorSize = 1u << sectorShift;
    miniSectorSize = 1u << miniSectorShift;
}

void CompoundFileHeader::Write(std::uint8_t* block) const
{
    std::memset(block, 0, 512);
    std::memcpy(block, signature.data(), signature.size());
    std::memcpy(block + 8, classId.data(), classId.size());
    LittleEndianWrite(block, 24, minorVersion);
    LittleEndianWrite(block, 26, majorVersion);
    LittleEndianWrite(block, 28, byteOrder);
    LittleEndianWrite(block, 30, sectorShift);
    LittleEndianWrite(block, 32, miniSectorShift);
    LittleEndianWrite(block, 40, directorySectorCount);
    LittleEndianWrite(block, 44, fatSectorCount);
    LittleEndianWrite(block, 48, firstDirectorySector);
    LittleEndianWrite(block, 52, transactionSignature);
    LittleEndianWrite(block, 56, miniStreamCutoff);
    LittleEndianWrite(block, 60, firstMiniFatSector);
    LittleEndianWrite(block, 64, miniFatSectorCount);
    LittleEndianWrite(block, 68, firstDifatSector);
    LittleEndianWrite(block, 72, difatSectorCount);
    for (std::size_t i = 0; i < kHeaderSlots; ++i)
        LittleEndianWrite(block, 76 + 4 * i, difat[i]);
}

// The stream sink used by WriteStream: bytes arrive in order and go to disk
// a sector at a time, reusing the stream's old sectors first and appending
// new ones after them.
class CompoundFile::SectorStreamWriter : public ByteSink
{
public:
    SectorStreamWriter(CompoundFile& file, std::uint32_t& start, std::uint32_t size)
        : m_file(file)
        , m_start(start)
        , m_size(size)
    {
        m_chain = m_file.ChainOf(m_start, Kind::Sectors);
        m_last = kEndOfChain;
    }

    bool Put(const std::uint8_t* data, std::size_t size) override
    {
        if (m_file.m_ioFailed || size > m_size - m_received)
            return false;
        m_received += static_cast<std::uint32_t>(size);
        while (size > 0) {
            const std::size_t take = std::min<std::size_t>(size, kSectorSize - m_fill);
            std::memcpy(m_buffer.data() + m_fill, data, take);
            m_fill += take;
            data += take;
            size -= take;
            if (m_fill == kSectorSize && !EmitSector())
                return false;
        }
        return true;
    }

    bool Finish()
    {
        if (m_received != m_size)
            return false;
        if (m_fill > 0) {
            std::fill(m_buffer.begin() + static_cast<std::ptrdiff_t>(m_fill), m_buffer.end(), std::uint8_t {0});
            return EmitSector();
        }
        return !m_file.m_ioFailed;
    }

private:
    bool EmitSector()
    {
        std::uint32_t sector = 0;
        if (m_next < m_chain.size()) {
            sector = m_chain[m_next];
        } else {
            if (!m_file.AllocateSector(Kind::Sectors, sector))
                return false;
            if (m_start == kEndOfChain)
                m_start = sector;
            else
                m_file.m_fat[m_last] = sector;
        }
        m_file.WriteSector(sector, m_buffer.data());
        m_last = sector;
        ++m_next;
        m_fill = 0;
        return !m_file.m_ioFailed;
    }

    CompoundFile& m_file;
    std::uint32_t& m_start;
    std::uint32_t m_size;
    std::uint32_t m_received = 0;
    std::vector<std::uint32_t> m_chain;
    std::size_t m_next = 0;
    std::uint32_t m_last;
    std::array<std::uint8_t, kSectorSize> m_buffer {};
    std::size_t m_fill = 0;
};

CompoundFile::CompoundFile() = default;

CompoundFile::~CompoundFile()
{
    Close();
}

bool CompoundFile::IsOpen() const
{
    return m_file.IsOpen();
}

int CompoundFile::Close()
{
    m_fat.clear();
    m_miniFat.clear();
    m_fatSectors.clear();
    m_difatSectors.clear();
    m_storageStack.clear();
    m_currentStorage = nullptr;
    m_treeRoot.reset();
    m_entries.clear();
    return m_file.Close();
}

bool CompoundFile::Create(std::string_view utf8Path)
{
    Close();
    if (!m_file.Create(PathFromUtf8(utf8Path)))
        return false;
    m_ioFailed = false;
    m_header = CompoundFileHeader();
    m_fat.assign(kEntriesPerTableSector, kFree);
    m_fat[0] = kFatSector;
    m_fat[1] = kEndOfChain; // the one-sector directory
    m_fatSectors = {0};
    m_freeSearchStart = 0;
    m_miniFreeSearchStart = 0;

    auto root = std::make_unique<DirectoryEntry>();
    root->SetName(u"Root Entry");
    root->type = DirectoryEntry::Root;
    m_entries.push_back(std::move(root));
    m_treeRoot = std::make_unique<DirectoryTreeNode>();
    m_treeRoot->entry = m_entries[0].get();
    m_treeRoot->index = 0;
    m_currentStorage = m_treeRoot.get();

    SaveHeader();
    SaveAllocationTables();
    SaveDirectory();
    if (m_ioFailed) {
        Close();
        return false;
    }
    return true;
}

int CompoundFile::Finish(int result)
{
    SaveAll();
    return m_ioFailed ? WriteFailed : result;
}

int CompoundFile::MakeStream(std::string_view path)
{
    return MakeStream(ExcelText::Utf8ToUtf16(path));
}

int CompoundFile::MakeStream(std::u16string_view path)
{
    m_ioFailed = false;
    return MakeEntryOfType(path, DirectoryEntry::Stream);
}

int CompoundFile::MakeDirectory(std::u16string_view path)
{
    m_ioFailed = false;
    return MakeEntryOfType(path, DirectoryEntry::Storage);
}

int CompoundFile::MakeEntryOfType(std::u16string_view path, std::uint8_t type)
{
    if (!IsOpen())
        return WriteFailed;
    m_storageStack.push_back(m_currentStorage);
    auto entry = std::make_unique<DirectoryEntry>();
    entry->type = type;
    const int result = MakeEntry(path, std::move(entry));
    m_currentStorage = m_storageStack.back();
    m_storageStack.pop_back();
    return Finish(result);
}

int CompoundFile::WriteStream(std::string_view path, const std::uint8_t* data, std::uint32_t size)
{
    return WriteStream(ExcelText::Utf8ToUtf16(path), data, size);
}

int CompoundFile::WriteStream(std::u16string_view path, const std::vector<std::uint8_t>& data)
{
    if (data.size() > 0xFFFFFFFFu)
        return ContentFailed;
    return WriteStream(path, data.data(), static_cast<std::uint32_t>(data.size()));
}

int CompoundFile::WriteStream(std::u16string_view path, const std::uint8_t* data, std::uint32_t size)
{
    return WriteStream(path, size, [data, size](ByteSink& sink) { return size == 0 || sink.Put(data, size); });
}

int CompoundFile::WriteStream(std::u16string_view path, std::uint32_t size, const Producer& produce)
{
    if (!IsOpen())
        return WriteFailed;
    m_ioFailed = false;
    DirectoryTreeNode* node = FindEntry(path);
    if (node == nullptr || node->entry->type != DirectoryEntry::Stream)
        return MissingEntry;
    DirectoryEntry& entry = *node->entry;
    const bool wasSmall = entry.size < m_header.miniStreamCutoff;
    const bool isSmall = size < m_header.miniStreamCutoff;
    bool contentArrived = true;

    if (isSmall) {
        // A small stream is gathered first: it is copied into the mini stream
        // container, which is rewritten as a whole anyway.
        std::vector<std::uint8_t> content;
        content.reserve(size);
        VectorSink sink(content);
        contentArrived = produce(sink) && content.size() == size;
        if (contentArrived) {
            if (!wasSmall) {
                WriteStreamData(nullptr, 0, entry.start, Kind::Sectors);
                entry.size = 0;
            }
            WriteStreamData(content.data(), size, entry.start, Kind::MiniSectors);
            entry.size = size;
        }
    } else {
        if (wasSmall) {
            WriteStreamData(nullptr, 0, entry.start, Kind::MiniSectors);
            entry.size = 0;
        }
        contentArrived = WriteSectorStream(entry.start, size, produce);
        if (contentArrived) {
            entry.size = size;
        } else if (!m_ioFailed) {
            // Leave an empty stream rather than one whose chain is shorter
            // than its size says.
            TruncateChain(entry.start, 0, Kind::Sectors);
            entry.size = 0;
        }
    }
    return Finish(contentArrived ? Done : ContentFailed);
}

bool CompoundFile::WriteSectorStream(std::uint32_t& start, std::uint32_t size, const Producer& produce)
{
    const std::uint32_t need = (size + kSectorSize - 1) / kSectorSize;
    TruncateChain(start, need, Kind::Sectors);
    if (m_ioFailed)
        return false;
    SectorStreamWriter writer(*this, start, size);
    const bool produced = produce(writer);
    return writer.Finish() && produced;
}

void CompoundFile::WriteStreamData(const std::uint8_t* data, std::uint32_t size, std::uint32_t& start, Kind kind)
{
    if (size == 0 && start == kEndOfChain)
        return;
    if (kind == Kind::Sectors) {
        WriteSectorStream(start, size, [data, size](ByteSink& sink) { return size == 0 || sink.Put(data, size); });
        return;
    }

    DirectoryEntry& root = *m_entries[0];
    if (size > 0 && root.start == kEndOfChain) {
        std::uint32_t sector = 0;
        if (!AllocateSector(Kind::Sectors, sector))
            return;
        PlaceNewSector(sector, 0);
        root.start = sector;
        root.size = kSectorSize;
    }
    const std::uint32_t need = (size + kMiniSectorSize - 1) / kMiniSectorSize;
    TruncateChain(start, need, Kind::MiniSectors);
    if (m_ioFailed || size == 0)
        return;

    std::vector<std::uint8_t> container = ReadStreamData(root.start, root.size);
    std::vector<std::uint32_t> chain = ChainOf(start, Kind::MiniSectors);
    if (chain.size() < need) {
        std::uint32_t last = chain.empty() ? kEndOfChain : chain.back();
        for (std::size_t i = chain.size(); i < need; ++i) {
            std::uint32_t mini = 0;
            if (!AllocateSector(Kind::MiniSectors, mini))
                return;
            if (start == kEndOfChain)
                start = mini;
            else
                m_miniFat[last] = mini;
            last = mini;
        }
        std::uint32_t used = 0;
        for (std::uint32_t i = 0; i < m_miniFat.size(); ++i) {
            if (m_miniFat[i] != kFree)
                used = i + 1;
        }
        root.size = used * kMiniSectorSize;
        container.resize(root.size, 0);
        chain = ChainOf(start, Kind::MiniSectors);
    }
    for (std::size_t i = 0; i < chain.size(); ++i) {
        const std::size_t offset = i * kMiniSectorSize;
        const std::size_t count = std::min<std::size_t>(kMiniSectorSize, size - offset);
        std::memcpy(container.data() + static_cast<std::size_t>(chain[i]) * kMiniSectorSize, data + offset, count);
        if (count < kMiniSectorSize)
            std::memset(container.data() + static_cast<std::size_t>(chain[i]) * kMiniSectorSize + count, 0,
                kMiniSectorSize - count);
    }
    WriteStreamData(container.data(), root.size, root.start, Kind::Sectors);
}

void CompoundFile::TruncateChain(std::uint32_t& start, std::uint32_t keep, Kind kind)
{
    const std::vector<std::uint32_t> chain = ChainOf(start, kind);
    if (chain.size() <= keep)
        return;
    if (keep > 0)
        Table(kind)[chain[keep - 1]] = kEndOfChain;
    else
        start = kEndOfChain;
    FreeSectors(std::vector<std::uint32_t>(chain.begin() + keep, chain.end()), kind);
}

std::vector<std::uint32_t> CompoundFile::ChainOf(std::uint32_t start, Kind kind) const
{
    const std::vector<std::uint32_t>& table = Table(kind);
    std::vector<std::uint32_t> chain;
    std::uint32_t current = start;
    // A chain can never be longer than its table; the bound keeps a damaged
    // table from looping forever.
    while (IsRegular(current) && current < table.size() && chain.size() < table.size()) {
        chain.push_back(current);
        current = table[current];
    }
    return chain;
}

std::vector<std::uint8_t> CompoundFile::ReadStreamData(std::uint32_t start, std::uint32_t size)
{
    const std::vector<std::uint32_t> chain = ChainOf(start, Kind::Sectors);
    std::vector<std::uint8_t> data(chain.size() * kSectorSize);
    for (std::size_t i = 0; i < chain.size(); ++i)
        ReadSector(chain[i], data.data() + i * kSectorSize);
    data.resize(std::min<std::size_t>(data.size(), size), 0);
    return data;
}

bool CompoundFile::AllocateSector(Kind kind, std::uint32_t& sector)
{
    std::vector<std::uint32_t>& table = Table(kind);
    std::uint32_t& searchStart = kind == Kind::Sectors ? m_freeSearchStart : m_miniFreeSearchStart;
    for (;;) {
        for (std::uint32_t i = searchStart; i < table.size(); ++i) {
            if (table[i] == kFree) {
                table[i] = kEndOfChain;
                searchStart = i + 1;
                sector = i;
                return true;
            }
        }
        searchStart = static_cast<std::uint32_t>(table.size());
        if (m_ioFailed || !GrowTable(kind))
            return false;
    }
}

bool CompoundFile::GrowTable(Kind kind)
{
    if (kind == Kind::MiniSectors) {
        if (m_miniFat.size() + kEntriesPerTableSector > kMaxSectors)
            return false;
        std::uint32_t sector = 0;
        if (!AllocateSector(Kind::Sectors, sector))
            return false;
        const std::vector<std::uint32_t> chain = ChainOf(m_header.firstMiniFatSector, Kind::Sectors);
        if (chain.empty())
            m_header.firstMiniFatSector = sector;
        else
            m_fat[chain.back()] = sector;
        PlaceNewSector(sector, 0xFF);
        m_header.miniFatSectorCount = static_cast<std::uint32_t>(chain.size() + 1);
        m_miniFat.resize(m_miniFat.size() + kEntriesPerTableSector, kFree);
        return !m_ioFailed;
    }

    if (m_fat.size() + 2 * kEntriesPerTableSector > kMaxSectors)
        return false;
    // No entry is free, so every sector the FAT covers is in use and the
    // first one it does not cover is the end of the file.
    const auto sector = static_cast<std::uint32_t>(m_fat.size());
    const bool needsDifatSector = m_fatSectors.size() >= CompoundFileHeader::kHeaderSlots
        && (m_fatSectors.size() - CompoundFileHeader::kHeaderSlots) % kSlotsPerDifatSector == 0;
    PlaceNewSector(sector, 0xFF);
    m_fat.resize(m_fat.size() + kEntriesPerTableSector, kFree);
    m_fat[sector] = kFatSector;
    m_fatSectors.push_back(sector);
    if (needsDifatSector) {
        PlaceNewSector(sector + 1, 0xFF);
        m_fat[sector + 1] = kDifatSector;
        m_difatSectors.push_back(sector + 1);
    }
    return !m_ioFailed;
}

void CompoundFile::PlaceNewSector(std::uint32_t sector, std::uint8_t fill)
{
    m_sectorBuffer.fill(fill);
    if (!m_file.InsertBlock(sector + 1, m_sectorBuffer.data())) {
        m_ioFailed = true;
        return;
    }
    ShiftReferencesUp({sector});
}

void CompoundFile::ShiftReferencesUp(const std::vector<std::uint32_t>& inserted)
{
    std::vector<std::uint32_t> sorted(inserted);
    std::sort(sorted.begin(), sorted.end());
    // A sector inserted at k pushes every sector from k on one place up; the
    // sector that now sits at k is the new one and is not itself a reference.
    const auto shift = [&sorted](std::uint32_t& value) {
        if (!IsRegular(value))
            return;
        std::uint32_t added = 0;
        for (std::uint32_t k : sorted) {
            if (value + added >= k)
                ++added;
        }
        value += added;
    };
    const std::uint32_t end = m_file.BlockCount() == 0 ? 0 : m_file.BlockCount() - 1;
    // Inserting at the end of the file moves nothing: the common case.
    if (!sorted.empty() && sorted.front() + 1 >= end)
        return;
    for (std::uint32_t& s : m_fatSectors)
        shift(s);
    for (std::uint32_t& s : m_difatSectors)
        shift(s);
    shift(m_header.firstMiniFatSector);
    shift(m_header.firstDirectorySector);
    for (std::uint32_t& value : m_fat)
        shift(value);
    for (const auto& entry : m_entries) {
        if (entry->type == DirectoryEntry::Root
            || (entry->type == DirectoryEntry::Stream && entry->size >= m_header.miniStreamCutoff))
            shift(entry->start);
    }
}

void CompoundFile::WriteSector(std::uint32_t sector, const std::uint8_t* data)
{
    if (!m_file.WriteBlock(sector + 1, data))
        m_ioFailed = true;
}

void CompoundFile::ReadSector(std::uint32_t sector, std::uint8_t* data)
{
    if (!m_file.ReadBlock(sector + 1, data)) {
        std::memset(data, 0, kSectorSize);
        m_ioFailed = true;
    }
}

void CompoundFile::SaveHeader()
{
    m_header.fatSectorCount = static_cast<std::uint32_t>(m_fatSectors.size());
    m_header.difat.fill(kFree);
    for (std::size_t i = 0; i < m_fatSectors.size() && i < CompoundFileHeader::kHeaderSlots; ++i)
        m_header.difat[i] = m_fatSectors[i];
    m_header.difatSectorCount = static_cast<std::uint32_t>(m_difatSectors.size());
    m_header.firstDifatSector = m_difatSectors.empty() ? kEndOfChain : m_difatSectors.front();
    m_header.miniFatSectorCount
        = static_cast<std::uint32_t>(ChainOf(m_header.firstMiniFatSector, Kind::Sectors).size());
    m_header.Write(m_sectorBuffer.data());
    if (!m_file.WriteBlock(0, m_sectorBuffer.data()))
        m_ioFailed = true;
}

void CompoundFile::SaveAllocationTables()
{
    for (std::size_t i = 0; i < m_fatSectors.size(); ++i) {
        for (std::size_t j = 0; j < kEntriesPerTableSector; ++j)
            LittleEndianWrite(m_sectorBuffer.data(), 4 * j, m_fat[i * kEntriesPerTableSector + j]);
        WriteSector(m_fatSectors[i], m_sectorBuffer.data());
    }
    for (std::size_t d = 0; d < m_difatSectors.size(); ++d) {
        for (std::size_t j = 0; j < kSlotsPerDifatSector; ++j) {
            const std::size_t slot = CompoundFileHeader::kHeaderSlots + d * kSlotsPerDifatSector + j;
            LittleEndianWrite(m_sectorBuffer.data(), 4 * j, slot < m_fatSectors.size() ? m_fatSectors[slot] : kFree);
        }
        const std::uint32_t next = d + 1 < m_difatSectors.size() ? m_difatSectors[d + 1] : kEndOfChain;
        LittleEndianWrite(m_sectorBuffer.data(), 4 * kSlotsPerDifatSector, next);
        WriteSector(m_difatSectors[d], m_sectorBuffer.data());
    }
    const std::vector<std::uint32_t> miniFatChain = ChainOf(m_header.firstMiniFatSector, Kind::Sectors);
    for (std::size_t i = 0; i < miniFatChain.size(); ++i) {
        for (std::size_t j = 0; j < kEntriesPerTableSector; ++j) {
            const std::size_t index = i * kEntriesPerTableSector + j;
            LittleEndianWrite(m_sectorBuffer.data(), 4 * j, index < m_miniFat.size() ? m_miniFat[index] : kFree);
        }
        WriteSector(miniFatChain[i], m_sectorBuffer.data());
    }
}

void CompoundFile::SaveDirectory()
{
    const std::size_t sectors = (m_entries.size() + 3) / 4;
    std::vector<std::uint8_t> buffer(sectors * kSectorSize, 0);
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        m_entries[i]->Write(buffer.data() + i * 128);
    WriteStreamData(
        buffer.data(), static_cast<std::uint32_t>(buffer.size()), m_header.firstDirectorySector, Kind::Sectors);
}

void CompoundFile::SaveAll()
{
    if (!IsOpen())
        return;
    // The directory goes first: when it grows it allocates a sector, and the
    // tables written after it then already hold the new link.
    SaveDirectory();
    SaveHeader();
    SaveAllocationTables();
}
