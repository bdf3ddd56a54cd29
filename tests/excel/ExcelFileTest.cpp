#include "ExcelFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ExcelFile, NewNamesSheetsAndRenamingFollowsTheRules)
{
    ExcelFile file;
    file.New(2);
    ASSERT_EQ(file.WorksheetCount(), 2u);
    EXPECT_EQ(file.WorksheetName(0), "Sheet1");
    EXPECT_EQ(file.WorksheetName(1), "Sheet2");
    EXPECT_EQ(file.WorksheetAt(0)->RowCount(), 0u);
    for (int none : {0, -5}) {
        file.New(none);
        EXPECT_EQ(file.WorksheetCount(), 1u) << none;
    }

    file.New(2);
    ExcelSheet* first = file.WorksheetAt(0);
    EXPECT_TRUE(file.RenameWorksheet("Sheet1", "BillSearch"));
    EXPECT_EQ(file.GetWorksheet("BillSearch"), first);
    EXPECT_EQ(file.GetWorksheet("Sheet1"), nullptr);
    EXPECT_EQ(file.GetWorksheet("billsearch"), nullptr);
    EXPECT_FALSE(file.RenameWorksheet("BillSearch", "BillSearch"));
    EXPECT_FALSE(file.RenameWorksheet("BillSearch", "Sheet2"));
    EXPECT_FALSE(file.RenameWorksheet("BillSearch", "SHEET2")); // spreadsheets ignore case
    EXPECT_FALSE(file.RenameWorksheet("Missing", "Other"));
    EXPECT_TRUE(file.RenameWorksheet("BillSearch", "货品单据"));
    EXPECT_EQ(file.GetWorksheet("货品单据"), first);

    // Names a spreadsheet program would refuse are refused here.
    EXPECT_TRUE(file.RenameWorksheet("Sheet2", std::string(31, 'x')));
    EXPECT_FALSE(file.RenameWorksheet(std::string(31, 'x'), std::string(32, 'y')));
    EXPECT_TRUE(file.RenameWorksheet(std::string(31, 'x'), std::string(31, 'y')));
    for (const char* bad : {"", "a/b", "a\\b", "a?", "a*", "[a]", "a:b", "'a", "a'"})
        EXPECT_FALSE(file.RenameWorksheet("货品单据", bad)) << bad;
    // 31 Chinese characters are 31 characters, however many bytes.
    std::string chinese;
    for (int i = 0; i < 31; ++i)
        chinese += "货";
    EXPECT_TRUE(file.RenameWorksheet("货品单据", chinese));
    EXPECT_EQ(file.AddWorksheet(chinese + "品"), nullptr);
}

TEST(ExcelFile, AddWorksheetTakesTheFirstFreeNumberAndChecksItsIndex)
{
    ExcelFile file;
    file.New(2);
    ASSERT_TRUE(file.RenameWorksheet("Sheet2", "BillSearch"));
    ExcelSheet* third = file.AddWorksheet();
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(file.WorksheetName(2), "Sheet3");
    EXPECT_EQ(file.AddWorksheet("Sheet3"), nullptr);

    ExcelSheet* front = file.AddWorksheet("Front", 0);
    ASSERT_NE(front, nullptr);
    EXPECT_EQ(file.WorksheetName(0), "Front");
    EXPECT_EQ(front->SheetIndex(), 0u);
    EXPECT_EQ(third->SheetIndex(), 3u);
    EXPECT_EQ(file.AddWorksheet(7), nullptr); // no endless search for a place that does not exist
    EXPECT_EQ(file.AddWorksheet("X", -2), nullptr);
    EXPECT_EQ(file.WorksheetCount(), 4u);
}

TEST(ExcelFile, CellsGrowTheGridButOnlyStoreWhatIsUsed)
{
    ExcelFile file;
    file.New(1);
    ExcelSheet* sheet = file.WorksheetAt(0);
    EXPECT_EQ(sheet->Cell(65536, 0), nullptr);
    EXPECT_EQ(sheet->Cell(0, 256), nullptr);
    EXPECT_EQ(sheet->RowCount(), 0u);

    ASSERT_NE(sheet->Cell(2, 3), nullptr);
    EXPECT_EQ(sheet->RowCount(), 3u);
    EXPECT_EQ(sheet->ColumnCount(), 4u);
    EXPECT_EQ(sheet->FindCell(1, 1), nullptr);
    ASSERT_NE(sheet->Cell(0, 5), nullptr);
    EXPECT_EQ(sheet->ColumnCount(), 6u);

    ExcelCell* far = sheet->Cell(65535, 255);
    ASSERT_NE(far, nullptr);
    far->SetInteger(42);
    EXPECT_EQ(sheet->RowCount(), 65536u);
    EXPECT_EQ(sheet->ColumnCount(), 256u);
    EXPECT_EQ(sheet->RowCells(65535).size(), 1u);
    EXPECT_EQ(sheet->RowCells(40000).size(), 0u);

    // Filling out of order keeps each row in column order.
    for (std::uint32_t c : {9u, 1u, 5u, 3u, 7u})
        sheet->Cell(10, c)->SetInteger(static_cast<int>(c));
    std::uint32_t previous = 0;
    for (const ExcelCell& cell : sheet->RowCells(10)) {
        EXPECT_GE(cell.Column(), previous);
        EXPECT_EQ(cell.GetInteger(), cell.Column());
        previous = cell.Column();
    }
}

TEST(ExcelFile, CellValuesAndTheirConversions)
{
    ExcelFile file;
    file.New(1);
    ExcelSheet* sheet = file.WorksheetAt(0);
    ExcelCell* cell = sheet->Cell(0, 0);
    cell->SetDouble(-2.75);
    EXPECT_EQ(cell->Type(), ExcelCellType::Double);
    EXPECT_EQ(cell->GetInteger(), -2);
    cell->SetDouble(1e12);
    EXPECT_EQ(cell->GetInteger(), 2147483647); // held to the int range, no overflow
    cell->SetInteger(7);
    EXPECT_EQ(cell->GetDouble(), 7.0);

    cell->SetString("abc");
    EXPECT_EQ(cell->Type(), ExcelCellType::String);
    EXPECT_EQ(cell->GetInteger(), 0);
    cell->SetWString(u"货品");
    std::u16string wide;
    std::string narrow;
    EXPECT_TRUE(cell->Get(wide));
    EXPECT_FALSE(cell->Get(narrow));
    EXPECT_EQ(wide, u"货品");
    EXPECT_EQ(cell->GetStringLength(), 2u);

    cell->SetWString(u"");
    EXPECT_EQ(cell->Type(), ExcelCellType::Empty);
    cell->SetString(static_cast<const char*>(nullptr));
    EXPECT_EQ(cell->Type(), ExcelCellType::Empty);
    EXPECT_EQ(sheet->RowCount(), 1u); // erasing never shrinks the grid

    // Texts are cut at the 32,767 characters a cell holds, never inside a
    // character.
    cell->SetWString(std::u16string(40000, u'x'));
    EXPECT_EQ(cell->GetStringLength(), 32767u);
    std::u16string pairs = std::u16string(32766, u'x') + u"\U0001F600";
    cell->SetWString(pairs);
    EXPECT_EQ(cell->GetStringLength(), 32766u);
    std::string longUtf8;
    for (int i = 0; i < 40000; ++i)
        longUtf8 += "中";
    cell->SetString(longUtf8);
    EXPECT_EQ(cell->GetStringLength(), 32767u * 3);
}

} // namespace
