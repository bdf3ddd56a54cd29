#pragma once

#include <QDialog>

#include "RecordTypes.h"

class QLabel;
class CBCGPAccountMgrButton;
class CDlgTabAccountMgr;

// The account detail window "帐户信息", opened by a click on an account's
// card: the account's name and balance as the card showed them, its finance
// bills of the working month, year or all time listed on the accounts
// group's report page, and renaming or deleting the account through the
// accounts page. It keeps its own copy of the account and acts on that
// account's GUID whatever the card holds later: the page refills its cards
// while the window is open (after a rename that found the account gone, for
// one). Ends with 1 after a list or a rename, 0 after a delete (or the
// account found gone by it) or 取消操作.
class CDlgAccountDetail : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgAccountDetail(QWidget *parent = nullptr);

    // The account of the clicked card; copied.
    int SetAccountRecord(const struct_button_account &account);
    void SetAccountButton(CBCGPAccountMgrButton *button);
    int SetOwnerPage(CDlgTabAccountMgr *page);

    void OnBnClickedMonthRecords();
    void OnBnClickedYearRecords();
    void OnBnClickedAllRecords();
    void OnBnClickedEditAccount();
    void OnBnClickedDeleteAccount();

    void reject() override { done(0); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    enum class Period { Month, Year, All };
    void ShowBills(Period period);

    struct_button_account m_account;
    CBCGPAccountMgrButton *m_pAccountButton = nullptr;
    CDlgTabAccountMgr *m_pOwnerPage = nullptr;
    QLabel *m_name = nullptr;
    QLabel *m_balance = nullptr;
};
