#include "CDlgFunctionSelDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include <array>

#include "CDlgMainDlg.h"
#include "CDlgOnlineServiceDlg.h"
#include "CDlgValidatePassword.h"
#include "Database.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "Interaction.h"
#include "PasswordStore.h"
#include "StockAlarm.h"

namespace {
const QColor kHighlight(0, 0, 255);
const QColor kNormal(0, 0, 0);
} // namespace

CDlgFunctionSelDlg::CDlgFunctionSelDlg(QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    TraceLog(QStringLiteral("CDlgFunctionSelDlg::oninitdialog"));
    setWindowTitle(kAppTitle);
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));

    // Rows of the menu in the order of the main window's groups; the
    // provider row's goods and finance buttons refresh their page as the
    // client row's do.
    static const std::array<Function, 15> functions = {{
        {"1016", "客户管理", 0, 0, true, true},
        {"1017", "货品单据", 0, 1, true, true},
        {"1018", "财务单据", 0, 3, true, true},
        {"1022", "应收应付", 0, 3, false, false},
        {"1019", "仓库管理", 1, 0, true, true},
        {"1020", "商品信息", 1, 1, true, false},
        {"1021", "商品月结", 1, 0, false, true},
        {"1023", "财务管理", 2, 0, true, true},
        {"1024", "财务单据报表", 2, 1, true, true},
        {"1025", "财务月结", 2, 0, false, true},
        {"1026", "参数设置", 3, 0, true, false},
        {"1030", "供应商管理", 4, 0, true, true},
        {"1031", "货品单据", 4, 1, true, true},
        {"1036", "财务单据", 4, 3, true, true},
        {"1028", "单据报表", 4, 4, false, false},
    }};
    static const std::array<const char *, 5> rowTitles = {"客户", "仓库", "帐户", "设置", "供应商"};

    auto *banner = new QLabel(this);
    banner->setObjectName(QStringLiteral("1012"));
    banner->setPixmap(QIcon(QStringLiteral(":/images/bmp298.svg")).pixmap(QSize(640, 60)));

    auto *grid = new QGridLayout;
    std::array<int, 5> columns{};
    for (const Function &function : functions) {
        auto *button = new ImageButton(QString::fromUtf8(function.caption), this);
        button->setObjectName(QString::fromLatin1(function.id));
        button->setMinimumSize(110, 44);
        button->setVisible(function.visible);
        m_buttonGroups.insert(button, function.group);
        if (function.group == 3)
            m_settingsButton = button;
        else
            m_functionButtons << button;
        if (function.visible) {
            if (columns[function.group] == 0) {
                auto *title = new QLabel(QString::fromUtf8(rowTitles[function.group]), this);
                auto *arrow = new QLabel(this);
                arrow->setPixmap(QIcon(QStringLiteral(":/images/bmp167.svg")).pixmap(12, 16));
                grid->addWidget(title, function.group, 0);
                grid->addWidget(arrow, function.group, 1);
            }
            grid->addWidget(button, function.group, 2 + columns[function.group]++);
        }
        connect(button, &QPushButton::clicked, this, [this, function] { OnFunction(function); });
    }

    auto *financeLogin = new ImageButton(QStringLiteral("财务主管登录"), this);
    financeLogin->setObjectName(QStringLiteral("1015"));
    m_emptyPassword = new QLabel(this);
    m_emptyPassword->setObjectName(QStringLiteral("1037"));
    m_emptyPassword->setPixmap(QIcon(QStringLiteral(":/images/bmp168.svg")).pixmap(QSize(120, 20)));
    m_emptyPassword->setToolTip(QStringLiteral("登录密码为空"));
    // Hidden once a password is set, the picture keeps its place: nothing
    // of the menu moves or narrows when it goes.
    QSizePolicy keepPlace = m_emptyPassword->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_emptyPassword->setSizePolicy(keepPlace);
    auto *adminLogin = new ImageButton(QStringLiteral("管理员登录"), this);
    adminLogin->setObjectName(QStringLiteral("1035"));
    auto *service = new ImageButton(QStringLiteral("在线服务"), this);
    service->setObjectName(QStringLiteral("1013"));
    service->setImage(QStringLiteral(":/images/icon140.svg"), QSize(24, 24));
    auto *close = new ImageButton(QStringLiteral("关闭窗口"), this);
    close->setObjectName(QStringLiteral("1014"));
    close->setImage(QStringLiteral(":/images/icon169.svg"), QSize(24, 24));
    auto *idle = new ImageButton(QString(), this);
    idle->setObjectName(QStringLiteral("1093"));
    idle->hide();

    auto *right = new QVBoxLayout;
    right->addWidget(financeLogin);
    right->addWidget(m_emptyPassword);
    right->addWidget(adminLogin);
    right->addStretch();
    right->addWidget(service);
    right->addWidget(close);

    auto *separator = new QLabel(this);
    separator->setPixmap(QIcon(QStringLiteral(":/images/bmp299.svg")).pixmap(QSize(600, 2)));
    auto *body = new QHBoxLayout;
    body->addLayout(grid, 1);
    body->addSpacing(16);
    body->addLayout(right);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addWidget(separator);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(financeLogin, &QPushButton::clicked, this, &CDlgFunctionSelDlg::OnFinanceLogin);
    connect(adminLogin, &QPushButton::clicked, this, &CDlgFunctionSelDlg::OnAdministratorLogin);
    connect(service, &QPushButton::clicked, this, &CDlgFunctionSelDlg::OnOnlineService);
    connect(close, &QPushButton::clicked, this, &CDlgFunctionSelDlg::OnClose);

    // Enter chooses nothing in the menu; a function is chosen by a click.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);

    HighlightGroup(m_nCurrentGroup);
    EnableFunctionButtons(0);
    EnableSettingsButton(0);
    UpdatePasswordPicture();
}

