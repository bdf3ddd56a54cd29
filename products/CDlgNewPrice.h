#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

// Asks for the price agreed with a party for one product. Ends with 1
// after 确定 with a non-empty price (kept exactly as typed) and 0 after
// 取消.
class CDlgNewPrice : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgNewPrice(QWidget *parent = nullptr);

    QString GetPrice() const { return m_strPrice; }

    void reject() override { done(0); }

private:
    void OnOk();

    QLineEdit *m_edit = nullptr;
    QString m_strPrice;
};
