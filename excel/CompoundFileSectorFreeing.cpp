// Freeing sectors and mini sectors of the compound file. A freed sector is
// cut out of the file and every reference to a later sector is renumbered,
// so the file never holds free sectors and new sectors are always appended.

#include "CompoundFile.h"

#include <algorithm>
#include <cstring>

void CompoundFile::ShiftReferencesDown(const std::vector<std::uint32_t>& removed)
{
    if (removed.empty())
        return;
    std::vector<std::uint32_t> sorted(removed);
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    const auto isRemoved
        = [&sorted](std::uint32_t value) { return std::binary_search(sorted.begin(), sorted.end(), value); };
    const auto lower = [&sorted](std::uint32_t& value) {
        if (!IsRegular(value))
            return;
        const auto below = std::lower_bound(sorted.begin(), sorted.end(), value) - sorted.begin();
        value -= static_cast<std::uint32_t>(below);
    };

    // Links of kept sectors into removed ones step over them to what they
    // linked to. (The removed entries themselves are dropped; walking their
    // chains too would cost the square of a long stream's length.)
    for (std::uint32_t i = 0; i < m_fat.size(); ++i) {
        if (isRemoved(i))
            continue;
        std::uint32_t value = m_fat[i];
        std::size_t steps = 0;
        while (IsRegular(value) && value < m_fat.size() && isRemoved(value) && steps++ < sorted.size())
            value = m_fat[value];
        m_fat[i] = value;
    }
    std::vector<std::uint32_t> kept;
    kept.reserve(m_fat.size());
    for (std::uint32_t i = 0; i < m_fat.size(); ++i) {
        if (!isRemoved(i))
            kept.push_back(m_fat[i]);
    }
    kept.resize(m_fat.size(), kFree);
    m_fat = std::move(kept);
    for (std::uint32_t& value : m_fat)
        lower(value);

    for (std::uint32_t& s : m_fatSectors)
        lower(s);
    for (std::uint32_t& s : m_difatSectors)
        lower(s);
    lower(m_header.firstMiniFatSector);
    lower(m_header.firstDirectorySector);
    for (const auto& entry : m_entries) {
        if (entry->type == DirectoryEntry::Root
            || (entry->type == DirectoryEntry::Stream && entry->size >= m_header.miniStreamCutoff))
            lower(entry->start);
    }
    m_freeSearchStart = 0;
}

