#pragma once

// What the goods-bill tests share: the bill kinds of both sides, the shop a
// test starts with, the editor typed into as a person types, and stand-ins
// for the editor's launcher and for the finance bill editor.

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <vector>

#include "BillFixtures.h"
#include "CCellTypesGridCtrl.h"
#include "CDlgNewShipment.h"
#include "ClickSupport.h"
#include "Database.h"
#include "DepositEditor.h"
#include "GlobalFunctions.h"
#include "GoodsBillEditing.h"
#include "GoodsBillLines.h"
#include "QStringPrinting.h"
#include "ScriptedInteraction.h"
#include "TestDatabase.h"

using Grid = CCellTypesGridCtrl;

// One bill kind of one side and the editor modes that open it.
struct BillKind
{
    const char *label;
    PartySide party;
    const char *billType;
    int sign; // how one counted item of the kind moves stock
    int newMode;
    int changeMode;
    int reportMode;

    const GoodsBillSide &side() const { return GoodsBillSide::For(party); }
    bool isSales() const { return party == PartyClient; }
    QString type() const { return QString::fromUtf8(billType); }
    const char *table() const { return side().table; }
    // The party every test's bills are made out to.
    QString company() const { return isSales() ? QStringLiteral("甲客户") : QStringLiteral("乙供应商"); }
    // The other kind of the same side.
    const BillKind &other() const;
};

void PrintTo(const BillKind &kind, std::ostream *out);
std::string KindName(const testing::TestParamInfo<BillKind> &info);

// Sales shipment and return, purchase stock-in and return.
extern const BillKind kBillKinds[4];
// The main kind of each side.
extern const BillKind kBillSides[2];

// A bill in memory as the editor builds it: one new GUID, the kind's
// header and the total of the line amounts.
GoodsBillLines MakeBill(const BillKind &kind, const std::vector<FixtureLine> &lines);

QString StockOf(TestDatabase &db, const QString &code);
// One column of the GUID's rows (every row when guid is empty), in RowNo
// order.
QStringList StoredColumn(TestDatabase &db, const BillKind &kind, const char *column, const QString &guid = QString());
// Makes every write of the table fail when the condition (SQL on NEW)
// holds, as a full disk would.
void FailWrites(TestDatabase &db, const char *table, const char *event, const char *condition = "1");

// Stands in for the goods bill editor: records every request and answers
// what onRun answers (0 without it).
class ScriptedLauncher : public GoodsBillEditorLauncher
{
public:
    ScriptedLauncher() { install(this); }
    ~ScriptedLauncher() override { install(nullptr); }
    int Run(QWidget *, const GoodsBillEditRequest &request) override
    {
        requests.push_back(request);
        return onRun ? onRun(request) : 0;
    }

    std::vector<GoodsBillEditRequest> requests;
    std::function<int(const GoodsBillEditRequest &)> onRun;
};

// The finance bill editor as a test plays it: records what it was asked
// and, while saves is set, writes a finance row of the side with amount
// (a new one, or the existing one's amount changed).
class ScriptedDepositEditor : public DepositEditor
{
public:
    explicit ScriptedDepositEditor(Database &db);
    ~ScriptedDepositEditor() override { install(nullptr); }
    Result Edit(QWidget *, const Request &request) override;

    std::vector<Request> requests;
    bool saves = true;
    QString amount = QStringLiteral("100.00");

private:
    Database &m_db;
};

// Shows the editor as its opener's modal run would and waits until it is
// active, so that keys and focus behave as for a person.
void ShowEditor(CDlgNewShipment &editor);
QAbstractButton *Button(QWidget *window, const char *id);
QLineEdit *Field(QWidget *window, const char *id);
// The grid's open in-cell edit, or none.
QLineEdit *OpenEdit(Grid *grid);
// Makes the cell current as a click does, which opens its edit.
QLineEdit *StartEditing(Grid *grid, int row, int column);
// Leaves the open edit with Enter and lets the events run.
void PressEnter(QLineEdit *edit);
// Types into the cell key by key (an empty text clears it) and leaves it.
void TypeIntoCell(Grid *grid, int row, int column, const QString &text);
void PressPickerButton(Grid *grid, int row, int column);
// Queues a choice in the product picker (by name) or the variant picker
// (by variant).
void ChooseProduct(ScriptedInteraction &user, const QString &name);
void ChooseSpec(ScriptedInteraction &user, const QString &spec);
// Queues the password prompt's answer: the text typed and 确定 pressed.
void AnswerPassword(ScriptedInteraction &user, const QString &typed);
// A line picked as a person does: name and variant through the pickers,
// then the count typed.
void PickLine(ScriptedInteraction &user, Grid *grid, int row, const struct_button_storeproduct &product,
    const QString &count);
// A line typed cell by cell, without the pickers.
void TypeLine(Grid *grid, int row, const struct_button_storeproduct &product, const QString &count,
    const QString &price);

// A test on the working date 2011-05-03 with a screw (stock 10) and a nut
// (stock 5) in the store, the kind's party and the data-modification
// password "edit".
class GoodsBillTest : public testing::TestWithParam<BillKind>
{
protected:
    void SetUp() override;
    void TearDown() override { SetWorkingDate(QDate()); }

    const BillKind &kind() const { return GetParam(); }
    // A stored bill of the kind: 3 screws at 2.50 and 2 nuts at 1, 9.50.
    GoodsBillLines StoreBill(const QString &depositGuid = QString());
    // The stock a count of the kind leaves from a start.
    QString Moved(double start, double count) const { return DoubleToStr(start + kind().sign * count); }
    // 修改 answered with the password.
    void Unlock(CDlgNewShipment &editor);

    TestDatabase db;
    ScriptedInteraction user;
    struct_button_storeproduct screw;
    struct_button_storeproduct nut;
};
