#include "CDlgNewAccount.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>

#include "CDlgTabAccountMgr.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "PageWidgets.h"
#include "TypedLength.h"

namespace {

// Names are limited in characters: a Chinese name of 20 characters fits.
constexpr int kNameLength = 20;

} // namespace

CDlgNewAccount::CDlgNewAccount(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("新增帐户"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));

    auto *picture = new QLabel(this);
    picture->setPixmap(QIcon(QStringLiteral(":/images/bmp257.svg")).pixmap(QSize(64, 64)));
    m_prompt = MakeIdLabel(this, "1258", QStringLiteral("请输入新增帐户的名称"));
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("1214"));
    LimitTypedLength(m_nameEdit, kNameLength);
    m_nameEdit->setMinimumWidth(240);
    ImageButton *ok = MakePictureButton(this, "1212", QStringLiteral("确定"), QStringLiteral(":/images/bmp130.svg"));
    ImageButton *cancel
        = MakePictureButton(this, "1213", QStringLiteral("取消"), QStringLiteral(":/images/bmp129.svg"));

    auto *layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 2, 1);
    layout->addWidget(m_prompt, 0, 1);
    layout->addWidget(m_nameEdit, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 2, 0, 1, 2);

    connect(ok, &QPushButton::clicked, this, &CDlgNewAccount::OnBnClickedOk);
    connect(cancel, &QPushButton::clicked, this, &CDlgNewAccount::reject);
}

int CDlgNewAccount::SetEditMode(int mode)
{
    m_nMode = mode;
    return 1;
}

int CDlgNewAccount::SetOwnerPage(CDlgTabAccountMgr *page)
{
    m_pOwnerPage = page;
    return 1;
}

void CDlgNewAccount::SetAccountButton(CBCGPAccountMgrButton *button)
{
    m_pAccountButton = button;
}

int CDlgNewAccount::SetAccount(const struct_button_account &account)
{
    m_account = account;
    return 1;
}

void CDlgNewAccount::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_bShown)
        return;
    m_bShown = true;
    if (m_nMode == EditAccount) {
        m_nameEdit->setText(m_account.AccountName);
        m_prompt->setText(QStringLiteral("请输入帐户的名称："));
    } else {
        m_prompt->setText(QStringLiteral("请输入新增帐户的名称："));
    }
}

bool CDlgNewAccount::ValidateInput()
{
    if (!m_nameEdit->text().isEmpty())
        return true;
    ShowInfoMessage(QStringLiteral("请填写 ‘帐户名称’。"));
    return false;
}

void CDlgNewAccount::OnBnClickedOk()
{
    if (!ValidateInput() || !m_pOwnerPage)
        return;
    struct_button_account account;
    account.AccountName = m_nameEdit->text();
    account.EmptySlot = 0;
    if (m_nMode == EditAccount) {
        account.AccountBalance = m_account.AccountBalance;
        account.MonthBalance = m_account.MonthBalance;
        account.GUID = m_account.GUID;
        if (!m_pOwnerPage->UpdateAccount(account))
            return;
    } else {
        account.AccountBalance = QStringLiteral("0");
        account.MonthBalance = QStringLiteral("0");
        account.GUID = GuidText();
        if (!m_pOwnerPage->AddAccount(account))
            return;
    }
    done(1);
}
