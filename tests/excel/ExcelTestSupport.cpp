#include "ExcelTestSupport.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace ExcelTest {
namespace {

    std::string ShellQuote(const std::string& text)
    {
        std::string quoted = "'";
        for (char c : text) {
            if (c == '\'')
                quoted += "'\\''";
            else
                quoted += c;
        }
        return quoted + "'";
    }

    std::vector<std::string> SplitTabs(const std::string& line)
    {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (;;) {
            const std::size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
            if (tab == std::string::npos)
                return fields;
            start = tab + 1;
        }
    }

    void AppendUtf8(std::string& out, char32_t cp)
    {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    // Decodes a JSON string literal as python's json.dumps(ensure_ascii=False)
    // writes it.
    std::string JsonString(const std::string& literal)
    {
        if (literal.size() < 2 || literal.front() != '"' || literal.back() != '"')
            throw std::runtime_error("not a JSON string: " + literal);
        std::string out;
        for (std::size_t i = 1; i + 1 < literal.size(); ++i) {
            const char c = literal[i];
            if (c != '\\') {
                out += c;
                continue;
            }
            const char e = literal[++i];
            switch (e) {
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u': {
                char32_t cp = static_cast<char32_t>(std::stoul(literal.substr(i + 1, 4), nullptr, 16));
                i += 4;
                if (cp >= 0xD800 && cp <= 0xDBFF && literal.compare(i + 1, 2, "\\u") == 0) {
                    const auto low = static_cast<char32_t>(std::stoul(literal.substr(i + 3, 4), nullptr, 16));
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    i += 6;
                }
                AppendUtf8(out, cp);
                break;
            }
            default:
                out += e;
            }
        }
        return out;
    }

} // namespace

TempDir::TempDir()
{
    static std::atomic<int> counter {0};
    std::random_device device;
    m_path = std::filesystem::temp_directory_path()
        / (std::string("excel-test-") + std::to_string(device()) + std::string("-") + std::to_string(counter++));
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string RunReader(const std::string& script, const std::vector<std::string>& arguments)
{
    const char* python = std::getenv("JXC_PYTHON");
    std::string command = ShellQuote(python != nullptr && *python != '\0' ? python : "/usr/bin/python3");
    // Appended piece by piece: GCC 12 misreports "literal" + string at -O3.
    command += ' ';
    command += ShellQuote(std::string(EXCEL_TEST_SCRIPTS) + "/" + script);
    for (const std::string& argument : arguments) {
        command += ' ';
        command += ShellQuote(argument);
    }
    command += " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        throw std::runtime_error("cannot run " + command);
    std::string output;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, got);
    const int status = pclose(pipe);
    if (status != 0)
        throw std::runtime_error(command + " failed:\n" + output);
    return output;
}

const WorkbookDump::Cell* WorkbookDump::At(int sheet, int row, int column) const
{
    const auto it = cells.find({sheet, row, column});
    return it == cells.end() ? nullptr : &it->second;
}

std::size_t WorkbookDump::CellCount(int sheet) const
{
    std::size_t count = 0;
    for (const auto& [key, cell] : cells)
        count += std::get<0>(key) == sheet ? 1 : 0;
    return count;
}

WorkbookDump ReadWorkbook(const std::string& path)
{
    WorkbookDump dump;
    dump.raw = RunReader("read_workbook.py", {path});
    std::istringstream lines(dump.raw);
    std::string line;
    while (std::getline(lines, line)) {
        const std::vector<std::string> f = SplitTabs(line);
        if (f[0] == "sheet" && f.size() == 5) {
            dump.sheets.push_back({JsonString(f[2]), std::stoi(f[3]), std::stoi(f[4])});
        } else if (f[0] == "cell" && f.size() == 6) {
            WorkbookDump::Cell cell;
            cell.kind = f[4];
            if (cell.kind == "text")
                cell.text = JsonString(f[5]);
            else
                cell.number = std::strtod(f[5].c_str(), nullptr);
            dump.cells[{std::stoi(f[1]), std::stoi(f[2]), std::stoi(f[3])}] = cell;
        } else if (f[0] == "warning") {
            dump.warnings.push_back(line);
        } else {
            throw std::runtime_error("unexpected reader line: " + line);
        }
    }
    return dump;
}

const ContainerDump::Entry* ContainerDump::Find(const std::string& name) const
{
    for (const Entry& entry : entries) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

ContainerDump InspectContainer(
    const std::string& path, const std::map<std::string, std::vector<std::uint8_t>>& expected)
{
    TempDir scratch;
    std::vector<std::string> arguments {path};
    int n = 0;
    for (const auto& [stream, bytes] : expected) {
        const std::string file = scratch.File(std::string("expected") + std::to_string(n++));
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        arguments.push_back(stream + "=" + file);
    }
    ContainerDump dump;
    dump.raw = RunReader("inspect_container.py", arguments);
    std::istringstream lines(dump.raw);
    std::string line;
    const auto u32 = [](const std::string& text) { return static_cast<std::uint32_t>(std::stoull(text)); };
    while (std::getline(lines, line)) {
        const std::vector<std::string> f = SplitTabs(line);
        if (f[0] == "error") {
            dump.error = line;
        } else if (f[0] == "header" && f.size() == 7) {
            dump.fatSectors = u32(f[1]);
            dump.difatSectors = u32(f[2]);
            dump.firstDifat = u32(f[3]);
            dump.firstMiniFat = u32(f[4]);
            dump.miniFatSectors = u32(f[5]);
            dump.firstDirectory = u32(f[6]);
        } else if (f[0] == "file" && f.size() == 3) {
            dump.fileSize = std::stoull(f[1]);
            dump.sectors = std::stoull(f[2]);
        } else if (f[0] == "fat" && f.size() == 4) {
            dump.markedFat = u32(f[1]);
            dump.markedDifat = u32(f[2]);
            dump.freeInside = u32(f[3]);
        } else if (f[0] == "entry" && f.size() == 9) {
            dump.entries.push_back({std::stoi(f[1]), JsonString(f[2]), std::stoi(f[3]), u32(f[4]), u32(f[5]), u32(f[6]),
                u32(f[7]), std::stoull(f[8])});
        } else if (f[0] == "stream" && f.size() == 4) {
            dump.streams[f[1]] = f[3];
            dump.streamSizes[f[1]] = std::stoull(f[2]);
        } else {
            throw std::runtime_error("unexpected reader line: " + line);
        }
    }
    return dump;
}

OffsetCheck CheckOffsets(const std::string& path)
{
    OffsetCheck check;
    check.raw = RunReader("check_offsets.py", {path});
    std::istringstream lines(check.raw);
    std::string line;
    while (std::getline(lines, line)) {
        const std::vector<std::string> f = SplitTabs(line);
        if (f[0] == "sheet" && f.size() == 5)
            check.sheets.emplace_back(std::stoi(f[2]), std::stoi(f[3]), std::stoi(f[4]));
        else if (f[0] == "bad")
            check.problems.push_back(line);
        else if (f[0] == "ok")
            check.ok = true;
        else
            throw std::runtime_error("unexpected reader line: " + line);
    }
    return check;
}

std::vector<std::uint8_t> PatternBytes(std::size_t size, unsigned seed)
{
    std::vector<std::uint8_t> bytes(size);
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
}

} // namespace ExcelTest
