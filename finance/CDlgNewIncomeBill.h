#pragma once

#include <QDialog>
#include <QString>

#include "FinanceBillMode.h"
#include "RecordButtons.h"
#include "RecordTypes.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class BillRowUpdates;
class FinanceBillPage;
class ImageButton;

// The finance bill editor: writes, changes or deletes one income or payout
// bill of either side, in one of the modes of FinanceBillModeFor (set by the
// opener before the modal run, with the setters below). It checks the
// fields and hands the bill to the finance page of the mode's side, which
// writes it with the figures it feeds in one transaction; only after that
// commit does it refresh the opening card or report row and say so.
//
// Ends with 1 after a save, 0 after a delete, 取消, or a change of a bill
// that is gone. Reads nothing but its choice lists from the database.
class CDlgNewIncomeBill : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgNewIncomeBill(QWidget *parent = nullptr);

    // False (and the mode unchanged) for a number that is no mode.
    int SetMode(int mode);
    int Mode() const { return m_nMode; }
    // The finance pages of the two sides; the one of the mode's side
    // writes.
    int SetFinaTab(FinanceBillPage *page);
    int SetProviderFinaTab(FinanceBillPage *page);
    // The bill to show: a bill to change, or for a new bill a blank record
    // in which the opener may have set ClientName (and BillRemark, the
    // goods bill's code, for a deposit). The purchase side's record is
    // kept as handed in and shown in the sales layout.
    int SetBill(const struct_button_financebill &bill);
    int SetProviderBill(const struct_button_financebill_provider &bill);
    // The card that opened the editor (modes 2/3, 12/13), or none.
    void SetBillButton(CBCGPFinanceBillButton *button);
    void SetProviderBillButton(CBCGPFinanceBillButton_Provider *button);
    // The report page whose list row follows the bill (modes 8/9, 14/15).
    int SetReportPage(BillRowUpdates *page);
    int SetProviderReportPage(BillRowUpdates *page);

    // The GUID and MoneyCount of the bill the last 确定 saved; both empty
    // when nothing was saved.
    int GetDepositInfo(QString &guid, QString &amount) const;

    // The proposed code of a new bill: the mode's prefix and the working
    // date's digits (yyyymmdd). The date picker does not change it.
    QString MakeBillCode() const;
    // Every field but the seller and the remark is filled in.
    static bool ValidateInput(const struct_button_financebill &bill);

    void reject() override { done(0); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void InitDialog();
    void FillLists();
    void ShowBill();
    struct_button_financebill RecordFromControls() const;
    FinanceBillPage *SidePage() const;
    void OnOk();
    void OnDelete();
    // Each answers whether the dialog may end; the result code is theirs.
    bool SaveNew(const struct_button_financebill &bill);
    bool SaveChanged(const struct_button_financebill &bill);
    bool DeleteBill();
    void RemoveReportRow();

    int m_nMode = 0;
    const FinanceBillModeInfo *m_info = nullptr;
    bool m_initialised = false;
    FinanceBillPage *m_pFinaTab = nullptr;
    FinanceBillPage *m_pProviderFinaTab = nullptr;
    BillRowUpdates *m_pReportPage = nullptr;
    BillRowUpdates *m_pProviderReportPage = nullptr;
    struct_button_financebill m_bill;
    struct_button_financebill_provider m_providerBill;
    CBCGPFinanceBillButton *m_pBillButton = nullptr;
    CBCGPFinanceBillButton_Provider *m_pProviderBillButton = nullptr;
    QString m_strDepositGuid;
    QString m_strDepositAmount;

    QLabel *m_picture = nullptr;
    QLineEdit *m_code = nullptr;
    QComboBox *m_account = nullptr;
    QDateEdit *m_date = nullptr;
    QLabel *m_nameLabel = nullptr;
    QComboBox *m_name = nullptr;
    QLineEdit *m_amount = nullptr;
    QComboBox *m_kind = nullptr;
    QComboBox *m_moneyType = nullptr;
    QComboBox *m_voucher = nullptr;
    QLineEdit *m_seller = nullptr;
    QLineEdit *m_remark = nullptr;
    ImageButton *m_ok = nullptr;
    ImageButton *m_delete = nullptr;
    ImageButton *m_cancel = nullptr;
};
