#include "CDlgTabAccountMgr.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include "AccountStore.h"
#include "CDlgMainDlg.h"
#include "CDlgTabData_Fina_Provider.h"
#include "CapturedReports.h"
#include "FinanceTestSupport.h"

// The accounts page as a person uses it: the cards' figures and 总金额,
// paging, the account dialogs from 新增帐户 and from a card, the detail
// window's bill lists and the 财务月结 report.

namespace {

// Two rows of two cards: 115 + 2 x 230 wide, 100 + 2 x 77 high.
const QSize kFourCards(600, 260);

class AccountsPage : public ::testing::Test
{
protected:
    void SetUp() override { SetWorkingDate(QDate(2024, 2, 10)); }
    void TearDown() override
    {
        page.reset();
        mainDlg.reset();
        SetWorkingDateSource(nullptr);
    }

    void open(int poolSize = 4)
    {
        page = std::make_unique<CDlgTabAccountMgr>(poolSize, nullptr);
        page->resize(kFourCards);
        page->show();
    }

    // The cards a person sees: name, balance and month figure.
    QList<QStringList> shownCards() const
    {
        QList<QStringList> cards;
        for (int k = 0; k < page->PoolSize(); ++k) {
            const CBCGPAccountMgrButton *card = page->AccountButton(k);
            if (card->isVisible())
                cards << QStringList {card->record().AccountName, card->record().AccountBalance,
                                      card->record().MonthBalance};
        }
        return cards;
    }
    QStringList shownNames() const
    {
        QStringList names;
        for (const QStringList &card : shownCards())
            names << card[0];
        return names;
    }
    void clickCard(int k) { QTest::mouseClick(page->AccountButton(k), Qt::LeftButton, {}, QPoint(20, 20)); }
    void addAccounts(int n)
    {
        for (int i = 1; i <= n; ++i)
            AddAccountRow(db.db(), u("帐户%1").arg(i));
    }
    // The person types a name into the account dialog and confirms; the
    // dialog's result and the name box's text afterwards are kept. When the
    // dialog stays open, 取消 closes it.
    void typeAccountName(const QString &name, bool clearFirst = false)
    {
        user.onNextModal([=, this](QDialog *dialog) {
            auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("1214"));
            prefilled = edit->text();
            prompt = dialog->findChild<QLabel *>(QStringLiteral("1258"))->text();
            if (clearFirst)
                edit->clear();
            typeText(edit, name);
            clickButton(dialog, "1212");
            stayedOpen = dialog->isVisible() && dialog->result() == 0;
            if (stayedOpen)
                clickButton(dialog, "1213");
            return dialog->result();
        });
    }

    TestDatabase db;
    ScriptedInteraction user;
    std::unique_ptr<CDlgMainDlg> mainDlg;
    std::unique_ptr<CDlgTabAccountMgr> page;
    QString prefilled;
    QString prompt;
    bool stayedOpen = false;
};

} // namespace

