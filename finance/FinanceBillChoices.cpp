#include "FinanceBillChoices.h"

#include "Database.h"

namespace {

QStringList columnTexts(Database &db, const char *column, const char *table)
{
    const QString sql =
        QStringLiteral("SELECT %1 FROM %2 ORDER BY RowNo").arg(QLatin1String(column), QLatin1String(table));
    Statement query = db.prepare(sql.toUtf8().constData());
    QStringList texts;
    while (query.next())
        texts << query.text(QLatin1String(column));
    return texts;
}

} // namespace

QStringList FinanceBillChoices::IncomeTypes()
{
    return columnTexts(m_db, "IncomeTypeName", "tbl_IncomePayType");
}

QStringList FinanceBillChoices::MoneyTypes()
{
    return columnTexts(m_db, "MoneyType", "tbl_MoneyType");
}

QStringList FinanceBillChoices::Vouchers()
{
    return columnTexts(m_db, "VoucherName", "tbl_Voucher");
}

QStringList FinanceBillChoices::Accounts()
{
    return columnTexts(m_db, "AccountName", "tbl_AccountMgr");
}

QStringList FinanceBillChoices::PartyNames(const FinanceBillSide &side)
{
    return columnTexts(m_db, side.partyNameColumn, side.partyTable);
}
