#pragma once

#include <QString>

#include "ProductPickerDialog.h"
#include "SharedTypes.h"

class QLabel;

// The bill grid's picker of variants: the products that carry one
// name, as pages of 15 entries, each with the price the bill's party has
// agreed for it. Pressing an entry ends the picker with 1 and GetSelSpec
// gives the product; closing the window ends it with 0 and no choice.
class CDlgSelProductSpecDlg : public ProductPickerDialog<CBCGPSelProductSpecButton>
{
    Q_OBJECT

public:
    explicit CDlgSelProductSpecDlg(QWidget *parent = nullptr);
    ~CDlgSelProductSpecDlg() override;

    // Whose price list gives the prices: the client's (sales bills) or the
    // provider's (purchase bills).
    int SetPriceSource(int side);
    // The bill's party: the company of the bill editor's first line when
    // the editor holds lines, else empty. Without a party every entry
    // keeps the product's own prices.
    int SetPartyName(const QString &name);
    int SetProductName(const QString &name);
    // The chosen product, with the party's price as both of its prices
    // where there is one.
    int GetSelSpec(struct_button_storeproduct &product) const;

private:
    int CountEntries() override;
    QList<struct_button_storeproduct> ReadEntries(int first, int count) override;
    void LoadEntries() override;

    QString m_strProductName;
    QString m_strPartyName;
    int m_nPriceSource = PartyClient;
    QLabel *m_caption = nullptr;
};
