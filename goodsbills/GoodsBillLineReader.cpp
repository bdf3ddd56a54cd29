#include "GoodsBillLineReader.h"

#include "Database.h"
#include "RecordColumns.h"

QString GoodsBillLineReader::SelectResolved(const GoodsBillSide &side, const QString &lineColumns)
{
    // An empty link never finds a finance bill, even one stored with an
    // empty GUID: as NULL it equals nothing, and SQLite skips the lookup.
    return QStringLiteral("SELECT %3, d.MoneyCount AS ResolvedDeposit, d.GUID AS ResolvedDepositGuid FROM %1 AS l "
                          "LEFT JOIN %2 AS d ON d.GUID = NULLIF(l.ImprestBillGuid, '')")
        .arg(QLatin1String(side.table), QLatin1String(side.depositTable), lineColumns);
}

struct_button_goodsbill GoodsBillLineReader::ReadResolved(const Statement &row)
{
    // Both tables have the same columns, read by name into the sales layout.
    struct_button_goodsbill line = RecordFromRow<struct_button_goodsbill>(row);
    ResolveDeposit(line, row.text(QStringLiteral("ResolvedDepositGuid")), row.text(QStringLiteral("ResolvedDeposit")));
    return line;
}

void GoodsBillLineReader::ResolveDeposit(
    struct_button_goodsbill &line, const QString &depositGuid, const QString &depositAmount)
{
    if (depositGuid.isEmpty()) {
        line.Imprest = QStringLiteral("0");
        line.ImprestBillGuid.clear();
    } else {
        line.Imprest = depositAmount;
    }
}
