#include "CDlgClientDetail.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "CDlgNewClient.h"
#include "CDlgPriceListDlg.h"
#include "CDlgValidatePassword.h"
#include "Database.h"
#include "GlobalFunctions.h"
#include "GridReport.h"
#include "ImageButton.h"
#include "Interaction.h"
#include "PageWidgets.h"
#include "PartyPage.h"
#include "PartyReportEvents.h"
#include "PartyStatements.h"
#include "PartyWidgets.h"
#include "PasswordStore.h"

namespace {

// The contact and money edits: control id, label id, label, the record
// field it shows.
struct FieldSpec
{
    const char *id;
    const char *labelId;
    const char *label;
    QString struct_button_data::*field;
};

using Party = struct_button_data;
const FieldSpec kContactFields[] = {
    {"1331", "", "联系人：", &Party::ContactName},
    {"1332", "", "电话：", &Party::Tel},
    {"1333", "", "传真：", &Party::Fax},
    {"1334", "", "QQ/MSN：", &Party::QQ},
    {"1335", "", "手机：", &Party::Mobile},
    {"1336", "", "邮箱：", &Party::Email},
    {"1337", "", "网址：", &Party::Web},
};
const FieldSpec kMoneyFields[] = {
    {"1340", "1081", "期初欠款", &Party::BeginArrears},
    {"1341", "1430", "货款总额", &Party::ProductPriceSum},
    {"1343", "1431", "已收总额", &Party::SumIncome},
    {"1344", "1428", "尚欠金额", &Party::ClientSumArrears},
};

// The command buttons: id, the template caption, the client and provider
// captions (null: the template's), the picture.
struct CommandSpec
{
    const char *id;
    const char *caption;
    const char *clientCaption;
    const char *providerCaption;
    const char *image;
};

const CommandSpec kCommands[] = {
    {"1091", "销售开单", "销售出货", "采购退货", ":/icons/icon184.svg"},
    {"1069", "销售进货", "销售退货", "采购进货", ":/icons/icon185.svg"},
    {"1070", "财务收入", nullptr, nullptr, ":/partners/icon186.svg"},
    {"1071", "财务支出", nullptr, nullptr, ":/partners/icon187.svg"},
    {"1076", "当月单据", nullptr, nullptr, ":/partners/icon193.svg"},
    {"1077", "所有单据", nullptr, nullptr, ":/partners/icon194.svg"},
    {"1080", "当月单据", nullptr, nullptr, ":/partners/icon193.svg"},
    {"1082", "所有单据", nullptr, nullptr, ":/partners/icon194.svg"},
    {"1074", "客户修改", "客户修改", "供应商修改", ":/partners/icon191.svg"},
    {"1075", "客户删除", "客户删除", "供应商删除", ":/partners/icon192.svg"},
    {"1078", "价格列表", nullptr, nullptr, ":/partners/icon195.svg"},
    {"1072", "应收款项", "销售概况统计", "采购概况统计", ":/partners/icon188.svg"},
    {"1073", "应付款项", "货品销售明细", "货品采购明细", ":/partners/icon151.svg"},
    {"1079", "月结统计", nullptr, nullptr, ":/partners/icon196.svg"},
};

// The group boxes around the commands, with the buttons each holds.
struct CommandGroup
{
    const char *title;
    std::vector<const char *> ids;
};

const CommandGroup kCommandGroups[] = {
    {"新增货品单据", {"1091", "1069"}},
    {"新增财务单据", {"1070", "1071"}},
    {"货品单据查找", {"1076", "1077"}},
    {"财务单据查找", {"1080", "1082"}},
    {"资料修改", {"1074", "1075"}},
    {"报价管理", {"1078"}},
    {"统计报表", {"1072", "1073", "1079"}},
};

template <typename Line> std::vector<Line> inLayout(const std::vector<struct_button_goodsbill> &rows);

template <> std::vector<struct_button_goodsbill> inLayout(const std::vector<struct_button_goodsbill> &rows)
{
    return rows;
}

template <> std::vector<struct_button_provider_goodsbill> inLayout(const std::vector<struct_button_goodsbill> &rows)
{
    std::vector<struct_button_provider_goodsbill> lines;
    lines.reserve(rows.size());
    for (const struct_button_goodsbill &row : rows)
        lines.push_back(ToPurchaseLayout(row));
    return lines;
}

} // namespace

CDlgClientDetail::CDlgClientDetail(QWidget *parent)
    : QDialog(parent)
{
    InitPartyResources();
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));
    resize(1000, 460);
    CreateControls();
    CreateReports();
    SetModeCaptions();
    EnableCommands();
}

