#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

#include "Database.h"

// A fresh database file with the program's schema in a temporary folder,
// installed as the program's connection for the test's life.
class TestDatabase
{
public:
    TestDatabase();
    ~TestDatabase();

    Database &db() { return *m_db; }
    QString path() const { return m_path; }
    QString folder() const { return m_dir.path(); }

    // Runs a statement with bound text values.
    void exec(const char *sql, const QStringList &values = {});
    QString scalar(const char *sql, const QStringList &values = {});

private:
    Statement bound(const char *sql, const QStringList &values);

    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<Database> m_db;
};

// How many rows the table holds.
inline int rowCount(TestDatabase &db, const char *table)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table)).toUtf8().constData()).toInt();
}
