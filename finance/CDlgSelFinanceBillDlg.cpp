#include "CDlgSelFinanceBillDlg.h"

#include <QHBoxLayout>

#include "CDlgNewIncomeBill.h"
#include "FinanceBillPage.h"
#include "FinanceImages.h"
#include "ImageButton.h"
#include "Interaction.h"
#include "PageWidgets.h"
#include "SharedTypes.h"

namespace {

ImageButton *makeButton(QWidget *parent, const char *id, const QString &text, const char *icon)
{
    ImageButton *button = MakeCommandButton(parent, id, text);
    button->setImage(FinanceImage(icon), QSize(32, 32));
    button->setMinimumSize(150, 58);
    return button;
}

} // namespace

CDlgSelFinanceBillDlg::CDlgSelFinanceBillDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("选择财务单据类型"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));
    m_income = makeButton(this, "1125", QStringLiteral("财务收入"), "icon186.svg");
    m_payout = makeButton(this, "1126", QStringLiteral("财务支出"), "icon187.svg");
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_income);
    layout->addWidget(m_payout);
    connect(m_income, &QPushButton::clicked, this, &CDlgSelFinanceBillDlg::OnIncomeBill);
    connect(m_payout, &QPushButton::clicked, this, &CDlgSelFinanceBillDlg::OnPayoutBill);
}

void CDlgSelFinanceBillDlg::SetOwnerPage(FinanceBillPage *page)
{
    m_pOwnerPage = page;
}

int CDlgSelFinanceBillDlg::SetProviderPageOrOwner(FinanceBillPage *page)
{
    m_pProviderPage = page;
    return 1;
}

int CDlgSelFinanceBillDlg::SetSide(int side)
{
    m_nSide = side;
    return 1;
}

void CDlgSelFinanceBillDlg::showEvent(QShowEvent *event)
{
    if (m_nSide == PartyClient || m_nSide == PartyProvider) {
        m_income->setText(QStringLiteral("财务收入单"));
        m_payout->setText(QStringLiteral("财务支出单"));
    }
    QDialog::showEvent(event);
}

void CDlgSelFinanceBillDlg::OnIncomeBill()
{
    RunEditor(0, 10);
}

void CDlgSelFinanceBillDlg::OnPayoutBill()
{
    RunEditor(1, 11);
}

void CDlgSelFinanceBillDlg::RunEditor(int clientMode, int providerMode)
{
    if (m_nSide != PartyClient && m_nSide != PartyProvider)
        return;
    const bool provider = m_nSide == PartyProvider;
    FinanceBillPage *page = provider ? m_pProviderPage : m_pOwnerPage;
    CDlgNewIncomeBill editor(page);
    if (provider)
        editor.SetProviderFinaTab(page);
    else
        editor.SetFinaTab(page);
    editor.SetMode(provider ? providerMode : clientMode);
    Interaction::current().runModal(&editor);
    done(0);
}