CDlgClientDetail::~CDlgClientDetail() = default;

void CDlgClientDetail::CreateControls()
{
    auto *details = new QGroupBox(QStringLiteral("详细信息"), this);
    auto *detailLayout = new QGridLayout(details);
    int row = 0;
    for (const FieldSpec &spec : kContactFields) {
        auto *edit = new QLineEdit(details);
        edit->setObjectName(QString::fromLatin1(spec.id));
        edit->setReadOnly(true);
        edit->setMinimumWidth(140);
        m_fields.insert(QString::fromLatin1(spec.id), edit);
        detailLayout->addWidget(new QLabel(QString::fromUtf8(spec.label), details), row / 2, (row % 2) * 2);
        detailLayout->addWidget(edit, row / 2, (row % 2) * 2 + 1);
        ++row;
    }
    const auto multiLine = [&](const char *id, const char *label, int at) {
        auto *edit = new QPlainTextEdit(details);
        edit->setObjectName(QString::fromLatin1(id));
        edit->setReadOnly(true);
        edit->setMaximumHeight(60);
        detailLayout->addWidget(new QLabel(QString::fromUtf8(label), details), at, 0);
        detailLayout->addWidget(edit, at, 1, 1, 3);
        return edit;
    };
    m_remark = multiLine("1338", "备注：", row / 2 + 1);
    m_address = multiLine("1339", "地址：", row / 2 + 2);

    auto *money = new QGroupBox(QStringLiteral("财务指标"), this);
    auto *moneyLayout = new QGridLayout(money);
    int column = 0;
    for (const FieldSpec &spec : kMoneyFields) {
        auto *label = MakeIdLabel(money, spec.labelId, QString::fromUtf8(spec.label));
        label->setAlignment(Qt::AlignCenter);
        m_labels.insert(QString::fromLatin1(spec.labelId), label);
        auto *edit = new QLineEdit(money);
        edit->setObjectName(QString::fromLatin1(spec.id));
        edit->setReadOnly(true);
        edit->setAlignment(Qt::AlignCenter);
        edit->setMinimumWidth(90);
        m_fields.insert(QString::fromLatin1(spec.id), edit);
        moneyLayout->addWidget(label, 0, column);
        moneyLayout->addWidget(edit, 1, column);
        ++column;
    }
    // Held by the window but never shown.
    auto *payout = new QLineEdit(money);
    payout->setObjectName(QStringLiteral("1342"));
    payout->hide();
    m_fields.insert(QStringLiteral("1342"), payout);

    for (const CommandSpec &spec : kCommands) {
        ImageButton *button
            = MakePictureButton(this, spec.id, QString::fromUtf8(spec.caption), QString::fromLatin1(spec.image));
        button->setMinimumHeight(40);
        m_buttons.insert(QString::fromLatin1(spec.id), button);
    }
    // 月结统计 has no place on screen: its button is never shown.
    m_buttons.value(QStringLiteral("1079"))->hide();

    auto *commands = new QGridLayout;
    int groupIndex = 0;
    for (const CommandGroup &group : kCommandGroups) {
        auto *box = new QGroupBox(QString::fromUtf8(group.title), this);
        auto *boxLayout = new QHBoxLayout(box);
        for (const char *id : group.ids)
            boxLayout->addWidget(m_buttons.value(QString::fromLatin1(id)));
        commands->addWidget(box, groupIndex / 2, groupIndex % 2);
        ++groupIndex;
    }

    auto *left = new QVBoxLayout;
    left->addWidget(money);
    left->addWidget(details);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(commands, 1);

    const std::pair<const char *, void (CDlgClientDetail::*)()> handlers[] = {
        {"1091", &CDlgClientDetail::OnNewOutgoingGoodsBill},
        {"1069", &CDlgClientDetail::OnNewIncomingGoodsBill},
        {"1070", &CDlgClientDetail::OnNewIncomeBill},
        {"1071", &CDlgClientDetail::OnNewPayoutBill},
        {"1076", &CDlgClientDetail::OnGoodsBillsOfMonth},
        {"1077", &CDlgClientDetail::OnAllGoodsBills},
        {"1080", &CDlgClientDetail::OnFinanceBillsOfMonth},
        {"1082", &CDlgClientDetail::OnAllFinanceBills},
        {"1074", &CDlgClientDetail::OnModifyParty},
        {"1075", &CDlgClientDetail::OnDeleteParty},
        {"1078", &CDlgClientDetail::OnPriceList},
        {"1072", &CDlgClientDetail::OnSurveyReport},
        {"1073", &CDlgClientDetail::OnProductDetailReport},
        {"1079", &CDlgClientDetail::OnMonthStatement},
    };
    for (const auto &[id, handler] : handlers)
        connect(m_buttons.value(QString::fromLatin1(id)), &QPushButton::clicked, this, handler);
}

