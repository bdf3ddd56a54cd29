#include "SettingsStore.h"

#include "Database.h"
#include "ParameterList.h"

namespace {

// The statement for one list: table and column names come from the list
// descriptor, never from the user; every value is bound.
QByteArray ListSql(const char *pattern, const ParameterList &list)
{
    // Placeholders are replaced by hand: the DELETE names no column, and
    // QString::arg warns about a value it has no place for.
    return QString::fromLatin1(pattern)
        .replace(QLatin1String("%1"), QLatin1String(list.table))
        .replace(QLatin1String("%2"), QLatin1String(list.nameColumn))
        .toUtf8();
}

} // namespace

SettingsStore::SettingsStore(Database &db)
    : m_db(db)
{
}

QList<ParameterEntry> SettingsStore::Parameters(const ParameterList &list)
{
    const QByteArray sql = ListSql("SELECT %2 AS Name, GUID FROM %1 ORDER BY RowNo", list);
    Statement query = m_db.prepare(sql.constData());
    QList<ParameterEntry> entries;
    while (query.next())
        entries.append({query.text(QStringLiteral("Name")), query.text(QStringLiteral("GUID"))});
    return entries;
}

void SettingsStore::AddParameter(const ParameterList &list, const ParameterEntry &entry)
{
    const QByteArray sql = ListSql("INSERT INTO %1 (%2, GUID) VALUES (?, ?)", list);
    m_db.prepare(sql.constData()).bindAll(entry.Name, entry.Guid).run();
}

bool SettingsStore::RenameParameter(const ParameterList &list, const ParameterEntry &entry)
{
    const QByteArray sql = ListSql("UPDATE %1 SET %2 = ? WHERE GUID = ?", list);
    m_db.prepare(sql.constData()).bindAll(entry.Name, entry.Guid).run();
    return m_db.changes() > 0;
}

bool SettingsStore::DeleteParameter(const ParameterList &list, const QString &guid)
{
    const QByteArray sql = ListSql("DELETE FROM %1 WHERE GUID = ?", list);
    m_db.prepare(sql.constData()).bindAll(guid).run();
    return m_db.changes() > 0;
}

void SettingsStore::SetLoginPassword(const QString &userType, const QString &password)
{
    m_db.prepare("INSERT INTO tbl_UserPassword (UserType, LoginPassword) VALUES (?, ?) "
                 "ON CONFLICT(UserType) DO UPDATE SET LoginPassword = excluded.LoginPassword")
        .bindAll(userType, password)
        .run();
}

void SettingsStore::SetModifyPassword(const QString &password)
{
    m_db.prepare("INSERT INTO tbl_AccessTypePassword (AccessType, AccessPassword) VALUES (?, ?) "
                 "ON CONFLICT(AccessType) DO UPDATE SET AccessPassword = excluded.AccessPassword")
        .bindAll(kModifyPasswordKey, password)
        .run();
}

void SettingsStore::SetPrintFormat(const QString &value)
{
    m_db.prepare("INSERT INTO tbl_MiscOption (OptionName, OptionValue) VALUES (?, ?) "
                 "ON CONFLICT(OptionName) DO UPDATE SET OptionValue = excluded.OptionValue")
        .bindAll(kPrintFormatOption, value)
        .run();
}
