#pragma once

#include <QDialog>

class FinanceBillPage;
class ImageButton;

// "选择财务单据类型": asks whether a new finance bill is an income or a
// payout bill, then runs the editor in the matching new-bill mode on the
// page's side (0/1 on the client side, 10/11 on the provider side). Writes
// nothing itself; always ends with 0, as soon as the editor has ended.
class CDlgSelFinanceBillDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgSelFinanceBillDlg(QWidget *parent = nullptr);

    // The client finance page (side 0).
    void SetOwnerPage(FinanceBillPage *page);
    // The provider finance page (side 1).
    int SetProviderPageOrOwner(FinanceBillPage *page);
    // 0 client, 1 provider; any other side makes both buttons do nothing.
    int SetSide(int side);

    void reject() override { done(0); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void OnIncomeBill();
    void OnPayoutBill();
    void RunEditor(int clientMode, int providerMode);

    FinanceBillPage *m_pOwnerPage = nullptr;
    FinanceBillPage *m_pProviderPage = nullptr;
    int m_nSide = 0;
    ImageButton *m_income = nullptr;
    ImageButton *m_payout = nullptr;
};
