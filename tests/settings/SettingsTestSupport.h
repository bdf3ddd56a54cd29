#pragma once

// What the settings tests share: the clicks a person makes in the settings
// windows, the texts of a list, and the content of a table to compare
// before and after.

#include <QAbstractButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "Database.h"
#include "QStringPrinting.h"
#include "ScriptedInteraction.h"
#include "TestDatabase.h"

#include <functional>
#include <ostream>

inline void press(QWidget *parent, const char *id)
{
    auto *button = parent->findChild<QAbstractButton *>(QString::fromLatin1(id));
    ASSERT_NE(button, nullptr) << "no button " << id;
    QTest::mouseClick(button, Qt::LeftButton);
}

// The visible names of a list, top to bottom.
inline QStringList listNames(const QTableWidget *list)
{
    QStringList names;
    for (int row = 0; row < list->rowCount(); ++row)
        names << list->item(row, 0)->text();
    return names;
}

inline QPoint rowCentre(QTableWidget *list, int row)
{
    return list->visualItemRect(list->item(row, 0)).center();
}

inline void selectRow(QTableWidget *list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, row));
}

// Press, release, then the press the system reports as a double-click.
inline void doubleClickRow(QTableWidget *list, int row)
{
    const QPoint at = rowCentre(list, row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// Every row of a table as "value|value|…" lines in RowNo order.
inline QStringList tableRows(Database &db, const QString &table)
{
    QStringList columns;
    Statement info = db.prepare("SELECT name FROM pragma_table_info(?) ORDER BY cid");
    info.bind(1, table);
    while (info.next())
        columns << info.text(QStringLiteral("name"));
    QStringList rows;
    const QByteArray sql = QStringLiteral("SELECT * FROM %1 ORDER BY RowNo").arg(table).toUtf8();
    Statement query = db.prepare(sql.constData());
    while (query.next()) {
        QStringList cells;
        for (const QString &column : columns)
            cells << query.text(column);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

// Every row of every table of the program: what two databases are
// compared by.
inline QStringList databaseRows(Database &db)
{
    QStringList tables;
    Statement query = db.prepare("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
    while (query.next())
        tables << query.text(QStringLiteral("name"));
    QStringList rows;
    for (const QString &table : tables) {
        for (const QString &row : tableRows(db, table))
            rows << table + QLatin1Char(':') + row;
    }
    return rows;
}

inline QStringList databaseRows(const QString &path)
{
    Database db(path, Database::OpenMode::ReadOnly);
    return databaseRows(db);
}

// A little shop: clients with Chinese names, and finance bills on both
// sides, enough rows to fill several pages of the file.
void FillSmallShop(Database &db, int clients = 60, const QString &marker = QStringLiteral("苏州宏达建材"));

// Makes the folder refuse new files and renames in it, also for root (who
// ignores the mode bits): through the immutable attribute where the mode
// is not enough. False when neither works here.
bool MakeUnwritable(const QString &folder);
// Runs the call with the process's file-size limit lowered to the given
// bytes (writes beyond it fail with EFBIG instead of raising SIGXFSZ).
QString WithFileSizeLimit(long bytes, const std::function<QString()> &call);
void MakeWritable(const QString &folder);

// The names in the folder, hidden ones included.
QStringList FolderEntries(const QString &folder);

// A file of the given bytes.
void WriteFile(const QString &path, const QByteArray &bytes);
