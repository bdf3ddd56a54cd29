#include "FinanceDepositEditor.h"

#include <QDateEdit>

#include "CDlgMainDlg.h"
#include "Database.h"
#include "FinanceBillPage.h"
#include "FinanceTestSupport.h"

// The deposit of a goods bill, as the goods bill editor asks for it: the
// finance bill editor in a deposit mode, and what comes back to the goods
// bill.

namespace {

class FinanceDepositEditorTest : public ::testing::Test
{
protected:
    FinanceDepositEditorTest()
    {
        SetWorkingDate(QDate(2024, 3, 5));
        AddClientRow(db.db(), u("甲"));
        AddProviderRow(db.db(), u("甲供"));
    }
    ~FinanceDepositEditorTest() override { SetWorkingDateSource(nullptr); }

    static DepositEditor::Request request(int mode, const QString &company, const QString &guid = QString())
    {
        DepositEditor::Request r;
        r.mode = mode;
        r.companyName = company;
        r.goodsBillCode = u("XS_CH_20240301");
        r.depositGuid = guid;
        return r;
    }

    // The editor answered by typing the amount and pressing 确定.
    void answerWithAmount(const QString &amount, const std::function<void(EditorControls &)> &check = {})
    {
        user.onNextModal([amount, check](QDialog *d) {
            EditorControls e(d);
            if (check)
                check(e);
            e.typeAmount(amount);
            e.ok();
            return d->result();
        });
    }

    TestDatabase db;
    ScriptedInteraction user;
    // Before the pages, which open on the working day.
    bool workingDay = (SetWorkingDate(QDate(2024, 3, 5)), true);
    CDlgTabFina sales{4, nullptr};
    CDlgTabFina_Provider purchase{4, nullptr};
    FinanceDepositEditor deposits{&sales, &purchase};
};

TEST_F(FinanceDepositEditorTest, ANewSalesDepositHandsBackItsGuidAndAmount)
{
    answerWithAmount(u("50"), [](EditorControls &e) {
        EXPECT_EQ(e.dialog->windowTitle(), u("新增财务收入"));
        EXPECT_EQ(e.code()->text(), u("SR_XS_DJ_20240305"));
        EXPECT_EQ(e.name()->currentText(), u("甲"));
        EXPECT_TRUE(e.name()->isEnabled());
        EXPECT_EQ(e.remark()->text(), u("单据订金（XS_CH_20240301）。"));
        EXPECT_FALSE(e.deleteButton()->isVisible());
    });
    const DepositEditor::Result result = deposits.Edit(nullptr, request(20, u("甲")));
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.amount, u("50"));
    ASSERT_EQ(result.guid.size(), 36);
    EXPECT_EQ(storedColumn(db, FinanceBillSide::Sales(), "BillRemark", result.guid), u("单据订金（XS_CH_20240301）。"));
    EXPECT_EQ(storedColumn(db, FinanceBillSide::Sales(), "BillType", result.guid), u("收入单"));
    EXPECT_EQ(storedSumIncome(db, FinanceBillSide::Sales(), u("甲")), u("50.00"));

    // Reopened (mode 22): the same bill, no 删除; the change comes back.
    answerWithAmount(u("60"), [&](EditorControls &e) {
        EXPECT_EQ(e.dialog->windowTitle(), u("修改财务收入"));
        EXPECT_EQ(e.amount()->text(), u("50"));
        EXPECT_EQ(e.code()->text(), u("SR_XS_DJ_20240305"));
        EXPECT_FALSE(e.deleteButton()->isVisible());
    });
    const DepositEditor::Result changed = deposits.Edit(nullptr, request(22, u("甲"), result.guid));
    EXPECT_TRUE(changed.saved);
    EXPECT_EQ(changed.guid, result.guid);
    EXPECT_EQ(changed.amount, u("60"));
    EXPECT_EQ(rowCount(db, "tbl_FinanceBill_income"), 1);
    EXPECT_EQ(storedSumIncome(db, FinanceBillSide::Sales(), u("甲")), u("60.00"));
}

