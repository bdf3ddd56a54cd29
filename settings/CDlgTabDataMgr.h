#pragma once

#include <QWidget>

// The data-maintenance page of the settings window ("数据维护"): backup
// (1001) and restore (1233) of the whole database.
class CDlgTabDataMgr : public QWidget
{
    Q_OBJECT

public:
    explicit CDlgTabDataMgr(QWidget *parent = nullptr);
};
