#pragma once

#include <QString>

#include "ProductPickerDialog.h"
#include "ProductSearchCriteria.h"

class QComboBox;

// The product picker of the bill grid: the distinct product names as pages
// of 15 entries (3 rows of 5), filtered by code and name. Pressing an
// entry ends the picker with 1 and GetSelProductName gives its name;
// closing the window ends it with 0 and no choice.
class CDlgSelProductDlg : public ProductPickerDialog<CBCGPSelProductButton>
{
    Q_OBJECT

public:
    explicit CDlgSelProductDlg(QWidget *parent = nullptr);
    ~CDlgSelProductDlg() override;

    QString GetSelProductName() const { return Picked().ProductName; }

private:
    int CountEntries() override;
    QList<struct_button_storeproduct> ReadEntries(int first, int count) override;
    void LoadEntries() override;
    void FillFilterCombos();
    void OnFilter();

    ProductSearchCriteria m_filter;
    QComboBox *m_codeCombo = nullptr;
    QComboBox *m_nameCombo = nullptr;
};
