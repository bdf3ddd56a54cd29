#pragma once

#include <QDialog>
#include <QList>

#include <memory>

#include "RecordTypes.h"

class QTableWidget;
class ImageButton;
class GridReport;
class CProductCountTipReportEvent;

// The stock alarm: lists the products whose stored stock count is below
// their alarm count. Shown once per run, at the first finance-supervisor
// login, and only when a product qualifies.
class CDlgProductCountTip : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgProductCountTip(QWidget *parent = nullptr);
    ~CDlgProductCountTip() override;

    // 1 when at least one product is below its alarm count.
    int LoadLowStockProducts();

    void reject() override { done(0); }

    // 打印: prints exactly the rows and texts of the list. The dialog
    // stays open.
    void OnPrint();
    GridReport *Report() const { return m_report.get(); }

private:
    void FillList();
    void CreateReport();

    QList<struct_button_storeproduct> m_products;
    QTableWidget *m_list = nullptr;
    std::unique_ptr<GridReport> m_report;
    // Declared after the report: it disconnects before the report goes.
    std::unique_ptr<CProductCountTipReportEvent> m_reportEvent;
};
