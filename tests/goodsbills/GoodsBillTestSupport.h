#pragma once

// What the goods-bill tests share: the bill kinds of both sides, the shop a
// test starts with, the editor typed into as a person types, and stand-ins
// for the editor's launcher and for the finance bill editor.

#include <QLineEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "BillFixtures.h"
#include "CCellTypesGridCtrl.h"
#include "CDlgNewShipment.h"
#include "CDlgSelProductDlg.h"
#include "CDlgSelProductSpecDlg.h"
#include "ClickSupport.h"
#include "DepositEditor.h"
#include "GlobalFunctions.h"
#include "GoodsBillEditing.h"
#include "QStringPrinting.h"
#include "RecordPrinting.h"
#include "ScriptedInteraction.h"
#include "TestDatabase.h"

using Grid = CCellTypesGridCtrl;

// One bill kind of one side and the editor modes that open it.
struct BillKind
{
    const char* label;
    PartySide party;
    const char* billType;
    int sign; // how one counted item of the kind moves stock
    int newMode;
    int changeMode;
    int reportMode;

    const GoodsBillSide& side() const { return GoodsBillSide::For(party); }
    bool isSales() const { return party == PartyClient; }
    QString type() const { return QString::fromUtf8(billType); }
    const char* table() const { return side().table; }
    // The party every test's bills are made out to.
    QString company() const { return isSales() ? QStringLiteral("甲客户") : QStringLiteral("乙供应商"); }
    // The other kind of the same side.
    const BillKind& other() const;
};

// Sales shipment and return, purchase stock-in and return.
inline const BillKind kBillKinds[4] = {
    {"sales_shipment", PartyClient, "出货单", -1, 0, 2, 8},
    {"sales_return", PartyClient, "退货单", 1, 1, 3, 9},
    {"purchase_stockin", PartyProvider, "进货单", 1, 10, 12, 14},
    {"purchase_return", PartyProvider, "退货单", -1, 11, 13, 15},
};
inline const BillKind kBillSides[2] = {kBillKinds[0], kBillKinds[2]};

inline const BillKind& BillKind::other() const
{
    return kBillKinds[(party == PartyClient ? 0 : 2) + (newMode % 10 == 0 ? 1 : 0)];
}

inline void PrintTo(const BillKind& kind, std::ostream* out)
{
    *out << kind.label;
}
inline std::string KindName(const testing::TestParamInfo<BillKind>& info)
{
    return info.param.label;
}

inline QString StockOf(TestDatabase& db, const QString& code)
{
    return db.scalar("SELECT ProductStockCount FROM tbl_StoreMgr WHERE ProductCode = ? ORDER BY RowNo", {code});
}

// The columns ("A, B": their texts joined by '|') of the GUID's rows, of
// every row when guid is empty, in RowNo order.
inline QStringList StoredColumn(TestDatabase& db, const BillKind& kind, const char* columns, const QString& guid = {})
{
    const QString joined = QString::fromLatin1(columns).split(QStringLiteral(", ")).join(QStringLiteral(" || '|' || "));
    Statement query = db.db().prepare(QStringLiteral("SELECT %1 FROM %2 WHERE ? IN ('', GUID) ORDER BY RowNo")
                                          .arg(joined, QLatin1String(kind.table()))
                                          .toUtf8()
                                          .constData());
    query.bind(1, guid);
    QStringList values;
    while (query.next())
        values << query.textAt(0);
    return values;
}

// Makes every write of the table fail, as a full disk would, until
// DropFailure.
inline void FailWrites(TestDatabase& db, const char* table, const char* event)
{
    db.db().executeScript(QStringLiteral("CREATE TEMP TRIGGER fail BEFORE %2 ON main.%1 "
                                         "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END;")
                              .arg(QLatin1String(table), QLatin1String(event)));
}

inline void DropFailure(TestDatabase& db)
{
    db.db().executeScript(QStringLiteral("DROP TRIGGER fail;"));
}

