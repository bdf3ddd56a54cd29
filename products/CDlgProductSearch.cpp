#include "CDlgProductSearch.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "ImageButton.h"
#include "ProductWidgets.h"

CDlgProductSearch::CDlgProductSearch(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("货品筛选"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));

    m_codeCombo = MakeFilterCombo(this, "1193");
    m_nameCombo = MakeFilterCombo(this, "1194");
    m_specCombo = MakeFilterCombo(this, "1195");
    for (QComboBox *combo : {m_codeCombo, m_nameCombo, m_specCombo})
        combo->setMinimumWidth(260);
    auto *ok = MakeButton(this, "1196", QStringLiteral("确定"));
    ok->setImage(QStringLiteral(":/images/bmp130.svg"));
    ok->setDefault(true);
    auto *cancel = MakeButton(this, "1197", QStringLiteral("取消"));
    cancel->setImage(QStringLiteral(":/images/bmp129.svg"));

    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("货品编号"), this), 0, 0);
    layout->addWidget(m_codeCombo, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("货品名称"), this), 1, 0);
    layout->addWidget(m_nameCombo, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("货品规格"), this), 2, 0);
    layout->addWidget(m_specCombo, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 3, 0, 1, 2);

    FillCombos();
    connect(ok, &QPushButton::clicked, this, &CDlgProductSearch::OnOk);
    connect(cancel, &QPushButton::clicked, this, &CDlgProductSearch::reject);
}

int CDlgProductSearch::SetOwnerPage(CDlgTabProductInfo *page)
{
    m_pOwnerPage = page;
    return 1;
}

void CDlgProductSearch::FillCombos()
{
    const std::optional<ProductCatalog::FilterTexts> texts = LoadFilterTexts();
    if (!texts)
        return;
    OfferFilterTexts(m_codeCombo, Sorted(texts->codes));
    // Names stand in the reverse order of their first appearance.
    OfferFilterTexts(m_nameCombo, Reversed(texts->names));
    OfferFilterTexts(m_specCombo, Sorted(texts->specs));
}

void CDlgProductSearch::OnOk()
{
    m_criteria.ProductCode = m_codeCombo->currentText();
    m_criteria.ProductName = m_nameCombo->currentText();
    m_criteria.ProductSpec = m_specCombo->currentText();
    done(1);
}
