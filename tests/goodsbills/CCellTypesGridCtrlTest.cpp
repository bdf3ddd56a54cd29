#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>

#include "CDlgBillFind_Provider_Goods.h"
#include "PriceListStore.h"
#include "ShipmentEditorSupport.h"

// The bill grid as a person types into it inside the editor: amounts,
// total and capital text follow every change of a count or a price, the
// pickers price lines from the party's list, and the cell map holds for
// both sides.

namespace {

class GridTyping : public testing::Test
{
protected:
    void SetUp() override
    {
        SetWorkingDate(QDate(2011, 5, 3));
        editor.SetIntMember(0);
        ShowEditor(editor);
        grid = editor.Grid();
    }
    void TearDown() override { SetWorkingDate(QDate()); }

    QString cell(int row, int column) const { return grid->CellText(row, column); }
    QString total() const { return cell(grid->TotalsRow(), Grid::TotalColumn); }
    QString capital() const { return cell(grid->TotalsRow(), Grid::CapitalColumn); }

    TestDatabase db;
    ScriptedInteraction user;
    CDlgNewShipment editor;
    Grid* grid = nullptr;
};

} // namespace

TEST_F(GridTyping, EveryKeyOfACountOrPriceRecomputesAmountTotalAndCapitalText)
{
    TypeIntoCell(grid, 2, Grid::CodeCol, QStringLiteral("A1"));
    TypeIntoCell(grid, 2, Grid::PriceCol, QStringLiteral("2.50"));
    QLineEdit* count = StartEditing(grid, 2, Grid::CountCol);
    ASSERT_NE(count, nullptr);
    typeText(count, QStringLiteral("3"));
    // At once, while the cell is still being edited.
    EXPECT_EQ(cell(2, Grid::AmountCol), QStringLiteral("7.50"));
    EXPECT_EQ(total(), QStringLiteral("7.50"));
    EXPECT_EQ(capital(), QStringLiteral("柒元 伍角 零分 "));
    typeText(count, QStringLiteral("0"));
    EXPECT_EQ(total(), QStringLiteral("75.00"));
    QTest::keyClick(count, Qt::Key_Backspace);
    EXPECT_EQ(total(), QStringLiteral("7.50"));
    // Delete inside the edit sends no character, and still counts.
    count->setCursorPosition(0);
    QTest::keyClick(count, Qt::Key_Delete);
    EXPECT_EQ(cell(2, Grid::AmountCol), QStringLiteral("0.00"));
    EXPECT_EQ(capital(), QStringLiteral("零元 零角 零分 "));
    // So does a paste.
    QGuiApplication::clipboard()->setText(QStringLiteral("4"));
    QTest::keySequence(count, QKeySequence::Paste);
    EXPECT_EQ(count->text(), QStringLiteral("4"));
    EXPECT_EQ(total(), QStringLiteral("10.00"));
    PressEnter(count);
    EXPECT_EQ(cell(2, Grid::CountCol), QStringLiteral("4"));
    EXPECT_EQ(total(), QStringLiteral("10.00"));

    // A second line adds to the total; a count or price cell holds twelve
    // characters at most.
    TypeIntoCell(grid, 3, Grid::CodeCol, QStringLiteral("B1"));
    TypeIntoCell(grid, 3, Grid::CountCol, QStringLiteral("1234567890123"));
    EXPECT_EQ(cell(3, Grid::CountCol), QStringLiteral("123456789012"));
    TypeIntoCell(grid, 3, Grid::CountCol, QStringLiteral("2"));
    TypeIntoCell(grid, 3, Grid::PriceCol, QStringLiteral("0.5"));
    EXPECT_EQ(cell(3, Grid::AmountCol), QStringLiteral("1.00"));
    EXPECT_EQ(total(), QStringLiteral("11.00"));
    EXPECT_EQ(capital(), QStringLiteral("壹拾 壹元 零角 零分 "));
}

TEST_F(GridTyping, DeleteAndPasteOnASelectedCellRecomputeToo)
{
    TypeIntoCell(grid, 2, Grid::CodeCol, QStringLiteral("A1"));
    TypeIntoCell(grid, 2, Grid::CountCol, QStringLiteral("3"));
    TypeIntoCell(grid, 2, Grid::PriceCol, QStringLiteral("2.50"));
    ASSERT_EQ(total(), QStringLiteral("7.50"));

    // Esc leaves the cell's edit; the cell stays selected.
    QLineEdit* price = StartEditing(grid, 2, Grid::PriceCol);
    ASSERT_NE(price, nullptr);
    QTest::keyClick(price, Qt::Key_Escape);
    ASSERT_EQ(OpenEdit(grid), nullptr);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(cell(2, Grid::PriceCol), QString());
    EXPECT_EQ(cell(2, Grid::AmountCol), QStringLiteral("0.00"));
    EXPECT_EQ(total(), QStringLiteral("0.00"));

    QGuiApplication::clipboard()->setText(QStringLiteral("1.20\nignored"));
    QTest::keySequence(grid, QKeySequence::Paste);
    EXPECT_EQ(cell(2, Grid::PriceCol), QStringLiteral("1.20"));
    EXPECT_EQ(total(), QStringLiteral("3.60"));
    EXPECT_EQ(capital(), QStringLiteral("参元 陆角 零分 "));

    // A line without a code does not count in the total until it gets one.
    TypeIntoCell(grid, 4, Grid::CountCol, QStringLiteral("1"));
    TypeIntoCell(grid, 4, Grid::PriceCol, QStringLiteral("100"));
    EXPECT_EQ(total(), QStringLiteral("3.60"));
    TypeIntoCell(grid, 4, Grid::CodeCol, QStringLiteral("C1"));
    EXPECT_EQ(total(), QStringLiteral("103.60"));
}

