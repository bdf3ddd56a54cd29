#pragma once

#include "BlockFile.h"
#include "ByteSink.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The fixed 512-byte header of a compound file (major version 3).
struct CompoundFileHeader
{
    static constexpr std::size_t kHeaderSlots = 109;

    CompoundFileHeader();
    void ComputeSizes();
    // Serialises exactly 512 bytes.
    void Write(std::uint8_t* block) const;

    std::array<std::uint8_t, 8> signature;
    std::array<std::uint8_t, 16> classId {};
    std::uint16_t minorVersion = 0x003B;
    std::uint16_t majorVersion = 3;
    std::uint16_t byteOrder = 0xFFFE;
    std::uint16_t sectorShift = 9;
    std::uint16_t miniSectorShift = 6;
    std::uint32_t directorySectorCount = 0;
    std::uint32_t fatSectorCount = 1;
    std::uint32_t firstDirectorySector = 1;
    std::uint32_t transactionSignature = 0;
    std::uint32_t miniStreamCutoff = 4096;
    std::uint32_t firstMiniFatSector = 0xFFFFFFFE;
    std::uint32_t miniFatSectorCount = 0;
    std::uint32_t firstDifatSector = 0xFFFFFFFE;
    std::uint32_t difatSectorCount = 0;
    std::array<std::uint32_t, kHeaderSlots> difat;
    std::uint32_t sectorSize = 0;
    std::uint32_t miniSectorSize = 0;
};

// One 128-byte directory entry: the root, a storage or a stream.
struct DirectoryEntry
{
    enum Type : std::uint8_t { Storage = 1, Stream = 2, Root = 5 };

    std::array<char16_t, 32> name {};
    std::uint16_t nameLength = 0; // bytes, terminator included
    std::uint8_t type = Storage;
    std::uint8_t colour = 1; // black
    std::uint32_t leftSibling = 0xFFFFFFFF;
    std::uint32_t rightSibling = 0xFFFFFFFF;
    std::uint32_t child = 0xFFFFFFFF;
    std::array<std::uint8_t, 16> classId {};
    std::uint32_t stateBits = 0;
    std::uint64_t creationTime = 0;
    std::uint64_t modificationTime = 0;
    std::uint32_t start = 0xFFFFFFFE;
    std::uint32_t size = 0;

    std::u16string_view Name() const;
    void SetName(std::u16string_view text);
    void Write(std::uint8_t* destination) const;
};

// In-memory tree of the storages, used to resolve paths.
struct DirectoryTreeNode
{
    DirectoryTreeNode* parent = nullptr;
    DirectoryEntry* entry = nullptr;
    std::uint32_t index = 0;
    std::vector<std::unique_ptr<DirectoryTreeNode>> children; // ordered by index
};

// The shorter name comes first; names of one length compare unit by unit in
// upper case, as readers of the format search the directory.
bool DirectoryNameNotAfter(std::u16string_view a, std::u16string_view b);

// Writes compound files (structured storage, 512-byte sectors): a root
// storage holding named storages and streams. Only new files are made. The
// allocation tables and the directory live in memory and every operation
// writes them back, so the file on disk is complete after each call.
//
// A stream larger than the 109 header slots can address (about 7 MB) gets
// DIFAT sectors. Sectors that a rewrite no longer needs are cut out of the
// file, so it never holds free sectors.
class CompoundFile
{
public:
    enum Result : int {
        Done = 1,
        MissingStorage = -2,
        MissingEntry = -4,
        NameTooLong = -5,
        NameTaken = -6,
        WriteFailed = -7, // the disk refused a read or write; the file is incomplete
        ContentFailed = -8, // the producer of a stream failed or gave the wrong length
    };

    // Fills the sink with exactly the announced number of bytes.
    using Producer = std::function<bool(ByteSink&)>;

    CompoundFile();
    ~CompoundFile();
    CompoundFile(const CompoundFile&) = delete;
    CompoundFile& operator=(const CompoundFile&) = delete;

    bool IsOpen() const;
    int Close();
    // The path is UTF-8. Creates (or empties) the file; false when it cannot
    // be created or its first sectors cannot be written.
    bool Create(std::string_view utf8Path);

    // Paths name entries with backslash separators; a leading backslash starts
    // at the root, any other path at the current storage. The 8-bit forms
    // take UTF-8.
    int MakeStream(std::string_view path);
    int MakeStream(std::u16string_view path);
    int MakeDirectory(std::u16string_view path);
    int ChangeDirectory(std::u16string_view path);

