#pragma once

// Rows put straight into a test database, exactly as the program stores
// them: parties, products, goods bills of either side and finance bills of
// either side. Tests of every subsystem that reads these tables build their
// data with these, not with the stores under test.

#include <QString>

#include <vector>

#include "RecordTypes.h"
#include "SharedTypes.h"

class Database;

struct_button_data AddClientRow(Database &db, const QString &name, const QString &area = QStringLiteral("1"),
                                const QString &beginArrears = QString());
struct_button_provider AddProviderRow(Database &db, const QString &name, const QString &area = QStringLiteral("1"),
                                      const QString &beginArrears = QString());
struct_button_storeproduct AddProductRow(Database &db, const QString &code, const QString &name, const QString &spec,
                                         const QString &stockCount = QStringLiteral("0"));
struct_button_account AddAccountRow(Database &db, const QString &name);

// One product line of a goods bill.
struct FixtureLine
{
    QString code;
    QString name;
    QString spec;
    QString amount;    // the count, as stored
    QString unitPrice; // the line amount is amount × unitPrice, a DoubleToStr text
};

// A goods bill of the side: one row per line, every line with the bill's
// GUID, code, date, company, kind and total (the sum of the line amounts,
// a DoubleToStr text). Answers the lines as written, in the sales layout.
std::vector<struct_button_goodsbill> AddGoodsBillRows(Database &db, PartySide side, const QString &billType,
                                                      const QString &company, const QString &date,
                                                      const std::vector<FixtureLine> &lines,
                                                      const QString &depositGuid = QString());

// A finance bill of the side (the purchase side's table for PartyProvider),
// in the sales layout.
struct_button_financebill AddFinanceBillRow(Database &db, PartySide side, const QString &billType,
                                            const QString &party, const QString &account, const QString &date,
                                            const QString &amount);
