#include "CDlgTabProductInfo.h"

#include <QDate>
#include <QDir>
#include <QHBoxLayout>
#include <QTableWidget>
#include <QVBoxLayout>

#include "CDlgNewProduct.h"
#include "CDlgProductSearch.h"
#include "Database.h"
#include "ExportFile.h"
#include "GlobalFunctions.h"
#include "GridReport.h"
#include "ImageButton.h"
#include "Interaction.h"
#include "ProductCatalog.h"
#include "ProductExport.h"
#include "ProductStore.h"
#include "ProductWidgets.h"

namespace {

enum Column {
    ColumnCode = 0,
    ColumnName,
    ColumnSpec,
    ColumnStockPrice,
    ColumnShipmentPrice,
    ColumnStockCount,
    ColumnGuid,
    ColumnCount
};

const QString kTemplateName = QStringLiteral("ProductSearchReport.grf");

} // namespace

CDlgTabProductInfo::CDlgTabProductInfo(QWidget *parent)
    : PageBase(parent)
    , m_report(std::make_unique<GridReport>())
{
    ShowEmptyState(false);

    auto makeButton = [this](const char *id, const QString &caption, const QString &image) {
        ImageButton *button = MakeButton(this, id, caption);
        button->setImage(image, QSize(24, 24));
        button->setMinimumSize(130, 40);
        return button;
    };
    ImageButton *search = makeButton("1185", QStringLiteral("查找商品"), QStringLiteral(":/images/icon205.svg"));
    ImageButton *exportButton = makeButton("1186", QStringLiteral("导出到 Excel"), QStringLiteral(":/images/icon238.svg"));
    ImageButton *print = makeButton("1187", QStringLiteral("打印列表"), QStringLiteral(":/images/icon239.svg"));
    m_list = new QTableWidget(0, ColumnCount, this);
    m_list->setObjectName(QStringLiteral("1198"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(search);
    buttons->addWidget(exportButton);
    buttons->addWidget(print);
    PageLayout()->insertLayout(0, buttons);
    PageLayout()->insertWidget(1, m_list, 1);

    InitListColumns();
    InitReport();

    connect(search, &QPushButton::clicked, this, &CDlgTabProductInfo::OnSearchProduct);
    connect(exportButton, &QPushButton::clicked, this, &CDlgTabProductInfo::OnExportExcel);
    connect(print, &QPushButton::clicked, this, &CDlgTabProductInfo::OnPrintList);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { OnDblclkProductList(row); });
}

CDlgTabProductInfo::~CDlgTabProductInfo() = default;

int CDlgTabProductInfo::SetMainDlg(CDlgMainDlg *mainDlg)
{
    m_pMainDlg = mainDlg;
    return 1;
}

int CDlgTabProductInfo::SetStorePage(CDlgTabStore *storePage)
{
    m_pStorePage = storePage;
    return 1;
}

void CDlgTabProductInfo::InitListColumns()
{
    m_list->setHorizontalHeaderLabels({QStringLiteral("货品编号"), QStringLiteral("货品名称"),
                                       QStringLiteral("货品规格"), QStringLiteral("进货单价"),
                                       QStringLiteral("退货单价"), QStringLiteral("货品数量"), QStringLiteral("GUID")});
    const int widths[] = {100, 150, 150, 100, 100, 100};
    for (int column = 0; column < ColumnGuid; ++column)
        m_list->setColumnWidth(column, widths[column]);
    SetUpRecordList(m_list, ColumnGuid);
}

int CDlgTabProductInfo::InitReport()
{
    // A template that cannot be loaded is reported when the list is
    // printed: the report keeps the error.
    m_report->LoadTemplateFile(QDir(GetAppDirectory()).filePath(kTemplateName));
    m_reportEvent.ConnectTo(m_report.get());
    return 1;
}

void CDlgTabProductInfo::SetRowTexts(int row, const struct_button_storeproduct &product)
{
    const QString texts[ColumnCount] = {product.ProductCode,       product.ProductName,
                                        product.ProductSpec,       product.StockUnitPrice,
                                        product.ShipmentUnitPrice, product.ProductStockCount,
                                        product.GUID};
    for (int column = 0; column < ColumnCount; ++column) {
        if (QTableWidgetItem *item = m_list->item(row, column))
            item->setText(texts[column]);
        else
            m_list->setItem(row, column, new QTableWidgetItem(texts[column]));
    }
}

void CDlgTabProductInfo::AddProductRow(const struct_button_storeproduct &product)
{
    const int row = m_list->rowCount();
    m_list->insertRow(row);
    SetRowTexts(row, product);
}

void CDlgTabProductInfo::SelectRow(int row)
{
    if (row >= 0 && row < m_list->rowCount())
        m_list->selectRow(row);
    m_list->setFocus();
}

int CDlgTabProductInfo::FillProductList(const ProductSearchCriteria &criteria)
{
    QList<struct_button_storeproduct> products;
    try {
        products = ProductCatalog(connection()).Search(criteria);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("查找商品失败。"));
        return 0;
    }
    m_list->setRowCount(0);
    m_nDblClkRow = -1;
    for (const struct_button_storeproduct &product : std::as_const(products))
        AddProductRow(product);
    return products.isEmpty() ? 0 : 1;
}

