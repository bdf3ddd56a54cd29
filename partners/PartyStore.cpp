#include "PartyStore.h"

#include <QStringList>

#include "Database.h"
#include "PartyRows.h"
#include "PartySideInfo.h"
#include "PriceListStore.h"
#include "ProductRows.h"

namespace {

struct Condition
{
    QString where;
    QStringList values;
};

Condition conditionFor(const PartySideInfo &side, const PartyFilter &filter)
{
    Condition condition;
    QStringList parts;
    if (!filter.area.isEmpty()) {
        parts << QStringLiteral("%1 = ?").arg(QLatin1String(side.areaColumn));
        condition.values << filter.area;
    }
    if (!filter.namePart.isEmpty()) {
        parts << QStringLiteral("%1 LIKE '%' || ? || '%' ESCAPE '\\'").arg(QLatin1String(side.nameColumn));
        condition.values << EscapeLike(filter.namePart);
    }
    if (!parts.isEmpty())
        condition.where = QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
    return condition;
}

QString table(const PartySideInfo &side)
{
    return QLatin1String(side.partyTable);
}

} // namespace

QString EscapeLike(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

PartyStore::PartyStore(Database &db, const PartySideInfo &side)
    : m_db(db)
    , m_side(side)
{
}

int PartyStore::CountParties(const PartyFilter &filter)
{
    const Condition condition = conditionFor(m_side, filter);
    Statement query = PrepareBound(
        m_db, QStringLiteral("SELECT COUNT(*) AS n FROM %1%2").arg(table(m_side), condition.where), condition.values);
    return query.next() ? static_cast<int>(query.integer(QStringLiteral("n"))) : 0;
}

QList<struct_button_data> PartyStore::PartiesPage(const PartyFilter &filter, int first, int limit)
{
    const Condition condition = conditionFor(m_side, filter);
    Statement query = PrepareBound(m_db,
        QStringLiteral("SELECT * FROM %1%2 ORDER BY RowNo LIMIT ? OFFSET ?").arg(table(m_side), condition.where),
        condition.values);
    const int next = static_cast<int>(condition.values.size()) + 1;
    query.bind(next, limit).bind(next + 1, first);
    QList<struct_button_data> parties;
    while (query.next())
        parties << ReadParty(query, m_side);
    return parties;
}

QList<struct_button_data> PartyStore::AllParties()
{
    Statement query = PrepareBound(m_db, QStringLiteral("SELECT * FROM %1 ORDER BY RowNo").arg(table(m_side)), {});
    QList<struct_button_data> parties;
    while (query.next())
        parties << ReadParty(query, m_side);
    return parties;
}

std::optional<struct_button_data> PartyStore::PartyByGuid(const QString &guid)
{
    if (guid.isEmpty())
        return std::nullopt;
    Statement query = PrepareBound(
        m_db, QStringLiteral("SELECT * FROM %1 WHERE GUID = ? ORDER BY RowNo LIMIT 1").arg(table(m_side)), {guid});
    if (!query.next())
        return std::nullopt;
    return ReadParty(query, m_side);
}

bool PartyStore::NameTaken(const QString &name, const QString &exceptGuid)
{
    Statement query = PrepareBound(m_db,
        QStringLiteral("SELECT COUNT(*) AS n FROM %1 WHERE %2 = ? AND GUID <> ?")
            .arg(table(m_side), QLatin1String(m_side.nameColumn)),
        {name, exceptGuid});
    return query.next() && query.integer(QStringLiteral("n")) > 0;
}

PartyStore::Outcome PartyStore::AddParty(const struct_button_data &party)
{
    if (party.GUID.isEmpty())
        return Outcome::NoKey;
    Transaction transaction(m_db);
    if (NameTaken(party.ClientName))
        return Outcome::DuplicateName;
    m_db.insertRow(table(m_side), PartyInsertColumns(party, m_side));
    transaction.commit();
    return Outcome::Done;
}

PartyStore::Outcome PartyStore::UpdateParty(const struct_button_data &party)
{
    if (party.GUID.isEmpty())
        return Outcome::Gone;
    Transaction transaction(m_db);
    const std::optional<struct_button_data> stored = PartyByGuid(party.GUID);
    if (!stored)
        return Outcome::Gone;
    // Only a new name is checked: a party that shares its name with
    // another (old data) can still have its other fields changed.
    const bool renamed = stored->ClientName != party.ClientName;
    if (renamed && NameTaken(party.ClientName, party.GUID))
        return Outcome::DuplicateName;

    Statement update = PrepareBound(m_db,
        QStringLiteral("UPDATE %1 SET %2 = ?, ContactName = ?, %3 = ?, Loan = ?, Tel = ?, Mobile = ?, Fax = ?, "
                       "Web = ?, Email = ?, QQ = ?, Address = ?, Remark = ?, BeginArrears = ? WHERE GUID = ?")
            .arg(table(m_side), QLatin1String(m_side.nameColumn), QLatin1String(m_side.areaColumn)),
        {party.ClientName, party.ContactName, party.ClientArea, party.Loan, party.Tel, party.Mobile, party.Fax,
            party.Web, party.Email, party.QQ, party.Address, party.Remark, party.BeginArrears, party.GUID});
    update.run();
    if (renamed && !NameTaken(stored->ClientName, party.GUID))
        RenameEverywhere(stored->ClientName, party.ClientName);
    transaction.commit();
    return Outcome::Done;
}

void PartyStore::RenameEverywhere(const QString &oldName, const QString &newName)
{
    const auto rename = [&](const char *tableName, const char *column) {
        PrepareBound(m_db,
            QStringLiteral("UPDATE %1 SET %2 = ? WHERE %2 = ?").arg(QLatin1String(tableName), QLatin1String(column)),
            {newName, oldName})
            .run();
    };
    rename(m_side.goods.table, "CompanyName");
    rename(m_side.financeTable, "ClientName");
    const PriceListSide &priceList = PriceListSide::Of(m_side.party);
    rename(priceList.table, priceList.ownerColumn);
    // The register has no side column: its rows follow the rename only
    // when they cannot belong to a party of the other side.
    if (!PartyStore(m_db, m_side.Other()).NameTaken(oldName))
        rename("tbl_RevAccount", "ClientName");
}

PartyStore::Outcome PartyStore::DeleteParty(const QString &guid)
{
    if (guid.isEmpty())
        return Outcome::Gone;
    PrepareBound(m_db, QStringLiteral("DELETE FROM %1 WHERE GUID = ?").arg(table(m_side)), {guid}).run();
    return m_db.changes() > 0 ? Outcome::Done : Outcome::Gone;
}
