#include "CDlgNewIncomeBill.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "BillRowUpdates.h"
#include "Database.h"
#include "DatePicker.h"
#include "FinanceBillChoices.h"
#include "FinanceBillPage.h"
#include "FinanceImages.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "NumberCheck.h"
#include "PageWidgets.h"
#include "TypedLength.h"

namespace {

const QString kNoPage = QStringLiteral("找不到财务单据页面，单据没有保存。");

QLabel *makeLabel(QWidget *parent, const QString &text)
{
    return new QLabel(text, parent);
}

QLineEdit *makeEdit(QWidget *parent, const char *id, int maxLength)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(id));
    LimitTypedLength(edit, maxLength);
    return edit;
}

QComboBox *makeList(QWidget *parent, const char *id)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(id));
    return list;
}

ImageButton *makeButton(QWidget *parent, const char *id, const QString &text, const QString &image)
{
    // Enter means nothing in the editor: only a click saves or deletes.
    ImageButton *button = MakeCommandButton(parent, id, text);
    button->setImage(image);
    return button;
}

// Fills a list from its own query; a failure is shown and leaves that list
// empty.
template<typename Read>
void fillList(QComboBox *list, Read read)
{
    list->clear();
    try {
        FinanceBillChoices choices(connection());
        list->addItems(read(choices));
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取财务单据的选项失败。"));
    }
}

// The item whose text equals the text, or no selection.
void selectText(QComboBox *list, const QString &text)
{
    list->setCurrentIndex(list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

} // namespace

CDlgNewIncomeBill::CDlgNewIncomeBill(QWidget *parent)
    : QDialog(parent)
    , m_info(FinanceBillModeFor(0))
{
    setWindowTitle(QStringLiteral("新增财务收入单据"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("1254"));
    m_code = makeEdit(this, "1134", 230);
    m_account = makeList(this, "1135");
    m_date = MakeDatePicker(this, QStringLiteral("1136"), WorkingDate());
    m_nameLabel = makeLabel(this, QStringLiteral("客户名称"));
    m_nameLabel->setObjectName(QStringLiteral("1404"));
    m_name = makeList(this, "1137");
    m_name->setEditable(true);
    m_name->setInsertPolicy(QComboBox::NoInsert);
    LimitTypedLength(m_name->lineEdit(), 230);
    m_amount = makeEdit(this, "1138", 12);
    m_kind = makeList(this, "1139");
    m_moneyType = makeList(this, "1131");
    m_voucher = makeList(this, "1132");
    m_seller = makeEdit(this, "1140", 230);
    m_remark = makeEdit(this, "1133", 230);
    m_ok = makeButton(this, "1141", QStringLiteral("确定"), QStringLiteral(":/images/bmp130.svg"));
    m_delete = makeButton(this, "1143", QStringLiteral("删除"), QStringLiteral(":/images/bmp273.svg"));
    m_cancel = makeButton(this, "1142", QStringLiteral("取消"), QStringLiteral(":/images/bmp129.svg"));
    m_delete->hide();

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_picture, 0, 0, 1, 4);
    const auto addField = [&](int row, int column, const QString &caption, QWidget *field) {
        layout->addWidget(makeLabel(this, caption), row, column);
        layout->addWidget(field, row, column + 1);
    };
    addField(1, 0, QStringLiteral("单据编号"), m_code);
    addField(1, 2, QStringLiteral("帐户名称"), m_account);
    addField(2, 0, QStringLiteral("录入时间"), m_date);
    layout->addWidget(m_nameLabel, 2, 2);
    layout->addWidget(m_name, 2, 3);
    addField(3, 0, QStringLiteral("金额"), m_amount);
    addField(3, 2, QStringLiteral("收支种类"), m_kind);
    addField(4, 0, QStringLiteral("款项类别"), m_moneyType);
    addField(4, 2, QStringLiteral("凭证"), m_voucher);
    addField(5, 0, QStringLiteral("业务员"), m_seller);
    layout->addWidget(makeLabel(this, QStringLiteral("备注")), 6, 0);
    layout->addWidget(m_remark, 6, 1, 1, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_delete);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons, 7, 0, 1, 4);
    layout->setColumnMinimumWidth(1, 200);
    layout->setColumnMinimumWidth(3, 200);

    connect(m_ok, &QPushButton::clicked, this, &CDlgNewIncomeBill::OnOk);
    connect(m_delete, &QPushButton::clicked, this, &CDlgNewIncomeBill::OnDelete);
    connect(m_cancel, &QPushButton::clicked, this, &CDlgNewIncomeBill::reject);
}

int CDlgNewIncomeBill::SetMode(int mode)
{
    const FinanceBillModeInfo *info = FinanceBillModeFor(mode);
    if (!info)
        return 0;
    m_nMode = mode;
    m_info = info;
    return 1;
}

int CDlgNewIncomeBill::SetFinaTab(FinanceBillPage *page)
{
    m_pFinaTab = page;
    return 1;
}

int CDlgNewIncomeBill::SetProviderFinaTab(FinanceBillPage *page)
{
    m_pProviderFinaTab = page;
    return 1;
}

