#include "ExcelFile.h"

#include "ExcelText.h"
#include "ExcelTextStore.h"

#include <algorithm>
#include <string>

namespace {

char16_t AsciiUpper(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool SameIgnoringAsciiCase(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
        return AsciiUpper(x) == AsciiUpper(y);
    });
}

constexpr std::size_t kMaxSheetNameLength = 31;

} // namespace

ExcelFile::ExcelFile()
    : m_textStore(std::make_unique<ExcelTextStore>())
{
}

ExcelFile::~ExcelFile()
{
    if (m_compoundFile.IsOpen())
        m_compoundFile.Close();
}

void ExcelFile::New(int sheets)
{
    m_sheets.clear();
    m_textStore->Clear();
    m_globals = Biff::Workbook();
    m_worksheets.clear();
    SetDefaultFormats();
    m_globals.boundSheets.resize(1);
    m_worksheets.resize(1);
    RebuildSheetObjects();
    for (int i = 1; i < sheets; ++i)
        AddWorksheet(-1);
}

void ExcelFile::SetDefaultFormats()
{
    m_globals.fonts.assign(4, Biff::Workbook::Font());
    m_globals.xfs.assign(21, Biff::Workbook::XF());
    m_globals.styles.assign(6, Biff::Workbook::Style());
}

void ExcelFile::RebuildSheetObjects()
{
    m_sheets.clear();
    m_sheets.reserve(m_worksheets.size());
    for (std::size_t i = 0; i < m_worksheets.size(); ++i)
        m_sheets.push_back(std::make_unique<ExcelSheet>(*this, static_cast<std::uint32_t>(i)));
}

bool ExcelFile::IsValidSheetName(std::string_view utf8Name)
{
    const std::u16string name = ExcelText::Utf8ToUtf16(utf8Name);
    if (name.empty() || name.size() > kMaxSheetNameLength)
        return false;
    if (name.find_first_of(u":\\/?*[]") != std::u16string::npos)
        return false;
    return name.front() != u'\'' && name.back() != u'\'';
}

int ExcelFile::FindSheet(std::u16string_view name) const
{
    for (std::size_t i = 0; i < m_globals.boundSheets.size(); ++i) {
        if (m_globals.boundSheets[i].name.Characters() == name)
            return static_cast<int>(i);
    }
    return -1;
}

bool ExcelFile::NameTaken(std::u16string_view name, int except) const
{
    for (std::size_t i = 0; i < m_globals.boundSheets.size(); ++i) {
        if (static_cast<int>(i) != except && SameIgnoringAsciiCase(m_globals.boundSheets[i].name.Characters(), name))
            return true;
    }
    return false;
}

ExcelSheet* ExcelFile::GetWorksheet(std::string_view name)
{
    const int index = FindSheet(ExcelText::Utf8ToUtf16(name));
    return index < 0 ? nullptr : m_sheets[static_cast<std::size_t>(index)].get();
}

ExcelSheet* ExcelFile::WorksheetAt(std::size_t index)
{
    return index < m_sheets.size() ? m_sheets[index].get() : nullptr;
}

std::string ExcelFile::WorksheetName(std::size_t index) const
{
    return index < m_globals.boundSheets.size() ? m_globals.boundSheets[index].name.ToUtf8() : std::string();
}

ExcelSheet* ExcelFile::AddWorksheet(int index)
{
    if (index < -1 || index > static_cast<int>(m_sheets.size()))
        return nullptr;
    // At most sheet-count names are taken, so this ends within that many tries.
    for (std::size_t k = m_sheets.size() + 1;; ++k) {
        if (ExcelSheet* sheet = AddWorksheet("Sheet" + std::to_string(k), index))
            return sheet;
    }
}

ExcelSheet* ExcelFile::AddWorksheet(std::string_view name, int index)
{
    if (index < -1 || index > static_cast<int>(m_sheets.size()) || !IsValidSheetName(name))
        return nullptr;
    if (NameTaken(ExcelText::Utf8ToUtf16(name), -1))
        return nullptr;
    // Readers refuse a workbook without fonts and cell formats, so a sheet
    // added before New brings them too.
    if (m_globals.xfs.empty())
        SetDefaultFormats();
    const std::size_t position = index == -1 ? m_sheets.size() : static_cast<std::size_t>(index);
    Biff::Workbook::BoundSheet boundSheet;
    boundSheet.name.SetNarrow(name);
    Biff::Worksheet worksheet;
    worksheet.window2.options &= static_cast<std::uint16_t>(~Biff::Worksheet::Window2::kSelected);
    m_globals.boundSheets.insert(
        m_globals.boundSheets.begin() + static_cast<std::ptrdiff_t>(position), std::move(boundSheet));
    m_worksheets.insert(m_worksheets.begin() + static_cast<std::ptrdiff_t>(position), std::move(worksheet));
    m_sheets.insert(m_sheets.begin() + static_cast<std::ptrdiff_t>(position),
        std::make_unique<ExcelSheet>(*this, static_cast<std::uint32_t>(position)));
    for (std::size_t i = position + 1; i < m_sheets.size(); ++i)
        m_sheets[i]->SetSheetIndex(static_cast<std::uint32_t>(i));
    return m_sheets[position].get();
}

bool ExcelFile::RenameWorksheet(std::string_view from, std::string_view to)
{
    const int index = FindSheet(ExcelText::Utf8ToUtf16(from));
    if (index < 0 || !IsValidSheetName(to))
        return false;
    const std::u16string newName = ExcelText::Utf8ToUtf16(to);
    if (m_globals.boundSheets[static_cast<std::size_t>(index)].name.Characters() == newName
        || NameTaken(newName, index))
        return false;
    m_globals.boundSheets[static_cast<std::size_t>(index)].name.SetNarrow(to);
    return true;
}

bool ExcelFile::SaveAs(std::string_view utf8Path)
{
    if (m_compoundFile.IsOpen())
        m_compoundFile.Close();
    if (!m_compoundFile.Create(utf8Path))
        return false;
    if (m_compoundFile.MakeStream(u"Workbook") != CompoundFile::Done) {
        m_compoundFile.Close();
        return false;
    }
    return Save();
}

bool ExcelFile::Save()
{
    if (!m_compoundFile.IsOpen() || m_sheets.empty())
        return false;
    BuildCellRecords();
    AdjustStreamPositions();
    std::uint64_t size = m_globals.RecordSize();
    for (const SheetLayout& layout : m_layouts)
        size += layout.size;
    int result = CompoundFile::ContentFailed;
    if (size <= 0xFFFFFFFFu) {
        result = m_compoundFile.WriteStream(
            u"Workbook", static_cast<std::uint32_t>(size), [this](ByteSink& sink) { return Write(sink); });
    }
    // The records of a save are rebuilt from the cells next time; dropping
    // them now gives their memory back.
    m_layouts.clear();
    m_layouts.shrink_to_fit();
    m_narrowToShared = {};
    m_wideToShared = {};
    m_globals.sst = Biff::Workbook::SharedStringTable();
    if (result != CompoundFile::Done) {
        // A file that failed half-way is not written into again: a later
        // Save answers false instead of patching a file it cannot trust.
        m_compoundFile.Close();
        return false;
    }
    return true;
}
