#include "FinanceBillExport.h"

#include <algorithm>

#include "ExcelFile.h"

namespace {

void setText(ExcelSheet &sheet, int row, int column, const QString &text)
{
    if (text.isEmpty())
        return;
    if (ExcelCell *cell = sheet.Cell(static_cast<std::uint32_t>(row), static_cast<std::uint32_t>(column)))
        cell->SetWString(text.toStdU16String());
}

} // namespace

QStringList FinanceBillExport::Headers(const QString &partyCaption)
{
    return {QStringLiteral("记录号"),   QStringLiteral("单据类型"), QStringLiteral("单据编号"),
            QStringLiteral("录入时间"), QStringLiteral("帐户名称"), partyCaption,
            QStringLiteral("收入"),     QStringLiteral("支出"),     QStringLiteral("合计"),
            QStringLiteral("业务员"),   QStringLiteral("类别"),     QStringLiteral("凭证"),
            QStringLiteral("收支种类"), QStringLiteral("单据备注")};
}

QString FinanceBillExport::DateLine(const QDate &date)
{
    return QStringLiteral("日期：%1年%2月%3日")
        .arg(date.year())
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

bool FinanceBillExport::Write(const QString &path, const QString &partyCaption, const QList<QStringList> &rows,
                              const QDate &date, int *written)
{
    if (written)
        *written = 0;
    if (path.isEmpty())
        return false;
    ExcelFile workbook;
    workbook.New(2);
    const std::string sheetName = "BillSearch";
    if (!workbook.RenameWorksheet("Sheet1", sheetName))
        return false;
    ExcelSheet *sheet = workbook.GetWorksheet(sheetName);
    if (!sheet)
        return false;

    setText(*sheet, 0, 0, DateLine(date));
    const QStringList headers = Headers(partyCaption);
    for (int column = 0; column < headers.size(); ++column)
        setText(*sheet, 2, column, headers.at(column));
    const int count = std::min<int>(static_cast<int>(rows.size()), kMaxRows);
    for (int i = 0; i < count; ++i) {
        const QStringList &texts = rows.at(i);
        for (int column = 0; column < texts.size() && column < headers.size(); ++column)
            setText(*sheet, i + 3, column, texts.at(column));
    }
    if (!workbook.SaveAs(path.toUtf8().toStdString()))
        return false;
    if (written)
        *written = count;
    return true;
}
