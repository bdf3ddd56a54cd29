#pragma once

// What the goods bill editor's tests share: the editor opened as its
// openers open it, cells typed into as a person types, picker buttons
// pressed, answers queued for the pickers and the password prompt, and a
// scripted deposit editor that writes a real finance row.

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "BillFixtures.h"
#include "CCellTypesGridCtrl.h"
#include "CDlgNewShipment.h"
#include "CDlgSelProductDlg.h"
#include "CDlgSelProductSpecDlg.h"
#include "Database.h"
#include "DepositEditor.h"
#include "GlobalFunctions.h"
#include "GoodsBillSide.h"
#include "GoodsBillTestSupport.h"
#include "RecordButtons.h"
#include "ScriptedInteraction.h"
#include "TestDatabase.h"

using Grid = CCellTypesGridCtrl;

// The rows of the sales and purchase sides in data-driven tests.
struct EditorSide
{
    const char* name;
    PartySide party;
    int newMode; // 0 / 10
    int newReturnMode; // 1 / 11
    int changeMode; // 2 / 12
    int reportMode; // 8 / 14
    const char* billType; // 出货单 / 进货单
    // How one counted item of the main kind moves stock.
    int sign;
};

inline const EditorSide kSalesSide {"sales", PartyClient, 0, 1, 2, 8, "出货单", -1};
inline const EditorSide kPurchaseSide {"purchase", PartyProvider, 10, 11, 12, 14, "进货单", 1};

inline std::string SideName(const testing::TestParamInfo<EditorSide>& info)
{
    return info.param.name;
}

inline QString Party(const EditorSide& side)
{
    return side.party == PartyClient ? QStringLiteral("甲客户") : QStringLiteral("乙供应商");
}

inline void AddParty(Database& db, const EditorSide& side, const QString& name)
{
    if (side.party == PartyClient)
        AddClientRow(db, name);
    else
        AddProviderRow(db, name);
}

inline const char* LineTable(PartySide party)
{
    return party == PartyClient ? "tbl_GoodsBill_shipment" : "tbl_goodsbill_shipment_provider";
}

// One column of every stored line of the side, in stored order.
inline QStringList StoredColumn(TestDatabase& db, PartySide party, const char* column)
{
    Statement query = db.db().prepare(QStringLiteral("SELECT %1 AS value FROM %2 ORDER BY RowNo")
                                          .arg(QLatin1String(column), QLatin1String(LineTable(party)))
                                          .toUtf8()
                                          .constData());
    QStringList values;
    while (query.next())
        values << query.text(QStringLiteral("value"));
    return values;
}

// Shows the editor as its opener's modal run would and waits until it is
// the active window, so that keys and focus behave as for a person.
inline void ShowEditor(CDlgNewShipment& editor)
{
    editor.show();
    editor.activateWindow();
    if (!QTest::qWaitForWindowActive(&editor))
        ADD_FAILURE() << "the editor did not become active";
}

inline QAbstractButton* Button(QWidget* window, const char* id)
{
    auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(id));
    if (!button)
        ADD_FAILURE() << "no button " << id;
    return button;
}

// The grid's open in-cell edit (a line edit, or the edit of a picker cell).
inline QLineEdit* OpenEdit(Grid* grid)
{
    for (QLineEdit* edit : grid->viewport()->findChildren<QLineEdit*>()) {
        if (edit->isVisible())
            return edit;
    }
    return nullptr;
}

// Makes the cell current, as a click on it does, which opens its edit; on
// the cell that is current already, F2 opens it.
inline QLineEdit* StartEditing(Grid* grid, int row, int column)
{
    grid->setCurrentCell(row, column);
    QLineEdit* edit = OpenEdit(grid);
    if (!edit) {
        QTest::keyClick(grid, Qt::Key_F2);
        edit = OpenEdit(grid);
    }
    if (!edit)
        ADD_FAILURE() << "no edit opened on cell " << row << "," << column;
    return edit;
}

