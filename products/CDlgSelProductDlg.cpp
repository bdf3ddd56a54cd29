#include "CDlgSelProductDlg.h"

#include <QComboBox>
#include <QLabel>

#include "PageWidgets.h"
#include "ProductCatalog.h"

CDlgSelProductDlg::CDlgSelProductDlg(QWidget *parent)
    : ProductPickerDialog(QStringLiteral("选择商品"), parent)
{
    MakeIdLabel(this, "1267", QStringLiteral("请选择一个货品"))->setGeometry(30, 8, 200, 20);
    (new QLabel(QStringLiteral("产品编号"), this))->setGeometry(30, 36, 60, 24);
    m_codeCombo = MakeFilterCombo(this, "1270");
    m_codeCombo->setGeometry(95, 36, 170, 24);
    (new QLabel(QStringLiteral("产品名称"), this))->setGeometry(285, 36, 60, 24);
    m_nameCombo = MakeFilterCombo(this, "1265");
    m_nameCombo->setGeometry(350, 36, 200, 24);
    ImageButton *filter = MakeButton(this, "1272", QStringLiteral("产品筛选"));
    filter->setImage(QStringLiteral(":/images/icon173.svg"));
    filter->setGeometry(570, 34, 100, 28);
    CreateEntries("1268", "1269");

    connect(filter, &QPushButton::clicked, this, &CDlgSelProductDlg::OnFilter);
}

CDlgSelProductDlg::~CDlgSelProductDlg() = default;

void CDlgSelProductDlg::LoadEntries()
{
    ListPage(0);
    FillFilterCombos();
}

void CDlgSelProductDlg::FillFilterCombos()
{
    const std::optional<ProductCatalog::FilterTexts> texts = LoadFilterTexts();
    if (!texts)
        return;
    OfferFilterTexts(m_codeCombo, Sorted(texts->codes));
    // The names stand in the reverse order of their first appearance.
    OfferFilterTexts(m_nameCombo, Reversed(texts->names));
}

int CDlgSelProductDlg::CountEntries()
{
    return ProductCatalog(connection()).CountProductNames(m_filter);
}

QList<struct_button_storeproduct> CDlgSelProductDlg::ReadEntries(int first, int count)
{
    QList<struct_button_storeproduct> records;
    for (const QString &name : ProductCatalog(connection()).ProductNames(m_filter, first, count)) {
        struct_button_storeproduct record;
        record.ProductName = name;
        records << record;
    }
    return records;
}

void CDlgSelProductDlg::OnFilter()
{
    m_filter.ProductCode = m_codeCombo->currentText();
    m_filter.ProductName = m_nameCombo->currentText();
    ListPage(0);
}
