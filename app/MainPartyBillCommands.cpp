#include "MainPartyBillCommands.h"

#include "CDlgMainDlg.h"
#include "CDlgTabData_Fina_Provider.h"
#include "CDlgTabData_Provider.h"
#include "FinanceBillForParty.h"
#include "FinanceBillPage.h"
#include "GoodsBillEditing.h"
#include "GoodsBillPage.h"
#include "SharedTypes.h"

namespace {

// The report pages' tabs in both party groups.
constexpr int kGoodsReportTab = 2;
constexpr int kFinanceReportTab = 4;

} // namespace

MainPartyBillCommands::MainPartyBillCommands(CDlgMainDlg &mainDlg)
    : m_mainDlg(mainDlg)
{
}

bool MainPartyBillCommands::Offers(Command command) const
{
    // A new goods bill needs the editor the main window installs.
    return command != Command::NewGoodsBill || GoodsBillEditorLauncher::current();
}

int MainPartyBillCommands::NewGoodsBill(int side, int mode, const QString &partyName)
{
    GoodsBillEditorLauncher *launcher = GoodsBillEditorLauncher::current();
    if (!launcher)
        return 0;
    GoodsBillEditRequest request;
    request.mode = mode;
    struct_button_goodsbill line;
    line.CompanyName = partyName;
    request.lines.push_back(line);
    if (side == PartyProvider)
        request.purchasePage = m_mainDlg.m_pTabProviderGoods;
    else
        request.salesPage = m_mainDlg.m_pTabGoods;
    return launcher->Run(&m_mainDlg, request);
}

int MainPartyBillCommands::NewFinanceBill(int side, int mode, const QString &partyName)
{
    FinanceBillPage *page = side == PartyProvider ? static_cast<FinanceBillPage *>(m_mainDlg.m_pTabFinaProvider)
                                                  : static_cast<FinanceBillPage *>(m_mainDlg.m_pTabFina);
    return RunFinanceBillForParty(&m_mainDlg, page, side, mode, partyName);
}

void MainPartyBillCommands::ShowGoodsBills(int side, const QString &partyName, const QString &firstDay,
                                           const QString &lastDay)
{
    ShowReportTab(side, kGoodsReportTab);
    CDlgTabData_Provider *page =
        side == PartyProvider ? m_mainDlg.m_pTabGoodsReportProvider : m_mainDlg.m_pTabGoodsReportClient;
    page->ShowPartyBills(partyName, firstDay, lastDay);
}

void MainPartyBillCommands::ShowFinanceBills(int side, const QString &partyName, const QString &firstDay,
                                             const QString &lastDay)
{
    ShowReportTab(side, kFinanceReportTab);
    CDlgTabData_Fina_Provider *page =
        side == PartyProvider ? m_mainDlg.m_pTabFinaReportProvider : m_mainDlg.m_pTabFinaReportClient;
    page->ShowPartyBills(partyName, firstDay, lastDay);
}

void MainPartyBillCommands::ShowReportTab(int side, int tab)
{
    // Report pages never recompute on a tab change; they are filled by the
    // caller right after.
    const int group = side == PartyProvider ? CDlgMainDlg::GroupProvider : CDlgMainDlg::GroupClient;
    m_mainDlg.ShowTabGroup(group);
    m_mainDlg.ActivateTab(group, tab);
    m_mainDlg.SetCurrentPage(tab);
}

void MainPartyBillCommands::ActivatePage(int side, int page)
{
    const int group = side == PartyProvider ? CDlgMainDlg::GroupProvider : CDlgMainDlg::GroupClient;
    m_mainDlg.ShowTabGroup(group);
    m_mainDlg.ActivateTab(group, page);
    m_mainDlg.SetCurrentPage(page);
    m_mainDlg.RefreshPages(QString());
}