void CDlgClientDetail::CreateReports()
{
    m_monthReport = LoadReportTemplate("ClientMonthBalance.grf");
    m_monthEvent = std::make_unique<CClientMonthReportEvent>();
    m_monthEvent->ConnectTo(m_monthReport.get());
    m_stockSurveyReport = LoadReportTemplate("ProviderStockSurveyReport.grf");
    m_stockSurveyEvent = std::make_unique<CStockSurveyReportEvent>();
    m_stockSurveyEvent->ConnectTo(m_stockSurveyReport.get());
    m_shipmentSurveyReport = LoadReportTemplate("ClientShipmentSurveyReport.grf");
    m_shipmentSurveyEvent = std::make_unique<CShipmentSurveyReportEvent>();
    m_shipmentSurveyEvent->ConnectTo(m_shipmentSurveyReport.get());
    m_stockDetailReport = LoadReportTemplate("ProviderStockDetailReport.grf");
    m_stockDetailEvent = std::make_unique<CProductStockDetailReportEvent>();
    m_stockDetailEvent->ConnectTo(m_stockDetailReport.get());
    m_shipmentDetailReport = LoadReportTemplate("ProviderShipmentDetailReport.grf");
    m_shipmentDetailEvent = std::make_unique<CProductShipmentDetailReportEvent>();
    m_shipmentDetailEvent->ConnectTo(m_shipmentDetailReport.get());
}

const PartySideInfo &CDlgClientDetail::SideInfo() const
{
    return PartySideInfo::For(IsProvider() ? PartyProvider : PartyClient);
}

PartyPage *CDlgClientDetail::Page() const
{
    if (IsProvider())
        return m_pProviderPage;
    return m_pClientPage;
}

int CDlgClientDetail::SetClientRecord(const struct_button_data &record)
{
    m_party = record;
    ShowRecord();
    return 1;
}

int CDlgClientDetail::SetProviderRecord(const struct_button_provider &record)
{
    m_provider = record;
    m_party = ConvertProviderRecord(record);
    ShowRecord();
    return 1;
}

int CDlgClientDetail::SetClientButton(CBCGPDataButton *button)
{
    m_pClientButton = button;
    return 1;
}

int CDlgClientDetail::SetProviderButton(CBCGPProviderButton *button)
{
    m_pProviderButton = button;
    return 1;
}

int CDlgClientDetail::SetClientTab(CDlgTabClient *page)
{
    m_pClientPage = page;
    return 1;
}

int CDlgClientDetail::SetProviderTab(CDlgTabProviderMgr *page)
{
    m_pProviderPage = page;
    return 1;
}

int CDlgClientDetail::SetMode(int side)
{
    m_nSide = side == PartyProvider ? PartyProvider : PartyClient;
    SetModeCaptions();
    EnableCommands();
    return 1;
}

int CDlgClientDetail::SetBillCommands(PartyBillCommands *commands)
{
    m_commands = commands;
    EnableCommands();
    return 1;
}

struct_button_data CDlgClientDetail::ConvertProviderRecord(const struct_button_provider &provider)
{
    struct_button_data party = ToClientLayout(provider);
    party.Loan = provider.BeginArrears;
    return party;
}

GridReport *CDlgClientDetail::SurveyReport() const
{
    return IsProvider() ? m_stockSurveyReport.get() : m_shipmentSurveyReport.get();
}

GridReport *CDlgClientDetail::ProductDetailReport() const
{
    return IsProvider() ? m_stockDetailReport.get() : m_shipmentDetailReport.get();
}

void CDlgClientDetail::SetModeCaptions()
{
    for (const CommandSpec &spec : kCommands) {
        const char *caption = IsProvider() ? spec.providerCaption : spec.clientCaption;
        if (caption)
            m_buttons.value(QString::fromLatin1(spec.id))->setText(QString::fromUtf8(caption));
    }
    m_labels.value(QStringLiteral("1431"))
        ->setText(IsProvider() ? QStringLiteral("已付金额") : QStringLiteral("已收总额"));
}