TEST_F(FinanceDepositEditorTest, APurchaseStockInDepositIsAPayout)
{
    answerWithAmount(u("25.5"), [](EditorControls &e) {
        EXPECT_EQ(e.dialog->windowTitle(), u("新增财务支出"));
        EXPECT_EQ(e.code()->text(), u("ZC_CG_DJ_20240305"));
        EXPECT_EQ(e.nameLabel()->text(), u("供应商名称"));
    });
    const DepositEditor::Result result = deposits.Edit(nullptr, request(17, u("甲供")));
    ASSERT_TRUE(result.saved);
    EXPECT_EQ(storedColumn(db, FinanceBillSide::Purchase(), "BillType", result.guid), u("支出单"));
    EXPECT_EQ(storedBalance(db, u("现金")), u("-25.50"));
    EXPECT_EQ(rowCount(db, "tbl_FinanceBill_income"), 0);
    EXPECT_EQ(purchase.VisibleCardCount(), 1);
}

TEST_F(FinanceDepositEditorTest, NothingSavedHandsBackNothing)
{
    // 取消.
    user.onNextModal([](QDialog *d) {
        EditorControls(d).cancel();
        return d->result();
    });
    DepositEditor::Result result = deposits.Edit(nullptr, request(21, u("甲")));
    EXPECT_FALSE(result.saved);
    EXPECT_TRUE(result.guid.isEmpty());
    EXPECT_TRUE(result.amount.isEmpty());

    // A write that fails: the editor stays open until the person gives up.
    db.exec("CREATE TRIGGER refuse BEFORE INSERT ON tbl_FinanceBill_income_provider BEGIN "
            "SELECT RAISE(ABORT, '磁盘已满'); END");
    user.onNextModal([](QDialog *d) {
        EditorControls e(d);
        e.typeAmount(u("9"));
        e.ok();
        EXPECT_TRUE(d->isVisible());
        e.cancel();
        return d->result();
    });
    result = deposits.Edit(nullptr, request(16, u("甲供")));
    EXPECT_FALSE(result.saved);
    EXPECT_TRUE(result.guid.isEmpty());
    EXPECT_FALSE(user.texts().contains(u("新增采购财务单据成功。")));

    // A deposit bill that is gone, and a mode that is no deposit's.
    user.clear();
    result = deposits.Edit(nullptr, request(23, u("甲"), GuidText()));
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(user.texts(), QStringList{u("该财务单据已不存在，可能已被删除。")});
    result = deposits.Edit(nullptr, request(2, u("甲")));
    EXPECT_FALSE(result.saved);
    EXPECT_TRUE(user.modalDialogs.isEmpty());
    EXPECT_EQ(rowCount(db, "tbl_FinanceBill_income"), 0);
    EXPECT_EQ(rowCount(db, "tbl_FinanceBill_income_provider"), 0);
}

TEST(FinanceDepositEditorInstall, TheMainWindowInstallsItWithItsPagesForItsLife)
{
    TestDatabase db;
    ScriptedInteraction user;
    AddClientRow(db.db(), u("甲"));
    {
        CDlgMainDlg main;
        main.TabGroup(CDlgMainDlg::GroupClient)->setCurrentIndex(3);
        main.findChild<QDateEdit *>(QStringLiteral("1007"))->setDate(QDate(2024, 3, 5));
        DepositEditor *installed = DepositEditor::current();
        ASSERT_NE(dynamic_cast<FinanceDepositEditor *>(installed), nullptr);
        user.onNextModal([](QDialog *d) {
            EditorControls e(d);
            EXPECT_EQ(e.code()->text(), u("SR_XS_DJ_20240305"));
            e.typeAmount(u("8"));
            e.ok();
            return d->result();
        });
        DepositEditor::Request r;
        r.mode = 20;
        r.companyName = u("甲");
        r.goodsBillCode = u("XS_CH_1");
        EXPECT_TRUE(installed->Edit(&main, r).saved);
        EXPECT_EQ(main.m_pTabFina->VisibleCardCount(), 1);
    }
    EXPECT_EQ(DepositEditor::current(), nullptr);
}

} // namespace