namespace {

class GridSides : public testing::TestWithParam<EditorSide>
{
protected:
    void SetUp() override { SetWorkingDate(QDate(2011, 5, 3)); }
    void TearDown() override { SetWorkingDate(QDate()); }

    TestDatabase db;
    ScriptedInteraction user;
};

} // namespace

TEST_P(GridSides, HeadRowOffersTheSidesCompaniesTheWorkingDateAndANewCode)
{
    const EditorSide side = GetParam();
    // Both sides' parties exist; only the bill's side is offered, once
    // each, in Chinese order.
    for (const char* name : {"张三商行", "阿里公司", "张三商行", "北方贸易"}) {
        AddClientRow(db.db(), QString::fromUtf8(name));
        AddProviderRow(db.db(), QStringLiteral("供") + QString::fromUtf8(name));
    }
    const QString prefix = side.party == PartyClient ? QString() : QStringLiteral("供");
    CDlgNewShipment editor;
    editor.SetIntMember(side.newMode);
    ShowEditor(editor);
    Grid* grid = editor.Grid();

    EXPECT_EQ(grid->CompanyNames(),
        QStringList({prefix + QStringLiteral("阿里公司"), prefix + QStringLiteral("北方贸易"),
            prefix + QStringLiteral("张三商行")}));
    EXPECT_EQ(grid->CellText(Grid::HeadRow, 0), QStringLiteral("单位名称"));
    EXPECT_EQ(grid->CellText(Grid::HeadRow, Grid::DateColumn), QStringLiteral("2011-05-03"));
    EXPECT_EQ(grid->CellText(Grid::HeadRow, Grid::CodeColumn),
        (side.party == PartyClient ? QStringLiteral("XS_CH_") : QStringLiteral("CG_JH_")) + QStringLiteral("20110503"));
    EXPECT_EQ(grid->CellText(Grid::TitleRow, Grid::AmountCol), QStringLiteral("金额/元"));
    EXPECT_EQ(grid->TotalsRow(), 8);
    EXPECT_EQ(grid->CellText(8, 0), QStringLiteral("大写金额"));
    EXPECT_EQ(grid->CellText(8, 5), QStringLiteral("合计"));
    EXPECT_EQ(grid->columnSpan(8, Grid::CapitalColumn), 4);
    // Nobody types an amount.
    EXPECT_FALSE(grid->item(2, Grid::AmountCol)->flags() & Qt::ItemIsEditable);

    // The company cell offers the list and takes a typed name too.
    QLineEdit* company = StartEditing(grid, Grid::HeadRow, Grid::CompanyColumn);
    ASSERT_NE(company, nullptr);
    auto* list = qobject_cast<QComboBox*>(company->parentWidget());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 3);
    typeText(company, QStringLiteral("新来的"));
    PressEnter(company);
    EXPECT_EQ(grid->CellText(Grid::HeadRow, Grid::CompanyColumn), QStringLiteral("新来的"));
}

