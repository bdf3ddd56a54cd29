#pragma once

#include <QDialog>

#include "FinanceBillQuery.h"
#include "SharedTypes.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;

// The finance-bill search "搜索财务单据": the criteria a report page lists
// its bills by, handed back as a FinanceBillQuery (never as SQL). The
// side (BillListSide) decides the tables, the names offered and the name
// box's caption. Ends with 1 after 确定 with complete criteria and 0 after
// 取消; an incomplete amount range, an amount that is no number or an
// empty name box keeps it open with a message.
class CDlgBillFind_Provider_Fina : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgBillFind_Provider_Fina(QWidget *parent = nullptr);

    int SetSearchTarget(int side);
    FinanceBillQuery GetSearchResult() const { return m_query; }

    void reject() override { done(0); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FillLists();
    void OnOk();
    // The criteria as typed and chosen, or nothing after saying what is
    // missing or wrong.
    std::optional<FinanceBillQuery> ReadCriteria();

    bool m_bFilled = false;
    int m_nSide = BillListProvider;
    FinanceBillQuery m_query;
    QComboBox *m_billType = nullptr;
    QCheckBox *m_dateRange = nullptr;
    QDateEdit *m_dateFrom = nullptr;
    QDateEdit *m_dateTo = nullptr;
    QCheckBox *m_amountRange = nullptr;
    QLineEdit *m_amountFrom = nullptr;
    QLineEdit *m_amountTo = nullptr;
    QLineEdit *m_billCode = nullptr;
    QComboBox *m_account = nullptr;
    QComboBox *m_name = nullptr;
    QLabel *m_nameLabel = nullptr;
    QLineEdit *m_seller = nullptr;
    QComboBox *m_incomeType = nullptr;
    QComboBox *m_moneyType = nullptr;
    QComboBox *m_voucher = nullptr;
    QLineEdit *m_remark = nullptr;
};
