#include "CDlgSelProductDlg.h"

#include <QComboBox>
#include <QLabel>

#include <algorithm>

#include "Database.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "ProductCatalog.h"

namespace {

// Entries 135 x 87 pixels, 142 across and 92 down from (30, 73).
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

int lastPageFor(int count, int perPage)
{
    return count > 0 ? (count - 1) / perPage : 0;
}

QComboBox *makeFilterCombo(QWidget *parent, const char *id)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(id));
    combo->setEditable(true);
    // An exact-match filter must take what was typed, not a completion.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

} // namespace

CDlgSelProductDlg::CDlgSelProductDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("选择商品"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));
    setFixedSize(800, 420);

    auto *prompt = new QLabel(QStringLiteral("请选择一个货品"), this);
    prompt->setObjectName(QStringLiteral("1267"));
    prompt->setGeometry(30, 8, 200, 20);
    auto *codeLabel = new QLabel(QStringLiteral("产品编号"), this);
    codeLabel->setGeometry(30, 36, 60, 24);
    m_codeCombo = makeFilterCombo(this, "1270");
    m_codeCombo->setGeometry(95, 36, 170, 24);
    auto *nameLabel = new QLabel(QStringLiteral("产品名称"), this);
    nameLabel->setGeometry(285, 36, 60, 24);
    m_nameCombo = makeFilterCombo(this, "1265");
    m_nameCombo->setGeometry(350, 36, 200, 24);
    auto *filter = new ImageButton(QStringLiteral("产品筛选"), this);
    filter->setObjectName(QStringLiteral("1272"));
    filter->setImage(QStringLiteral(":/images/icon173.svg"));
    filter->setGeometry(570, 34, 100, 28);
    auto *previous = new ImageButton(QStringLiteral("上一页"), this);
    previous->setObjectName(QStringLiteral("1268"));
    previous->setGeometry(480, 370, 100, 30);
    auto *next = new ImageButton(QStringLiteral("下一页"), this);
    next->setObjectName(QStringLiteral("1269"));
    next->setGeometry(600, 370, 100, 30);

    m_entries = std::make_unique<RecordCardPool<CBCGPSelProductButton>>(this, this, kEntries, entryMetrics());
    m_entries->grid().layoutFixed(kRows, kColumns);

    connect(filter, &QPushButton::clicked, this, &CDlgSelProductDlg::OnFilter);
    connect(previous, &QPushButton::clicked, this, &CDlgSelProductDlg::OnPrevPage);
    connect(next, &QPushButton::clicked, this, &CDlgSelProductDlg::OnNextPage);
}

// The cards are children of the dialog; the pool only holds pointers.
CDlgSelProductDlg::~CDlgSelProductDlg() = default;

void CDlgSelProductDlg::showEvent(QShowEvent *event)
{
    if (!m_bLoaded) {
        m_bLoaded = true;
        ListPage(0);
        FillFilterCombos();
    }
    QDialog::showEvent(event);
}

void CDlgSelProductDlg::FillFilterCombos()
{
    ProductCatalog::FilterTexts texts;
    try {
        texts = ProductCatalog(connection()).ListFilterTexts();
    } catch (const DbError &error) {
        ShowErrorMessage(error.displayText());
        return;
    }
    QStringList codes = texts.codes;
    std::sort(codes.begin(), codes.end());
    m_codeCombo->addItems(codes);
    // The names stand in the reverse order of their first appearance.
    QStringList names = texts.names;
    std::reverse(names.begin(), names.end());
    m_nameCombo->addItems(names);
    m_codeCombo->setCurrentIndex(-1);
    m_nameCombo->setCurrentIndex(-1);
}

bool CDlgSelProductDlg::ListPage(int page)
{
    QStringList names;
    try {
        ProductCatalog catalog(connection());
        m_nRowCount = catalog.CountProductNames(m_filter);
        m_nLastPage = lastPageFor(m_nRowCount, kEntries);
        m_nCurPage = std::clamp(page, 0, m_nLastPage);
        names = catalog.ProductNames(m_filter, m_nCurPage * kEntries, kEntries);
    } catch (const DbError &error) {
        ShowErrorMessage(error.displayText());
        return false;
    }
    QList<struct_button_storeproduct> records;
    for (const QString &name : std::as_const(names)) {
        struct_button_storeproduct record;
        record.ProductName = name;
        records << record;
    }
    m_entries->showRecords(records);
    return !records.isEmpty();
}

void CDlgSelProductDlg::OnFilter()
{
    m_filter.ProductCode = m_codeCombo->currentText();
    m_filter.ProductName = m_nameCombo->currentText();
    ListPage(0);
}

void CDlgSelProductDlg::OnPrevPage()
{
    ListPage(std::max(0, m_nCurPage - 1));
}

void CDlgSelProductDlg::OnNextPage()
{
    // At the last page the entries stay as they are.
    if (m_nCurPage >= m_nLastPage)
        return;
    ListPage(m_nCurPage + 1);
}

void CDlgSelProductDlg::PickCardRecord(const struct_button_storeproduct &product)
{
    m_strSelName = product.ProductName;
    done(1);
}
