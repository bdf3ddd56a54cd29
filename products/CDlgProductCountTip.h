#pragma once

#include <QDialog>
#include <QList>

#include "RecordTypes.h"

class QTableWidget;
class ImageButton;

// The stock alarm: lists the products whose stored stock count is below
// their alarm count. Shown once per run, at the first finance-supervisor
// login, and only when a product qualifies.
class CDlgProductCountTip : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgProductCountTip(QWidget *parent = nullptr);

    // 1 when at least one product is below its alarm count.
    int LoadLowStockProducts();
    const QList<struct_button_storeproduct> &AlarmProducts() const { return m_products; }

    void reject() override { done(0); }

private:
    void FillList();
    void OnPrint();

    QList<struct_button_storeproduct> m_products;
    QTableWidget *m_list = nullptr;
};
