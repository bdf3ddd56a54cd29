#pragma once

#include <QStringList>

#include "SharedTypes.h"

class Database;

// What the goods bill editor offers to choose from: the side's company
// names for the grid's company cell, and the entries of the four lists of
// a prepaid bill. Read only; every failure is a DbError.
class GoodsBillChoiceLists
{
public:
    explicit GoodsBillChoiceLists(Database& db);

    // The clients' or the providers' names, each once, in Chinese order.
    QStringList CompanyNames(PartySide side);
    // The lists' entries in table order.
    QStringList IncomeTypes();
    QStringList MoneyTypes();
    QStringList Vouchers();
    QStringList AccountNames();

private:
    QStringList Column(const char* sql, const QString& column);

    Database& m_db;
};
