#include "CDlgTabSetting.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "CDlgSysSettingDlg.h"
#include "ImageButton.h"
#include "Interaction.h"

CDlgTabSetting::CDlgTabSetting(QWidget *parent)
    : PageBase(parent)
{
    ShowEmptyState(false);
    m_settings = new ImageButton(QStringLiteral("设置"), this);
    m_settings->setObjectName(QStringLiteral("1353"));
    m_settings->setImage(QStringLiteral(":/images/icon245.svg"), QSize(32, 32));
    m_settings->setMinimumSize(100, 70);
    m_settings->setAutoDefault(false);
    m_settings->setDefault(false);
    auto *row = new QHBoxLayout;
    row->addWidget(m_settings);
    row->addStretch();
    PageLayout()->insertLayout(0, row);
    PageLayout()->addStretch();
    connect(m_settings, &QPushButton::clicked, this, &CDlgTabSetting::OnSettings);
}

void CDlgTabSetting::OnSettings()
{
    CDlgSysSettingDlg dialog(window());
    Interaction::current().runModal(&dialog);
}
