#pragma once

#include <QDialog>
#include <QString>

#include <memory>

#include "RecordButtons.h"
#include "RecordCardPool.h"
#include "SharedTypes.h"

class QLabel;

// The specification picker of the bill grid: the products that carry one
// name, as pages of 15 entries, each with the price the bill's party has
// agreed for it. Pressing an entry ends the picker with 1 and GetSelSpec
// gives the product; closing the window ends it with 0 and no choice.
class CDlgSelProductSpecDlg : public QDialog, public ProductPickerOwner
{
    Q_OBJECT

public:
    static constexpr int kRows = 3;
    static constexpr int kColumns = 5;
    static constexpr int kEntries = kRows * kColumns;

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

    CBCGPSelProductSpecButton *Entry(int index) const { return m_entries->card(index); }
    int CurrentPage() const { return m_nCurPage; }
    int LastPage() const { return m_nLastPage; }

    void PickCardRecord(const struct_button_storeproduct &product) override;
    void reject() override { done(0); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool ListPage(int page);
    void OnPrevPage();
    void OnNextPage();

    QString m_strProductName;
    QString m_strPartyName;
    int m_nPriceSource = PartyClient;
    int m_nCurPage = 0;
    int m_nLastPage = 0;
    int m_nRowCount = 0;
    bool m_bLoaded = false;
    struct_button_storeproduct m_selSpec;
    std::unique_ptr<RecordCardPool<CBCGPSelProductSpecButton>> m_entries;
    QLabel *m_caption = nullptr;
};
