// The main window's bill commands: the editors run for a party, the party's bills listed on the report tabs,
// and a page made active as a click on its tab would.

#include "MainPartyBillCommands.h"

#include <QTabWidget>

#include "CDlgMainDlg.h"
#include "CDlgTabData_Fina_Provider.h"
#include "CDlgTabData_Provider.h"
#include "FinanceBillListModel.h"
#include "FinanceBillPage.h"
#include "GoodsBillEditing.h"
#include "GoodsBillListModel.h"
#include "GoodsBillPage.h"
#include "PartnersTestSupport.h"

namespace {

// The goods bill editor as a test plays it: every request is kept.
class RecordingLauncher : public GoodsBillEditorLauncher
{
public:
    RecordingLauncher() { install(this); }
    ~RecordingLauncher() override { install(nullptr); }
    int Run(QWidget*, const GoodsBillEditRequest& request) override
    {
        requests.push_back(request);
        return 1;
    }
    std::vector<GoodsBillEditRequest> requests;
};

} // namespace

TEST(MainPartyBillCommandsTest, TheEditorsRunOnALineOrRecordMadeOutToTheParty)
{
    TestDatabase db;
    ScriptedInteraction user;
    RecordingLauncher launcher;
    AddProviderRow(db.db(), "乙");
    CDlgMainDlg mainDlg;
    MainPartyBillCommands commands(mainDlg);
    using Command = PartyBillCommands::Command;
    for (const Command command : {Command::ActivatePage, Command::NewGoodsBill, Command::NewFinanceBill,
             Command::ShowGoodsBills, Command::ShowFinanceBills})
        EXPECT_TRUE(commands.Offers(command));
    EXPECT_EQ(commands.NewGoodsBill(PartyClient, 6, "甲"), 1);
    EXPECT_EQ(commands.NewGoodsBill(PartyProvider, 16, "乙"), 1);
    ASSERT_EQ(launcher.requests.size(), 2u);
    const GoodsBillEditRequest &sales = launcher.requests[0], &purchase = launcher.requests[1];
    ASSERT_EQ(sales.lines.size(), 1u);
    ASSERT_EQ(purchase.lines.size(), 1u);
    EXPECT_EQ(QString::number(sales.mode) + sales.lines[0].CompanyName, "6甲");
    EXPECT_EQ(QString::number(purchase.mode) + purchase.lines[0].CompanyName, "16乙");
    EXPECT_EQ(sales.salesPage, mainDlg.m_pTabGoods);
    EXPECT_EQ(sales.purchasePage, nullptr);
    EXPECT_EQ(purchase.purchasePage, mainDlg.m_pTabProviderGoods);
    EXPECT_EQ(purchase.salesPage, nullptr);
    // A finance bill is written on the party's side.
    user.onNextModal([&](QDialog* dialog) {
        EXPECT_STREQ(dialog->metaObject()->className(), "CDlgNewIncomeBill");
        typeText(dialog->findChild<QLineEdit*>("1138"), "40");
        clickButton(dialog, "1141");
        return dialog->result();
    });
    EXPECT_EQ(commands.NewFinanceBill(PartyProvider, 25, "乙"), 1);
    EXPECT_EQ(
        db.scalar("SELECT ClientName || ' ' || MoneyCount || ' ' || BillType FROM tbl_FinanceBill_income_provider"),
        "乙 40 支出单");
    EXPECT_EQ(rowCount(db, "tbl_FinanceBill_income"), 0);
}

TEST(MainPartyBillCommandsTest, ThePartysBillsAreListedAndPagesMadeActiveAsATabClickWould)
{
    TestDatabase db;
    ScriptedInteraction user;
    for (const auto& [kind, company, date] :
        {std::tuple {"出货单", "甲", "2011-07-01"}, {"退货单", "甲", "2011-06-30"}, {"出货单", "丙", "2011-07-02"}})
        AddGoodsBillRows(db.db(), PartyClient, kind, company, date, {{"A1", "螺丝", "M3", "2", "5"}});
    for (const char* date : {"2011-07-31", "2011-08-01"})
        AddFinanceBillRow(db.db(), PartyProvider, "支出单", "乙", "现金", date, "30");
    CDlgMainDlg mainDlg;
    mainDlg.show();
    auto* picker = mainDlg.findChild<QDateEdit*>("1007");
    picker->setDate(QDate(2011, 7, 9));
    MainPartyBillCommands commands(mainDlg);
    commands.ShowGoodsBills(PartyClient, "甲", "", "");
    EXPECT_EQ(mainDlg.VisibleGroup(), CDlgMainDlg::GroupClient);
    EXPECT_EQ(mainDlg.TabGroup(CDlgMainDlg::GroupClient)->currentIndex(), 2);
    EXPECT_EQ(mainDlg.m_pTabGoodsReportClient->List().rowCount(), 2);
    commands.ShowGoodsBills(PartyClient, "甲", "2011-07-01", "2011-07-31");
    EXPECT_EQ(mainDlg.m_pTabGoodsReportClient->List().rowCount(), 1);
    commands.ShowFinanceBills(PartyProvider, "乙", "2011-07-01", "2011-07-31");
    EXPECT_EQ(mainDlg.VisibleGroup(), CDlgMainDlg::GroupProvider);
    EXPECT_EQ(mainDlg.TabGroup(CDlgMainDlg::GroupProvider)->currentIndex(), 4);
    EXPECT_EQ(mainDlg.m_pTabFinaReportProvider->ListModel().rowCount(), 1);
    EXPECT_TRUE(user.messages.empty());
    commands.ActivatePage(PartyClient, 1);
    EXPECT_EQ(mainDlg.VisibleGroup(), CDlgMainDlg::GroupClient);
    EXPECT_EQ(mainDlg.CurrentPage(), 1);
    EXPECT_EQ(mainDlg.TabGroup(CDlgMainDlg::GroupClient)->currentIndex(), 1);
    EXPECT_EQ(mainDlg.m_pTabGoods->ComputedDate(), "2011-07-09");
    commands.ActivatePage(PartyProvider, 3);
    EXPECT_EQ(mainDlg.VisibleGroup(), CDlgMainDlg::GroupProvider);
    EXPECT_TRUE(mainDlg.TabGroup(CDlgMainDlg::GroupProvider)->isVisible());
    EXPECT_FALSE(mainDlg.TabGroup(CDlgMainDlg::GroupClient)->isVisible());
    EXPECT_EQ(mainDlg.TabGroup(CDlgMainDlg::GroupProvider)->currentIndex(), 3);
    EXPECT_EQ(mainDlg.m_pTabFinaProvider->ComputedDate(), "2011-07-09");
    // A page already active is refreshed all the same.
    commands.ActivatePage(PartyProvider, 0);
    picker->setDate(QDate(2011, 8, 1));
    mainDlg.m_pTabProviderMgr->RecomputeMonth("");
    commands.ActivatePage(PartyProvider, 0);
    EXPECT_EQ(mainDlg.m_pTabProviderMgr->ComputedDate(), "2011-08-01");
}
