#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

#include "CProductInfoReportEvent.h"
#include "PageBase.h"
#include "ProductSearchCriteria.h"
#include "RecordTypes.h"

class QTableWidget;
class GridReport;
class CDlgMainDlg;
class CDlgTabStore;

// The product-information page: the products of the last search as a
// plain list, from which a product is opened for editing (double-click),
// and which is printed and exported to an .xls workbook. The page never
// writes the database: the product dialog changes products through the
// store page and then updates or removes this page's row.
class CDlgTabProductInfo : public PageBase
{
    Q_OBJECT

public:
    explicit CDlgTabProductInfo(QWidget *parent = nullptr);
    ~CDlgTabProductInfo() override;

    int SetMainDlg(CDlgMainDlg *mainDlg);
    // The store page that writes the products this page changes; the main
    // window gives it after creating both.
    int SetStorePage(CDlgTabStore *storePage);

    // Rewrites the row of the product (the one last double-clicked).
    int SetProductRow(const struct_button_storeproduct &product);
    // Removes the first row of the product's GUID, if any, and marks the
    // row that moves into its place.
    int RemoveProductRow(const struct_button_storeproduct &product);

    // Lists the products matching the criteria; 1 when any was found. A
    // failed query says so and leaves the list as it was.
    int FillProductList(const ProductSearchCriteria &criteria);
    // The list as records (unit, alarm count and remark are not listed and
    // stay empty).
    QList<struct_button_storeproduct> ListedProducts() const;

private:
    void InitListColumns();
    int InitReport();
    void AddProductRow(const struct_button_storeproduct &product);
    void SetRowTexts(int row, const struct_button_storeproduct &product);
    void SelectRow(int row);

    void OnSearchProduct();
    void OnExportExcel();
    void OnPrintList();
    void OnDblclkProductList(int row);

    int m_nDblClkRow = -1;
    QTableWidget *m_list = nullptr;
    CDlgMainDlg *m_pMainDlg = nullptr;
    CDlgTabStore *m_pStorePage = nullptr;
    QList<struct_button_storeproduct> m_printRows;
    // The report before its sink: the sink disconnects from a live report.
    std::unique_ptr<GridReport> m_report;
    CProductInfoReportEvent m_reportEvent;
};
