#include "PartyRows.h"

#include <QStringList>

#include "PartySideInfo.h"
#include "RecordColumns.h"

struct_button_data ReadParty(const Statement &row, const PartySideInfo &side)
{
    if (side.party == PartyProvider)
        return ToClientLayout(RecordFromRow<struct_button_provider>(row));
    return RecordFromRow<struct_button_data>(row);
}

Database::Row PartyInsertColumns(const struct_button_data &party, const PartySideInfo &side)
{
    if (side.party == PartyProvider)
        return InsertColumns(ToProviderLayout(party));
    return InsertColumns(party);
}

struct_button_goodsbill ReadGoodsLine(const Statement &row, const PartySideInfo &side)
{
    if (side.party == PartyProvider)
        return ToSalesLayout(RecordFromRow<struct_button_provider_goodsbill>(row));
    return RecordFromRow<struct_button_goodsbill>(row);
}

QString InPlaceholders(const char *column, int count)
{
    QStringList marks;
    for (int i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return QStringLiteral(" AND %1 IN (%2)").arg(QLatin1String(column), marks.join(QStringLiteral(", ")));
}