TEST_P(GridSides, PickersPriceLinesFromThePartysListAsTheCompanyStandsWhenPicked)
{
    const EditorSide side = GetParam();
    const struct_button_storeproduct m3
        = AddProductRow(db.db(), QStringLiteral("LS-3"), QStringLiteral("螺丝"), QStringLiteral("M3"));
    AddProductRow(db.db(), QStringLiteral("LS-4"), QStringLiteral("螺丝"), QStringLiteral("M4"));
    AddParty(db.db(), side, Party(side));
    // The other side's party of the same name has a price of its own.
    const PartySide otherSide = side.party == PartyClient ? PartyProvider : PartyClient;
    PriceListStore(db.db(), side.party).AddPrice(Party(side), m3.GUID, QStringLiteral("9.50"));
    PriceListStore(db.db(), otherSide).AddPrice(Party(side), m3.GUID, QStringLiteral("1.11"));
    const QString ownPrice = side.party == PartyClient ? m3.ShipmentUnitPrice : m3.StockUnitPrice;

    CDlgNewShipment editor;
    editor.SetIntMember(side.newMode);
    ShowEditor(editor);
    Grid* grid = editor.Grid();

    // No company yet: the product's own price of the side.
    TypeIntoCell(grid, 2, Grid::CountCol, QStringLiteral("2"));
    ChooseProduct(user, QStringLiteral("螺丝"));
    PressPickerButton(grid, 2, Grid::NameCol);
    EXPECT_EQ(grid->CellText(2, Grid::NameCol), QStringLiteral("螺丝"));
    ChooseSpec(user, QStringLiteral("M3"));
    PressPickerButton(grid, 2, Grid::SpecCol);
    EXPECT_EQ(grid->CellText(2, Grid::CodeCol), QStringLiteral("LS-3"));
    EXPECT_EQ(grid->CellText(2, Grid::UnitCol), QStringLiteral("个"));
    EXPECT_EQ(grid->CellText(2, Grid::PriceCol), ownPrice);
    // The pick recomputes at once.
    EXPECT_EQ(grid->CellText(2, Grid::AmountCol), DoubleToStr(2 * StrToDouble(ownPrice)));

    // The company chosen: lines picked from now on get the party's price;
    // the line picked before keeps its own.
    TypeIntoCell(grid, Grid::HeadRow, Grid::CompanyColumn, Party(side));
    PickLine(user, grid, 3, m3, QStringLiteral("2"));
    EXPECT_EQ(grid->CellText(3, Grid::PriceCol), QStringLiteral("9.50"));
    EXPECT_EQ(grid->CellText(3, Grid::AmountCol), QStringLiteral("19.00"));
    EXPECT_EQ(grid->CellText(2, Grid::PriceCol), ownPrice);
    EXPECT_EQ(grid->CellText(grid->TotalsRow(), Grid::TotalColumn), DoubleToStr(19.0 + 2 * StrToDouble(ownPrice)));
}

TEST_P(GridSides, ACancelledPickerLeavesTheCellAsItWas)
{
    const EditorSide side = GetParam();
    AddProductRow(db.db(), QStringLiteral("LS-3"), QStringLiteral("螺丝"), QStringLiteral("M3"));
    CDlgNewShipment editor;
    editor.SetIntMember(side.newMode);
    ShowEditor(editor);
    Grid* grid = editor.Grid();

    // Without a name the variant button opens nothing.
    PressPickerButton(grid, 2, Grid::SpecCol);
    EXPECT_TRUE(user.modalDialogs.isEmpty());

    TypeIntoCell(grid, 2, Grid::NameCol, QStringLiteral("旧名"));
    TypeIntoCell(grid, 2, Grid::SpecCol, QStringLiteral("旧规格"));
    TypeIntoCell(grid, 2, Grid::PriceCol, QStringLiteral("3"));
    // Closed without a choice (no answer queued: the window is closed).
    PressPickerButton(grid, 2, Grid::NameCol);
    PressPickerButton(grid, 2, Grid::SpecCol);
    EXPECT_EQ(
        user.modalDialogs, QStringList({QStringLiteral("CDlgSelProductDlg"), QStringLiteral("CDlgSelProductSpecDlg")}));
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->CellText(2, Grid::NameCol), QStringLiteral("旧名"));
    EXPECT_EQ(grid->CellText(2, Grid::SpecCol), QStringLiteral("旧规格"));
    EXPECT_EQ(grid->CellText(2, Grid::PriceCol), QStringLiteral("3"));
}

// The bill's date cell and the search dialog's days show the stored form
// and a Chinese calendar, whatever the desktop's language.
TEST(DateFields, ShowIsoDatesWhateverTheDesktopsLanguage)
{
    TestDatabase db;
    ScriptedInteraction user;
    SetWorkingDate(QDate(2011, 5, 3));
    const QLocale previous;
    for (const QLocale& desktop :
        {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::Arabic, QLocale::Egypt)}) {
        QLocale::setDefault(desktop);
        CDlgNewShipment editor;
        editor.SetIntMember(0);
        ShowEditor(editor);
        QLineEdit* cell = StartEditing(editor.Grid(), Grid::HeadRow, Grid::DateColumn);
        CDlgBillFind_Provider_Goods search;
        const std::pair<QDateEdit*, const char*> fields[]
            = {{cell ? qobject_cast<QDateEdit*>(cell->parentWidget()) : nullptr, "2011-05-03"},
                {search.findChild<QDateEdit*>(QStringLiteral("1388")), "2011-05-01"},
                {search.findChild<QDateEdit*>(QStringLiteral("1389")), "2011-05-31"}};
        for (const auto& [field, shown] : fields) {
            if (!field) {
                ADD_FAILURE() << "no date field showing " << shown;
                continue;
            }
            EXPECT_EQ(field->text(), QString::fromLatin1(shown)) << desktop.name().toStdString();
            EXPECT_EQ(field->locale(), QLocale(QLocale::Chinese, QLocale::China)) << shown;
        }
    }
    QLocale::setDefault(previous);
    SetWorkingDate(QDate());
}

INSTANTIATE_TEST_SUITE_P(Sides, GridSides, testing::Values(kSalesSide, kPurchaseSide), SideName);
