#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

#include "RecordTypes.h"

class Database;

// Said when an account name is refused because another account has it.
QString AccountNameTakenMessage(const QString &name);

// The rows of tbl_AccountMgr: counted, listed a page at a time in table
// order (RowNo), found by GUID or name, and written one statement at a
// time. Names compare exactly. The store opens no transaction and no
// window: its writes run inside the caller's (AccountWriter's). Every
// failure is a DbError.
class AccountStore
{
public:
    explicit AccountStore(Database &db);

    int CountAccounts();
    QList<struct_button_account> AccountsPage(int first, int limit);
    QList<struct_button_account> AllAccounts();
    std::optional<struct_button_account> AccountByGuid(const QString &guid);
    // Whether an account other than the one with exceptGuid has the name.
    bool IsNameTaken(const QString &name, const QString &exceptGuid = QString());

    // Adds the row with its four texts.
    void InsertAccount(const struct_button_account &account);
    // Writes name and month figure of the row with the account's GUID (the
    // balance is the recomputation's to write); answers the rows changed.
    int RenameAccount(const struct_button_account &account);
    // Points the bills of both finance tables and both goods-bill tables
    // that name oldName at newName.
    void MoveBills(const QString &oldName, const QString &newName);
    // Answers the rows deleted.
    int DeleteAccount(const QString &guid);

private:
    Database &m_db;
};
