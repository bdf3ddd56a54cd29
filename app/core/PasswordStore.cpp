#include "PasswordStore.h"

#include "Database.h"

std::optional<QString> ReadStoredPassword(Database &db, int kind)
{
    const char *sql = nullptr;
    QString key;
    QString column;
    switch (kind) {
    case PasswordFinanceSupervisor:
    case PasswordAdministrator:
        sql = "SELECT LoginPassword FROM tbl_UserPassword WHERE UserType = ? ORDER BY RowNo LIMIT 1";
        key = kind == PasswordFinanceSupervisor ? QStringLiteral("财务主管") : QStringLiteral("管理员");
        column = QStringLiteral("LoginPassword");
        break;
    case PasswordDataModification:
        sql = "SELECT AccessPassword FROM tbl_AccessTypePassword WHERE AccessType = ? ORDER BY RowNo LIMIT 1";
        key = QStringLiteral("资料修改密码");
        column = QStringLiteral("AccessPassword");
        break;
    default:
        return std::nullopt;
    }
    Statement query = db.prepare(sql);
    query.bind(1, key);
    if (!query.next())
        return QString();
    return query.text(column);
}

bool PasswordMatches(Database &db, int kind, const QString &entered)
{
    const std::optional<QString> stored = ReadStoredPassword(db, kind);
    return stored && *stored == entered;
}
