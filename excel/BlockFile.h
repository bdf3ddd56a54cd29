#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

// One disk file seen as an array of 512-byte blocks numbered from 0. The
// compound file keeps its header in block 0 and its sector n in block n + 1
// and touches the disk only through this class.
//
// Every operation reports failure by its result: a write or flush that the
// stream refuses (a full disk, a lost device) answers false, so the layers
// above never announce a file they did not manage to write.
class BlockFile
{
public:
    enum Mode : int { Read = 1, Write = 2, ReadWrite = 3 };

    BlockFile() = default;
    ~BlockFile();
    BlockFile(const BlockFile&) = delete;
    BlockFile& operator=(const BlockFile&) = delete;

    // Creates the file or empties an existing one and opens it read-write.
    bool Create(const std::filesystem::path& path);
    // Opens an existing file; mode is a combination of Read and Write.
    bool Open(const std::filesystem::path& path, int mode);
    // 1 when no file is open afterwards, else 0.
    int Close();
    bool IsOpen() const;

    bool ReadBlock(std::uint32_t index, std::uint8_t* block);
    // Writes and flushes one block; a block past the end grows the file.
    bool WriteBlock(std::uint32_t index, const std::uint8_t* block);
    bool SwapBlocks(std::uint32_t a, std::uint32_t b);
    // The block at from ends at to; the blocks between move one place toward from.
    bool MoveBlock(std::uint32_t from, std::uint32_t to);
    // Inserts a block at index, shifting later blocks up by one.
    bool InsertBlock(std::uint32_t index, const std::uint8_t* block);
    // Removes the listed blocks, closing the gaps. Duplicates count once; a
    // number at or past the end refuses the whole call and changes nothing.
    bool EraseBlocks(const std::vector<std::uint32_t>& indices);

    std::uint32_t BlockSize() const { return m_blockSize; }
    std::uint32_t BlockCount() const { return m_blockCount; }
    std::uint64_t FileSize() const { return m_fileSize; }

private:
    bool CanWrite() const { return IsOpen() && (m_mode & Write) != 0; }
    bool CanRead() const { return IsOpen() && (m_mode & Read) != 0; }
    bool Reopen();

    std::filesystem::path m_path;
    int m_mode = 0;
    std::fstream m_stream;
    std::uint32_t m_blockSize = 512;
    std::uint32_t m_blockCount = 0;
    std::uint64_t m_fileSize = 0;
};
