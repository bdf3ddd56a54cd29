#include "TestDatabase.h"

#include <QDir>

#include "ProgramDatabase.h"

TestDatabase::TestDatabase()
    : m_path(QDir(m_dir.path()).filePath(QStringLiteral("test.mdb")))
{
    m_db = std::make_unique<Database>(m_path, Database::OpenMode::Create);
    CreateSchema(*m_db);
    g_pConnection = m_db.get();
}

TestDatabase::~TestDatabase()
{
    if (g_pConnection == m_db.get())
        g_pConnection = nullptr;
}

Statement TestDatabase::bound(const char *sql, const QStringList &values)
{
    Statement statement = m_db->prepare(sql);
    int index = 1;
    for (const QString &value : values)
        statement.bind(index++, value);
    return statement;
}

void TestDatabase::exec(const char *sql, const QStringList &values)
{
    bound(sql, values).run();
}

QString TestDatabase::scalar(const char *sql, const QStringList &values)
{
    // The first column, whatever its name.
    Statement statement = bound(sql, values);
    return statement.next() ? statement.textAt(0) : QString();
}
