#include "GoodsBillListExport.h"

#include <algorithm>

#include "ExcelFile.h"

namespace {

constexpr int kTitleRow = 2;
constexpr int kFirstBillRow = 3;
// The .xls format's rows per sheet.
constexpr int kSheetRows = 65536;

void setText(ExcelSheet &sheet, int row, int column, const QString &text)
{
    if (ExcelCell *cell = sheet.Cell(static_cast<std::uint32_t>(row), static_cast<std::uint32_t>(column)))
        cell->SetWString(text.toStdU16String());
}

} // namespace

QString GoodsBillListExport::DateLine(const QDate &date)
{
    return QStringLiteral("日期：%1年%2月%3日")
        .arg(date.year())
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

int GoodsBillListExport::RowsThatFit()
{
    return kSheetRows - kFirstBillRow;
}

bool GoodsBillListExport::Write(
    const QString &path, const QStringList &titles, const std::vector<QStringList> &rows, const QDate &date)
{
    ExcelFile workbook;
    workbook.New(2);
    if (!workbook.RenameWorksheet("Sheet1", "BillSearch"))
        return false;
    ExcelSheet *sheet = workbook.GetWorksheet("BillSearch");
    if (!sheet)
        return false;
    setText(*sheet, 0, 0, DateLine(date));
    for (int column = 0; column < titles.size(); ++column)
        setText(*sheet, kTitleRow, column, titles.at(column));
    const int count = std::min(static_cast<int>(rows.size()), RowsThatFit());
    for (int i = 0; i < count; ++i) {
        const QStringList &texts = rows[static_cast<std::size_t>(i)];
        for (int column = 0; column < texts.size(); ++column)
            setText(*sheet, kFirstBillRow + i, column, texts.at(column));
    }
    return workbook.SaveAs(path.toUtf8().toStdString());
}
