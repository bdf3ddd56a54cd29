#pragma once

#include <QDialog>
#include <QString>

#include "RecordTypes.h"

class QLabel;
class QLineEdit;
class CBCGPAccountMgrButton;
class CDlgTabAccountMgr;

// The account record dialog "新增帐户": asks for an account's name, for a
// new account (mode 0) or to rename one (mode 1), and hands the record to
// the accounts page, which writes it. Ends with 1 once the page has
// written it and 0 after 取消; when the page refuses the record (a name
// another account has) or cannot write it, the dialog stays open with the
// typed name.
class CDlgNewAccount : public QDialog
{
    Q_OBJECT

public:
    enum AccountDialogMode : int { NewAccount = 0, EditAccount = 1 };

    explicit CDlgNewAccount(QWidget *parent = nullptr);

    int SetEditMode(int mode);
    int SetOwnerPage(CDlgTabAccountMgr *page);
    // Kept for the opener: the page updates the account's card after the
    // write.
    void SetAccountButton(CBCGPAccountMgrButton *button);
    // The account to rename (mode 1); copied.
    int SetAccount(const struct_button_account &account);

    // "请填写 ‘帐户名称’。" and false for an empty name.
    bool ValidateInput();

    void reject() override { done(0); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void OnBnClickedOk();

    bool m_bShown = false;
    int m_nMode = NewAccount;
    CDlgTabAccountMgr *m_pOwnerPage = nullptr;
    CBCGPAccountMgrButton *m_pAccountButton = nullptr;
    struct_button_account m_account;
    QLineEdit *m_nameEdit = nullptr;
    QLabel *m_prompt = nullptr;
};