TEST_F(AccountsPage, CardsShowTheBalanceToTheMonthEndAndTheMonthFigure)
{
    AddAccountRow(db.db(), u("工行"));
    AddFinanceBillRow(db.db(), PartyClient, kIncomeBill, u("甲"), u("工行"), u("2024-01-15"), u("100"));
    // On the month's last day: in the month and in the balance.
    AddFinanceBillRow(db.db(), PartyProvider, kPayoutBill, u("乙"), u("工行"), u("2024-02-29"), u("30"));
    // An old payout typed "-5" counts as 5 coming in.
    AddFinanceBillRow(db.db(), PartyClient, kPayoutBill, u("甲"), u("工行"), u("2024-02-05"), u("-5"));
    AddFinanceBillRow(db.db(), PartyClient, kIncomeBill, u("甲"), u("工行"), u("2024-03-01"), u("1000"));
    AddFinanceBillRow(db.db(), PartyProvider, kIncomeBill, u("乙"), u("现金"), u("2024-02-01"), u("7"));
    // A goods bill's deposit never counts but through its finance bill.
    AddGoodsBillRows(db.db(), PartyClient, u("退货单"), u("甲"), u("2024-02-02"),
                     {{u("A1"), u("螺丝"), u("M3"), u("1"), u("5")}});
    db.exec("UPDATE tbl_GoodsBill_shipment SET AccountName = ?, Imprest = '50', EnableImprest = ?",
            {u("工行"), u("启用预付款")});

    open();
    // The working date's month, not today's.
    EXPECT_EQ(shownCards(),
              (QList<QStringList> {{u("现金"), u("7.00"), u("7.00")}, {u("工行"), u("75.00"), u("-25.00")}}));
    EXPECT_EQ(page->TotalText(), u("总金额 82.00 元"));

    page->RefreshMonthTotals(u("2024-03-05"));
    EXPECT_EQ(shownCards(),
              (QList<QStringList> {{u("现金"), u("7.00"), u("0.00")}, {u("工行"), u("1075.00"), u("1000.00")}}));
    EXPECT_EQ(page->TotalText(), u("总金额 1082.00 元"));
    // The figures are shown only.
    EXPECT_EQ(storedBalance(db, u("工行")), u("0.00"));
    // A namesake shares its bills: its card shows them too, 总金额 counts
    // them once.
    AddAccountRow(db.db(), u("工行"));
    clickButton(page.get(), "1199"); // 上一页 on the first page lists it again
    EXPECT_EQ(shownCards().value(2), (QStringList {u("工行"), u("75.00"), u("-25.00")}));
    EXPECT_EQ(page->TotalText(), u("总金额 82.00 元"));
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(AccountsPage, PagingDeletingAndResizing)
{
    addAccounts(8); // with 现金: 9 accounts, 3 pages of 4
    open();
    ASSERT_EQ(page->PageCapacity(), 4);
    EXPECT_EQ(page->PageLine(), u("共 9 条记录，第 1 / 3 页。"));
    clickButton(page.get(), "1199"); // 上一页 on the first page
    EXPECT_EQ(page->PageIndex(), 0);
    clickButton(page.get(), "1200");
    clickButton(page.get(), "1200");
    EXPECT_EQ(shownNames(), QStringList {u("帐户8")});
    clickButton(page.get(), "1200"); // 下一页 on the last page
    EXPECT_EQ(page->PageIndex(), 2);
    EXPECT_EQ(page->PageLine(), u("共 9 条记录，第 3 / 3 页。"));
    clickButton(page.get(), "1199");
    EXPECT_EQ(shownNames(), (QStringList {u("帐户4"), u("帐户5"), u("帐户6"), u("帐户7")}));

    // A delete from the second page lists that page again with the line
    // counting what is left.
    struct_button_account fifth = page->AccountButton(1)->record();
    ASSERT_TRUE(page->AccountButton(1)->RemoveRecordButton());
    EXPECT_EQ(shownNames(), (QStringList {u("帐户4"), u("帐户6"), u("帐户7"), u("帐户8")}));
    EXPECT_EQ(page->PageLine(), u("共 8 条记录，第 2 / 2 页。"));
    EXPECT_FALSE(AccountStore(db.db()).AccountByGuid(fifth.GUID));

    // A resize that keeps four cards a page keeps the page; one that
    // changes it lists page 0.
    page->resize(kFourCards + QSize(100, 50));
    EXPECT_EQ(page->PageIndex(), 1);
    page->resize(QSize(600, 180)); // one row of two
    EXPECT_EQ(page->PageCapacity(), 2);
    EXPECT_EQ(page->PageIndex(), 0);
    EXPECT_EQ(shownNames(), (QStringList {u("现金"), u("帐户1")}));
    EXPECT_EQ(page->PageLine(), u("共 8 条记录，第 1 / 4 页。"));
}

TEST_F(AccountsPage, WithoutAccountsTheEmptyPictureShows)
{
    db.exec("DELETE FROM tbl_AccountMgr");
    open();
    EXPECT_TRUE(page->IsEmptyStateShown());
    EXPECT_EQ(page->PageLine(), u("共 0 条记录，第 1 / 0 页。"));
    EXPECT_EQ(page->TotalText(), u("总金额 0.00 元"));
    clickButton(page.get(), "1200");
    EXPECT_TRUE(shownCards().isEmpty());
}

TEST_F(AccountsPage, ANewAccountIsWrittenThenShownOnTheLastPage)
{
    addAccounts(4);
    AddFinanceBillRow(db.db(), PartyClient, kIncomeBill, u("甲"), u("农行"), u("2024-02-03"), u("12.5"));
    open();
    typeAccountName(u("农行"));
    clickButton(page.get(), "1095");
    EXPECT_EQ(prompt, u("请输入新增帐户的名称："));
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(page->PageIndex(), 1);
    // The card's figures are worked out at once: bills already named it.
    EXPECT_EQ(shownCards(),
              (QList<QStringList> {{u("帐户4"), u("0.00"), u("0.00")}, {u("农行"), u("12.50"), u("12.50")}}));
    EXPECT_EQ(page->PageLine(), u("共 6 条记录，第 2 / 2 页。"));
    EXPECT_EQ(page->TotalText(), u("总金额 12.50 元"));
    EXPECT_TRUE(user.messages.empty());

    // A name another account has: said, the dialog stays open, nothing
    // written.
    typeAccountName(u("现金"));
    clickButton(page.get(), "1095");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(user.lastText(), u("帐户“现金”已经存在，请换一个名称。"));
    EXPECT_EQ(rowCount(db, "tbl_AccountMgr"), 6);

    // An empty name.
    user.clear();
    typeAccountName(QString());
    clickButton(page.get(), "1095");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(user.texts(), QStringList {u("请填写 ‘帐户名称’。")});

    // More accounts than one query names at a time: the last page's cards,
    // the new one's too, show their own figures.
    db.exec("BEGIN");
    for (int i = 5; i <= 500; ++i) {
        AddAccountRow(db.db(), u("帐户%1").arg(i));
        AddFinanceBillRow(db.db(), PartyClient, kIncomeBill, u("甲"), u("帐户%1").arg(i), u("2024-02-03"),
                          QString::number(i));
    }
    AddFinanceBillRow(db.db(), PartyProvider, kIncomeBill, u("乙"), u("建行"), u("2024-01-20"), u("0.5"));
    db.exec("COMMIT");
    typeAccountName(u("建行"));
    clickButton(page.get(), "1095");
    EXPECT_EQ(page->PageLine(), u("共 503 条记录，第 126 / 126 页。"));
    EXPECT_EQ(shownCards(), (QList<QStringList> {{u("帐户499"), u("499.00"), u("499.00")},
                                                 {u("帐户500"), u("500.00"), u("500.00")},
                                                 {u("建行"), u("0.50"), u("0.00")}}));
    EXPECT_EQ(page->TotalText(), u("总金额 125253.00 元")); // 12.50 + (5 + ... + 500) + 0.50
}

TEST_F(AccountsPage, AFailedWriteKeepsTheDialogOpenAndChangesNothing)
{
    open();
    db.exec("CREATE TRIGGER refuse BEFORE INSERT ON tbl_AccountMgr BEGIN SELECT RAISE(ABORT, 'refused'); END");
    typeAccountName(u("工行"));
    clickButton(page.get(), "1095");
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(user.messages[0].text.startsWith(u("新增帐户失败。"))) << user.messages[0].text.toStdString();
    EXPECT_EQ(shownNames(), QStringList {u("现金")});
    EXPECT_EQ(page->PageLine(), u("共 1 条记录，第 1 / 1 页。"));
}

TEST_F(AccountsPage, TheDetailWindowRenamesAndDeletes)
{
    AddAccountRow(db.db(), u("工行"));
    AddFinanceBillRow(db.db(), PartyClient, kIncomeBill, u("甲"), u("工行"), u("2024-02-03"), u("40"));
    open();

    // 修改帐户 with the name already in the box; the bills follow.
    QString shownName;
    QString shownBalance;
    int editResult = -1;
    user.onNextModal([&](QDialog *detail) {
        shownName = detail->findChild<QLabel *>(QStringLiteral("1205"))->text();
        shownBalance = detail->findChild<QLabel *>(QStringLiteral("1206"))->text();
        typeAccountName(u("行"));
        clickButton(detail, "1208");
        editResult = detail->result();
        return detail->result();
    });
    clickCard(1);
    EXPECT_EQ(shownName, u("工行"));
    EXPECT_EQ(shownBalance, u("40.00"));
    EXPECT_EQ(prefilled, u("工行"));
    EXPECT_EQ(prompt, u("请输入帐户的名称："));
    EXPECT_EQ(editResult, 1);
    EXPECT_EQ(shownCards(),
              (QList<QStringList> {{u("现金"), u("0.00"), u("0.00")}, {u("工行行"), u("40.00"), u("40.00")}}));
    EXPECT_EQ(db.scalar("SELECT AccountName FROM tbl_FinanceBill_income"), u("工行行"));
    EXPECT_EQ(storedBalance(db, u("工行行")), u("40.00"));

    // A rename to another account's name: said, the account dialog stays
    // open, nothing changes.
    user.onNextModal([&](QDialog *detail) {
        typeAccountName(u("现金"), true);
        clickButton(detail, "1208");
        EXPECT_TRUE(detail->isVisible());
        detail->reject();
        return detail->result();
    });
    clickCard(1);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(user.texts(), QStringList {u("帐户“现金”已经存在，请换一个名称。")});
    EXPECT_EQ(shownNames(), (QStringList {u("现金"), u("工行行")}));
    EXPECT_EQ(db.scalar("SELECT group_concat(AccountName) FROM (SELECT AccountName FROM tbl_AccountMgr ORDER BY RowNo)"), u("现金,工行行"));
    EXPECT_EQ(db.scalar("SELECT AccountName FROM tbl_FinanceBill_income"), u("工行行"));
    user.clear();

    // 删除帐户 answered no, then yes.
    user.answerQuestion(false);
    user.answerQuestion(true);
    user.onNextModal([](QDialog *detail) {
        clickButton(detail, "1207");
        EXPECT_TRUE(detail->isVisible());
        clickButton(detail, "1207");
        return detail->result();
    });
    clickCard(1);
    EXPECT_EQ(user.texts(), (QStringList {u("确定要删除这个帐户吗？"), u("确定要删除这个帐户吗？")}));
    EXPECT_EQ(shownNames(), QStringList {u("现金")});
    EXPECT_EQ(rowCount(db, "tbl_AccountMgr"), 1);
    EXPECT_EQ(page->PageLine(), u("共 1 条记录，第 1 / 1 页。"));
}

// The page refills its cards while the detail window is open: after a
// rename that found the account gone, or a listing that moved it. 删除帐户
// deletes the window's own account, never what the card now holds, and the
// account dialog shows a stored name longer than typing allows whole.
TEST_F(AccountsPage, TheDetailWindowDeletesItsOwnAccountWhateverTheCardHoldsLater)
{
    const QString longName = QString(24, QChar(0x5E10)); // 24 x 帐
    const QString gone = u("该帐户已不存在，可能已被删除。");
    const QString ask = u("确定要删除这个帐户吗？");
    const struct
    {
        const char *removedFirst; // the row gone before the refill
        QStringList left;
        QStringList texts;
    } cases[] = {{"opened", {u("现金"), u("农行")}, {gone, ask, gone}}, {"现金", {u("农行")}, {ask}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.removedFirst);
        db.exec("DELETE FROM tbl_AccountMgr");
        AddAccountRow(db.db(), u("现金"));
        AddAccountRow(db.db(), longName);
        AddAccountRow(db.db(), u("农行"));
        open();
        user.clear();
        prefilled.clear();
        const bool opened = u(c.removedFirst) == u("opened");
        user.onNextModal([&](QDialog *detail) {
            db.exec("DELETE FROM tbl_AccountMgr WHERE AccountName = ?", {opened ? longName : u(c.removedFirst)});
            if (opened) {
                typeAccountName(u("行"));
                clickButton(detail, "1208");
            } else {
                clickButton(page.get(), "1199"); // 上一页 on the first page lists it again
            }
            EXPECT_EQ(page->AccountButton(1)->record().AccountName, u("农行"));
            user.answerQuestion(true);
            clickButton(detail, "1207");
            return detail->result();
        });
        clickCard(1);
        EXPECT_EQ(prefilled, opened ? longName : QString());
        EXPECT_EQ(user.texts(), c.texts);
        EXPECT_EQ(shownNames(), c.left);
        EXPECT_EQ(rowCount(db, "tbl_AccountMgr"), c.left.size());
    }
}

TEST_F(AccountsPage, TheDetailWindowListsTheAccountsBillsOnTheReportPage)
{
    mainDlg = std::make_unique<CDlgMainDlg>();
    CDlgTabAccountMgr *accounts = mainDlg->m_pTabAccountMgr;
    mainDlg->findChild<QDateEdit *>(QStringLiteral("1007"))->setDate(QDate(2024, 2, 10));
    AddFinanceBillRow(db.db(), PartyProvider, kPayoutBill, u("乙"), u("现金"), u("2024-02-01"), u("1"));
    AddFinanceBillRow(db.db(), PartyClient, kIncomeBill, u("甲"), u("现金"), u("2024-02-29"), u("2"));
    AddFinanceBillRow(db.db(), PartyClient, kIncomeBill, u("甲"), u("现金"), u("2024-07-01"), u("3"));
    AddFinanceBillRow(db.db(), PartyClient, kIncomeBill, u("甲"), u("现金"), u("2023-12-31"), u("4"));
    AddFinanceBillRow(db.db(), PartyClient, kIncomeBill, u("甲"), u("工行"), u("2024-02-02"), u("5"));
    AddAccountRow(db.db(), u("工行"));
    accounts->RefreshMonthTotals(GetCurDateString());

    const QTableView *list = mainDlg->m_pTabFinaReportBoth->ListView();
    const auto amounts = [list] {
        QStringList texts;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            texts << list->model()->index(row, 8).data().toString();
        return texts;
    };
    const struct
    {
        const char *button;
        QStringList amounts; // the client table's bills first
    } cases[] = {
        {"1211", {u("2"), u("-1")}}, {"1210", {u("2"), u("3"), u("-1")}}, {"1209", {u("2"), u("3"), u("4"), u("-1")}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.button);
        mainDlg->ActivateTab(CDlgMainDlg::GroupAccounts, 0);
        int result = -1;
        // 现金's window lists 现金's bills though the card shows 工行 by then.
        clickButton(accounts, "1199"); // 上一页 on the first page lists it again
        user.onNextModal([&](QDialog *detail) {
            db.exec("UPDATE tbl_AccountMgr SET RowNo = -RowNo");
            clickButton(accounts, "1199");
            clickButton(detail, c.button);
            result = detail->result();
            return result;
        });
        QTest::mouseClick(accounts->AccountButton(0), Qt::LeftButton, {}, QPoint(20, 20));
        db.exec("UPDATE tbl_AccountMgr SET RowNo = -RowNo");
        EXPECT_EQ(result, 1);
        EXPECT_EQ(mainDlg->TabGroup(CDlgMainDlg::GroupAccounts)->currentIndex(), 1);
        EXPECT_EQ(amounts(), c.amounts);
    }
}

TEST_F(AccountsPage, FinanceSumReportOverTheChosenPeriod)
{
    AddAccountRow(db.db(), u("工行"));
    AddFinanceBillRow(db.db(), PartyClient, kIncomeBill, u("甲"), u("工行"), u("2024-01-31"), u("50"));
    AddFinanceBillRow(db.db(), PartyProvider, kIncomeBill, u("乙"), u("工行"), u("2024-02-01"), u("100"));
    AddFinanceBillRow(db.db(), PartyClient, kPayoutBill, u("甲"), u("工行"), u("2024-02-29"), u("30"));
    open();
    CapturedReports reports;

    // The period dialog comes preset to the working month.
    QString presetStart;
    QString presetEnd;
    user.onNextModal([&](QDialog *dialog) {
        presetStart = DateText(dialog->findChild<QDateEdit *>(QStringLiteral("1007"))->date());
        presetEnd = DateText(dialog->findChild<QDateEdit *>(QStringLiteral("1292"))->date());
        clickButton(dialog, "1294");
        return dialog->result();
    });
    clickButton(page.get(), "1201");
    EXPECT_EQ(presetStart, u("2024-02-01"));
    EXPECT_EQ(presetEnd, u("2024-02-29"));
    ASSERT_EQ(reports.documents.size(), 1u);
    const QList<QStringList> printed = reports.documents[0]->records();
    EXPECT_EQ(printed,
              (QList<QStringList> {{u("现金"), u("0.00"), u("0.00"), u("0.00"), u("0.00"), u("0.00")},
                                   {u("工行"), u("50.00"), u("100.00"), u("30.00"), u("70.00"), u("120.00")},
                                   {u("总合计"), u("50.00"), u("100.00"), u("30.00"), u("70.00"), u("120.00")}}));
    EXPECT_EQ(reports.documents[0]->parameterText(u("TitleMonth")), u("日期范围：2024-02-01 到 2024-02-29"));
    const QString text = reports.lastPdfText();
    for (const char *expected : {"财务月结表", "日期范围：2024-02-01 到 2024-02-29", "累计结余", "时段利润", "当前结余",
                                 "工行", "总合计", "120.00"})
        EXPECT_TRUE(text.contains(u(expected))) << expected << "\n" << text.toStdString();

    // Cancelled: no report.
    user.onNextModal([](QDialog *dialog) {
        clickButton(dialog, "1295");
        return dialog->result();
    });
    clickButton(page.get(), "1201");
    EXPECT_EQ(reports.documents.size(), 1u);
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(AccountsPage, TheMonthBalanceReportIsPreparedButEmpty)
{
    open();
    ASSERT_TRUE(page->MonthBalanceReport()->IsTemplateLoaded())
        << page->MonthBalanceReport()->lastError().toStdString();
    const auto document = page->MonthBalanceReport()->Generate();
    ASSERT_TRUE(document);
    EXPECT_EQ(document->recordCount(), 0);
    EXPECT_TRUE(page->FinanceSumReport()->IsTemplateLoaded());
}