QList<struct_button_storeproduct> CDlgTabProductInfo::ListedProducts() const
{
    QList<struct_button_storeproduct> products;
    for (int row = 0; row < m_list->rowCount(); ++row) {
        const auto text = [&](int column) { return m_list->item(row, column)->text(); };
        struct_button_storeproduct product;
        product.ProductCode = text(ColumnCode);
        product.ProductName = text(ColumnName);
        product.ProductSpec = text(ColumnSpec);
        product.StockUnitPrice = text(ColumnStockPrice);
        product.ShipmentUnitPrice = text(ColumnShipmentPrice);
        product.ProductStockCount = text(ColumnStockCount);
        product.GUID = text(ColumnGuid);
        products << product;
    }
    return products;
}

int CDlgTabProductInfo::SetProductRow(const struct_button_storeproduct &product)
{
    // The row last double-clicked, unless the list changed meanwhile: then
    // the product's own row.
    int row = m_nDblClkRow;
    if (row < 0 || row >= m_list->rowCount() || m_list->item(row, ColumnGuid)->text() != product.GUID) {
        row = -1;
        for (int i = 0; i < m_list->rowCount() && row < 0; ++i) {
            if (m_list->item(i, ColumnGuid)->text() == product.GUID)
                row = i;
        }
    }
    if (row >= 0)
        SetRowTexts(row, product);
    return 1;
}

int CDlgTabProductInfo::RemoveProductRow(const struct_button_storeproduct &product)
{
    for (int row = 0; row < m_list->rowCount(); ++row) {
        if (m_list->item(row, ColumnGuid)->text() == product.GUID) {
            m_list->removeRow(row);
            SelectRow(row);
            break;
        }
    }
    return 1;
}

void CDlgTabProductInfo::OnSearchProduct()
{
    CDlgProductSearch dialog(this);
    dialog.SetOwnerPage(this);
    if (Interaction::current().runModal(&dialog) != 1)
        return;
    FillProductList(dialog.GetCriteria());
}

void CDlgTabProductInfo::OnDblclkProductList(int row)
{
    if (row < 0 || row >= m_list->rowCount())
        return;
    m_nDblClkRow = row;
    const QString guid = m_list->item(row, ColumnGuid)->text();
    std::optional<struct_button_storeproduct> product;
    try {
        product = ProductCatalog(connection()).ProductByGuid(guid);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取货品失败。"));
        return;
    }
    if (!product) {
        // Deleted since the search: the row goes, nothing opens.
        ShowInfoMessage(kProductGoneMessage);
        m_list->removeRow(row);
        m_nDblClkRow = -1;
        SelectRow(row);
        return;
    }

    CDlgNewProduct dialog(this);
    dialog.SetMode(ProductEditFromList);
    dialog.SetProduct(*product);
    dialog.SetRecordButton(nullptr);
    dialog.SetStorePage(m_pStorePage);
    dialog.SetProductInfoPage(this);
    Interaction::current().runModal(&dialog);
    SelectRow(m_nDblClkRow);
}

void CDlgTabProductInfo::OnExportExcel()
{
    QList<QStringList> rows;
    for (int row = 0; row < m_list->rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < ColumnGuid; ++column)
            texts << m_list->item(row, column)->text();
        rows << texts;
    }
    const QString failed = QStringLiteral("导出到 Excel 失败。\n");
    QString error;
    const QString path = ExportPath(ProductExport::FileName(), &error);
    if (path.isEmpty()) {
        ShowErrorMessage(failed + error);
        return;
    }
    const QDate today = QDate::currentDate();
    const auto write = [&rows, &today](const QString &file) { return ProductExport::Write(file, rows, today); };
    if (!WriteThenRename(path, write, &error)) {
        ShowErrorMessage(failed + error);
        return;
    }
    if (rows.size() > ProductExport::MaxProducts())
        ShowInfoMessage(ExportCutMessage(ProductExport::MaxProducts(), static_cast<int>(rows.size()),
                                         QStringLiteral("个货品")));
    OpenExportedFile(path);
}

void CDlgTabProductInfo::OnPrintList()
{
    m_printRows = ListedProducts();
    m_reportEvent.SetRecords(m_printRows);
    if (!m_report->OutputReport(1))
        ShowErrorMessage(m_report->lastError());
}
