#include "CDlgSelProductSpecDlg.h"

#include <QLabel>

#include "PageWidgets.h"
#include "PriceListStore.h"
#include "ProductCatalog.h"

CDlgSelProductSpecDlg::CDlgSelProductSpecDlg(QWidget *parent)
    : ProductPickerDialog(QStringLiteral("选择商品规格"), parent)
{
    m_caption = MakeIdLabel(this, "1273", QString());
    m_caption->setGeometry(30, 30, 700, 24);
    CreateEntries("1262", "1263");
}

CDlgSelProductSpecDlg::~CDlgSelProductSpecDlg() = default;

int CDlgSelProductSpecDlg::SetPriceSource(int side)
{
    m_nPriceSource = side;
    return 1;
}

int CDlgSelProductSpecDlg::SetPartyName(const QString &name)
{
    m_strPartyName = name;
    return 1;
}

int CDlgSelProductSpecDlg::SetProductName(const QString &name)
{
    m_strProductName = name;
    return 1;
}

int CDlgSelProductSpecDlg::GetSelSpec(struct_button_storeproduct &product) const
{
    product = Picked();
    return 1;
}

void CDlgSelProductSpecDlg::LoadEntries()
{
    m_caption->setText(QStringLiteral("请选择（%1）的规格").arg(m_strProductName));
    ListPage(0);
}

int CDlgSelProductSpecDlg::CountEntries()
{
    return ProductCatalog(connection()).CountProductsNamed(m_strProductName);
}

QList<struct_button_storeproduct> CDlgSelProductSpecDlg::ReadEntries(int first, int count)
{
    QList<struct_button_storeproduct> products =
        ProductCatalog(connection()).ProductsNamed(m_strProductName, first, count);
    // Every entry of every page carries the party's price.
    const PartySide side = m_nPriceSource == PartyProvider ? PartyProvider : PartyClient;
    PriceListStore(connection(), side).ApplyPartyPrices(m_strPartyName, products);
    return products;
}
