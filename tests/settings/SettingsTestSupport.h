#pragma once

// What the settings tests share: clicks in the lists, and a database's content.

#include <QTableWidget>

#include "ClickSupport.h"
#include "Database.h"
#include "QStringPrinting.h"
#include "ScriptedInteraction.h"
#include "TestDatabase.h"

// Clicks (twice: double-clicks) the name of a row; the key column is hidden.
inline void clickName(QTableWidget *list, int row, bool twice = false)
{
    const QPoint at = list->visualItemRect(list->item(row, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// Every row of every table as "table:value|value|…" (the columns quoted and
// joined by SQL): what two databases are compared by.
inline QStringList databaseRows(Database &db)
{
    Statement tables = db.prepare("SELECT t, group_concat('quote(\"' || c || '\")', ' || ''|'' || ') FROM "
                                  "(SELECT m.name AS t, p.name AS c FROM sqlite_master m, pragma_table_info(m.name) p "
                                  "WHERE m.type = 'table' ORDER BY m.name, p.cid) GROUP BY t ORDER BY t");
    QStringList rows;
    while (tables.next()) {
        const QString sql
            = QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY rowid").arg(tables.textAt(1), tables.textAt(0));
        Statement query = db.prepare(sql.toUtf8().constData());
        while (query.next())
            rows << tables.textAt(0) + QLatin1Char(':') + query.textAt(0);
    }
    return rows;
}

inline QStringList databaseRows(const QString &path)
{
    Database db(path, Database::OpenMode::ReadOnly);
    return databaseRows(db);
}
