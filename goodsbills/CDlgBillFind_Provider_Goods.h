#pragma once

#include <QDialog>

#include "GoodsBillQuery.h"
#include "SharedTypes.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class CDlgTabData_Provider;

// "查找货品单据": the filters of a goods-bill search over one side (a
// BillListSide, 0 purchase or 1 sales). 确定 checks the input and ends with
// 1, GetSearchResult then gives the criteria; 取消, Esc and the close box
// end with 0. It runs no search: the report page does.
class CDlgBillFind_Provider_Goods : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgBillFind_Provider_Goods(QWidget *parent = nullptr);

    int SetOwnerPage(CDlgTabData_Provider *page);
    // Fills the bill kinds, the company list and its label for the side.
    int SetSide(int side);
    int GetSearchResult(GoodsBillQuery &result) const;

    void reject() override { done(0); }

private:
    // The side's bill kinds and company label, and the company list: the
    // side's party names (when withCompanies) followed by 所有.
    void fillForSide(bool withCompanies);
    void OnFind();
    bool ValidateInput();

    int m_nSide = BillListClient;
    CDlgTabData_Provider *m_pOwnerPage = nullptr;
    GoodsBillQuery m_query;

    QComboBox *m_billType = nullptr;
    QCheckBox *m_dateRange = nullptr;
    QDateEdit *m_firstDay = nullptr;
    QDateEdit *m_lastDay = nullptr;
    QCheckBox *m_amountRange = nullptr;
    QLineEdit *m_lowest = nullptr;
    QLineEdit *m_highest = nullptr;
    QLineEdit *m_billCode = nullptr;
    QComboBox *m_company = nullptr;
    QLabel *m_companyLabel = nullptr;
    QLineEdit *m_seller = nullptr;
    QLineEdit *m_remark = nullptr;
    QLineEdit *m_productCode = nullptr;
    QLineEdit *m_productName = nullptr;
    QLineEdit *m_productSpec = nullptr;
};
