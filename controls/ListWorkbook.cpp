#include "ListWorkbook.h"

#include <algorithm>

#include "ExcelFile.h"

namespace {

constexpr int kDateRow = 0;
constexpr int kTitleRow = 2;
constexpr int kFirstListRow = 3;

} // namespace

QString ListWorkbook::DateLine(const QDate& date)
{
    return QStringLiteral("日期：%1年%2月%3日")
        .arg(date.year())
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

std::optional<int> ListWorkbook::Write(const QString& path, const std::string& sheetName, const QStringList& titles,
    std::span<const QStringList> rows, const QDate& date, EmptyTexts empty)
{
    if (path.isEmpty())
        return std::nullopt;
    ExcelFile workbook;
    workbook.New(2);
    if (!workbook.RenameWorksheet("Sheet1", sheetName))
        return std::nullopt;
    ExcelSheet* sheet = workbook.GetWorksheet(sheetName);
    if (!sheet)
        return std::nullopt;

    const auto setText = [&](int row, int column, const QString& text) {
        if (text.isEmpty() && empty == EmptyTexts::LeftOut)
            return;
        if (ExcelCell* cell = sheet->Cell(static_cast<std::uint32_t>(row), static_cast<std::uint32_t>(column)))
            cell->SetWString(text.toStdU16String());
    };
    setText(kDateRow, 0, DateLine(date));
    for (int column = 0; column < titles.size(); ++column)
        setText(kTitleRow, column, titles.at(column));
    const int count = static_cast<int>(std::min<std::size_t>(rows.size(), kRowsThatFit));
    for (int i = 0; i < count; ++i) {
        const QStringList& texts = rows[static_cast<std::size_t>(i)];
        for (int column = 0; column < texts.size() && column < titles.size(); ++column)
            setText(kFirstListRow + i, column, texts.at(column));
    }
    if (!workbook.SaveAs(path.toUtf8().toStdString()))
        return std::nullopt;
    return count;
}
