#include "ExcelTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
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

    // Runs one of the python readers beside the tests with Debian's python3
    // (JXC_PYTHON when set) and returns what it printed.
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
        if (pclose(pipe) != 0)
            throw std::runtime_error(command + " failed:\n" + output);
        return output;
    }

    // The readers print one item a line, its fields separated by tabs.
    std::vector<std::vector<std::string>> Lines(const std::string& output)
    {
        std::vector<std::vector<std::string>> lines;
        std::istringstream in(output);
        for (std::string line; std::getline(in, line);) {
            std::vector<std::string>& fields = lines.emplace_back();
            std::istringstream parts(line);
            for (std::string field; std::getline(parts, field, '\t');)
                fields.push_back(field);
        }
        return lines;
    }

    // The readers write texts as the hex digits of their UTF-8 bytes.
    std::string FromHex(const std::string& hex)
    {
        std::string text;
        for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
            text += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
        return text;
    }

} // namespace

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "excel-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a folder like " + pattern);
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
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
    for (const std::vector<std::string>& f : Lines(dump.raw)) {
        if (f[0] == "sheet" && f.size() == 5) {
            dump.sheets.push_back({FromHex(f[2]), std::stoi(f[3]), std::stoi(f[4])});
        } else if (f[0] == "cell" && f.size() == 6) {
            WorkbookDump::Cell& cell = dump.cells[{std::stoi(f[1]), std::stoi(f[2]), std::stoi(f[3])}];
            cell.kind = f[4];
            if (cell.kind == "text")
                cell.text = FromHex(f[5]);
            else
                cell.number = std::strtod(f[5].c_str(), nullptr);
        } else if (f[0] == "warning") {
            dump.warnings.push_back(f.at(1));
        } else {
            throw std::runtime_error("unexpected reader line: " + f[0]);
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
    for (const auto& [stream, bytes] : expected) {
        const std::string file = scratch.File(std::string("expected") + std::to_string(arguments.size()));
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        arguments.push_back(stream + "=" + file);
    }
    ContainerDump dump;
    dump.raw = RunReader("inspect_container.py", arguments);
    for (const std::vector<std::string>& f : Lines(dump.raw)) {
        const auto n = [&f](std::size_t i) { return static_cast<std::uint64_t>(std::stoull(f.at(i))); };
        if (f[0] == "error") {
            dump.error = dump.raw;
        } else if (f[0] == "container") {
            std::uint64_t* const into[] = {&dump.fatSectors, &dump.difatSectors, &dump.firstDifat, &dump.firstMiniFat,
                &dump.miniFatSectors, &dump.fileSize, &dump.markedFat, &dump.markedDifat, &dump.freeInside};
            for (std::size_t i = 0; i < std::size(into); ++i)
                *into[i] = n(i + 1);
        } else if (f[0] == "entry") {
            dump.entries.push_back({FromHex(f.at(1)), n(2), n(3), n(4), n(5), n(6), n(7), n(8)});
        } else if (f[0] == "stream") {
            dump.streams[f.at(1)] = f.at(3);
            dump.streamSizes[f.at(1)] = n(2);
        } else {
            throw std::runtime_error("unexpected reader line: " + f[0]);
        }
    }
    return dump;
}

OffsetCheck CheckOffsets(const std::string& path)
{
    OffsetCheck check;
    check.raw = RunReader("check_offsets.py", {path});
    for (const std::vector<std::string>& f : Lines(check.raw)) {
        if (f[0] == "sheet" && f.size() == 5)
            check.sheets.emplace_back(std::stoi(f[2]), std::stoi(f[3]), std::stoi(f[4]));
        else if (f[0] == "ok")
            check.ok = true;
        else if (f[0] != "bad")
            throw std::runtime_error("unexpected reader line: " + f[0]);
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
