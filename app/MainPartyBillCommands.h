#pragma once

#include "PartyBillCommands.h"

class CDlgMainDlg;

// The main window's side of the detail window's bill commands. For now it
// makes a page of a side's group active; the bill editors and the bill
// report pages come with their own subsystems, and until they are wired
// here their commands are not offered (the detail window disables their
// buttons).
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
    CDlgMainDlg &m_mainDlg;
};
