#pragma once

#include <QString>

#include "RecordTypes.h"

class Database;

// Adds, renames and deletes accounts, each in one transaction. A name that
// another account already has (exact comparison) is refused; namesakes
// that old data holds are tolerated. The stored AccountBalance is always
// the all-time balance of the account's bills (FinanceTotals), never a
// figure a card showed. Every failure is a DbError, thrown after the
// rollback.
class AccountWriter
{
public:
    enum class Result { Done, NameTaken, Gone, NoGuid };

    explicit AccountWriter(Database &db);

    // Adds the account with its balance recomputed (bills that already
    // name it count) and the given month figure.
    Result Add(const struct_button_account &account);
    // Renames the account of the record's GUID and writes its month
    // figure. Its bills of both finance tables and both goods-bill tables
    // follow it, unless another account still bears the old name: then the
    // bills cannot be told apart and only the account row is renamed. The
    // balance is recomputed under the new name.
    Result Update(const struct_button_account &account);
    // Deletes the row of that GUID; the bills keep naming the account.
    Result Delete(const QString &guid);

private:
    Database &m_db;
};
