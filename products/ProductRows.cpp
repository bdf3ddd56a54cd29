#include "ProductRows.h"

#include "Database.h"
#include "RecordColumns.h"

Statement PrepareBound(Database &db, const QString &sql, const QStringList &values)
{
    Statement statement = db.prepare(sql.toUtf8().constData());
    int index = 1;
    for (const QString &value : values)
        statement.bind(index++, value);
    return statement;
}

QList<struct_button_storeproduct> ReadProducts(Statement &query)
{
    QList<struct_button_storeproduct> products;
    while (query.next())
        products << RecordFromRow<struct_button_storeproduct>(query);
    return products;
}
