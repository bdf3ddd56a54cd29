#include "CDlgAllProductDlg.h"

#include <QHBoxLayout>
#include <QTableWidget>
#include <QVBoxLayout>

#include "CDlgNewPrice.h"
#include "CDlgPriceListDlg.h"
#include "Database.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "Interaction.h"
#include "ProductCatalog.h"
#include "ProductWidgets.h"

CDlgAllProductDlg::CDlgAllProductDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("所有货品列表"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));
    resize(500, 420);

    m_list = new QTableWidget(0, PriceColumnCount, this);
    m_list->setObjectName(QStringLiteral("1287"));
    SetUpPriceList(m_list);

    auto *add = MakeButton(this, "1286", QStringLiteral("新增"));
    auto *close = MakeButton(this, "1285", QStringLiteral("关闭"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, &CDlgAllProductDlg::OnAdd);
    connect(close, &QPushButton::clicked, this, &CDlgAllProductDlg::reject);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { OnDoubleClick(row); });
}

int CDlgAllProductDlg::SetSide(int side)
{
    m_nSide = side;
    return 1;
}

int CDlgAllProductDlg::SetOwner(CDlgPriceListDlg *owner)
{
    m_pOwner = owner;
    return 1;
}

int CDlgAllProductDlg::SetClientName(const QString &name)
{
    m_strClientName = name;
    return 1;
}

void CDlgAllProductDlg::showEvent(QShowEvent *event)
{
    // The side decides the reference price shown; it is set before the run.
    if (!m_bLoaded) {
        m_bLoaded = true;
        LoadProducts();
    }
    QDialog::showEvent(event);
}

void CDlgAllProductDlg::LoadProducts()
{
    QList<struct_button_storeproduct> products;
    try {
        products = ProductCatalog(connection()).AllProducts();
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取货品列表失败。"));
        return;
    }
    for (const struct_button_storeproduct &product : std::as_const(products)) {
        const QString &price = m_nSide == PartyProvider ? product.StockUnitPrice : product.ShipmentUnitPrice;
        AppendPriceRow(m_list, product.ProductName, product.ProductSpec, price, product.GUID);
    }
}

void CDlgAllProductDlg::OnAdd()
{
    const QModelIndexList selected = m_list->selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        ShowInfoMessage(QStringLiteral("请选择要填加报价的货品。"));
        return;
    }
    if (EnterPriceFor(selected.first().row()))
        done(1);
}

void CDlgAllProductDlg::OnDoubleClick(int row)
{
    if (row < 0 || row >= m_list->rowCount())
        return;
    if (!EnterPriceFor(row))
        return;
    m_list->selectRow(row);
    m_list->setFocus();
    done(1);
}

bool CDlgAllProductDlg::EnterPriceFor(int row)
{
    CDlgNewPrice priceDialog(this);
    if (Interaction::current().runModal(&priceDialog) != 1)
        return false;
    const QString price = priceDialog.GetPrice();
    m_list->selectRow(row);
    const QString guid = m_list->item(row, PriceColumnGuid)->text();
    if (!m_pOwner)
        return false;
    if (m_nSide == PartyClient)
        return m_pOwner->AddToClientPriceList(guid, price) == 1;
    if (m_nSide == PartyProvider)
        return m_pOwner->AddToProviderPriceList(guid, price) == 1;
    return false;
}