// Stands in for the goods bill editor: records every request and answers
// what onRun answers (0 without it).
class ScriptedLauncher : public GoodsBillEditorLauncher
{
public:
    ScriptedLauncher() { install(this); }
    ~ScriptedLauncher() override { install(nullptr); }
    int Run(QWidget*, const GoodsBillEditRequest& request) override
    {
        requests.push_back(request);
        return onRun ? onRun(request) : 0;
    }

    std::vector<GoodsBillEditRequest> requests;
    std::function<int(const GoodsBillEditRequest&)> onRun;
};

// The finance bill editor as a test plays it: records what it was asked
// and, while saves is set, answers amount and the deposit bill's GUID (a
// new finance row of the side unless it had one).
class ScriptedDepositEditor : public DepositEditor
{
public:
    explicit ScriptedDepositEditor(Database& db)
        : m_db(db)
    {
        install(this);
    }
    ~ScriptedDepositEditor() override { install(nullptr); }
    Result Edit(QWidget*, const Request& request) override
    {
        requests.push_back(request);
        if (!saves)
            return {};
        const PartySide party = request.mode >= 16 && request.mode <= 19 ? PartyProvider : PartyClient;
        const QString guid = !request.depositGuid.isEmpty()
            ? request.depositGuid
            : AddFinanceBillRow(m_db, party, QStringLiteral("收入单"), request.companyName, QStringLiteral("现金"),
                QStringLiteral("2011-05-03"), amount)
                  .GUID;
        return {true, guid, amount};
    }

    std::vector<Request> requests;
    bool saves = true;
    QString amount = QStringLiteral("100.00");

private:
    Database& m_db;
};

// Shows the editor as its opener's modal run would and waits until it is
// active, so that keys and focus behave as for a person.
inline void ShowEditor(CDlgNewShipment& editor)
{
    editor.show();
    editor.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&editor));
}

inline QAbstractButton* Button(QWidget* window, const char* id)
{
    return window->findChild<QAbstractButton*>(id);
}
inline QLineEdit* Field(QWidget* window, const char* id)
{
    return window->findChild<QLineEdit*>(id);
}

// The grid's open in-cell edit, or none.
inline QLineEdit* OpenEdit(Grid* grid)
{
    for (QLineEdit* edit : grid->viewport()->findChildren<QLineEdit*>()) {
        if (edit->isVisible())
            return edit;
    }
    return nullptr;
}

// Makes the cell current as a click does, which opens its edit; on the
// current cell F2 opens it.
inline QLineEdit* StartEditing(Grid* grid, int row, int column)
{
    grid->setCurrentCell(row, column);
    if (!OpenEdit(grid))
        QTest::keyClick(grid, Qt::Key_F2);
    QLineEdit* edit = OpenEdit(grid);
    EXPECT_NE(edit, nullptr) << "no edit on cell " << row << "," << column;
    return edit;
}

// Leaves the open edit with Enter and lets the events run.
inline void PressEnter(QLineEdit* edit)
{
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();
}

// Types into the cell key by key (an empty text clears it) and leaves it.
inline void TypeIntoCell(Grid* grid, int row, int column, const QString& text)
{
    if (QLineEdit* edit = StartEditing(grid, row, column)) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        typeText(edit, text);
        PressEnter(edit);
    }
}

inline void PressPickerButton(Grid* grid, int row, int column)
{
    StartEditing(grid, row, column);
    // Edits closed before wait for the event loop to go; the open one shows.
    for (QToolButton* button : grid->viewport()->findChildren<QToolButton*>(QStringLiteral("pickerButton"))) {
        if (button->isVisible())
            return QTest::mouseClick(button, Qt::LeftButton);
    }
    ADD_FAILURE() << "no picker button";
}

