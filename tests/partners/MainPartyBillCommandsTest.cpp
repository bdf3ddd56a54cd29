// The main window's bill commands: the editors run for a party, the party's
// bills listed on the report tabs, and a page made active as a click on its
// tab would.

#include "MainPartyBillCommands.h"

#include <QTabWidget>

#include "CDlgMainDlg.h"
#include "CDlgTabData_Fina_Provider.h"
#include "CDlgTabData_Provider.h"
#include "FinanceBillListModel.h"
#include "GoodsBillEditing.h"
#include "GoodsBillListModel.h"
#include "FinanceBillPage.h"
#include "GoodsBillPage.h"
#include "PartnersTestSupport.h"
#include "PartyPage.h"

namespace {

// The goods bill editor as a test plays it: every request is kept.
class RecordingLauncher : public GoodsBillEditorLauncher
{
public:
    RecordingLauncher() { install(this); }
    ~RecordingLauncher() override { install(nullptr); }
    int Run(QWidget *, const GoodsBillEditRequest &request) override
    {
        requests.push_back(request);
        return 1;
    }
    std::vector<GoodsBillEditRequest> requests;
};

} // namespace

TEST(MainPartyBillCommandsTest, ANewGoodsBillRunsTheEditorOnALineMadeOutToTheParty)
{
    TestDatabase db;
    ScriptedInteraction user;
    RecordingLauncher launcher;
    CDlgMainDlg mainDlg;
    MainPartyBillCommands commands(mainDlg);
    using Command = PartyBillCommands::Command;
    for (const Command command : {Command::ActivatePage, Command::NewGoodsBill, Command::NewFinanceBill,
             Command::ShowGoodsBills, Command::ShowFinanceBills})
        EXPECT_TRUE(commands.Offers(command));

    EXPECT_EQ(commands.NewGoodsBill(PartyClient, 6, QStringLiteral("甲")), 1);
    EXPECT_EQ(commands.NewGoodsBill(PartyProvider, 16, QStringLiteral("乙")), 1);
    ASSERT_EQ(launcher.requests.size(), 2u);
    const GoodsBillEditRequest &sales = launcher.requests[0];
    EXPECT_EQ(sales.mode, 6);
    ASSERT_EQ(sales.lines.size(), 1u);
    EXPECT_EQ(sales.lines[0].CompanyName, QStringLiteral("甲"));
    EXPECT_EQ(sales.salesPage, mainDlg.m_pTabGoods);
    EXPECT_EQ(sales.purchasePage, nullptr);
    const GoodsBillEditRequest &purchase = launcher.requests[1];
    EXPECT_EQ(purchase.mode, 16);
    EXPECT_EQ(purchase.lines.at(0).CompanyName, QStringLiteral("乙"));
    EXPECT_EQ(purchase.purchasePage, mainDlg.m_pTabProviderGoods);
    EXPECT_EQ(purchase.salesPage, nullptr);
}

TEST(MainPartyBillCommandsTest, ANewFinanceBillIsWrittenOnThePartysSide)
{
    TestDatabase db;
    ScriptedInteraction user;
    AddProviderRow(db.db(), QStringLiteral("乙"));
    CDlgMainDlg mainDlg;
    MainPartyBillCommands commands(mainDlg);

    QString editor;
    user.onNextModal([&](QDialog *dialog) {
        editor = QString::fromLatin1(dialog->metaObject()->className());
        typeText(dialog->findChild<QLineEdit *>(QStringLiteral("1138")), QStringLiteral("40"));
        clickButton(dialog, "1141");
        return dialog->result();
    });
    EXPECT_EQ(commands.NewFinanceBill(PartyProvider, 25, QStringLiteral("乙")), 1);
    EXPECT_EQ(editor, QStringLiteral("CDlgNewIncomeBill"));
    EXPECT_EQ(db.scalar("SELECT ClientName || ' ' || MoneyCount || ' ' || BillType FROM tbl_FinanceBill_income_provider"),
        QStringLiteral("乙 40 支出单"));
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM tbl_FinanceBill_income"), QStringLiteral("0"));
}

