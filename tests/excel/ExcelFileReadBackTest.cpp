// Workbooks written by ExcelFile and read back by independent readers:
// xlrd for the sheets and cells, olefile for the compound file around them.

#include "ExcelFile.h"
#include "ExcelText.h"

#include "ExcelTestSupport.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

namespace {

using ExcelTest::CheckOffsets;
using ExcelTest::ContainerDump;
using ExcelTest::InspectContainer;
using ExcelTest::ReadWorkbook;
using ExcelTest::TempDir;
using ExcelTest::WorkbookDump;

// Checks the file is clean for both readers and returns what xlrd saw.
WorkbookDump ReadClean(const std::string& path)
{
    const ContainerDump container = InspectContainer(path);
    EXPECT_EQ(container.error, "") << container.raw;
    EXPECT_EQ(container.freeInside, 0u);
    EXPECT_NE(container.Find("Workbook"), nullptr);
    const ExcelTest::OffsetCheck offsets = CheckOffsets(path);
    EXPECT_TRUE(offsets.ok) << offsets.raw;
    WorkbookDump dump = ReadWorkbook(path);
    EXPECT_TRUE(dump.warnings.empty()) << dump.warnings.front();
    return dump;
}

void ExpectText(const WorkbookDump& dump, int sheet, int row, int column, const std::string& text)
{
    const WorkbookDump::Cell* cell = dump.At(sheet, row, column);
    ASSERT_NE(cell, nullptr) << row << "," << column;
    EXPECT_EQ(cell->kind, "text") << row << "," << column;
    EXPECT_EQ(cell->text, text) << row << "," << column;
}

void ExpectNumber(const WorkbookDump& dump, int sheet, int row, int column, double value)
{
    const WorkbookDump::Cell* cell = dump.At(sheet, row, column);
    ASSERT_NE(cell, nullptr) << row << "," << column;
    EXPECT_EQ(cell->kind, "number") << row << "," << column;
    // The very same double, bit for bit.
    EXPECT_EQ(std::bit_cast<std::uint64_t>(cell->number), std::bit_cast<std::uint64_t>(value))
        << row << "," << column << ": " << cell->number << " != " << value;
}

std::u16string ChineseText(int seed, int length)
{
    static const char16_t pool[] = u"货品单据编号客户供应商仓库数量单价金额日期备注收入支出帐户订金退货进货出货规格";
    std::u16string text;
    for (int i = 0; i < length; ++i)
        text.push_back(pool[static_cast<std::size_t>(seed * 31 + i * 7) % (std::size(pool) - 1)]);
    return text;
}

// A workbook saved into a fresh folder and read back.
class ExcelReadBack : public ::testing::Test
{
protected:
    WorkbookDump SaveAndRead(const std::string& name)
    {
        path = dir.File(name);
        EXPECT_TRUE(file.SaveAs(path));
        return ReadClean(path);
    }

