#pragma once

#include <QObject>

#include "DepositEditor.h"

class FinanceBillPage;

// The goods bill editor's way to a bill's deposit: runs the finance bill
// editor in a deposit mode on the main window's finance page of the side.
// A new deposit bill is a blank bill made out to the goods bill's company
// with the goods bill's code; an existing one is read by its GUID and
// opened without a card and without 删除. The result carries the saved
// bill's GUID and amount only after the editor ended with 1.
//
// The main window makes one and installs it; it uninstalls itself when it
// goes.
class FinanceDepositEditor : public QObject, public DepositEditor
{
    Q_OBJECT

public:
    FinanceDepositEditor(FinanceBillPage *salesPage, FinanceBillPage *purchasePage, QObject *parent = nullptr);
    ~FinanceDepositEditor() override;

    Result Edit(QWidget *parent, const Request &request) override;

private:
    FinanceBillPage *m_pSalesPage;
    FinanceBillPage *m_pPurchasePage;
};