TEST(MainPartyBillCommandsTest, ThePartysBillsAreListedOnTheSidesReportTab)
{
    TestDatabase db;
    ScriptedInteraction user;
    const std::vector<FixtureLine> line{{"A1", "螺丝", "M3", "2", "5"}};
    AddGoodsBillRows(db.db(), PartyClient, QStringLiteral("出货单"), QStringLiteral("甲"), QStringLiteral("2011-07-01"), line);
    AddGoodsBillRows(db.db(), PartyClient, QStringLiteral("退货单"), QStringLiteral("甲"), QStringLiteral("2011-06-30"), line);
    AddGoodsBillRows(db.db(), PartyClient, QStringLiteral("出货单"), QStringLiteral("丙"), QStringLiteral("2011-07-02"), line);
    AddFinanceBillRow(db.db(), PartyProvider, QStringLiteral("支出单"), QStringLiteral("乙"), QStringLiteral("现金"),
        QStringLiteral("2011-07-31"), QStringLiteral("30"));
    AddFinanceBillRow(db.db(), PartyProvider, QStringLiteral("支出单"), QStringLiteral("乙"), QStringLiteral("现金"),
        QStringLiteral("2011-08-01"), QStringLiteral("31"));
    CDlgMainDlg mainDlg;
    MainPartyBillCommands commands(mainDlg);

    commands.ShowGoodsBills(PartyClient, QStringLiteral("甲"), QString(), QString());
    EXPECT_EQ(mainDlg.VisibleGroup(), CDlgMainDlg::GroupClient);
    EXPECT_EQ(mainDlg.TabGroup(CDlgMainDlg::GroupClient)->currentIndex(), 2);
    EXPECT_EQ(mainDlg.m_pTabGoodsReportClient->List().rowCount(), 2);
    commands.ShowGoodsBills(PartyClient, QStringLiteral("甲"), QStringLiteral("2011-07-01"), QStringLiteral("2011-07-31"));
    EXPECT_EQ(mainDlg.m_pTabGoodsReportClient->List().rowCount(), 1);

    commands.ShowFinanceBills(PartyProvider, QStringLiteral("乙"), QStringLiteral("2011-07-01"), QStringLiteral("2011-07-31"));
    EXPECT_EQ(mainDlg.VisibleGroup(), CDlgMainDlg::GroupProvider);
    EXPECT_EQ(mainDlg.TabGroup(CDlgMainDlg::GroupProvider)->currentIndex(), 4);
    EXPECT_EQ(mainDlg.m_pTabFinaReportProvider->ListModel().rowCount(), 1);
    EXPECT_TRUE(user.messages.empty());
}

TEST(MainPartyBillCommandsTest, ActivatingAPageShowsItAndHasItRecompute)
{
    TestDatabase db;
    ScriptedInteraction user;
    CDlgMainDlg mainDlg;
    mainDlg.show();
    auto *picker = mainDlg.findChild<QDateEdit *>(QStringLiteral("1007"));
    picker->setDate(QDate(2011, 7, 9));
    MainPartyBillCommands commands(mainDlg);

    commands.ActivatePage(PartyClient, 1);
    EXPECT_EQ(mainDlg.VisibleGroup(), CDlgMainDlg::GroupClient);
    EXPECT_EQ(mainDlg.CurrentPage(), 1);
    EXPECT_EQ(mainDlg.TabGroup(CDlgMainDlg::GroupClient)->currentIndex(), 1);
    EXPECT_EQ(mainDlg.m_pTabGoods->ComputedDate(), QStringLiteral("2011-07-09"));

    commands.ActivatePage(PartyProvider, 3);
    EXPECT_EQ(mainDlg.VisibleGroup(), CDlgMainDlg::GroupProvider);
    EXPECT_TRUE(mainDlg.TabGroup(CDlgMainDlg::GroupProvider)->isVisible());
    EXPECT_FALSE(mainDlg.TabGroup(CDlgMainDlg::GroupClient)->isVisible());
    EXPECT_EQ(mainDlg.TabGroup(CDlgMainDlg::GroupProvider)->currentIndex(), 3);
    EXPECT_EQ(mainDlg.m_pTabFinaProvider->ComputedDate(), QStringLiteral("2011-07-09"));

    // A page already active is refreshed all the same.
    commands.ActivatePage(PartyProvider, 0);
    picker->setDate(QDate(2011, 8, 1));
    mainDlg.m_pTabProviderMgr->RecomputeMonth(QString());
    commands.ActivatePage(PartyProvider, 0);
    EXPECT_EQ(mainDlg.m_pTabProviderMgr->ComputedDate(), QStringLiteral("2011-08-01"));
}