// Queues a choice in the product picker (by name) or the variant picker
// (by variant): the first shown entry that matches.
template <typename Picker> void Choose(ScriptedInteraction& user, const QString& text)
{
    user.onNextModal([text](QDialog* dialog) {
        auto* picker = dynamic_cast<Picker*>(dialog);
        for (int i = 0; i < Picker::kEntries; ++i) {
            const struct_button_storeproduct& entry = picker->Entry(i)->record();
            if (picker->Entry(i)->isVisible() && (entry.ProductName == text || entry.ProductSpec == text)) {
                QTest::mousePress(picker->Entry(i), Qt::LeftButton);
                return picker->result();
            }
        }
        ADD_FAILURE() << "no entry " << text.toStdString();
        dialog->reject();
        return dialog->result();
    });
}

// Queues the password prompt's answer: the text typed and 确定 pressed.
inline void AnswerPassword(ScriptedInteraction& user, const QString& typed)
{
    user.onNextModal([typed](QDialog* dialog) {
        typeText(Field(dialog, "1278"), typed);
        clickButton(dialog, "1276");
        return dialog->result();
    });
}

// A line picked as a person does: name and variant through the pickers,
// then the count typed.
inline void PickLine(
    ScriptedInteraction& user, Grid* grid, int row, const struct_button_storeproduct& product, const QString& count)
{
    Choose<CDlgSelProductDlg>(user, product.ProductName);
    PressPickerButton(grid, row, Grid::NameCol);
    Choose<CDlgSelProductSpecDlg>(user, product.ProductSpec);
    PressPickerButton(grid, row, Grid::SpecCol);
    TypeIntoCell(grid, row, Grid::CountCol, count);
}

// A line typed cell by cell, without the pickers.
inline void TypeLine(
    Grid* grid, int row, const struct_button_storeproduct& product, const QString& count, const QString& price)
{
    const QString texts[]
        = {product.ProductCode, product.ProductName, product.ProductSpec, product.ProductUnit, count, price};
    for (int column = Grid::CodeCol; column <= Grid::PriceCol; ++column)
        TypeIntoCell(grid, row, column, texts[column]);
}

// A test on the working date 2011-05-03 with a screw (stock 10) and a nut
// (stock 5) in the store, the kind's party and the data-modification
// password "edit".
class GoodsBillTest : public testing::TestWithParam<BillKind>
{
protected:
    void SetUp() override
    {
        SetWorkingDate(QDate(2011, 5, 3));
        screw = AddProductRow(db.db(), QStringLiteral("LS-3"), QStringLiteral("螺丝"), QStringLiteral("M3"), "10");
        nut = AddProductRow(db.db(), QStringLiteral("LM-3"), QStringLiteral("螺母"), QStringLiteral("M3"), "5");
        if (kind().isSales())
            AddClientRow(db.db(), kind().company());
        else
            AddProviderRow(db.db(), kind().company());
        db.exec("UPDATE tbl_AccessTypePassword SET AccessPassword = 'edit'");
    }
    void TearDown() override { SetWorkingDate(QDate()); }

    const BillKind& kind() const { return GetParam(); }
    // A stored bill of the kind: 3 screws at 2.50 and 2 nuts at 1, 9.50.
    GoodsBillLines StoreBill(const QString& depositGuid = {}, const QString& date = QStringLiteral("2011-05-03"))
    {
        return AddGoodsBillRows(db.db(), kind().party, kind().type(), kind().company(), date,
            {{screw.ProductCode, screw.ProductName, screw.ProductSpec, "3", "2.50"},
                {nut.ProductCode, nut.ProductName, nut.ProductSpec, "2", "1"}},
            depositGuid);
    }
    // The stock a count of the kind leaves from a start.
    QString Moved(double start, double count) const { return DoubleToStr(start + kind().sign * count); }
    // 修改 answered with the password.
    void Unlock(CDlgNewShipment& editor)
    {
        AnswerPassword(user, QStringLiteral("edit"));
        clickButton(&editor, "1114");
    }

    TestDatabase db;
    ScriptedInteraction user;
    struct_button_storeproduct screw;
    struct_button_storeproduct nut;
};
