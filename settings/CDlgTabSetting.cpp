#include "CDlgTabSetting.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ImageButton.h"

CDlgTabSetting::CDlgTabSetting(QWidget *parent)
    : PageBase(parent)
{
    ShowEmptyState(false);
    m_settings = new ImageButton(QStringLiteral("设置"), this);
    m_settings->setObjectName(QStringLiteral("1353"));
    m_settings->setImage(QStringLiteral(":/images/icon245.svg"), QSize(32, 32));
    m_settings->setMinimumSize(100, 70);
    auto *row = new QHBoxLayout;
    row->addWidget(m_settings);
    row->addStretch();
    PageLayout()->insertLayout(0, row);
    PageLayout()->addStretch();
}