    // Replaces the whole content of a stream.
    int WriteStream(std::string_view path, const std::uint8_t* data, std::uint32_t size);
    int WriteStream(std::u16string_view path, const std::uint8_t* data, std::uint32_t size);
    int WriteStream(std::u16string_view path, const std::vector<std::uint8_t>& data);
    // Streams the content without holding it whole: produce is called once
    // and must put exactly size bytes into the sink it is given.
    int WriteStream(std::u16string_view path, std::uint32_t size, const Producer& produce);

private:
    enum class Kind { Sectors, MiniSectors };
    class SectorStreamWriter;

    static constexpr std::uint32_t kFree = 0xFFFFFFFF;
    static constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
    static constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
    static constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
    static constexpr std::uint32_t kMaxRegularSector = 0xFFFFFFFA;
    static constexpr std::uint32_t kSectorSize = 512;
    static constexpr std::uint32_t kMiniSectorSize = 64;
    static constexpr std::uint32_t kEntriesPerTableSector = 128;
    static constexpr std::uint32_t kSlotsPerDifatSector = 127;
    // 4 GB of sectors: past this a 32-bit stream size could not be addressed.
    static constexpr std::uint32_t kMaxSectors = 0x007FFFFF;

    static bool IsRegular(std::uint32_t value) { return value <= kMaxRegularSector; }

    // Directory side.
    std::pair<std::u16string, std::u16string> SplitPath(std::u16string_view path) const;
    DirectoryTreeNode* FindChild(DirectoryTreeNode* storage, std::u16string_view name) const;
    DirectoryTreeNode* FindEntry(std::u16string_view path);
    int MakeEntry(std::u16string_view path, std::unique_ptr<DirectoryEntry> entry);
    int MakeEntryOfType(std::u16string_view path, std::uint8_t type);
    void RenumberFrom(DirectoryTreeNode* node, std::uint32_t index);
    void AddTreeNode(DirectoryTreeNode* storage, DirectoryEntry* entry, std::uint32_t index);
    void RelinkChildren(DirectoryTreeNode* storage);

    // Tables and sectors.
    void SaveHeader();
    void SaveAllocationTables();
    void SaveDirectory();
    void SaveAll();
    std::vector<std::uint32_t> ChainOf(std::uint32_t start, Kind kind) const;
    std::vector<std::uint8_t> ReadStreamData(std::uint32_t start, std::uint32_t size);
    void WriteStreamData(const std::uint8_t* data, std::uint32_t size, std::uint32_t& start, Kind kind);
    bool WriteSectorStream(std::uint32_t& start, std::uint32_t size, const Producer& produce);
    void TruncateChain(std::uint32_t& start, std::uint32_t keep, Kind kind);
    bool AllocateSector(Kind kind, std::uint32_t& sector);
    bool GrowTable(Kind kind);
    void PlaceNewSector(std::uint32_t sector, std::uint8_t fill);
    void ShiftReferencesUp(const std::vector<std::uint32_t>& inserted);
    void ShiftReferencesDown(const std::vector<std::uint32_t>& removed);
    void FreeSectors(std::vector<std::uint32_t> sectors, Kind kind);
    void ReleaseSurplusTableSectors();
    std::vector<std::uint32_t>& Table(Kind kind) { return kind == Kind::Sectors ? m_fat : m_miniFat; }
    const std::vector<std::uint32_t>& Table(Kind kind) const { return kind == Kind::Sectors ? m_fat : m_miniFat; }
    void WriteSector(std::uint32_t sector, const std::uint8_t* data);
    void ReadSector(std::uint32_t sector, std::uint8_t* data);
    int Finish(int result);

    std::array<std::uint8_t, kSectorSize> m_sectorBuffer {};
    BlockFile m_file;
    CompoundFileHeader m_header;
    std::vector<std::uint32_t> m_fat;
    std::vector<std::uint32_t> m_miniFat;
    // Where the FAT sectors lie, in order (the header slots, then the DIFAT
    // sectors' slots), and where the DIFAT sectors lie.
    std::vector<std::uint32_t> m_fatSectors;
    std::vector<std::uint32_t> m_difatSectors;
    std::uint32_t m_freeSearchStart = 0;
    std::uint32_t m_miniFreeSearchStart = 0;
    // Set by any failed block operation during a call; the call reports it.
    bool m_ioFailed = false;

    std::unique_ptr<DirectoryTreeNode> m_treeRoot;
    DirectoryTreeNode* m_currentStorage = nullptr;
    std::vector<std::unique_ptr<DirectoryEntry>> m_entries;
    std::vector<DirectoryTreeNode*> m_storageStack;
};