void CompoundFile::FreeSectors(std::vector<std::uint32_t> sectors, Kind kind)
{
    std::sort(sectors.begin(), sectors.end());
    sectors.erase(std::unique(sectors.begin(), sectors.end()), sectors.end());

    if (kind == Kind::Sectors) {
        if (!sectors.empty()) {
            ShiftReferencesDown(sectors);
            std::vector<std::uint32_t> blocks;
            blocks.reserve(sectors.size());
            for (std::uint32_t s : sectors)
                blocks.push_back(s + 1);
            if (!m_file.EraseBlocks(blocks))
                m_ioFailed = true;
        }
        ReleaseSurplusTableSectors();
        return;
    }

    if (sectors.empty())
        return;
    const auto isRemoved
        = [&sectors](std::uint32_t value) { return std::binary_search(sectors.begin(), sectors.end(), value); };
    const auto lower = [&sectors](std::uint32_t& value) {
        if (!IsRegular(value))
            return;
        value -= static_cast<std::uint32_t>(std::lower_bound(sectors.begin(), sectors.end(), value) - sectors.begin());
    };

    // 1. The container keeps the other mini sectors, moved together.
    DirectoryEntry& root = *m_entries[0];
    std::vector<std::uint8_t> container = ReadStreamData(root.start, root.size);
    std::vector<std::uint8_t> compacted;
    compacted.reserve(container.size());
    const std::size_t miniCount = container.size() / kMiniSectorSize;
    for (std::uint32_t m = 0; m < miniCount; ++m) {
        if (!isRemoved(m))
            compacted.insert(compacted.end(), container.begin() + m * kMiniSectorSize,
                container.begin() + (m + 1) * kMiniSectorSize);
    }

    // 2. The mini FAT loses the freed entries; links and starts follow.
    for (std::uint32_t i = 0; i < m_miniFat.size(); ++i) {
        if (isRemoved(i))
            continue;
        std::uint32_t value = m_miniFat[i];
        std::size_t steps = 0;
        while (IsRegular(value) && value < m_miniFat.size() && isRemoved(value) && steps++ < sectors.size())
            value = m_miniFat[value];
        m_miniFat[i] = value;
    }
    std::vector<std::uint32_t> kept;
    kept.reserve(m_miniFat.size());
    for (std::uint32_t i = 0; i < m_miniFat.size(); ++i) {
        if (!isRemoved(i))
            kept.push_back(m_miniFat[i]);
    }
    kept.resize(m_miniFat.size(), kFree);
    m_miniFat = std::move(kept);
    for (std::uint32_t& value : m_miniFat)
        lower(value);
    for (const auto& entry : m_entries) {
        if (entry->type == DirectoryEntry::Stream && entry->size < m_header.miniStreamCutoff)
            lower(entry->start);
    }
    m_miniFreeSearchStart = 0;

    root.size = static_cast<std::uint32_t>(compacted.size());
    WriteStreamData(compacted.data(), root.size, root.start, Kind::Sectors);

    // 3. Whole mini FAT sectors that became free go as well.
    std::vector<std::uint32_t> released;
    std::vector<std::uint32_t> chain = ChainOf(m_header.firstMiniFatSector, Kind::Sectors);
    for (;;) {
        const auto firstFree = std::find(m_miniFat.begin(), m_miniFat.end(), kFree);
        if (chain.empty() || m_miniFat.end() - firstFree < static_cast<std::ptrdiff_t>(kEntriesPerTableSector))
            break;
        m_miniFat.resize(m_miniFat.size() - kEntriesPerTableSector);
        released.push_back(chain.back());
        chain.pop_back();
        if (chain.empty())
            m_header.firstMiniFatSector = kEndOfChain;
        else
            m_fat[chain.back()] = kEndOfChain;
    }
    m_header.miniFatSectorCount = static_cast<std::uint32_t>(chain.size());
    // 4. Also when nothing was released: the container may have shrunk.
    FreeSectors(released, Kind::Sectors);
}

void CompoundFile::ReleaseSurplusTableSectors()
{
    // Decide first, then cut everything in one pass: each cut rewrites the
    // rest of the file, and a large stream made shorter frees many table
    // sectors at once.
    std::size_t fatCount = m_fatSectors.size();
    std::size_t difatCount = m_difatSectors.size();
    std::size_t used = static_cast<std::size_t>(std::find(m_fat.begin(), m_fat.end(), kFree) - m_fat.begin());
    std::vector<std::uint32_t> released;
    for (;;) {
        if (fatCount > 1 && kEntriesPerTableSector * fatCount - used >= kEntriesPerTableSector) {
            released.push_back(m_fatSectors[--fatCount]);
            --used;
            continue;
        }
        const std::size_t slotsPastHeader
            = fatCount > CompoundFileHeader::kHeaderSlots ? fatCount - CompoundFileHeader::kHeaderSlots : 0;
        if (difatCount > (slotsPastHeader + kSlotsPerDifatSector - 1) / kSlotsPerDifatSector) {
            released.push_back(m_difatSectors[--difatCount]);
            --used;
            continue;
        }
        break;
    }
    if (released.empty())
        return;
    m_fatSectors.resize(fatCount);
    m_difatSectors.resize(difatCount);
    // Released table sectors are cut out like any other sector: their own
    // entries go and the references past them move down, so nothing keeps
    // pointing at a sector that is gone.
    ShiftReferencesDown(released);
    std::vector<std::uint32_t> blocks;
    for (std::uint32_t sector : released)
        blocks.push_back(sector + 1);
    if (!m_file.EraseBlocks(blocks))
        m_ioFailed = true;
    m_fat.resize(kEntriesPerTableSector * fatCount);
    m_freeSearchStart = 0;
}
