#include "CDlgAccountDetail.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "CDlgNewAccount.h"
#include "CDlgTabAccountMgr.h"
#include "CDlgTabData_Fina_Provider.h"
#include "FinanceBillQuery.h"
#include "FinanceImages.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "Interaction.h"
#include "PageWidgets.h"

CDlgAccountDetail::CDlgAccountDetail(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("帐户信息"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));

    auto *picture = new QLabel(this);
    picture->setPixmap(QIcon(FinanceImage("icon204.svg")).pixmap(QSize(48, 48)));
    m_name = MakeIdLabel(this, "1205", QString());
    m_balance = MakeIdLabel(this, "1206", QString());
    ImageButton *month = MakePictureButton(this, "1211", QStringLiteral("当月记录"), FinanceImage("icon193.svg"));
    ImageButton *year = MakePictureButton(this, "1210", QStringLiteral("当年记录"), FinanceImage("icon259.svg"));
    ImageButton *all = MakePictureButton(this, "1209", QStringLiteral("所有记录"), FinanceImage("icon194.svg"));
    ImageButton *edit = MakePictureButton(this, "1208", QStringLiteral("修改帐户"), FinanceImage("icon150.svg"));
    ImageButton *remove = MakePictureButton(this, "1207", QStringLiteral("删除帐户"), FinanceImage("icon192.svg"));
    ImageButton *close
        = MakePictureButton(this, "1203", QStringLiteral("取消操作"), QStringLiteral(":/images/icon169.svg"));

    auto *fields = new QGridLayout;
    fields->addWidget(picture, 0, 0, 2, 1);
    fields->addWidget(new QLabel(QStringLiteral("帐户名称"), this), 0, 1);
    fields->addWidget(m_name, 0, 2);
    fields->addWidget(new QLabel(QStringLiteral("帐户余额"), this), 1, 1);
    fields->addWidget(m_balance, 1, 2);
    fields->setColumnStretch(2, 1);
    auto *buttons = new QGridLayout;
    buttons->addWidget(month, 0, 0);
    buttons->addWidget(year, 0, 1);
    buttons->addWidget(all, 0, 2);
    buttons->addWidget(edit, 1, 0);
    buttons->addWidget(remove, 1, 1);
    buttons->addWidget(close, 1, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(month, &QPushButton::clicked, this, &CDlgAccountDetail::OnBnClickedMonthRecords);
    connect(year, &QPushButton::clicked, this, &CDlgAccountDetail::OnBnClickedYearRecords);
    connect(all, &QPushButton::clicked, this, &CDlgAccountDetail::OnBnClickedAllRecords);
    connect(edit, &QPushButton::clicked, this, &CDlgAccountDetail::OnBnClickedEditAccount);
    connect(remove, &QPushButton::clicked, this, &CDlgAccountDetail::OnBnClickedDeleteAccount);
    connect(close, &QPushButton::clicked, this, &CDlgAccountDetail::reject);
}

int CDlgAccountDetail::SetAccountRecord(const struct_button_account &account)
{
    m_account = account;
    return 1;
}

void CDlgAccountDetail::SetAccountButton(CBCGPAccountMgrButton *button)
{
    m_pAccountButton = button;
}

int CDlgAccountDetail::SetOwnerPage(CDlgTabAccountMgr *page)
{
    m_pOwnerPage = page;
    return 1;
}

void CDlgAccountDetail::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_name->setText(m_account.AccountName);
    m_balance->setText(m_account.AccountBalance);
}

void CDlgAccountDetail::ShowBills(Period period)
{
    if (!m_pOwnerPage)
        return;
    CDlgTabData_Fina_Provider *reportPage = m_pOwnerPage->AccountsReportPage();
    if (!reportPage)
        return;
    m_pOwnerPage->ShowMainTab(1);
    const QString today = GetCurDateString();
    std::optional<FinanceBillQuery::DateRange> dates;
    if (period == Period::Month)
        dates = FinanceBillQuery::MonthOf(today);
    else if (period == Period::Year)
        dates = FinanceBillQuery::YearOf(today);
    reportPage->ShowSearchResult(FinanceBillQuery::AccountBills(m_account.AccountName, dates));
    done(1);
}

void CDlgAccountDetail::OnBnClickedMonthRecords()
{
    ShowBills(Period::Month);
}

void CDlgAccountDetail::OnBnClickedYearRecords()
{
    ShowBills(Period::Year);
}

void CDlgAccountDetail::OnBnClickedAllRecords()
{
    ShowBills(Period::All);
}

void CDlgAccountDetail::OnBnClickedEditAccount()
{
    CDlgNewAccount dialog(this);
    dialog.SetAccountButton(m_pAccountButton);
    dialog.SetAccount(m_account);
    dialog.SetEditMode(CDlgNewAccount::EditAccount);
    dialog.SetOwnerPage(m_pOwnerPage);
    if (Interaction::current().runModal(&dialog) == 1)
        done(1);
}

void CDlgAccountDetail::OnBnClickedDeleteAccount()
{
    if (AskYesNo(QStringLiteral("确定要删除这个帐户吗？")) != IDYES)
        return;
    // The page deletes by the GUID of this window's account, never what the
    // card holds by now; an account gone meanwhile is said and the page
    // lists what is left. A delete that failed has said why; the window
    // stays as it was.
    if (m_pOwnerPage && m_pOwnerPage->DeleteAccount(m_account))
        done(0);
}
