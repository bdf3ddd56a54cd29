#include "GoodsBillListExport.h"

#include "ListWorkbook.h"

QString GoodsBillListExport::DateLine(const QDate &date)
{
    return ListWorkbook::DateLine(date);
}

int GoodsBillListExport::RowsThatFit()
{
    return ListWorkbook::kRowsThatFit;
}

bool GoodsBillListExport::Write(
    const QString &path, const QStringList &titles, const std::vector<QStringList> &rows, const QDate &date)
{
    return ListWorkbook::Write(path, "BillSearch", titles, rows, date).has_value();
}