void CDlgFunctionSelDlg::HighlightGroup(int group)
{
    if (group < 0 || group > 4)
        return;
    for (auto it = m_buttonGroups.cbegin(); it != m_buttonGroups.cend(); ++it)
        it.key()->setTextColor(it.value() == group ? kHighlight : kNormal);
}

int CDlgFunctionSelDlg::EnableFunctionButtons(int enable)
{
    for (ImageButton *button : std::as_const(m_functionButtons))
        button->setEnabled(enable != 0);
    return 1;
}

int CDlgFunctionSelDlg::EnableSettingsButton(int enable)
{
    m_settingsButton->setEnabled(enable != 0);
    return 1;
}

int CDlgFunctionSelDlg::QueryManagerPassword()
{
    try {
        const std::optional<QString> stored = ReadStoredPassword(connection(), PasswordFinanceSupervisor);
        return stored && stored->isEmpty() ? 1 : 0;
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取财务主管的登录密码失败。"));
        return 0;
    }
}

void CDlgFunctionSelDlg::UpdatePasswordPicture()
{
    m_emptyPassword->setVisible(QueryManagerPassword() == 1);
}

int CDlgFunctionSelDlg::CheckStockAlarm()
{
    ShowStockAlarm(this);
    return 1;
}

void CDlgFunctionSelDlg::OnFunction(const Function &function)
{
    m_nCurrentGroup = function.group;
    HighlightGroup(function.group);
    if (!m_pMainDlg)
        return;
    m_pMainDlg->ShowTabGroup(function.group);
    m_pMainDlg->ActivateTab(function.group, function.tab);
    m_pMainDlg->SetCurrentPage(function.tab);
    if (function.refresh)
        m_pMainDlg->RefreshPages(QString());
    if (!m_pMainDlg->isVisible())
        m_pMainDlg->showNormal();
    hide();
}

int CDlgFunctionSelDlg::RunPasswordPrompt(int kind)
{
    CDlgValidatePassword prompt;
    prompt.SetPasswordKind(kind);
    return Interaction::current().runModal(&prompt);
}

void CDlgFunctionSelDlg::HideMainWindow()
{
    // The main window still shows what the previous login chose, the pages
    // of functions the new login may not use among them. It stays hidden
    // until the new login chooses a function of its own; a wrong or
    // cancelled password leaves the previous login and its window as they
    // were.
    if (m_pMainDlg)
        m_pMainDlg->hide();
}

void CDlgFunctionSelDlg::OnFinanceLogin()
{
    TraceLog(QStringLiteral("CDlgFunctionSelDlg::OnBnClickedFunFinalogin()"));
    const int result = RunPasswordPrompt(PasswordFinanceSupervisor);
    if (result == 1) {
        HideMainWindow();
        EnableFunctionButtons(1);
        EnableSettingsButton(0);
        if (m_nStockAlarmShown == 0) {
            m_nStockAlarmShown = 1;
            CheckStockAlarm();
        }
    } else if (result == 0) {
        ShowInfoMessage(QStringLiteral("密码输入错误，请重新输入。"));
    }
}

void CDlgFunctionSelDlg::OnAdministratorLogin()
{
    const int result = RunPasswordPrompt(PasswordAdministrator);
    if (result == 1) {
        HideMainWindow();
        EnableFunctionButtons(0);
        EnableSettingsButton(1);
    } else if (result == 0) {
        ShowInfoMessage(QStringLiteral("密码输入错误，请重新输入。"));
    }
}

void CDlgFunctionSelDlg::OnOnlineService()
{
    CDlgOnlineServiceDlg dialog(this);
    Interaction::current().runModal(&dialog);
}

void CDlgFunctionSelDlg::OnClose()
{
    if (m_pMainDlg && m_pMainDlg->isVisible()) {
        hide();
        return;
    }
    // Nothing else is open: the program ends through the event loop, which
    // closes the database on the way out.
    hide();
    // exit() rather than quit(): quit() would first try to close every
    // window, and the menu refuses to close.
    QApplication::exit(0);
}

void CDlgFunctionSelDlg::accept()
{
}

void CDlgFunctionSelDlg::reject()
{
    OnClose();
}

void CDlgFunctionSelDlg::closeEvent(QCloseEvent *event)
{
    event->ignore();
    OnClose();
}
