#pragma once

#include <QDialog>
#include <QString>

#include <memory>

#include "ProductSearchCriteria.h"
#include "RecordButtons.h"
#include "RecordCardPool.h"

class QComboBox;

// The product picker of the bill grid: the distinct product names as pages
// of 15 entries (3 rows of 5), filtered by code and name. Pressing an
// entry ends the picker with 1 and GetSelProductName gives its name;
// closing the window ends it with 0 and no choice.
class CDlgSelProductDlg : public QDialog, public ProductPickerOwner
{
    Q_OBJECT

public:
    static constexpr int kRows = 3;
    static constexpr int kColumns = 5;
    static constexpr int kEntries = kRows * kColumns;

    explicit CDlgSelProductDlg(QWidget *parent = nullptr);
    ~CDlgSelProductDlg() override;

    QString GetSelProductName() const { return m_strSelName; }

    // The entry cards, for the person's clicks (and tests).
    CBCGPSelProductButton *Entry(int index) const { return m_entries->card(index); }
    int CurrentPage() const { return m_nCurPage; }
    int LastPage() const { return m_nLastPage; }

    void PickCardRecord(const struct_button_storeproduct &product) override;
    void reject() override { done(0); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FillFilterCombos();
    // Lists the page under the current filter; false when nothing matches.
    bool ListPage(int page);
    void OnFilter();
    void OnPrevPage();
    void OnNextPage();

    QString m_strSelName;
    int m_nCurPage = 0;
    int m_nLastPage = 0;
    int m_nRowCount = 0;
    bool m_bLoaded = false;
    ProductSearchCriteria m_filter;
    std::unique_ptr<RecordCardPool<CBCGPSelProductButton>> m_entries;
    QComboBox *m_codeCombo = nullptr;
    QComboBox *m_nameCombo = nullptr;
};
