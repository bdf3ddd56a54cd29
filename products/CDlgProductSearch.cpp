#include "CDlgProductSearch.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

#include "Database.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "ProductCatalog.h"

namespace {

QComboBox *makeCombo(QWidget *parent, const char *id)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(id));
    combo->setEditable(true);
    // The search matches exactly what stands in the box: no completion
    // may lengthen a typed text.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumWidth(220);
    return combo;
}

} // namespace

CDlgProductSearch::CDlgProductSearch(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("货品筛选"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));

    m_codeCombo = makeCombo(this, "1193");
    m_nameCombo = makeCombo(this, "1194");
    m_specCombo = makeCombo(this, "1195");
    auto *ok = new ImageButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("1196"));
    ok->setImage(QStringLiteral(":/images/bmp130.svg"));
    ok->setDefault(true);
    auto *cancel = new ImageButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("1197"));
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
    ProductCatalog::FilterTexts texts;
    try {
        texts = ProductCatalog(connection()).ListFilterTexts();
    } catch (const DbError &error) {
        ShowErrorMessage(error.displayText());
        return;
    }
    std::sort(texts.codes.begin(), texts.codes.end());
    std::sort(texts.specs.begin(), texts.specs.end());
    // Names stand in the reverse order of their first appearance.
    std::reverse(texts.names.begin(), texts.names.end());
    m_codeCombo->addItems(texts.codes);
    m_nameCombo->addItems(texts.names);
    m_specCombo->addItems(texts.specs);
    // Nothing chosen yet: an untouched box does not filter.
    for (QComboBox *combo : {m_codeCombo, m_nameCombo, m_specCombo})
        combo->setCurrentIndex(-1);
}

void CDlgProductSearch::OnOk()
{
    m_criteria.ProductCode = m_codeCombo->currentText();
    m_criteria.ProductName = m_nameCombo->currentText();
    m_criteria.ProductSpec = m_specCombo->currentText();
    done(1);
}
