#include "AccountStore.h"

#include "Database.h"
#include "RecordColumns.h"

namespace {

// The tables whose rows name an account in their AccountName column.
const char *const kBillTables[] = {"tbl_FinanceBill_income", "tbl_FinanceBill_income_provider",
                                   "tbl_GoodsBill_shipment", "tbl_goodsbill_shipment_provider"};

QList<struct_button_account> readAccounts(Statement &query)
{
    QList<struct_button_account> accounts;
    while (query.next())
        accounts << RecordFromRow<struct_button_account>(query);
    return accounts;
}

} // namespace

QString AccountNameTakenMessage(const QString &name)
{
    return QStringLiteral("帐户“%1”已经存在，请换一个名称。").arg(name);
}

AccountStore::AccountStore(Database &db)
    : m_db(db)
{
}

int AccountStore::CountAccounts()
{
    Statement query = m_db.prepare("SELECT COUNT(*) FROM tbl_AccountMgr");
    return query.next() ? static_cast<int>(query.textAt(0).toInt()) : 0;
}

QList<struct_button_account> AccountStore::AccountsPage(int first, int limit)
{
    Statement query = m_db.prepare("SELECT * FROM tbl_AccountMgr ORDER BY RowNo LIMIT ? OFFSET ?");
    query.bindAll(limit, first);
    return readAccounts(query);
}

QList<struct_button_account> AccountStore::AllAccounts()
{
    Statement query = m_db.prepare("SELECT * FROM tbl_AccountMgr ORDER BY RowNo");
    return readAccounts(query);
}

std::optional<struct_button_account> AccountStore::AccountByGuid(const QString &guid)
{
    Statement query = m_db.prepare("SELECT * FROM tbl_AccountMgr WHERE GUID = ?");
    query.bindAll(guid);
    if (!query.next())
        return std::nullopt;
    return RecordFromRow<struct_button_account>(query);
}

bool AccountStore::IsNameTaken(const QString &name, const QString &exceptGuid)
{
    Statement query = m_db.prepare("SELECT 1 FROM tbl_AccountMgr WHERE AccountName = ? AND GUID <> ? LIMIT 1");
    query.bindAll(name, exceptGuid);
    return query.next();
}

void AccountStore::InsertAccount(const struct_button_account &account)
{
    m_db.insertRow(QLatin1String(RecordTable<struct_button_account>::name), InsertColumns(account));
}

int AccountStore::RenameAccount(const struct_button_account &account)
{
    Statement update = m_db.prepare("UPDATE tbl_AccountMgr SET AccountName = ?, MonthBalance = ? WHERE GUID = ?");
    update.bindAll(account.AccountName, account.MonthBalance, account.GUID);
    update.run();
    return m_db.changes();
}

void AccountStore::MoveBills(const QString &oldName, const QString &newName)
{
    for (const char *table : kBillTables) {
        Statement update = m_db.prepare(QStringLiteral("UPDATE %1 SET AccountName = ? WHERE AccountName = ?")
                                            .arg(QLatin1String(table))
                                            .toUtf8()
                                            .constData());
        update.bindAll(newName, oldName);
        update.run();
    }
}

int AccountStore::DeleteAccount(const QString &guid)
{
    Statement remove = m_db.prepare("DELETE FROM tbl_AccountMgr WHERE GUID = ?");
    remove.bindAll(guid);
    remove.run();
    return m_db.changes();
}
