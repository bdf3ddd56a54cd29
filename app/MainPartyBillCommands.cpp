#include "MainPartyBillCommands.h"

#include "CDlgMainDlg.h"
#include "CDlgTabData_Fina_Provider.h"
#include "CDlgTabData_Provider.h"
#include "FinanceBillForParty.h"
#include "FinanceBillPage.h"
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
    switch (command) {
    case Command::ActivatePage:
    case Command::NewFinanceBill:
    case Command::ShowGoodsBills:
    case Command::ShowFinanceBills:
        return true;
    default:
        return false;
    }
}

int MainPartyBillCommands::NewGoodsBill(int, int, const QString &)
{
    return 0;
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
