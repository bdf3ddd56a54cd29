#include "GoodsBillTestSupport.h"

#include <QToolButton>

#include "CDlgSelProductDlg.h"
#include "CDlgSelProductSpecDlg.h"

const BillKind kBillKinds[4] = {
    {"sales_shipment", PartyClient, "出货单", -1, 0, 2, 8},
    {"sales_return", PartyClient, "退货单", 1, 1, 3, 9},
    {"purchase_stockin", PartyProvider, "进货单", 1, 10, 12, 14},
    {"purchase_return", PartyProvider, "退货单", -1, 11, 13, 15},
};

const BillKind kBillSides[2] = {kBillKinds[0], kBillKinds[2]};

const BillKind &BillKind::other() const
{
    for (const BillKind &kind : kBillKinds) {
        if (kind.party == party && kind.newMode != newMode)
            return kind;
    }
    return *this;
}

void PrintTo(const BillKind &kind, std::ostream *out)
{
    *out << kind.label;
}

std::string KindName(const testing::TestParamInfo<BillKind> &info)
{
    return info.param.label;
}

GoodsBillLines MakeBill(const BillKind &kind, const std::vector<FixtureLine> &lines)
{
    double total = 0.0;
    for (const FixtureLine &line : lines)
        total += StrToDouble(line.amount) * StrToDouble(line.unitPrice);
    const QString guid = GuidText();
    GoodsBillLines bill;
    for (const FixtureLine &fixture : lines) {
        struct_button_goodsbill line;
        line.CompanyName = kind.company();
        line.BillCode = QStringLiteral("CODE-1");
        line.SumMoney = DoubleToStr(total);
        line.InputDate = QStringLiteral("2011-06-01");
        line.GUID = guid;
        line.ProductCode = fixture.code;
        line.ProductName = fixture.name;
        line.ProductSpec = fixture.spec;
        line.ProductAmount = fixture.amount;
        line.ProductUnitPrice = fixture.unitPrice;
        line.ProductPrice = DoubleToStr(StrToDouble(fixture.amount) * StrToDouble(fixture.unitPrice));
        line.BillType = kind.type();
        bill.push_back(line);
    }
    return bill;
}

QString StockOf(TestDatabase &db, const QString &code)
{
    return db.scalar("SELECT ProductStockCount FROM tbl_StoreMgr WHERE ProductCode = ? ORDER BY RowNo", {code});
}

QStringList StoredColumn(TestDatabase &db, const BillKind &kind, const char *column, const QString &guid)
{
    Statement query = db.db().prepare(QStringLiteral("SELECT %1 AS value FROM %2 WHERE ? IN ('', GUID) ORDER BY RowNo")
                                          .arg(QLatin1String(column), QLatin1String(kind.table()))
                                          .toUtf8()
                                          .constData());
    query.bind(1, guid);
    QStringList values;
    while (query.next())
        values << query.text(QStringLiteral("value"));
    return values;
}

void FailWrites(TestDatabase &db, const char *table, const char *event, const char *condition)
{
    db.db().executeScript(QStringLiteral("CREATE TEMP TRIGGER fail_%1_%2 BEFORE %2 ON main.%1 WHEN %3 "
                                         "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END;")
                              .arg(QLatin1String(table), QLatin1String(event), QLatin1String(condition)));
}

ScriptedDepositEditor::ScriptedDepositEditor(Database &db)
    : m_db(db)
{
    install(this);
}

DepositEditor::Result ScriptedDepositEditor::Edit(QWidget *, const Request &request)
{
    requests.push_back(request);
    if (!saves)
        return {};
    const PartySide party = request.mode >= 16 && request.mode <= 19 ? PartyProvider : PartyClient;
    QString guid = request.depositGuid;
    if (guid.isEmpty()) {
        guid = AddFinanceBillRow(m_db, party, QStringLiteral("收入单"), request.companyName, QStringLiteral("现金"),
            QStringLiteral("2011-05-03"), amount)
                   .GUID;
    } else {
        Statement update = m_db.prepare(QStringLiteral("UPDATE %1 SET MoneyCount = ? WHERE GUID = ?")
                                            .arg(QLatin1String(GoodsBillSide::For(party).depositTable))
                                            .toUtf8()
                                            .constData());
        update.bindAll(amount, guid);
        update.run();
    }
    return {true, guid, amount};
}

void ShowEditor(CDlgNewShipment &editor)
{
    editor.show();
    editor.activateWindow();
    if (!QTest::qWaitForWindowActive(&editor))
        ADD_FAILURE() << "the editor did not become active";
}

QAbstractButton *Button(QWidget *window, const char *id)
{
    auto *button = window->findChild<QAbstractButton *>(QString::fromLatin1(id));
    if (!button)
        ADD_FAILURE() << "no button " << id;
    return button;
}

QLineEdit *Field(QWidget *window, const char *id)
{
    return window->findChild<QLineEdit *>(QString::fromLatin1(id));
}