void CDlgClientDetail::ShowRecord()
{
    setWindowTitle(m_party.ClientName);
    for (const FieldSpec &spec : kContactFields)
        m_fields.value(QString::fromLatin1(spec.id))->setText(m_party.*spec.field);
    // The figures as the card holds them: the window computes none.
    for (const FieldSpec &spec : kMoneyFields)
        m_fields.value(QString::fromLatin1(spec.id))->setText(m_party.*spec.field);
    m_fields.value(QStringLiteral("1342"))->setText(m_party.PayoutIncome);
    m_remark->setPlainText(m_party.Remark);
    m_address->setPlainText(m_party.Address);
}

void CDlgClientDetail::EnableCommands()
{
    const auto offers = [this](Command command) { return m_commands && m_commands->Offers(command); };
    for (const char *id : {"1091", "1069"})
        m_buttons.value(QString::fromLatin1(id))->setEnabled(offers(Command::NewGoodsBill));
    for (const char *id : {"1070", "1071"})
        m_buttons.value(QString::fromLatin1(id))->setEnabled(offers(Command::NewFinanceBill));
    for (const char *id : {"1076", "1077"})
        m_buttons.value(QString::fromLatin1(id))->setEnabled(offers(Command::ShowGoodsBills));
    for (const char *id : {"1080", "1082"})
        m_buttons.value(QString::fromLatin1(id))->setEnabled(offers(Command::ShowFinanceBills));
}

void CDlgClientDetail::NewGoodsBill(int clientMode, int providerMode)
{
    if (!m_commands || !m_commands->Offers(Command::NewGoodsBill))
        return;
    const int saved = m_commands->NewGoodsBill(m_nSide, IsProvider() ? providerMode : clientMode, m_party.ClientName);
    // A purchase bill leaves the window open with the figures it opened
    // with; a sales bill shows the goods-bill page.
    if (saved != 1 || IsProvider())
        return;
    if (m_commands->Offers(Command::ActivatePage))
        m_commands->ActivatePage(m_nSide, 1);
    done(1);
}

void CDlgClientDetail::OnNewOutgoingGoodsBill()
{
    NewGoodsBill(6, 17);
}

void CDlgClientDetail::OnNewIncomingGoodsBill()
{
    NewGoodsBill(7, 16);
}

void CDlgClientDetail::NewFinanceBill(int clientMode, int providerMode)
{
    if (!m_commands || !m_commands->Offers(Command::NewFinanceBill))
        return;
    const int saved = m_commands->NewFinanceBill(m_nSide, IsProvider() ? providerMode : clientMode, m_party.ClientName);
    if (saved != 1)
        return;
    if (m_commands->Offers(Command::ActivatePage))
        m_commands->ActivatePage(m_nSide, 3);
    done(1);
}

void CDlgClientDetail::OnNewIncomeBill()
{
    NewFinanceBill(6, 24);
}

void CDlgClientDetail::OnNewPayoutBill()
{
    NewFinanceBill(7, 25);
}

void CDlgClientDetail::ShowBills(Command command, bool workingMonthOnly)
{
    if (!m_commands || !m_commands->Offers(command))
        return;
    const QString today = GetCurDateString();
    const QString first = workingMonthOnly ? MonthFirstDay(today) : QString();
    const QString last = workingMonthOnly ? MonthLastDay(today) : QString();
    if (command == Command::ShowGoodsBills)
        m_commands->ShowGoodsBills(m_nSide, m_party.ClientName, first, last);
    else
        m_commands->ShowFinanceBills(m_nSide, m_party.ClientName, first, last);
    done(1);
}

void CDlgClientDetail::OnGoodsBillsOfMonth()
{
    ShowBills(Command::ShowGoodsBills, true);
}

void CDlgClientDetail::OnAllGoodsBills()
{
    ShowBills(Command::ShowGoodsBills, false);
}

void CDlgClientDetail::OnFinanceBillsOfMonth()
{
    ShowBills(Command::ShowFinanceBills, true);
}

void CDlgClientDetail::OnAllFinanceBills()
{
    ShowBills(Command::ShowFinanceBills, false);
}

void CDlgClientDetail::OnModifyParty()
{
    CDlgValidatePassword prompt;
    prompt.SetPasswordKind(PasswordDataModification);
    const int checked = Interaction::current().runModal(&prompt);
    if (checked == 0) {
        ShowInfoMessage(QStringLiteral("密码输入错误，请重新输入。"));
        return;
    }
    if (checked != 1)
        return;

    CDlgNewClient dialog;
    if (IsProvider()) {
        dialog.SetProviderPage(m_pProviderPage);
        dialog.SetMode(ClientEditModifyProvider);
        m_party = ConvertProviderRecord(m_provider);
        dialog.SetRecord(m_party);
        dialog.SetProviderButton(m_pProviderButton);
    } else {
        dialog.SetClientPage(m_pClientPage);
        dialog.SetMode(ClientEditModifyClient);
        dialog.SetRecord(m_party);
        dialog.SetClientButton(m_pClientButton);
    }
    // 2 is the record dialog's answer for a saved change; a cancelled one
    // keeps this window open.
    if (Interaction::current().runModal(&dialog) == 2)
        done(1);
}

