#include "AccountWriter.h"

#include <optional>

#include "AccountStore.h"
#include "Database.h"
#include "FinanceTotals.h"

AccountWriter::AccountWriter(Database &db)
    : m_db(db)
{
}

AccountWriter::Result AccountWriter::Add(const struct_button_account &account)
{
    if (account.GUID.isEmpty())
        return Result::NoGuid;
    Transaction transaction(m_db);
    AccountStore store(m_db);
    if (store.IsNameTaken(account.AccountName))
        return Result::NameTaken;
    store.InsertAccount(account);
    FinanceTotals(m_db).RecalcAccountBalance(account.AccountName);
    transaction.commit();
    return Result::Done;
}

AccountWriter::Result AccountWriter::Update(const struct_button_account &account)
{
    if (account.GUID.isEmpty())
        return Result::NoGuid;
    Transaction transaction(m_db);
    AccountStore store(m_db);
    const std::optional<struct_button_account> before = store.AccountByGuid(account.GUID);
    if (!before)
        return Result::Gone;
    const QString &oldName = before->AccountName;
    const bool renamed = account.AccountName != oldName;
    if (renamed && store.IsNameTaken(account.AccountName, account.GUID))
        return Result::NameTaken;
    store.RenameAccount(account);
    if (renamed && !store.IsNameTaken(oldName, account.GUID))
        store.MoveBills(oldName, account.AccountName);
    FinanceTotals(m_db).RecalcAccountBalance(account.AccountName);
    transaction.commit();
    return Result::Done;
}

AccountWriter::Result AccountWriter::Delete(const QString &guid)
{
    if (guid.isEmpty())
        return Result::NoGuid;
    Transaction transaction(m_db);
    if (AccountStore(m_db).DeleteAccount(guid) == 0)
        return Result::Gone;
    transaction.commit();
    return Result::Done;
}
