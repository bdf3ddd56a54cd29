#pragma once

#include <QDialog>

class QTabWidget;
class CDlgTabOptions;
class CDlgTabDataMgr;

// The program-settings window ("程序设置"): the options page and the
// data-maintenance page under two tabs. It applies nothing itself: each
// page writes when its own buttons are pressed, and "确定" only closes the
// window (result 0; the close box and Escape give the cancel result 2).
// Built anew at each opening, so its pages read the database afresh.
class CDlgSysSettingDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgSysSettingDlg(QWidget *parent = nullptr);


    void reject() override { done(2); }

private:
    QTabWidget *m_tabs = nullptr;
    CDlgTabOptions *m_pOptions = nullptr;
    CDlgTabDataMgr *m_pDataMgr = nullptr;
};
