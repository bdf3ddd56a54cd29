#pragma once

#include <QDialog>
#include <QString>

#include "SharedTypes.h"

class QTableWidget;
class CDlgPriceListDlg;

// Every product with its reference price for one side, from which the
// price list picks the product to enter a price for. 新增 or a double-click
// asks for the price and hands the product's GUID and the price to the
// price list. Ends with 1 after a price was entered, 0 after 关闭.
class CDlgAllProductDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgAllProductDlg(QWidget *parent = nullptr);

    int SetSide(int side);
    int SetOwner(CDlgPriceListDlg *owner);
    // Kept for the opener; the list does not use it.
    int SetClientName(const QString &name);

    void reject() override { done(0); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void LoadProducts();
    void OnAdd();
    void OnDoubleClick(int row);
    // Asks for the price of the product in that row and hands it over;
    // true when the price list took it.
    bool EnterPriceFor(int row);

    CDlgPriceListDlg *m_pOwner = nullptr;
    int m_nSide = PartyClient;
    QString m_strClientName;
    bool m_bLoaded = false;
    QTableWidget *m_list = nullptr;
};
