#include "CDlgTabDataMgr.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>

#include "CardResources.h"
#include "DataMaintenance.h"
#include "ImageButton.h"
#include "SettingsWidgets.h"

CDlgTabDataMgr::CDlgTabDataMgr(QWidget *parent)
    : QWidget(parent)
{
    setWindowIcon(ProgramIcon());

    auto *group = new QGroupBox(QStringLiteral("帐套数据操作"), this);
    ImageButton *backup
        = MakeSettingsButton(group, "1001", QStringLiteral("备份数据"), QStringLiteral(":/images/icon142.svg"));
    ImageButton *restore
        = MakeSettingsButton(group, "1233", QStringLiteral("恢复数据"), QStringLiteral(":/images/icon264.svg"));
    // Restore replaces the shop's data: its caption is red.
    restore->setTextColor(QColor(255, 0, 0));
    for (ImageButton *button : {backup, restore}) {
        button->setIconSize(QSize(32, 32));
        button->setMinimumSize(110, 90);
    }
    auto *row = new QHBoxLayout(group);
    row->addWidget(backup);
    row->addWidget(restore);

    auto *layout = new QGridLayout(this);
    layout->addWidget(group, 1, 1);
    layout->setRowStretch(0, 1);
    layout->setRowStretch(2, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(2, 1);

    connect(backup, &QPushButton::clicked, this, [this] { BackupDatabase(this); });
    connect(restore, &QPushButton::clicked, this, [this] { RestoreDatabase(this); });
}