QLineEdit *OpenEdit(Grid *grid)
{
    for (QLineEdit *edit : grid->viewport()->findChildren<QLineEdit *>()) {
        if (edit->isVisible())
            return edit;
    }
    return nullptr;
}

QLineEdit *StartEditing(Grid *grid, int row, int column)
{
    grid->setCurrentCell(row, column);
    QLineEdit *edit = OpenEdit(grid);
    if (!edit) {
        // On the cell that is current already, F2 opens it.
        QTest::keyClick(grid, Qt::Key_F2);
        edit = OpenEdit(grid);
    }
    if (!edit)
        ADD_FAILURE() << "no edit opened on cell " << row << "," << column;
    return edit;
}

void PressEnter(QLineEdit *edit)
{
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();
}

void TypeIntoCell(Grid *grid, int row, int column, const QString &text)
{
    if (QLineEdit *edit = StartEditing(grid, row, column)) {
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        typeText(edit, text);
        PressEnter(edit);
    }
}

void PressPickerButton(Grid *grid, int row, int column)
{
    StartEditing(grid, row, column);
    // Edits closed before wait for the event loop to go; the open one shows.
    for (QToolButton *button : grid->viewport()->findChildren<QToolButton *>(QStringLiteral("pickerButton"))) {
        if (button->isVisible())
            return QTest::mouseClick(button, Qt::LeftButton);
    }
    ADD_FAILURE() << "no picker button";
}

namespace {

// Queues a choice in a picker: the first shown entry whose record matches.
template<typename Picker>
void ChooseEntry(ScriptedInteraction &user, std::function<bool(const struct_button_storeproduct &)> matches)
{
    user.onNextModal([matches](QDialog *dialog) {
        auto *picker = dynamic_cast<Picker *>(dialog);
        for (int i = 0; picker && i < Picker::kEntries; ++i) {
            if (picker->Entry(i)->isVisible() && matches(picker->Entry(i)->record())) {
                QTest::mousePress(picker->Entry(i), Qt::LeftButton);
                return picker->result();
            }
        }
        ADD_FAILURE() << "no such entry";
        dialog->reject();
        return dialog->result();
    });
}

} // namespace

void ChooseProduct(ScriptedInteraction &user, const QString &name)
{
    ChooseEntry<CDlgSelProductDlg>(user, [name](const struct_button_storeproduct &p) { return p.ProductName == name; });
}

void ChooseSpec(ScriptedInteraction &user, const QString &spec)
{
    ChooseEntry<CDlgSelProductSpecDlg>(
        user, [spec](const struct_button_storeproduct &p) { return p.ProductSpec == spec; });
}

void AnswerPassword(ScriptedInteraction &user, const QString &typed)
{
    user.onNextModal([typed](QDialog *dialog) {
        typeText(Field(dialog, "1278"), typed);
        clickButton(dialog, "1276");
        return dialog->result();
    });
}

void PickLine(
    ScriptedInteraction &user, Grid *grid, int row, const struct_button_storeproduct &product, const QString &count)
{
    ChooseProduct(user, product.ProductName);
    PressPickerButton(grid, row, Grid::NameCol);
    ChooseSpec(user, product.ProductSpec);
    PressPickerButton(grid, row, Grid::SpecCol);
    TypeIntoCell(grid, row, Grid::CountCol, count);
}

void TypeLine(
    Grid *grid, int row, const struct_button_storeproduct &product, const QString &count, const QString &price)
{
    const QString texts[] = {product.ProductCode, product.ProductName, product.ProductSpec, product.ProductUnit,
        count, price};
    for (int column = Grid::CodeCol; column <= Grid::PriceCol; ++column)
        TypeIntoCell(grid, row, column, texts[column]);
}

void GoodsBillTest::SetUp()
{
    SetWorkingDate(QDate(2011, 5, 3));
    screw = AddProductRow(
        db.db(), QStringLiteral("LS-3"), QStringLiteral("螺丝"), QStringLiteral("M3"), QStringLiteral("10"));
    nut = AddProductRow(db.db(), QStringLiteral("LM-3"), QStringLiteral("螺母"), QStringLiteral("M3"), QStringLiteral("5"));
    if (kind().isSales())
        AddClientRow(db.db(), kind().company());
    else
        AddProviderRow(db.db(), kind().company());
    db.exec("UPDATE tbl_AccessTypePassword SET AccessPassword = ?", {QStringLiteral("edit")});
}

GoodsBillLines GoodsBillTest::StoreBill(const QString &depositGuid)
{
    return AddGoodsBillRows(db.db(), kind().party, kind().type(), kind().company(), QStringLiteral("2011-05-03"),
        {{screw.ProductCode, screw.ProductName, screw.ProductSpec, "3", "2.50"},
            {nut.ProductCode, nut.ProductName, nut.ProductSpec, "2", "1"}},
        depositGuid);
}

void GoodsBillTest::Unlock(CDlgNewShipment &editor)
{
    AnswerPassword(user, QStringLiteral("edit"));
    clickButton(&editor, "1114");
}
