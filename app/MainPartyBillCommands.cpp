#include "MainPartyBillCommands.h"

#include "CDlgMainDlg.h"
#include "SharedTypes.h"

MainPartyBillCommands::MainPartyBillCommands(CDlgMainDlg &mainDlg)
    : m_mainDlg(mainDlg)
{
}

bool MainPartyBillCommands::Offers(Command command) const
{
    return command == Command::ActivatePage;
}

int MainPartyBillCommands::NewGoodsBill(int, int, const QString &)
{
    return 0;
}

int MainPartyBillCommands::NewFinanceBill(int, int, const QString &)
{
    return 0;
}

void MainPartyBillCommands::ShowGoodsBills(int, const QString &, const QString &, const QString &) { }

void MainPartyBillCommands::ShowFinanceBills(int, const QString &, const QString &, const QString &) { }

void MainPartyBillCommands::ActivatePage(int side, int page)
{
    const int group = side == PartyProvider ? CDlgMainDlg::GroupProvider : CDlgMainDlg::GroupClient;
    m_mainDlg.ShowTabGroup(group);
    m_mainDlg.ActivateTab(group, page);
    m_mainDlg.SetCurrentPage(page);
    m_mainDlg.RefreshPages(QString());
}
