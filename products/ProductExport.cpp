#include "ProductExport.h"

#include <algorithm>

#include "ExcelFile.h"

namespace {

void setText(ExcelSheet &sheet, int row, int column, const QString &text)
{
    ExcelCell *cell = sheet.Cell(static_cast<std::uint32_t>(row), static_cast<std::uint32_t>(column));
    if (cell)
        cell->SetWString(text.toStdU16String());
}

} // namespace

namespace {
constexpr int kSheetRows = 65536;
constexpr int kFirstProductRow = 3;
} // namespace

int ProductExport::MaxProducts()
{
    return kSheetRows - kFirstProductRow;
}

QStringList ProductExport::Headers()
{
    return {QStringLiteral("货品编号"), QStringLiteral("货品名称"), QStringLiteral("货品规格"),
            QStringLiteral("进货单价"), QStringLiteral("退货单价"), QStringLiteral("货品数量")};
}

QString ProductExport::DateLine(const QDate &date)
{
    return QStringLiteral("日期：%1年%2月%3日")
        .arg(date.year())
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

bool ProductExport::Write(const QString &path, const QList<QStringList> &rows, const QDate &date)
{
    if (path.isEmpty())
        return false;
    ExcelFile workbook;
    workbook.New(2);
    const std::string sheetName = "ProductSearch";
    if (!workbook.RenameWorksheet("Sheet1", sheetName))
        return false;
    ExcelSheet *sheet = workbook.GetWorksheet(sheetName);
    if (!sheet)
        return false;

    setText(*sheet, 0, 0, DateLine(date));
    const QStringList headers = Headers();
    for (int column = 0; column < headers.size(); ++column)
        setText(*sheet, 2, column, headers.at(column));
    const int count = std::min(static_cast<int>(rows.size()), MaxProducts());
    for (int i = 0; i < count; ++i) {
        const QStringList &texts = rows.at(i);
        for (int column = 0; column < texts.size() && column < headers.size(); ++column)
            setText(*sheet, i + kFirstProductRow, column, texts.at(column));
    }
    return workbook.SaveAs(path.toUtf8().toStdString());
}
