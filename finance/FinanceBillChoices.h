#pragma once

#include <QStringList>

#include "FinanceBillSide.h"

class Database;

// The texts the finance bill editor offers in its lists, each read in table
// order from its own table: the parameter lists (kinds, money types,
// vouchers), the accounts and the side's party names. Each list is read by
// its own call, so that a failure leaves only that list empty. Failures are
// DbErrors.
class FinanceBillChoices
{
public:
    explicit FinanceBillChoices(Database &db)
        : m_db(db)
    {
    }

    QStringList IncomeTypes();
    QStringList MoneyTypes();
    QStringList Vouchers();
    QStringList Accounts();
    QStringList PartyNames(const FinanceBillSide &side);

private:
    Database &m_db;
};
