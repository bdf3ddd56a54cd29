#include "ProductExport.h"

#include "ListWorkbook.h"

int ProductExport::MaxProducts()
{
    return ListWorkbook::kRowsThatFit;
}

QStringList ProductExport::Headers()
{
    return {QStringLiteral("货品编号"), QStringLiteral("货品名称"), QStringLiteral("货品规格"),
            QStringLiteral("进货单价"), QStringLiteral("退货单价"), QStringLiteral("货品数量")};
}

QString ProductExport::DateLine(const QDate &date)
{
    return ListWorkbook::DateLine(date);
}

bool ProductExport::Write(const QString &path, const QList<QStringList> &rows, const QDate &date)
{
    return ListWorkbook::Write(path, "ProductSearch", Headers(), rows, date).has_value();
}
