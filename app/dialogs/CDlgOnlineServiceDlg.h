#pragma once

#include <QDialog>
#include <QString>

class QPushButton;

// The online-service window "汀岑进销存 - 在线服务": the program's name,
// version and release date, and where to find help: the README that comes
// with the program. 确定 (1308) ends it with 0.
class CDlgOnlineServiceDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgOnlineServiceDlg(QWidget *parent = nullptr);

    static QString ProgramVersion() { return QStringLiteral("1.2"); }
    static QString ReleaseDate() { return QStringLiteral("2024-06-01"); }
    // The README beside the program (or one folder up, as in a build
    // tree); empty when there is none.
    static QString HelpFilePath();
    // The title of the README's section for the shop's staff, and the
    // window's sentence saying what that section holds.
    static QString HelpSectionTitle();
    static QString HelpSentence();

private:
    void openHelp();

    QPushButton *m_helpButton;
};
