#include "ShipmentEditorSupport.h"

#include "CDlgMainDlg.h"
#include "GoodsBillPage.h"

// 设置订金 as the running program does it: the main window's finance bill
// editor opens in the deposit mode of the goods bill's kind, and the finance
// bill it saves becomes the goods bill's deposit.

namespace {

class DepositThroughFinanceEditor : public testing::TestWithParam<EditorSide>
{
protected:
    void SetUp() override { SetWorkingDate(QDate(2011, 5, 3)); }
    void TearDown() override { SetWorkingDate(QDate()); }

    TestDatabase db;
    ScriptedInteraction user;
};

} // namespace

TEST_P(DepositThroughFinanceEditor, TheFinanceEditorSavesTheDepositBill)
{
    const EditorSide side = GetParam();
    const QString party = Party(side);
    AddParty(db.db(), side, party);
    CDlgMainDlg mainDlg;
    ASSERT_NE(DepositEditor::current(), nullptr);

    CDlgNewShipment editor;
    editor.SetIntMember(side.newMode);
    if (side.party == PartyClient)
        editor.SetGoodsTab(mainDlg.m_pTabGoods);
    else
        editor.SetProviderGoodsTab(mainDlg.m_pTabProviderGoods);
    ShowEditor(editor);
    TypeIntoCell(editor.Grid(), Grid::HeadRow, Grid::CompanyColumn, party);

    QString financeEditor;
    user.onNextModal([&](QDialog* dialog) {
        financeEditor = QString::fromLatin1(dialog->metaObject()->className());
        auto* amount = dialog->findChild<QLineEdit*>(QStringLiteral("1138"));
        amount->selectAll();
        typeText(amount, QStringLiteral("50"));
        QTest::mouseClick(dialog->findChild<QAbstractButton*>(QStringLiteral("1141")), Qt::LeftButton);
        return dialog->result();
    });
    clickButton(&editor, "1429");

    EXPECT_EQ(financeEditor, QStringLiteral("CDlgNewIncomeBill"));
    const char* table = side.party == PartyClient ? "SELECT GUID, MoneyCount, BillCode FROM tbl_FinanceBill_income"
                                                  : "SELECT GUID, MoneyCount, BillCode FROM tbl_FinanceBill_income_provider";
    Statement stored = db.db().prepare(table);
    ASSERT_TRUE(stored.next());
    EXPECT_EQ(stored.text(QStringLiteral("MoneyCount")), QStringLiteral("50"));
    EXPECT_TRUE(stored.text(QStringLiteral("BillCode")).contains(QStringLiteral("DJ_")));
    EXPECT_EQ(editor.DepositGuid(), stored.text(QStringLiteral("GUID")));
    EXPECT_EQ(editor.findChild<QLineEdit*>(QStringLiteral("1119"))->text(), QStringLiteral("50"));
    EXPECT_FALSE(stored.next());
}

INSTANTIATE_TEST_SUITE_P(Sides, DepositThroughFinanceEditor, testing::Values(kSalesSide, kPurchaseSide), SideName);