    TempDir dir;
    ExcelFile file;
    std::string path;
};

// The export handlers' own sequence, then a second sheet with values too.
TEST_F(ExcelReadBack, TwoRenamedSheetsKeepNamesTextsAndPositions)
{
    file.New(2);
    ASSERT_TRUE(file.RenameWorksheet("Sheet1", "BillSearch"));
    ASSERT_TRUE(file.RenameWorksheet("Sheet2", "货品清单"));
    ExcelSheet* bills = file.GetWorksheet("BillSearch");
    ASSERT_NE(bills, nullptr);
    const char16_t* titles[] = {u"单据编号", u"日期", u"客户", u"金额", u"备注"};
    for (std::uint32_t c = 0; c < 5; ++c)
        bills->Cell(0, c)->SetWString(titles[c]);
    for (std::uint32_t r = 1; r < 40; ++r) {
        bills->Cell(r, 0)->SetWString(
            std::u16string(u"XS_CH_2024010") + std::u16string(1, static_cast<char16_t>(u'0' + r % 10)));
        bills->Cell(r, 1)->SetString(std::string("2024-01-0") + std::to_string(r % 9 + 1));
        bills->Cell(r, 2)->SetWString(ChineseText(static_cast<int>(r), 4));
        bills->Cell(r, 3)->SetDouble(r * 10.25);
    }
    bills->Cell(40, 4)->SetString("Caf\xC3\xA9 \xE4\xB8\xAD\xE6\x96\x87"); // UTF-8 with Chinese: kept as UTF-16
    bills->Cell(41, 4)->SetString("Caf\xC3\xA9"); // fits Latin-1: compressed
    bills->Cell(42, 4)->SetString("bad \xFF byte"); // invalid UTF-8 keeps its byte
    ExcelSheet* goods = file.GetWorksheet("货品清单");
    for (std::uint32_t r = 0; r < 70; ++r) {
        goods->Cell(r, 1)->SetWString(
            std::u16string(u"规格") + std::u16string(1, static_cast<char16_t>(u'A' + r % 26)));
        goods->Cell(r, 2)->SetInteger(static_cast<int>(r) - 35);
    }
    const WorkbookDump dump = SaveAndRead("store_billsearch_temp.xls");
    ASSERT_EQ(dump.sheets.size(), 2u);
    EXPECT_EQ(dump.sheets[0].name, "BillSearch");
    EXPECT_EQ(dump.sheets[1].name, "货品清单");
    EXPECT_EQ(dump.sheets[0].rows, 43);
    EXPECT_EQ(dump.sheets[0].columns, 5);
    for (int c = 0; c < 5; ++c)
        ExpectText(dump, 0, 0, c, ExcelText::Utf16ToUtf8(titles[c]));
    for (int r = 1; r < 40; ++r) {
        ExpectText(dump, 0, r, 0, std::string("XS_CH_2024010") + std::to_string(r % 10));
        ExpectText(dump, 0, r, 1, std::string("2024-01-0") + std::to_string(r % 9 + 1));
        ExpectText(dump, 0, r, 2, ExcelText::Utf16ToUtf8(ChineseText(r, 4)));
        ExpectNumber(dump, 0, r, 3, r * 10.25);
    }
    ExpectText(dump, 0, 40, 4, "Caf\xC3\xA9 \xE4\xB8\xAD\xE6\x96\x87");
    ExpectText(dump, 0, 41, 4, "Caf\xC3\xA9");
    ExpectText(dump, 0, 42, 4, "bad \xC3\xBF byte");
    EXPECT_EQ(dump.CellCount(0), 5u + 39 * 4 + 3);
    EXPECT_EQ(dump.sheets[1].rows, 70);
    for (int r = 0; r < 70; ++r) {
        ExpectText(dump, 1, r, 1, std::string("规格") + std::string(1, static_cast<char>('A' + r % 26)));
        ExpectNumber(dump, 1, r, 2, r - 35);
    }
}

// The row blocks start at the first row holding a value, and the INDEX has
// a slot for each of them, wherever that first row lies; an empty sheet has
// none.
TEST_F(ExcelReadBack, IndexHasOneSlotPerRowBlockWhateverTheFirstUsedRow)
{
    file.New(3);
    ExcelSheet* late = file.WorksheetAt(0);
    for (std::uint32_t r = 40; r <= 100; ++r)
        late->Cell(r, 3)->SetInteger(static_cast<int>(r));
    late->Cell(5, 0); // asked for but never set: not a value
    ExcelSheet* gaps = file.WorksheetAt(1);
    gaps->Cell(33, 1)->SetWString(u"甲");
    gaps->Cell(300, 2)->SetWString(u"乙");
    gaps->Cell(301, 0)->SetDouble(0.5);
    const WorkbookDump dump = SaveAndRead("index.xls");
    const ExcelTest::OffsetCheck check = CheckOffsets(path);
    ASSERT_EQ(check.sheets.size(), 3u);
    EXPECT_EQ(check.sheets[0], std::make_tuple(2, 2, 61)); // rows 40..100: two blocks
    EXPECT_EQ(check.sheets[1], std::make_tuple(9, 9, 3)); // rows 33..301, empty blocks included
    EXPECT_EQ(check.sheets[2], std::make_tuple(0, 0, 0));
    EXPECT_EQ(dump.sheets.at(2).name + std::to_string(dump.sheets[2].rows), "Sheet30");
    ExpectNumber(dump, 0, 40, 3, 40);
    ExpectNumber(dump, 0, 100, 3, 100);
    ExpectText(dump, 1, 300, 2, "乙");
}

TEST_F(ExcelReadBack, NumbersComeBackExactlyWhetherStoredAsRkOrNumber)
{
    const std::vector<int> integers = {0, 1, -1, 536870911, -536870912, 536870912, -536870913,
        std::numeric_limits<int>::max(), std::numeric_limits<int>::min(), 12345};
    const std::vector<double> doubles
        = {0.0, 1.0, 1.5, -2.25, 0.07, 0.1, 1.234, 5.678, 12345.67, -99999.99, 5368709.11, 1e10, 1e300, -1e-300,
            1.0 / 3.0, 214748.3648, 3e9, 536870912.0, 4294967296.5, std::numeric_limits<double>::max()};
    file.New(1);
    ExcelSheet* sheet = file.WorksheetAt(0);
    // Row 0: integers side by side (runs broken by values outside RK).
    for (std::size_t i = 0; i < integers.size(); ++i)
        sheet->Cell(0, static_cast<std::uint32_t>(i))->SetInteger(integers[i]);
    // Row 1: doubles side by side; row 2..: each double alone.
    for (std::size_t i = 0; i < doubles.size(); ++i) {
        sheet->Cell(1, static_cast<std::uint32_t>(i))->SetDouble(doubles[i]);
        sheet->Cell(2 + static_cast<std::uint32_t>(i), 2 * static_cast<std::uint32_t>(i % 3))->SetDouble(doubles[i]);
    }
    // An integer next to a double, and numbers beside texts.
    sheet->Cell(30, 0)->SetInteger(3);
    sheet->Cell(30, 1)->SetDouble(3.5);
    sheet->Cell(30, 2)->SetWString(u"金额");
    sheet->Cell(30, 3)->SetDouble(0.29);
    const WorkbookDump dump = SaveAndRead("numbers.xls");
    for (std::size_t i = 0; i < integers.size(); ++i)
        ExpectNumber(dump, 0, 0, static_cast<int>(i), integers[i]);
    for (std::size_t i = 0; i < doubles.size(); ++i) {
        ExpectNumber(dump, 0, 1, static_cast<int>(i), doubles[i]);
        ExpectNumber(dump, 0, 2 + static_cast<int>(i), 2 * static_cast<int>(i % 3), doubles[i]);
    }
    ExpectNumber(dump, 0, 30, 0, 3);
    ExpectNumber(dump, 0, 30, 1, 3.5);
    ExpectText(dump, 0, 30, 2, "金额");
    ExpectNumber(dump, 0, 30, 3, 0.29);
}

TEST_F(ExcelReadBack, AFullSheetOf65536RowsAndAFarCornerCell)
{
    file.New(2);
    ExcelSheet* sheet = file.WorksheetAt(0);
    for (std::uint32_t r = 0; r < 65536; ++r) {
        sheet->Cell(r, 0)->SetInteger(static_cast<int>(r));
        sheet->Cell(r, 1)->SetWString(ChineseText(static_cast<int>(r % 100), 3));
    }
    // A second sheet holding only its last cell: sparse, so cheap.
    ExcelSheet* corner = file.WorksheetAt(1);
    corner->Cell(65535, 255)->SetDouble(2.5);
    const WorkbookDump dump = SaveAndRead("full.xls");
    ASSERT_EQ(dump.sheets.size(), 2u);
    EXPECT_EQ(dump.sheets[0].rows, 65536);
    EXPECT_EQ(dump.CellCount(0), 2u * 65536);
    for (int r = 0; r < 65536; r += r < 100 ? 1 : 997) {
        ExpectNumber(dump, 0, r, 0, r);
        ExpectText(dump, 0, r, 1, ExcelText::Utf16ToUtf8(ChineseText(r % 100, 3)));
    }
    ExpectNumber(dump, 0, 65535, 0, 65535);
    EXPECT_EQ(dump.sheets[1].rows, 65536);
    EXPECT_EQ(dump.sheets[1].columns, 256);
    EXPECT_EQ(dump.CellCount(1), 1u);
    ExpectNumber(dump, 1, 65535, 255, 2.5);
}

TEST_F(ExcelReadBack, LongTextsSpanContinueRecordsAndAreCutAtTheCellLimit)
{
    file.New(1);
    ExcelSheet* sheet = file.WorksheetAt(0);
    std::vector<std::string> expected;
    for (std::uint32_t i = 0; i < 120; ++i) {
        const int length = 200 + static_cast<int>(i) * 137 % 4000;
        if (i % 3 == 0) {
            std::string latin;
            for (int k = 0; k < length; ++k)
                latin += static_cast<char>('a' + (k + static_cast<int>(i)) % 26);
            sheet->Cell(i, 0)->SetString(latin);
            expected.push_back(latin);
        } else {
            const std::u16string chinese = ChineseText(static_cast<int>(i), length);
            sheet->Cell(i, 0)->SetWString(chinese);
            expected.push_back(ExcelText::Utf16ToUtf8(chinese));
        }
    }
    sheet->Cell(200, 0)->SetWString(ChineseText(7, 40000));
    sheet->Cell(201, 0)->SetString(std::string(40000, 'z'));
    const WorkbookDump dump = SaveAndRead("long.xls");
    for (std::size_t i = 0; i < expected.size(); ++i)
        ExpectText(dump, 0, static_cast<int>(i), 0, expected[i]);
    ExpectText(dump, 0, 200, 0, ExcelText::Utf16ToUtf8(ChineseText(7, 32767)));
    ExpectText(dump, 0, 201, 0, std::string(32767, 'z'));
}

TEST_F(ExcelReadBack, AWorkbookPastSevenMegabytesSavesAndSavingAgainRewritesItShorterAndLonger)
{
    // 3,000 distinct texts of 1,400 characters: 8.4 MB of shared strings,
    // past where the compound file needs DIFAT sectors.
    const auto text = [](std::uint32_t r) {
        std::u16string text = ChineseText(static_cast<int>(r), 1400);
        text[0] = static_cast<char16_t>(0x4E00 + r);
        return text;
    };
    file.New(1);
    ExcelSheet* sheet = file.WorksheetAt(0);
    for (std::uint32_t r = 0; r < 3000; ++r)
        sheet->Cell(r, 0)->SetWString(text(r));
    EXPECT_EQ(SaveAndRead("again.xls").CellCount(0), 3000u);
    const auto longSize = std::filesystem::file_size(path);

    for (std::uint32_t r = 100; r < 3000; ++r)
        sheet->Cell(r, 0)->EraseContents();
    ASSERT_TRUE(file.Save());
    EXPECT_LT(std::filesystem::file_size(path), longSize / 4);
    WorkbookDump dump = ReadClean(path);
    EXPECT_EQ(dump.CellCount(0), 100u);
    ExpectText(dump, 0, 99, 0, ExcelText::Utf16ToUtf8(text(99)));

    for (std::uint32_t r = 0; r < 5000; ++r)
        sheet->Cell(r, 1)->SetDouble(r * 1.25);
    ASSERT_TRUE(file.Save());
    dump = ReadClean(path);
    EXPECT_EQ(dump.CellCount(0), 5100u);
    ExpectNumber(dump, 0, 4999, 1, 4999 * 1.25);
}

} // namespace