int CDlgNewIncomeBill::SetBill(const struct_button_financebill &bill)
{
    m_bill = bill;
    m_providerBill = ToPurchaseLayout(bill);
    return 1;
}

int CDlgNewIncomeBill::SetProviderBill(const struct_button_financebill_provider &bill)
{
    m_providerBill = bill;
    m_bill = ToSalesLayout(bill);
    return 1;
}

void CDlgNewIncomeBill::SetBillButton(CBCGPFinanceBillButton *button)
{
    m_pBillButton = button;
}

void CDlgNewIncomeBill::SetProviderBillButton(CBCGPFinanceBillButton_Provider *button)
{
    m_pProviderBillButton = button;
}

int CDlgNewIncomeBill::SetReportPage(BillRowUpdates *page)
{
    m_pReportPage = page;
    return 1;
}

int CDlgNewIncomeBill::SetProviderReportPage(BillRowUpdates *page)
{
    m_pProviderReportPage = page;
    return 1;
}

int CDlgNewIncomeBill::GetDepositInfo(QString &guid, QString &amount) const
{
    guid = m_strDepositGuid;
    amount = m_strDepositAmount;
    return 1;
}

QString CDlgNewIncomeBill::MakeBillCode() const
{
    YmdInfo ymd;
    GetYmdByDate(GetCurDateString(), ymd);
    return QString::fromUtf8(m_info->codePrefix) + ymd.strYear + ymd.strMonth + ymd.strDay;
}

bool CDlgNewIncomeBill::ValidateInput(const struct_button_financebill &bill)
{
    for (const QString *text : {&bill.BillCode, &bill.AccountName, &bill.InputDate, &bill.ClientName, &bill.MoneyCount,
                                &bill.IncomeType, &bill.MoneyType, &bill.Voucher}) {
        if (text->isEmpty())
            return false;
    }
    return true;
}

void CDlgNewIncomeBill::showEvent(QShowEvent *event)
{
    if (!m_initialised) {
        m_initialised = true;
        InitDialog();
    }
    QDialog::showEvent(event);
}

void CDlgNewIncomeBill::InitDialog()
{
    setWindowTitle(QString::fromUtf8(m_info->title));
    const QString picture = QStringLiteral("bmp%1.svg").arg(m_info->picture);
    m_picture->setPixmap(QIcon(FinanceImage(picture.toLatin1().constData())).pixmap(QSize(560, 56)));
    m_picture->setProperty("picture", m_info->picture);
    m_nameLabel->setText(QString::fromUtf8(m_info->nameLabel));

    FillLists();
    m_delete->setVisible(m_info->deleteOffered);
    m_date->setDate(WorkingDate());

    if (!m_info->isNew())
        ShowBill();
    if (m_info->nameLocked) {
        m_name->setEditText(m_bill.ClientName);
        m_name->setEnabled(false);
    }
    if (m_info->task == FinanceBillTask::NewDeposit) {
        m_name->setEditText(m_bill.ClientName);
        m_remark->setText(QStringLiteral("单据订金（%1）。").arg(m_bill.BillRemark));
    }
    if (m_info->isNew()) {
        const QString today = GetCurDateString();
        TraceLog(QStringLiteral("new"));
        TraceLog(today);
        m_date->setDate(QDate::fromString(today, QStringLiteral("yyyy-MM-dd")));
        m_code->setText(MakeBillCode());
    }
}

void CDlgNewIncomeBill::FillLists()
{
    fillList(m_kind, [](FinanceBillChoices &c) { return c.IncomeTypes(); });
    fillList(m_moneyType, [](FinanceBillChoices &c) { return c.MoneyTypes(); });
    fillList(m_voucher, [](FinanceBillChoices &c) { return c.Vouchers(); });
    fillList(m_account, [](FinanceBillChoices &c) { return c.Accounts(); });
    const FinanceBillSide &side = FinanceBillSide::For(m_info->side);
    fillList(m_name, [&side](FinanceBillChoices &c) { return c.PartyNames(side); });
    // The name box offers the names without choosing one.
    m_name->setCurrentIndex(-1);
    m_name->clearEditText();
}

void CDlgNewIncomeBill::ShowBill()
{
    m_code->setText(m_bill.BillCode);
    m_name->setEditText(m_bill.ClientName);
    m_amount->setText(m_bill.MoneyCount);
    m_seller->setText(m_bill.SellerName);
    m_remark->setText(m_bill.BillRemark);
    // A text that no item has any more (a renamed or deleted account, kind,
    // money type or voucher) leaves its list without a choice, so the check
    // asks for one.
    selectText(m_voucher, m_bill.Voucher);
    selectText(m_moneyType, m_bill.MoneyType);
    selectText(m_kind, m_bill.IncomeType);
    selectText(m_account, m_bill.AccountName);
    TraceLog(QStringLiteral("modify"));
    TraceLog(m_bill.InputDate);
    YmdInfo ymd;
    GetYmdByDate(m_bill.InputDate, ymd);
    const QDate day(ymd.nYear, ymd.nMonth, ymd.nDay);
    if (day.isValid())
        m_date->setDate(day);
}

