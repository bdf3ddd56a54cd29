#pragma once

// Shared pieces of the goods-bill tests: the four bill kinds as test
// parameters, bills built in memory, stored columns read back, and the
// clicks a person makes.

#include <QAbstractButton>
#include <QString>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include <functional>

#include "BillFixtures.h"
#include "ClickSupport.h"
#include "GlobalFunctions.h"
#include "GoodsBillEditing.h"
#include "GoodsBillLines.h"
#include "QStringPrinting.h"
#include "TestDatabase.h"

// One bill kind of one side. sign: how the kind moves stock.
struct BillKind
{
    const char *label;
    PartySide party;
    const char *billType;
    int sign;

    const GoodsBillSide &side() const { return GoodsBillSide::For(party); }
    QString type() const { return QString::fromUtf8(billType); }
};

inline void PrintTo(const BillKind &kind, std::ostream *out)
{
    *out << kind.label;
}

// The four kinds: sales shipment and return, purchase stock-in and return.
extern const BillKind kBillKinds[4];
// The main kind of each side (出货单, 进货单), for tests run "sales" and
// "purchase".
extern const BillKind kBillSides[2];

// A bill in memory as the editor builds it: every line with one new GUID,
// the header of the bill and a total of the line amounts.
GoodsBillLines MakeBill(
    const BillKind &kind, const QString &company, const QString &date, const std::vector<FixtureLine> &lines);

// The stored stock count text of the product with that code.
QString StockOf(TestDatabase &db, const QString &code);
int RowCount(TestDatabase &db, const char *table);
// The GUID's rows, each as "code:count", in stored order.
QStringList StoredLines(TestDatabase &db, const GoodsBillSide &side, const QString &guid);

// Makes every write of the table fail when the condition (SQL on NEW)
// holds, as a full disk or a broken file would.
void FailWrites(TestDatabase &db, const char *table, const char *event, const char *condition = "1");

// Stands in for the goods bill editor: records every request and answers
// what onRun answers (0 without it). Installed for its lifetime.
class ScriptedLauncher : public GoodsBillEditorLauncher
{
public:
    ScriptedLauncher() { install(this); }
    ~ScriptedLauncher() override { install(nullptr); }
    ScriptedLauncher(const ScriptedLauncher &) = delete;
    ScriptedLauncher &operator=(const ScriptedLauncher &) = delete;

    int Run(QWidget *, const GoodsBillEditRequest &request) override
    {
        requests.push_back(request);
        return onRun ? onRun(request) : 0;
    }

    std::vector<GoodsBillEditRequest> requests;
    std::function<int(const GoodsBillEditRequest &)> onRun;
};

// A goods bill of the kind written straight into its table, one line per
// product code given (each of count 1 and unit price 10), dated date.
GoodsBillLines AddBillRows(TestDatabase &db, const BillKind &kind, const QString &date,
    const QStringList &codes = {QStringLiteral("A1")}, const QString &company = QStringLiteral("甲公司"),
    const QString &depositGuid = QString());
