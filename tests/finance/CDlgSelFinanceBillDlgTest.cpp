#include "CDlgSelFinanceBillDlg.h"

#include "Database.h"
#include "FinanceBillPage.h"
#include "FinanceTestSupport.h"

// 新增财务单据 on either page: the chooser, then the editor in the side's
// new-bill mode.

namespace {

class ChooserTest : public ::testing::Test
{
protected:
    ChooserTest()
    {
        SetWorkingDate(QDate(2024, 3, 5));
        AddClientRow(db.db(), u("甲"));
        AddProviderRow(db.db(), u("甲供"));
        AddProviderRow(db.db(), u("乙供"));
    }
    ~ChooserTest() override { SetWorkingDateSource(nullptr); }

    TestDatabase db;
    ScriptedInteraction user;
};

TEST_F(ChooserTest, APayoutOnTheProviderPageAndACancelledEditorCloseTheChooser)
{
    CDlgTabFina_Provider page(4, nullptr);
    page.resize(1000, 700);
    page.show();
    int chooserResult = -1;
    user.onNextModal([&](QDialog *chooser) {
        EXPECT_EQ(chooser->windowTitle(), u("选择财务单据类型"));
        EXPECT_EQ(chooser->findChild<QAbstractButton *>(QStringLiteral("1125"))->text(), u("财务收入单"));
        EXPECT_EQ(chooser->findChild<QAbstractButton *>(QStringLiteral("1126"))->text(), u("财务支出单"));
        clickButton(chooser, "1126");
        EXPECT_FALSE(chooser->isVisible());
        chooserResult = chooser->result();
        return chooser->result();
    });
    user.onNextModal([&](QDialog *editor) {
        EditorControls e(editor);
        EXPECT_EQ(editor->windowTitle(), u("新增财务支出"));
        EXPECT_EQ(e.nameLabel()->text(), u("供应商名称"));
        EXPECT_EQ(e.name()->count(), 2);
        EXPECT_EQ(e.name()->itemText(1), u("乙供"));
        EXPECT_EQ(e.code()->text(), u("ZC_CG_20240305"));
        e.cancel();
        return editor->result();
    });
    clickButton(&page, "1374");
    EXPECT_EQ(user.modalDialogs, (QStringList{u("CDlgSelFinanceBillDlg"), u("CDlgNewIncomeBill")}));
    EXPECT_EQ(chooserResult, 0);
    EXPECT_EQ(rowCount(db, "tbl_FinanceBill_income_provider"), 0);
}

TEST_F(ChooserTest, AnIncomeBillOnTheClientPageIsWrittenAndShown)
{
    CDlgTabFina page(4, nullptr);
    page.resize(1000, 700);
    page.show();
    user.onNextModal([&](QDialog *chooser) {
        clickButton(chooser, "1125");
        return chooser->result();
    });
    user.onNextModal([&](QDialog *editor) {
        EditorControls e(editor);
        EXPECT_EQ(editor->windowTitle(), u("新增财务收入"));
        EXPECT_EQ(e.code()->text(), u("SR_XS_20240305"));
        e.typeName(u("甲"));
        e.typeAmount(u("300"));
        e.ok();
        return editor->result();
    });
    clickButton(&page, "1128");
    EXPECT_EQ(user.texts(), QStringList{u("新增销售财务单据成功。")});
    ASSERT_EQ(page.VisibleCardCount(), 1);
    EXPECT_EQ(page.CardBill(0).MoneyCount, u("300"));
    EXPECT_EQ(page.CardBill(0).BillType, u("收入单"));
    EXPECT_EQ(storedSumIncome(db, FinanceBillSide::Sales(), u("甲")), u("300.00"));
}

} // namespace
