// The main window's bill commands: which are wired, and a page made active
// as a click on its tab would.

#include "MainPartyBillCommands.h"

#include <QTabWidget>

#include "CDlgMainDlg.h"
#include "FinanceBillPage.h"
#include "GoodsBillPage.h"
#include "PartnersTestSupport.h"
#include "PartyPage.h"

TEST(MainPartyBillCommandsTest, TheFinanceCommandsAreWired)
{
    TestDatabase db;
    ScriptedInteraction user;
    CDlgMainDlg mainDlg;
    MainPartyBillCommands commands(mainDlg);
    using Command = PartyBillCommands::Command;
    for (const Command command : {Command::ActivatePage, Command::NewFinanceBill, Command::ShowFinanceBills})
        EXPECT_TRUE(commands.Offers(command));
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
