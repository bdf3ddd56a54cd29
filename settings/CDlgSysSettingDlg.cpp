#include "CDlgSysSettingDlg.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QPixmap>
#include <QTabWidget>
#include <QVBoxLayout>

#include "CDlgTabDataMgr.h"
#include "CDlgTabOptions.h"
#include "CardResources.h"
#include "ImageButton.h"
#include "SettingsWidgets.h"

namespace {

// The tab pictures come as one strip of two 32-pixel images.
QIcon TabImage(int index)
{
    const QPixmap strip = QIcon(QStringLiteral(":/images/bmp262.svg")).pixmap(64, 32);
    return QIcon(strip.copy(index * 32, 0, 32, 32));
}

} // namespace

CDlgSysSettingDlg::CDlgSysSettingDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("程序设置"));
    setWindowIcon(ProgramIcon());

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("1"));
    m_tabs->setIconSize(QSize(32, 32));
    m_pOptions = new CDlgTabOptions(m_tabs);
    m_pDataMgr = new CDlgTabDataMgr(m_tabs);
    m_tabs->addTab(m_pOptions, TabImage(0), QStringLiteral("软件设置"));
    m_tabs->addTab(m_pDataMgr, TabImage(1), QStringLiteral("数据维护"));
    m_tabs->setCurrentIndex(0);

    ImageButton *ok = MakeSettingsButton(this, "1355", QStringLiteral("确定"), QStringLiteral(":/images/icon234.svg"));
    ok->setMinimumSize(130, 36);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] { done(0); });
}
