#include "BlockFile.h"

#include <algorithm>
#include <system_error>

namespace {

std::ios::openmode StreamMode(int mode)
{
    std::ios::openmode result = std::ios::binary;
    if (mode & BlockFile::Read)
        result |= std::ios::in;
    if (mode & BlockFile::Write)
        result |= std::ios::out;
    return result;
}

} // namespace

BlockFile::~BlockFile()
{
    Close();
}

bool BlockFile::Create(const std::filesystem::path& path)
{
    Close();
    {
        std::ofstream create(path, std::ios::binary | std::ios::out | std::ios::trunc);
        if (!create.is_open())
            return false;
        create.close();
        if (create.fail())
            return false;
    }
    return Open(path, ReadWrite);
}

bool BlockFile::Open(const std::filesystem::path& path, int mode)
{
    if ((mode & ReadWrite) == 0)
        return false;
    Close();
    m_stream.open(path, StreamMode(mode));
    if (!m_stream.is_open()) {
        m_stream.clear();
        return false;
    }
    m_path = path;
    m_mode = mode;
    if (mode & Read) {
        m_stream.seekg(0, std::ios::end);
        const auto end = m_stream.tellg();
        m_fileSize = end < 0 ? 0 : static_cast<std::uint64_t>(end);
    } else {
        m_stream.seekp(0, std::ios::end);
        const auto end = m_stream.tellp();
        m_fileSize = end < 0 ? 0 : static_cast<std::uint64_t>(end);
    }
    m_stream.clear();
    m_blockCount = static_cast<std::uint32_t>((m_fileSize + m_blockSize - 1) / m_blockSize);
    return true;
}

int BlockFile::Close()
{
    if (m_stream.is_open())
        m_stream.close();
    m_stream.clear();
    m_path.clear();
    m_mode = 0;
    m_fileSize = 0;
    m_blockCount = 0;
    m_blockSize = 512;
    return m_stream.is_open() ? 0 : 1;
}

bool BlockFile::IsOpen() const
{
    return m_stream.is_open();
}

bool BlockFile::Reopen()
{
    const std::filesystem::path path = m_path;
    const int mode = m_mode;
    const std::uint32_t count = m_blockCount;
    const std::uint64_t size = m_fileSize;
    m_stream.close();
    m_stream.clear();
    m_stream.open(path, StreamMode(mode));
    if (!m_stream.is_open()) {
        Close();
        return false;
    }
    m_blockCount = count;
    m_fileSize = size;
    return true;
}

bool BlockFile::ReadBlock(std::uint32_t index, std::uint8_t* block)
{
    if (!CanRead() || index >= m_blockCount)
        return false;
    m_stream.clear();
    m_stream.seekg(static_cast<std::streamoff>(index) * m_blockSize);
    m_stream.read(reinterpret_cast<char*>(block), m_blockSize);
    const auto got = m_stream.gcount();
    if (got == static_cast<std::streamsize>(m_blockSize))
        return !m_stream.bad();
    // A partial last block reads as its bytes followed by zeros.
    if (m_stream.bad() || !m_stream.eof() || got <= 0)
        return false;
    std::fill(block + got, block + m_blockSize, std::uint8_t {0});
    m_stream.clear();
    return true;
}

bool BlockFile::WriteBlock(std::uint32_t index, const std::uint8_t* block)
{
    if (!CanWrite())
        return false;
    m_stream.clear();
    m_stream.seekp(static_cast<std::streamoff>(index) * m_blockSize);
    m_stream.write(reinterpret_cast<const char*>(block), m_blockSize);
    // Flushing hands the block to the system now, so a failing disk is seen
    // by this call and not by a later close that nobody checks.
    m_stream.flush();
    if (!m_stream.good()) {
        m_stream.clear();
        return false;
    }
    if (index >= m_blockCount) {
        m_blockCount = index + 1;
        m_fileSize = static_cast<std::uint64_t>(m_blockCount) * m_blockSize;
    }
    return true;
}

bool BlockFile::SwapBlocks(std::uint32_t a, std::uint32_t b)
{
    if (!CanWrite() || !CanRead() || a >= m_blockCount || b >= m_blockCount)
        return false;
    if (a == b)
        return true;
    std::vector<std::uint8_t> first(m_blockSize);
    std::vector<std::uint8_t> second(m_blockSize);
    return ReadBlock(a, first.data()) && ReadBlock(b, second.data()) && WriteBlock(a, second.data())
        && WriteBlock(b, first.data());
}

bool BlockFile::MoveBlock(std::uint32_t from, std::uint32_t to)
{
    if (!CanWrite() || !CanRead() || from >= m_blockCount || to >= m_blockCount)
        return false;
    if (from == to)
        return true;
    // Holding the moved block aside costs one read and one write per block
    // passed, half of what successive swaps would.
    std::vector<std::uint8_t> moved(m_blockSize);
    std::vector<std::uint8_t> buffer(m_blockSize);
    if (!ReadBlock(from, moved.data()))
        return false;
    if (to < from) {
        for (std::uint32_t k = from; k > to; --k) {
            if (!ReadBlock(k - 1, buffer.data()) || !WriteBlock(k, buffer.data()))
                return false;
        }
    } else {
        for (std::uint32_t k = from; k < to; ++k) {
            if (!ReadBlock(k + 1, buffer.data()) || !WriteBlock(k, buffer.data()))
                return false;
        }
    }
    return WriteBlock(to, moved.data());
}

bool BlockFile::InsertBlock(std::uint32_t index, const std::uint8_t* block)
{
    if (!CanWrite())
        return false;
    if (index >= m_blockCount)
        return WriteBlock(index, block);
    if (!WriteBlock(m_blockCount, block))
        return false;
    return MoveBlock(m_blockCount - 1, index);
}

bool BlockFile::EraseBlocks(const std::vector<std::uint32_t>& indices)
{
    if (!CanWrite() || !CanRead())
        return false;
    std::vector<std::uint32_t> erased(indices);
    std::sort(erased.begin(), erased.end());
    erased.erase(std::unique(erased.begin(), erased.end()), erased.end());
    if (erased.empty())
        return true;
    if (erased.back() >= m_blockCount)
        return false;

    // Compact in place: every kept block after the first gap moves down.
    // The file is shortened only once the kept content has been written.
    std::vector<std::uint8_t> buffer(m_blockSize);
    std::uint32_t target = erased.front();
    std::size_t next = 0;
    for (std::uint32_t k = erased.front(); k < m_blockCount; ++k) {
        if (next < erased.size() && erased[next] == k) {
            ++next;
            continue;
        }
        if (!ReadBlock(k, buffer.data()) || !WriteBlock(target, buffer.data()))
            return false;
        ++target;
    }
    const std::uint32_t keptBlocks = m_blockCount - static_cast<std::uint32_t>(erased.size());
    // The stream is closed around the resize so that no buffered state of the
    // old length survives it, on any platform.
    m_stream.close();
    std::error_code error;
    std::filesystem::resize_file(m_path, static_cast<std::uintmax_t>(keptBlocks) * m_blockSize, error);
    m_blockCount = keptBlocks;
    m_fileSize = static_cast<std::uint64_t>(keptBlocks) * m_blockSize;
    const bool reopened = Reopen();
    return reopened && !error;
}
