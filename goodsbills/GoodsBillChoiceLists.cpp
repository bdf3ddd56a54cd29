#include "GoodsBillChoiceLists.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

#include "Database.h"

GoodsBillChoiceLists::GoodsBillChoiceLists(Database& db)
    : m_db(db)
{
}

QStringList GoodsBillChoiceLists::CompanyNames(PartySide side)
{
    QStringList names = side == PartyProvider
        ? Column("SELECT ProviderName FROM tbl_ProviderMgr ORDER BY RowNo", QStringLiteral("ProviderName"))
        : Column("SELECT ClientName FROM tbl_clientmgr ORDER BY RowNo", QStringLiteral("ClientName"));
    names.removeAll(QString());
    names.removeDuplicates();
    QCollator collator {QLocale(QLocale::Chinese, QLocale::China)};
    std::stable_sort(names.begin(), names.end(), collator);
    return names;
}

QStringList GoodsBillChoiceLists::IncomeTypes()
{
    return Column("SELECT IncomeTypeName FROM tbl_IncomePayType ORDER BY RowNo", QStringLiteral("IncomeTypeName"));
}

QStringList GoodsBillChoiceLists::MoneyTypes()
{
    return Column("SELECT MoneyType FROM tbl_MoneyType ORDER BY RowNo", QStringLiteral("MoneyType"));
}

QStringList GoodsBillChoiceLists::Vouchers()
{
    return Column("SELECT VoucherName FROM tbl_Voucher ORDER BY RowNo", QStringLiteral("VoucherName"));
}

QStringList GoodsBillChoiceLists::AccountNames()
{
    return Column("SELECT AccountName FROM tbl_AccountMgr ORDER BY RowNo", QStringLiteral("AccountName"));
}

QStringList GoodsBillChoiceLists::Column(const char* sql, const QString& column)
{
    Statement query = m_db.prepare(sql);
    QStringList texts;
    while (query.next())
        texts << query.text(column);
    return texts;
}
