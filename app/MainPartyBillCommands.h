#pragma once

#include "PartyBillCommands.h"

class CDlgMainDlg;

// The main window's side of the detail window's bill commands: the bill
// editors for a new bill made out to the party, the bill report pages for
// the party's bills, and a page of the side's group made active.
class MainPartyBillCommands : public PartyBillCommands
{
public:
    explicit MainPartyBillCommands(CDlgMainDlg &mainDlg);

    bool Offers(Command command) const override;

    int NewGoodsBill(int side, int mode, const QString &partyName) override;
    int NewFinanceBill(int side, int mode, const QString &partyName) override;
    void ShowGoodsBills(int side, const QString &partyName, const QString &firstDay, const QString &lastDay) override;
    void ShowFinanceBills(int side, const QString &partyName, const QString &firstDay, const QString &lastDay) override;

    // Shows the side's group (client 0, provider 1) on that page and has
    // the page recompute, as a click on its tab does.
    void ActivatePage(int side, int page) override;

private:
    void ShowReportTab(int side, int tab);

    CDlgMainDlg &m_mainDlg;
};
