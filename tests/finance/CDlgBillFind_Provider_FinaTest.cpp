#include "CDlgBillFind_Provider_Fina.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

#include <functional>

#include "FinanceTestSupport.h"

// The finance-bill search typed into as a person would: its lists, the
// checks of the amount range and the name, and the query it hands back.

namespace {

class BillSearch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetWorkingDate(QDate(2024, 2, 10));
        AddClientRow(db.db(), u("甲"));
        AddProviderRow(db.db(), u("丙"));
        AddAccountRow(db.db(), u("工行"));
    }

    // Runs the dialog of the side; the person acts, then presses 确定.
    // Answers the dialog's result; the dialog is kept for inspection.
    int run(int side, const std::function<void(QDialog *)> &act = {})
    {
        dialog = std::make_unique<CDlgBillFind_Provider_Fina>();
        dialog->SetSearchTarget(side);
        dialog->show();
        if (act)
            act(dialog.get());
        clickButton(dialog.get(), "1420");
        return dialog->result();
    }
    static QStringList items(QDialog *dialog, const char *id)
    {
        auto *combo = dialog->findChild<QComboBox *>(u(id));
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    }
    static void tick(QDialog *dialog, const char *id)
    {
        QTest::mouseClick(dialog->findChild<QCheckBox *>(u(id)), Qt::LeftButton, {}, QPoint(5, 5));
    }
    static void type(QDialog *dialog, const char *id, const QString &text)
    {
        auto *edit = dialog->findChild<QLineEdit *>(u(id));
        if (!edit)
            edit = dialog->findChild<QComboBox *>(u(id))->lineEdit();
        edit->clear();
        typeText(edit, text);
    }

    TestDatabase db;
    ScriptedInteraction user;
    std::unique_ptr<CDlgBillFind_Provider_Fina> dialog;
};

} // namespace

TEST_F(BillSearch, OffersTheListsOfItsSide)
{
    const struct
    {
        int side;
        QStringList names;
        const char *label;
    } cases[] = {{BillListProvider, {u("丙"), u("所有")}, "供应商名称"},
                 {BillListClient, {u("甲"), u("所有")}, "客户名称"},
                 {BillListBoth, {u("所有")}, "单位名称"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_EQ(run(c.side), 1);
        EXPECT_EQ(items(dialog.get(), "1414"), c.names);
        EXPECT_EQ(dialog->findChild<QComboBox *>(u("1414"))->currentText(), u("所有"));
        EXPECT_EQ(dialog->findChild<QLabel *>(u("1422"))->text(), u(c.label));
        EXPECT_EQ(items(dialog.get(), "1405"), (QStringList {u("所有"), u("财务收入单"), u("财务支出单")}));
        EXPECT_EQ(items(dialog.get(), "1413"), (QStringList {u("所有"), u("现金"), u("工行")}));
        EXPECT_EQ(items(dialog.get(), "1416"), (QStringList {u("所有"), u("货款"), u("其它")}));
        EXPECT_EQ(items(dialog.get(), "1417"), (QStringList {u("所有"), u("现金"), u("转账")}));
        EXPECT_EQ(items(dialog.get(), "1418"), (QStringList {u("所有"), u("收据"), u("发票")}));
        EXPECT_FALSE(dialog->findChild<QDateEdit *>(u("1408"))->isEnabled());
        EXPECT_FALSE(dialog->findChild<QLineEdit *>(u("1410"))->isEnabled());

        // Nothing chosen: every bill of the side's tables.
        FinanceBillQuery expected;
        expected.tables = FinanceBillQuery::TablesOfSide(c.side);
        EXPECT_EQ(dialog->GetSearchResult(), expected);
    }
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(BillSearch, TheAmountRangeMustBeTwoNumbers)
{
    const struct
    {
        const char *from;
        const char *to;
        const char *message;
    } cases[] = {{"", "100", "请填写　“金额范围” 。"},       {"10", " ", "请填写　“金额范围” 。"},
                 {"abc", "100", "“金额范围”只能填写数字。"}, {"1,000", "2000", "“金额范围”只能填写数字。"},
                 {"10", "-5", "“金额范围”只能填写数字。"},   {"12.", "20", "“金额范围”只能填写数字。"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.from);
        user.clear();
        const int result = run(BillListClient, [&](QDialog *d) {
            tick(d, "1407");
            type(d, "1410", u(c.from));
            type(d, "1411", u(c.to));
        });
        EXPECT_EQ(result, 0);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(user.texts(), QStringList {u(c.message)});
    }
    user.clear();
    ASSERT_EQ(run(BillListClient,
                  [&](QDialog *d) {
                      tick(d, "1407");
                      type(d, "1410", u("99.5"));
                      type(d, "1411", u("100"));
                  }),
              1);
    EXPECT_EQ(dialog->GetSearchResult().amounts, (FinanceBillQuery::AmountRange {99.5, 100}));
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(BillSearch, AnEmptyNameIsSaidOnEverySide)
{
    const struct
    {
        int side;
        const char *message;
    } cases[] = {{BillListProvider, "请填写　“供应商名称” 。"},
                 {BillListClient, "请填写　“客户名称” 。"},
                 {BillListBoth, "请填写　“单位名称” 。"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        user.clear();
        EXPECT_EQ(run(c.side, [](QDialog *d) { type(d, "1414", QString()); }), 0);
        EXPECT_EQ(user.texts(), QStringList {u(c.message)});
    }
}

TEST_F(BillSearch, HandsBackEveryCriterion)
{
    ASSERT_EQ(run(BillListClient,
                  [](QDialog *d) {
                      d->findChild<QComboBox *>(u("1405"))->setCurrentIndex(2);
                      d->findChild<QComboBox *>(u("1413"))->setCurrentIndex(2);
                      d->findChild<QComboBox *>(u("1416"))->setCurrentIndex(1);
                      d->findChild<QComboBox *>(u("1417"))->setCurrentIndex(2);
                      d->findChild<QComboBox *>(u("1418"))->setCurrentIndex(1);
                      type(d, "1414", u("O'Neil"));
                      type(d, "1412", u("ZC_XS_20240201"));
                      type(d, "1415", u("小王"));
                      type(d, "1419", u("尾款"));
                      // Ticked without touching the dates: the working month,
                      // 29 days of a leap February. The desktop's date form
                      // does not matter.
                      tick(d, "1406");
                      d->findChild<QDateEdit *>(u("1408"))->setDisplayFormat(u("dd/MM/yy"));
                  }),
              1);
    FinanceBillQuery expected;
    expected.tables = {PartyClient};
    expected.billType = FinanceBillQuery::PayoutBills;
    expected.partyName = u("O'Neil");
    expected.account = u("工行");
    expected.incomeType = u("货款");
    expected.moneyType = u("转账");
    expected.voucher = u("收据");
    expected.dates = FinanceBillQuery::DateRange {u("2024-02-01"), u("2024-02-29")};
    expected.remark = u("尾款");
    expected.seller = u("小王");
    expected.billCode = u("ZC_XS_20240201");
    EXPECT_EQ(dialog->GetSearchResult(), expected);

    // 取消 hands back nothing.
    dialog = std::make_unique<CDlgBillFind_Provider_Fina>();
    dialog->show();
    clickButton(dialog.get(), "1421");
    EXPECT_EQ(dialog->result(), 0);
}
