#pragma once

#include <QString>

#include <optional>

class Database;

// What the password prompt checks.
enum PasswordKind : int {
    PasswordFinanceSupervisor = 0, // 财务主管 login
    PasswordAdministrator = 1,     // 管理员 login
    PasswordDataModification = 2,  // 资料修改密码
};

// The stored password of a kind; empty when the row is missing or empty,
// nullopt for an unknown kind. Throws DbError when the query fails.
std::optional<QString> ReadStoredPassword(Database &db, int kind);

// True when the entered text matches the stored one exactly.
bool PasswordMatches(Database &db, int kind, const QString &entered);
