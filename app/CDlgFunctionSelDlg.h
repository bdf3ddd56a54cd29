#pragma once

#include <QDialog>
#include <QHash>
#include <QList>

class QLabel;
class ImageButton;
class CDlgMainDlg;

// The first window: one button per function, grouped as the main window's
// tab groups. Everything is disabled until a login; the finance supervisor
// gets the working functions, the administrator only the parameters. A
// login hides the main window until it chooses a function, so each login
// reaches only the pages its functions show.
class CDlgFunctionSelDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgFunctionSelDlg(QWidget *parent = nullptr);

    void SetMainDlg(CDlgMainDlg *mainDlg) { m_pMainDlg = mainDlg; }

    void HighlightGroup(int group);
    int EnableFunctionButtons(int enable);
    int EnableSettingsButton(int enable);
    // 1 when the finance supervisor's password is empty.
    int QueryManagerPassword();
    int CheckStockAlarm();

    void SetCurrentGroup(int group) { m_nCurrentGroup = group; }
    // Shows the 登录密码为空 picture while the supervisor's password is empty.
    void UpdatePasswordPicture();

    // Enter does nothing; Escape and the close box act as 关闭窗口.
    void accept() override;
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    struct Function {
        const char *id;
        const char *caption;
        int group;
        int tab;
        bool visible;
        bool refresh;
    };

    void OnFunction(const Function &function);
    void OnFinanceLogin();
    void OnAdministratorLogin();
    void OnOnlineService();
    void OnClose();
    int RunPasswordPrompt(int kind);
    // A successful login hides the main window until it chooses a function.
    void HideMainWindow();

    int m_nCurrentGroup = 4;
    int m_nStockAlarmShown = 0;
    CDlgMainDlg *m_pMainDlg = nullptr;
    QLabel *m_emptyPassword = nullptr;
    QList<ImageButton *> m_functionButtons;
    QHash<ImageButton *, int> m_buttonGroups;
    ImageButton *m_settingsButton = nullptr;
};
