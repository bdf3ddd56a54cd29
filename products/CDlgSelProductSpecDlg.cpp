#include "CDlgSelProductSpecDlg.h"

#include <QLabel>

#include <algorithm>

#include "Database.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "PriceListStore.h"
#include "ProductCatalog.h"

namespace {

GridMetrics entryMetrics()
{
    GridMetrics metrics;
    metrics.slotWidth = 135;
    metrics.slotHeight = 87;
    metrics.originX = 30;
    metrics.originY = 73;
    metrics.spacingX = 7;
    metrics.spacingY = 5;
    return metrics;
}

} // namespace

CDlgSelProductSpecDlg::CDlgSelProductSpecDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("选择商品规格"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));
    setFixedSize(800, 420);

    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("1273"));
    m_caption->setGeometry(30, 30, 700, 24);
    auto *previous = new ImageButton(QStringLiteral("上一页"), this);
    previous->setObjectName(QStringLiteral("1262"));
    previous->setGeometry(480, 370, 100, 30);
    auto *next = new ImageButton(QStringLiteral("下一页"), this);
    next->setObjectName(QStringLiteral("1263"));
    next->setGeometry(600, 370, 100, 30);

    m_entries = std::make_unique<RecordCardPool<CBCGPSelProductSpecButton>>(this, this, kEntries, entryMetrics());
    m_entries->grid().layoutFixed(kRows, kColumns);

    connect(previous, &QPushButton::clicked, this, &CDlgSelProductSpecDlg::OnPrevPage);
    connect(next, &QPushButton::clicked, this, &CDlgSelProductSpecDlg::OnNextPage);
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
    product = m_selSpec;
    return 1;
}

void CDlgSelProductSpecDlg::showEvent(QShowEvent *event)
{
    if (!m_bLoaded) {
        m_bLoaded = true;
        m_caption->setText(QStringLiteral("请选择（%1）的规格").arg(m_strProductName));
        ListPage(0);
    }
    QDialog::showEvent(event);
}

bool CDlgSelProductSpecDlg::ListPage(int page)
{
    QList<struct_button_storeproduct> products;
    try {
        ProductCatalog catalog(connection());
        m_nRowCount = catalog.CountProductsNamed(m_strProductName);
        m_nLastPage = m_nRowCount > 0 ? (m_nRowCount - 1) / kEntries : 0;
        m_nCurPage = std::clamp(page, 0, m_nLastPage);
        products = catalog.ProductsNamed(m_strProductName, m_nCurPage * kEntries, kEntries);
        // Every entry of every page carries the party's price.
        const PartySide side = m_nPriceSource == PartyProvider ? PartyProvider : PartyClient;
        PriceListStore(connection(), side).ApplyPartyPrices(m_strPartyName, products);
    } catch (const DbError &error) {
        ShowErrorMessage(error.displayText());
        return false;
    }
    m_entries->showRecords(products);
    return !products.isEmpty();
}

void CDlgSelProductSpecDlg::OnPrevPage()
{
    ListPage(std::max(0, m_nCurPage - 1));
}

void CDlgSelProductSpecDlg::OnNextPage()
{
    if (m_nCurPage >= m_nLastPage)
        return;
    ListPage(m_nCurPage + 1);
}

void CDlgSelProductSpecDlg::PickCardRecord(const struct_button_storeproduct &product)
{
    m_selSpec = product;
    done(1);
}