struct_button_financebill CDlgNewIncomeBill::RecordFromControls() const
{
    struct_button_financebill bill;
    bill.BillCode = m_code->text();
    bill.AccountName = m_account->currentText();
    // Whatever the desktop's date format, the stored date is ISO.
    bill.InputDate = DateText(m_date->date());
    bill.ClientName = m_name->currentText();
    bill.MoneyCount = m_amount->text();
    bill.IncomeType = m_kind->currentText();
    bill.MoneyType = m_moneyType->currentText();
    bill.Voucher = m_voucher->currentText();
    bill.SellerName = m_seller->text();
    bill.BillRemark = m_remark->text();
    bill.BillType = QString::fromUtf8(m_info->billType);
    bill.ListRowIndex = m_bill.ListRowIndex;
    bill.EmptySlot = 0;
    return bill;
}

FinanceBillPage *CDlgNewIncomeBill::SidePage() const
{
    return m_info->side == PartyProvider ? m_pProviderFinaTab : m_pFinaTab;
}

void CDlgNewIncomeBill::OnOk()
{
    struct_button_financebill bill = RecordFromControls();
    if (!ValidateInput(bill)) {
        ShowInfoMessage(QStringLiteral("请输入完整信息。"));
        return;
    }
    if (!CheckTypedNumber(bill.MoneyCount, QStringLiteral("金额"), NumberRule{}, &bill.MoneyCount))
        return;
    if (!SidePage()) {
        ShowErrorMessage(kNoPage);
        return;
    }
    if (m_info->operation == FinancePageOperation::Insert)
        SaveNew(bill);
    else
        SaveChanged(bill);
}

bool CDlgNewIncomeBill::SaveNew(const struct_button_financebill &record)
{
    struct_button_financebill bill = record;
    bill.GUID = GuidText();
    // The page shows its own failure; the editor stays open as typed.
    if (!SidePage()->InsertFinanceBill(bill))
        return false;
    m_bill = bill;
    m_strDepositGuid = bill.GUID;
    m_strDepositAmount = bill.MoneyCount;
    ShowInfoMessage(QString::fromUtf8(m_info->message));
    done(1);
    return true;
}

bool CDlgNewIncomeBill::SaveChanged(const struct_button_financebill &record)
{
    struct_button_financebill bill = record;
    bill.GUID = m_bill.GUID;
    switch (SidePage()->UpdateFinanceBill(bill)) {
    case FinanceBillPage::WriteResult::Failed:
        return false;
    case FinanceBillPage::WriteResult::Gone:
        // The page has said so and listed its page again.
        RemoveReportRow();
        done(0);
        return true;
    case FinanceBillPage::WriteResult::Written:
        break;
    }
    const bool provider = m_info->side == PartyProvider;
    if (!provider && m_pBillButton)
        m_pBillButton->RefreshRecord(bill);
    if (provider && m_pProviderBillButton)
        m_pProviderBillButton->RefreshRecord(ToPurchaseLayout(bill));
    if (m_info->fromReportList) {
        if (!provider && m_pReportPage)
            m_pReportPage->UpdateBillRow(bill);
        if (provider && m_pProviderReportPage)
            m_pProviderReportPage->UpdateBillRow(ToPurchaseLayout(bill));
    }
    m_bill = bill;
    m_strDepositGuid = bill.GUID;
    m_strDepositAmount = bill.MoneyCount;
    ShowInfoMessage(QString::fromUtf8(m_info->message));
    done(1);
    return true;
}

void CDlgNewIncomeBill::OnDelete()
{
    if (!m_info->deleteOffered)
        return;
    if (AskYesNo(QStringLiteral("确定要删除这个单据吗？")) != IDYES)
        return;
    if (DeleteBill())
        done(0);
}

bool CDlgNewIncomeBill::DeleteBill()
{
    // The bill as it was opened, not as edited. A card deletes through its
    // page and hides itself; without one the side's page deletes.
    bool deleted = false;
    if (m_info->side == PartyClient && m_pBillButton) {
        deleted = m_pBillButton->RemoveRecordButton();
    } else if (m_info->side == PartyProvider && m_pProviderBillButton) {
        deleted = m_pProviderBillButton->RemoveRecordButton();
    } else if (FinanceBillPage *page = SidePage()) {
        deleted = page->DeleteFinanceBill(m_bill) != FinanceBillPage::WriteResult::Failed;
    } else {
        ShowErrorMessage(kNoPage);
    }
    if (!deleted)
        return false;
    RemoveReportRow();
    return true;
}

void CDlgNewIncomeBill::RemoveReportRow()
{
    if (!m_info->fromReportList)
        return;
    if (m_info->side == PartyClient && m_pReportPage) {
        m_pReportPage->RemoveBillRow(m_bill);
    } else if (m_info->side == PartyProvider && m_pProviderReportPage) {
        struct_button_financebill_provider row = ToPurchaseLayout(m_bill);
        row.ListIncome = m_providerBill.ListIncome;
        row.ListPayout = m_providerBill.ListPayout;
        m_pProviderReportPage->RemoveBillRow(row);
    }
}
