#include "CDlgProductCountTip.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "CProductCountTipReportEvent.h"
#include "Database.h"
#include "GlobalFunctions.h"
#include "GridReport.h"
#include "ImageButton.h"
#include "PageWidgets.h"
#include "ProductStore.h"
#include "ProductWidgets.h"

CDlgProductCountTip::CDlgProductCountTip(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("进销存 库存报警"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));
    resize(640, 420);

    QLabel *line
        = MakeIdLabel(this, "1281", QStringLiteral("库存报警：以下货品库存量低，请及时处理"));
    m_list = new QTableWidget(0, 4, this);
    m_list->setObjectName(QStringLiteral("1280"));
    m_list->setHorizontalHeaderLabels({QStringLiteral("货品编号"), QStringLiteral("货品名称"), QStringLiteral("货品规格"), QStringLiteral("货品数量")});
    m_list->setColumnWidth(0, 100);
    m_list->setColumnWidth(1, 200);
    m_list->setColumnWidth(2, 150);
    m_list->setColumnWidth(3, 80);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();

    ImageButton *print = MakeButton(this, "1279", QStringLiteral("打印"));
    print->setImage(QStringLiteral(":/images/icon211.svg"), QSize(24, 24));
    ImageButton *close = MakeButton(this, "1001", QStringLiteral("关闭"));
    close->setImage(QStringLiteral(":/images/icon169.svg"), QSize(24, 24));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(line);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(print, &QPushButton::clicked, this, &CDlgProductCountTip::OnPrint);
    connect(close, &QPushButton::clicked, this, [this] { done(0); });

    CreateReport();
}

CDlgProductCountTip::~CDlgProductCountTip() = default;

void CDlgProductCountTip::CreateReport()
{
    m_report = std::make_unique<GridReport>();
    // A missing template shows its error when the person prints.
    m_report->LoadTemplateFile(GetAppDirectory() + QStringLiteral("/ProductCountTipReport.grf"));
    m_reportEvent = std::make_unique<CProductCountTipReportEvent>();
    m_reportEvent->ConnectTo(m_report.get());
}

int CDlgProductCountTip::LoadLowStockProducts()
{
    try {
        m_products = ProductStore(connection()).LowStockProducts();
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取库存报警失败。"));
        m_products.clear();
    }
    FillList();
    return m_products.isEmpty() ? 0 : 1;
}

void CDlgProductCountTip::FillList()
{
    m_list->setRowCount(0);
    for (const struct_button_storeproduct &product : std::as_const(m_products)) {
        const int row = m_list->rowCount();
        m_list->insertRow(row);
        const QStringList cells = {product.ProductCode, product.ProductName, product.ProductSpec, product.ProductStockCount};
        for (int column = 0; column < cells.size(); ++column)
            m_list->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
}

void CDlgProductCountTip::OnPrint()
{
    QList<ProductCountTipInfo> rows;
    for (int row = 0; row < m_list->rowCount(); ++row) {
        auto cell = [this, row](int column) {
            const QTableWidgetItem *item = m_list->item(row, column);
            return item ? item->text() : QString();
        };
        rows << ProductCountTipInfo{cell(0), cell(1), cell(2), cell(3)};
    }
    m_reportEvent->SetRecords(rows);
    if (!m_report->ShowReport(true))
        ShowErrorMessage(m_report->lastError());
}
