#pragma once

#include <QDialog>
#include <QString>

#include "SharedTypes.h"

class QLabel;
class QTableWidget;
struct PriceListRow;

// One party's price list: the prices agreed with a client or a provider
// for single products. The same window serves both sides, given the side.
// Prices are added through the all-products list, which calls back
// AddToClientPriceList or AddToProviderPriceList; a price is changed by
// adding its product again. Ends with 0 through 关闭.
class CDlgPriceListDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgPriceListDlg(QWidget *parent = nullptr);

    int SetSide(int side);
    int SetClientName(const QString &name);
    int SetOwnerName(const QString &name);
    int Side() const { return m_nSide; }

    // Enters the price for the product with that GUID in the client's
    // (resp. the provider's) list: a new row, or the price of the rows
    // that share the product's name and variant. 1 when written; 0
    // when the product is gone or the write failed, after saying so, with
    // the list unchanged.
    int AddToClientPriceList(const QString &productGuid, const QString &price);
    int AddToProviderPriceList(const QString &productGuid, const QString &price);

    void reject() override { done(0); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    int AddToPriceList(PartySide side, const QString &owner, const QString &productGuid, const QString &price);
    void LoadPriceList();
    int AddPriceRow(const PriceListRow &row);
    int UpdatePriceRow(const PriceListRow &row);
    void OnAddPrice();
    void OnDblclkPriceList(int row);

    QString m_strClientName;
    QString m_strProviderName;
    int m_nSide = PartyClient;
    bool m_bLoaded = false;
    QLabel *m_nameLabel = nullptr;
    QTableWidget *m_list = nullptr;
};
