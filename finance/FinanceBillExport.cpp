#include "FinanceBillExport.h"

#include "ListWorkbook.h"

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
    return ListWorkbook::DateLine(date);
}

bool FinanceBillExport::Write(const QString &path, const QString &partyCaption, const QList<QStringList> &rows,
                              const QDate &date, int *written)
{
    // An empty text leaves its cell out.
    const std::optional<int> count =
        ListWorkbook::Write(path, "BillSearch", Headers(partyCaption), rows, date, ListWorkbook::EmptyTexts::LeftOut);
    if (written)
        *written = count.value_or(0);
    return count.has_value();
}