void CDlgClientDetail::OnDeleteParty()
{
    if (AskYesNo(QStringLiteral("确定要删除这个%1吗？").arg(SideInfo().partyWord)) != IDYES)
        return;
    bool deleted = false;
    if (IsProvider() && m_pProviderButton)
        deleted = m_pProviderButton->RemoveRecordButton();
    else if (!IsProvider() && m_pClientButton)
        deleted = m_pClientButton->RemoveRecordButton();
    else if (PartyPage *page = Page())
        deleted = page->DeleteParty(m_party);
    // A delete that failed has said why; the party is still there.
    if (deleted)
        done(0);
}

void CDlgClientDetail::OnPriceList()
{
    CDlgPriceListDlg dialog;
    dialog.SetSide(m_nSide);
    if (IsProvider())
        dialog.SetOwnerName(m_provider.ProviderName);
    else
        dialog.SetClientName(m_party.ClientName);
    Interaction::current().runModal(&dialog);
}

bool CDlgClientDetail::AskPeriod(PeriodRange &period)
{
    const QString today = GetCurDateString();
    CDlgPrtMonthSelDate dialog;
    dialog.SetDateRange(MonthFirstDay(today), MonthLastDay(today));
    dialog.SetOwnerPage(nullptr);
    dialog.SetHideZeroOption(1);
    if (Interaction::current().runModal(&dialog) != 1)
        return false;
    dialog.GetResult(period);
    return true;
}

void CDlgClientDetail::SetReportParameters(GridReport *report, const QString &dateRange)
{
    if (ReportParameter *name = report->FindParameterByName(QStringLiteral("ClientName")))
        name->SetAsText(m_party.ClientName);
    if (ReportParameter *range = report->FindParameterByName(QStringLiteral("DateRange")))
        range->SetAsText(dateRange);
}

void CDlgClientDetail::ShowReport(GridReport *report)
{
    if (!report->OutputReport(1))
        ShowErrorMessage(report->lastError());
}

void CDlgClientDetail::OnSurveyReport()
{
    PeriodRange period;
    if (!AskPeriod(period))
        return;
    try {
        m_surveyRows
            = PartyStatements(connection(), SideInfo()).Survey(m_party.ClientName, m_party.BeginArrears, period);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("生成%1失败。").arg(m_buttons.value(QStringLiteral("1072"))->text()));
        return;
    }
    if (IsProvider())
        m_stockSurveyEvent->SetRecords(inLayout<struct_button_provider_goodsbill>(m_surveyRows));
    else
        m_shipmentSurveyEvent->SetRecords(inLayout<struct_button_goodsbill>(m_surveyRows));
    SetReportParameters(SurveyReport(), QStringLiteral("%1 到 %2").arg(period.StartDate, period.EndDate));
    ShowReport(SurveyReport());
}

void CDlgClientDetail::OnProductDetailReport()
{
    PeriodRange period;
    if (!AskPeriod(period))
        return;
    try {
        m_detailRows = PartyStatements(connection(), SideInfo()).ProductDetail(m_party.ClientName, period);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("生成%1失败。").arg(m_buttons.value(QStringLiteral("1073"))->text()));
        return;
    }
    if (IsProvider())
        m_stockDetailEvent->SetRecords(inLayout<struct_button_provider_goodsbill>(m_detailRows));
    else
        m_shipmentDetailEvent->SetRecords(inLayout<struct_button_goodsbill>(m_detailRows));
    SetReportParameters(ProductDetailReport(), QStringLiteral("%1 到 %2").arg(period.StartDate, period.EndDate));
    ShowReport(ProductDetailReport());
}

void CDlgClientDetail::OnMonthStatement()
{
    const QString today = GetCurDateString();
    try {
        m_monthRows
            = PartyStatements(connection(), SideInfo()).MonthStatement(m_party.ClientName, m_party.BeginArrears, today);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("生成月结统计失败。"));
        return;
    }
    m_monthEvent->SetRecords(m_monthRows);
    SetReportParameters(m_monthReport.get(), PartyStatements::MonthRangeText(today));
    ShowReport(m_monthReport.get());
}
