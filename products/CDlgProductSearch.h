#pragma once

#include <QDialog>

#include "ProductSearchCriteria.h"

class QComboBox;
class CDlgTabProductInfo;

// Asks for the code, name and variant to filter the products by;
// each may be typed or chosen, an empty one does not filter. Ends with 1
// after 确定 (GetCriteria then holds the texts) and 0 after 取消. It runs
// no search: the page does, from the criteria.
class CDlgProductSearch : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgProductSearch(QWidget *parent = nullptr);

    int SetOwnerPage(CDlgTabProductInfo *page);
    ProductSearchCriteria GetCriteria() const { return m_criteria; }

    void reject() override { done(0); }

private:
    void FillCombos();
    void OnOk();

    CDlgTabProductInfo *m_pOwnerPage = nullptr;
    ProductSearchCriteria m_criteria;
    QComboBox *m_codeCombo = nullptr;
    QComboBox *m_nameCombo = nullptr;
    QComboBox *m_specCombo = nullptr;
};
