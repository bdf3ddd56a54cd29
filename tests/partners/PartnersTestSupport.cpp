#include "PartnersTestSupport.h"

#include "RecordColumns.h"

struct_button_data AddParty(
    TestDatabase &db, const SideCase &side, const QString &name, const QString &beginArrears, const QString &area)
{
    struct_button_data party;
    if (side.side == PartyClient)
        party = AddClientRow(db.db(), name, area, beginArrears);
    else
        party = ToClientLayout(AddProviderRow(db.db(), name, area, beginArrears));
    return party;
}

void AddRegisterRow(
    TestDatabase &db, const QString &party, const QString &date, const QString &amount, const QString &kind)
{
    db.exec("INSERT INTO tbl_RevAccount (InputDate, ClientName, MoneyCount, Remark, GUID, RevPayType, StatusTag) "
            "VALUES (?, ?, ?, '', ?, ?, '')",
        {date, party, amount, GuidText(), kind});
}

int CountWhere(TestDatabase &db, const char *table, const char *column, const QString &value)
{
    const QString sql
        = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ?").arg(QLatin1String(table), QLatin1String(column));
    return db.scalar(sql.toUtf8().constData(), {value}).toInt();
}