// Leaves the open edit with Enter; the cell takes its text once the
// events have run, as they do between a person's keys.
inline void PressEnter(QLineEdit* edit)
{
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();
}

// Types into the cell key by key and leaves it with Enter.
inline void TypeIntoCell(Grid* grid, int row, int column, const QString& text)
{
    if (QLineEdit* edit = StartEditing(grid, row, column)) {
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        typeText(edit, text);
        PressEnter(edit);
    }
}

// Presses the button of a name or variant cell.
inline void PressPickerButton(Grid* grid, int row, int column)
{
    StartEditing(grid, row, column);
    QToolButton* button = nullptr;
    // Edits closed before wait for the event loop to go; the open one shows.
    for (QToolButton* candidate : grid->viewport()->findChildren<QToolButton*>(QStringLiteral("pickerButton"))) {
        if (candidate->isVisible())
            button = candidate;
    }
    if (!button) {
        ADD_FAILURE() << "no picker button";
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

// Queues a choice in a picker: the first shown entry whose record
// matches.
template <typename Picker>
void ChooseEntry(ScriptedInteraction& user, std::function<bool(const struct_button_storeproduct&)> matches)
{
    user.onNextModal([matches](QDialog* dialog) {
        auto* picker = dynamic_cast<Picker*>(dialog);
        if (!picker) {
            ADD_FAILURE() << "not the expected picker";
            return 0;
        }
        for (int i = 0; i < Picker::kEntries; ++i) {
            if (picker->Entry(i)->isVisible() && matches(picker->Entry(i)->record())) {
                QTest::mousePress(picker->Entry(i), Qt::LeftButton);
                return picker->result();
            }
        }
        ADD_FAILURE() << "no such entry";
        picker->reject();
        return picker->result();
    });
}

// The product picker's entry with that name.
inline void ChooseProduct(ScriptedInteraction& user, const QString& name)
{
    ChooseEntry<CDlgSelProductDlg>(user, [name](const struct_button_storeproduct& p) { return p.ProductName == name; });
}

// The variant picker's entry with that variant.
inline void ChooseSpec(ScriptedInteraction& user, const QString& spec)
{
    ChooseEntry<CDlgSelProductSpecDlg>(
        user, [spec](const struct_button_storeproduct& p) { return p.ProductSpec == spec; });
}

// Queues the password prompt's answer: the text typed and 确定 pressed.
inline void AnswerPassword(ScriptedInteraction& user, const QString& typed)
{
    user.onNextModal([typed](QDialog* dialog) {
        typeText(dialog->findChild<QLineEdit*>(QStringLiteral("1278")), typed);
        QTest::mouseClick(dialog->findChild<QAbstractButton*>(QStringLiteral("1276")), Qt::LeftButton);
        return dialog->result();
    });
}

// Picks a line as a person does: the name through the product picker, the
// variant through the variant picker, then types the count.
inline void PickLine(
    ScriptedInteraction& user, Grid* grid, int row, const struct_button_storeproduct& product, const QString& count)
{
    ChooseProduct(user, product.ProductName);
    PressPickerButton(grid, row, Grid::NameCol);
    ChooseSpec(user, product.ProductSpec);
    PressPickerButton(grid, row, Grid::SpecCol);
    TypeIntoCell(grid, row, Grid::CountCol, count);
}

// Fills a line's cells by typing, without the pickers.
inline void TypeLine(
    Grid* grid, int row, const struct_button_storeproduct& product, const QString& count, const QString& price)
{
    TypeIntoCell(grid, row, Grid::CodeCol, product.ProductCode);
    TypeIntoCell(grid, row, Grid::NameCol, product.ProductName);
    TypeIntoCell(grid, row, Grid::SpecCol, product.ProductSpec);
    TypeIntoCell(grid, row, Grid::UnitCol, product.ProductUnit);
    TypeIntoCell(grid, row, Grid::CountCol, count);
    TypeIntoCell(grid, row, Grid::PriceCol, price);
}

// The finance bill editor as a test plays it: it records what it was
// asked and, when told to save, writes a finance row of the side with the
// given amount (a new one, or the amount of the existing one changed).
class ScriptedDepositEditor : public DepositEditor
{
public:
    explicit ScriptedDepositEditor(Database& db)
        : m_db(db)
    {
        DepositEditor::install(this);
    }
    ~ScriptedDepositEditor() override { DepositEditor::install(nullptr); }

    Result Edit(QWidget*, const Request& request) override
    {
        requests.push_back(request);
        if (!saves)
            return {};
        const bool purchase = request.mode >= 16 && request.mode <= 19;
        const char* table = purchase ? "tbl_FinanceBill_income_provider" : "tbl_FinanceBill_income";
        QString guid = request.depositGuid;
        if (guid.isEmpty()) {
            const QString kind = request.mode % 2 == 0 ? QStringLiteral("收入单") : QStringLiteral("支出单");
            guid = AddFinanceBillRow(m_db, purchase ? PartyProvider : PartyClient, kind, request.companyName,
                QStringLiteral("现金"), QStringLiteral("2011-05-03"), amount)
                       .GUID;
        } else {
            Statement update = m_db.prepare(QStringLiteral("UPDATE %1 SET MoneyCount = ? WHERE GUID = ?")
                                                .arg(QLatin1String(table))
                                                .toUtf8()
                                                .constData());
            update.bindAll(amount, guid);
            update.run();
        }
        return {true, guid, amount};
    }

    std::vector<Request> requests;
    bool saves = true;
    QString amount = QStringLiteral("100.00");

private:
    Database& m_db;
};

// A test run for each side: the working date 2011-05-03, a screw (stock
// 10) and a nut (stock 5) in the store, the side's party, and the
// data-modification password "edit".
class EditorSideTest : public testing::TestWithParam<EditorSide>
{
protected:
    void SetUp() override
    {
        SetWorkingDate(QDate(2011, 5, 3));
        side = GetParam();
        screw = AddProductRow(
            db.db(), QStringLiteral("LS-3"), QStringLiteral("螺丝"), QStringLiteral("M3"), QStringLiteral("10"));
        nut = AddProductRow(
            db.db(), QStringLiteral("LM-3"), QStringLiteral("螺母"), QStringLiteral("M3"), QStringLiteral("5"));
        AddParty(db.db(), side, Party(side));
        db.exec("UPDATE tbl_AccessTypePassword SET AccessPassword = ?", {QStringLiteral("edit")});
    }
    void TearDown() override { SetWorkingDate(QDate()); }

    // A stored bill of the side on the working date (its main kind unless
    // told otherwise): 3 screws at 2.50 and 2 nuts at 1, total 9.50.
    GoodsBillLines StoreBill(const QString& billType = QString(), const QString& depositGuid = QString())
    {
        return AddGoodsBillRows(db.db(), side.party, billType.isEmpty() ? QString::fromUtf8(side.billType) : billType,
            Party(side), QStringLiteral("2011-05-03"),
            {{screw.ProductCode, screw.ProductName, screw.ProductSpec, "3", "2.50"},
                {nut.ProductCode, nut.ProductName, nut.ProductSpec, "2", "1"}},
            depositGuid);
    }

    // The stock a count of the side's main kind leaves from a start.
    QString Moved(double start, double count) const { return DoubleToStr(start + side.sign * count); }

    // 修改 answered with the password.
    void Unlock(CDlgNewShipment& editor)
    {
        AnswerPassword(user, QStringLiteral("edit"));
        clickButton(&editor, "1114");
    }

    EditorSide side;
    TestDatabase db;
    ScriptedInteraction user;
    struct_button_storeproduct screw;
    struct_button_storeproduct nut;
};
