#pragma once

#include <QDialog>

class QLineEdit;
class ImageButton;

// Asks for one password and compares it with the stored one of its kind.
// Ends with 1 on a match, 0 on a mismatch and 2 when cancelled; what a
// match unlocks is the caller's business.
class CDlgValidatePassword : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgValidatePassword(QWidget *parent = nullptr);

    void SetPasswordKind(int kind) { m_nPasswordKind = kind; }
    int PasswordKind() const { return m_nPasswordKind; }

    void reject() override;

private:
    void OnOk();

    int m_nPasswordKind = 0;
    QLineEdit *m_edit = nullptr;
    ImageButton *m_ok = nullptr;
    ImageButton *m_cancel = nullptr;
};
