#include "CDlgNewShipment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "CCellTypesGridCtrl.h"
#include "CDlgNewProduct.h"
#include "CDlgPriceListDlg.h"
#include "CDlgTabData_Provider.h"
#include "CDlgValidatePassword.h"
#include "CTradeBillReportEvent.h"
#include "Database.h"
#include "DepositEditor.h"
#include "GlobalFunctions.h"
#include "GoodsBillChoiceLists.h"
#include "GoodsBillPage.h"
#include "GoodsBillStore.h"
#include "GoodsBillWriter.h"
#include "GridReport.h"
#include "ImageButton.h"
#include "Interaction.h"
#include "PageWidgets.h"
#include "PasswordStore.h"
#include "RecordButtons.h"
#include "TypedLength.h"

namespace {

constexpr int kTextLength = 230;
constexpr int kDepositLength = 12;
const QString kPrepaid = QStringLiteral("启用预付款");

QLabel* MakeFieldLabel(QWidget* parent, const QString& text)
{
    return new QLabel(text, parent);
}

QComboBox* MakeHiddenList(QWidget* parent, const char* id)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(id));
    list->hide();
    return list;
}

// The banner's words and colour by the mode's picture.
struct BannerLook
{
    QString text;
    const char* colour;
};

BannerLook BannerFor(GoodsBillModeInfo::Banner banner)
{
    using Banner = GoodsBillModeInfo::Banner;
    switch (banner) {
    case Banner::NewShipment:
        return {QStringLiteral("新增出货单"), "#2f6fb5"};
    case Banner::NewStockIn:
        return {QStringLiteral("新增进货单"), "#2f6fb5"};
    case Banner::NewSalesReturn:
        return {QStringLiteral("新增销售退货单"), "#b53a2f"};
    case Banner::NewPurchaseReturn:
        return {QStringLiteral("新增采购退货单"), "#b53a2f"};
    case Banner::ChangedShipment:
        return {QStringLiteral("修改出货单"), "#3b8a4a"};
    case Banner::ChangedStockIn:
        return {QStringLiteral("修改进货单"), "#3b8a4a"};
    case Banner::ChangedSalesReturn:
        return {QStringLiteral("修改销售退货单"), "#8a5a3b"};
    case Banner::ChangedPurchaseReturn:
        return {QStringLiteral("修改采购退货单"), "#8a5a3b"};
    case Banner::Other:
        break;
    }
    return {QStringLiteral("货品单据"), "#606060"};
}

// The deposit's finance bill outlives the goods bill: "订金单据 SR_…（50.00
// 元）已经记入财务单据，删除本单据不会删除它。" for the action, the code left
// out when it is not known.
QString DepositStaysNote(const QString& code, const QString& amount, const QString& action)
{
    return QStringLiteral("订金单据%1（%2 元）已经记入财务单据，%3本单据不会删除它。")
        .arg(code.isEmpty() ? QString() : QStringLiteral(" ") + code, amount, action);
}

} // namespace

CDlgNewShipment::CDlgNewShipment(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("产品出货单"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));
    CreateControls();
    m_modeInfo = GoodsBillModeInfo::For(m_nMode);
}

CDlgNewShipment::~CDlgNewShipment() = default;

void CDlgNewShipment::CreateControls()
{
    m_banner = new QLabel(this);
    m_banner->setObjectName(QStringLiteral("1116"));
    m_banner->setFixedHeight(44);
    m_banner->setIndent(16);

    m_gridFrame = new QFrame(this);
    m_gridFrame->setObjectName(QStringLiteral("1261"));
    m_grid = new CCellTypesGridCtrl(m_gridFrame);
    m_grid->setObjectName(QStringLiteral("billGrid"));
    auto* gridLayout = new QVBoxLayout(m_gridFrame);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->addWidget(m_grid);

    m_deposit = new QLineEdit(this);
    m_deposit->setObjectName(QStringLiteral("1119"));
    m_deposit->setReadOnly(true);
    LimitTypedLength(m_deposit, kDepositLength);
    m_setDeposit = MakeCommandButton(this, "1429", QStringLiteral("设置订金"));
    m_seller = new QLineEdit(this);
    m_seller->setObjectName(QStringLiteral("1124"));
    LimitTypedLength(m_seller, kTextLength);
    m_remark = new QLineEdit(this);
    m_remark->setObjectName(QStringLiteral("1117"));
    LimitTypedLength(m_remark, kTextLength);

    // The prepayment switch and its lists take part in loading, checking
    // and saving but are never shown.
    m_prepaid = new QCheckBox(QStringLiteral("已付货款"), this);
    m_prepaid->setObjectName(QStringLiteral("1118"));
    m_prepaid->hide();
    m_account = MakeHiddenList(this, "1120");
    m_incomeType = MakeHiddenList(this, "1121");
    m_fundType = MakeHiddenList(this, "1122");
    m_voucher = MakeHiddenList(this, "1123");

    m_addProduct = MakeCommandButton(this, "1109", QStringLiteral("新增货品"));
    m_addUnitPrice = MakeCommandButton(this, "1110", QStringLiteral("新增单价"));
    m_delete = MakeCommandButton(this, "1111", QStringLiteral("删 除"));
    m_delete->setImage(QStringLiteral(":/images/bmp273.svg"));
    m_save = MakeCommandButton(this, "1112", QStringLiteral("确定"));
    m_save->setImage(QStringLiteral(":/images/bmp130.svg"));
    m_cancel = MakeCommandButton(this, "1113", QStringLiteral("取消"));
    m_cancel->setImage(QStringLiteral(":/images/bmp129.svg"));
    m_modify = MakeCommandButton(this, "1114", QStringLiteral("修改"));
    m_modify->setToolTip(QStringLiteral("修改"));
    m_print = MakeCommandButton(this, "1115", QStringLiteral("打印"));
    m_print->setToolTip(QStringLiteral("打印"));

    auto* fields = new QHBoxLayout;
    fields->addWidget(MakeFieldLabel(this, QStringLiteral("单据订金")));
    fields->addWidget(m_deposit);
    fields->addWidget(m_setDeposit);
    fields->addSpacing(12);
    fields->addWidget(MakeFieldLabel(this, QStringLiteral("业务员")));
    fields->addWidget(m_seller);
    fields->addSpacing(12);
    fields->addWidget(MakeFieldLabel(this, QStringLiteral("单据备注")));
    fields->addWidget(m_remark, 1);

    // Every button keeps its place whether its neighbours show or not: 删 除
    // never comes up where 修改 was clicked.
    auto* buttons = new QHBoxLayout;
    for (ImageButton* button : {m_addProduct, m_addUnitPrice, m_modify, m_print, m_delete, m_save, m_cancel}) {
        QSizePolicy keepPlace = button->sizePolicy();
        keepPlace.setRetainSizeWhenHidden(true);
        button->setSizePolicy(keepPlace);
        buttons->addWidget(button);
        if (button == m_addUnitPrice)
            buttons->addStretch();
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_banner);
    layout->addWidget(m_gridFrame, 1);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    resize(830, 470);

    connect(m_save, &QPushButton::clicked, this, &CDlgNewShipment::OnSaveBill);
    connect(m_delete, &QPushButton::clicked, this, &CDlgNewShipment::OnDelete);
    connect(m_cancel, &QPushButton::clicked, this, &CDlgNewShipment::OnCancel);
    connect(m_modify, &QPushButton::clicked, this, &CDlgNewShipment::OnUnlockModify);
    connect(m_addProduct, &QPushButton::clicked, this, &CDlgNewShipment::OnAddProduct);
    connect(m_addUnitPrice, &QPushButton::clicked, this, &CDlgNewShipment::OnAddUnitPrice);
    connect(m_prepaid, &QCheckBox::clicked, this, &CDlgNewShipment::OnPrepaidClicked);
    connect(m_print, &QPushButton::clicked, this, &CDlgNewShipment::OnPrint);
    connect(m_setDeposit, &QPushButton::clicked, this, &CDlgNewShipment::OnSetDeposit);
}

int CDlgNewShipment::SetMode(int mode)
{
    m_nMode = mode;
    m_modeInfo = GoodsBillModeInfo::For(mode);
    return 1;
}

int CDlgNewShipment::SetBillRows(const GoodsBillLines& lines)
{
    m_loadedLines = lines;
    return 1;
}

int CDlgNewShipment::SetProviderBillRows(const std::vector<struct_button_provider_goodsbill>& lines)
{
    m_loadedProviderLines = lines;
    m_loadedLines.clear();
    for (const struct_button_provider_goodsbill& line : lines)
        m_loadedLines.push_back(ToSalesLayout(line));
    return 1;
}

int CDlgNewShipment::SetBillButton(CBCGPGoodsBillButton* button)
{
    m_pBillButton = button;
    return 1;
}

int CDlgNewShipment::SetProviderBillButton(CBCGPProviderGoodsBillButton* button)
{
    m_pProviderBillButton = button;
    return 1;
}

int CDlgNewShipment::SetGoodsTab(CDlgTabGoods* page)
{
    m_pGoodsTab = page;
    return 1;
}

int CDlgNewShipment::SetProviderGoodsTab(CDlgTabProviderGoods* page)
{
    m_pProviderGoodsTab = page;
    return 1;
}

int CDlgNewShipment::SetReportPage(CDlgTabData_Provider* page)
{
    m_pReportPage = page;
    return 1;
}

int CDlgNewShipment::SetStorePage(CDlgTabStore* page)
{
    m_pStorePage = page;
    return 1;
}

void CDlgNewShipment::showEvent(QShowEvent* event)
{
    if (!m_isInitialized) {
        m_isInitialized = true;
        InitDialog();
    }
    QDialog::showEvent(event);
}

void CDlgNewShipment::InitDialog()
{
    TraceLog(QStringLiteral("CDlgNewShipment::OnInitDialog"));
    m_grid->SetBillType(m_nMode);
    m_grid->SetBillDlg(this);
    // A stored bill of more lines than the grid's six (a file written
    // elsewhere) gets a row per line, so that a save loses none.
    const int lineRows = m_modeInfo.isChange() ? static_cast<int>(m_loadedLines.size()) : 0;
    m_grid->Create(std::max(lineRows, CCellTypesGridCtrl::kLineRows));

    EnablePrepaidFields(false);
    FillLists();
    if (m_modeInfo.isChange() && !m_loadedLines.empty())
        FillFromLoadedBill();
    if (m_modeInfo.fromPartyWindow && !m_loadedLines.empty()) {
        m_grid->SetCellText(
            CCellTypesGridCtrl::HeadRow, CCellTypesGridCtrl::CompanyColumn, m_loadedLines.front().CompanyName);
        m_grid->LockCompany();
    }
    ApplyModeLayout();

    m_report = std::make_unique<GridReport>();
    // A template that cannot be loaded is reported when the bill is printed.
    m_report->LoadTemplateFile(GetAppDirectory() + QStringLiteral("/TradeBillReport.grf"));
    m_reportEvent = std::make_unique<CTradeBillReportEvent>();
    m_reportEvent->ConnectTo(m_report.get());

    if (m_modeInfo.isNew())
        m_grid->SetBillDate(WorkingDate());
}

void CDlgNewShipment::FillLists()
{
    const auto fill = [](QComboBox* list, const QString& failure, auto read) {
        try {
            list->addItems(read());
        } catch (const DbError& error) {
            ShowDbError(error, failure);
        }
        list->setCurrentIndex(list->count() > 0 ? 0 : -1);
    };
    const auto lists = [] { return GoodsBillChoiceLists(connection()); };
    fill(m_incomeType, QStringLiteral("读取收支种类失败。"), [&] { return lists().IncomeTypes(); });
    fill(m_fundType, QStringLiteral("读取款项类别失败。"), [&] { return lists().MoneyTypes(); });
    fill(m_voucher, QStringLiteral("读取凭证失败。"), [&] { return lists().Vouchers(); });
    fill(m_account, QStringLiteral("读取帐户名称失败。"), [&] { return lists().AccountNames(); });
}

void CDlgNewShipment::FillFromLoadedBill()
{
    const struct_button_goodsbill& first = m_loadedLines.front();
    m_remark->setText(first.BillRemark);
    m_seller->setText(first.SellerName);
    if (first.EnableImprest == kPrepaid) {
        m_prepaid->setChecked(true);
        EnablePrepaidFields(true);
    }
    m_strDepositAmount = first.Imprest;
    m_strDepositGuid = first.ImprestBillGuid;
    m_deposit->setText(first.Imprest);
    FillGridFromBill();
    SelectStoredText(m_voucher, first.voucher);
    SelectStoredText(m_fundType, first.FundType);
    SelectStoredText(m_incomeType, first.IncomeType);
    SelectStoredText(m_account, first.AccountName);
}

void CDlgNewShipment::FillGridFromBill()
{
    using Grid = CCellTypesGridCtrl;
    const struct_button_goodsbill& first = m_loadedLines.front();
    m_grid->SetCellText(Grid::HeadRow, Grid::CompanyColumn, first.CompanyName);
    m_grid->LockCompany();
    m_grid->SetBillDateText(first.InputDate);
    m_grid->SetCellText(Grid::HeadRow, Grid::CodeColumn, first.BillCode);
    int row = Grid::FirstLineRow;
    for (const struct_button_goodsbill& line : m_loadedLines) {
        const std::array<QString, Grid::ColumnCount> texts {line.ProductCode, line.ProductName, line.ProductSpec,
            line.ProductUnit, line.ProductAmount, line.ProductUnitPrice, line.ProductPrice, line.ProductRemark};
        for (int column = 0; column < Grid::ColumnCount; ++column)
            m_grid->SetCellText(row, column, texts[static_cast<std::size_t>(column)]);
        ++row;
    }
    m_grid->SetCellText(m_grid->TotalsRow(), Grid::TotalColumn, first.SumMoney);
    m_grid->SetCellText(m_grid->TotalsRow(), Grid::CapitalColumn, first.CapMoney);
}

void CDlgNewShipment::SelectStoredText(QComboBox* list, const QString& text)
{
    int index = list->findText(text, Qt::MatchExactly);
    // A kind, account or voucher renamed or removed since the bill was
    // written stays the bill's own: it is offered, so that a save keeps it.
    if (index < 0 && !text.isEmpty()) {
        list->addItem(text);
        index = list->count() - 1;
    }
    list->setCurrentIndex(index);
}

void CDlgNewShipment::EnablePrepaidFields(bool enabled)
{
    for (QWidget* field : std::initializer_list<QWidget*> {m_account, m_deposit, m_incomeType, m_fundType, m_voucher})
        field->setEnabled(enabled);
}

void CDlgNewShipment::ApplyModeLayout()
{
    setWindowTitle(m_modeInfo.title);
    const BannerLook look = BannerFor(m_modeInfo.banner);
    m_banner->setText(look.text);
    m_banner->setStyleSheet(
        QStringLiteral("QLabel { background: %1; color: white; font-size: 18px; font-weight: bold; }")
            .arg(QLatin1String(look.colour)));
    if (m_modeInfo.isNew()) {
        m_addUnitPrice->hide();
        m_delete->hide();
        m_modify->hide();
        m_print->hide();
    } else if (m_modeInfo.isChange()) {
        m_delete->hide();
        m_save->hide();
        LockStoredBill(true);
    }
}

void CDlgNewShipment::LockStoredBill(bool locked)
{
    // What is printed before the password is the bill as stored. The
    // deposit bill of a stored bill is a change too: it waits for the
    // password like the bill's own buttons.
    m_grid->SetReadOnly(locked);
    m_seller->setReadOnly(locked);
    m_remark->setReadOnly(locked);
    m_setDeposit->setEnabled(!locked);
}

QString CDlgNewShipment::PriceParty() const
{
    const QString company = m_grid->CellText(CCellTypesGridCtrl::HeadRow, CCellTypesGridCtrl::CompanyColumn).trimmed();
    if (!company.isEmpty() || m_loadedLines.empty())
        return company;
    return m_loadedLines.front().CompanyName;
}

QString CDlgNewShipment::LoadedGuid() const
{
    return m_loadedLines.empty() ? QString() : m_loadedLines.front().GUID;
}

QString CDlgNewShipment::DepositLink() const
{
    const QString loaded = m_loadedLines.empty() ? QString() : m_loadedLines.front().ImprestBillGuid;
    return loaded.isEmpty() ? m_strDepositGuid : loaded;
}

std::optional<bool> CDlgNewShipment::ReadDepositBill(struct_button_financebill& record) const
{
    const QString link = DepositLink();
    if (link.isEmpty())
        return false;
    try {
        return GoodsBillStore(connection(), m_modeInfo.side()).LoadImprestBill(link, record);
    } catch (const DbError& error) {
        ShowDbError(error, QStringLiteral("读取订金单据失败。"));
        return std::nullopt;
    }
}

GoodsBillForm CDlgNewShipment::ReadForm() const
{
    using Grid = CCellTypesGridCtrl;
    GoodsBillForm form;
    form.prepaid = m_prepaid->isChecked();
    form.deposit = m_deposit->text();
    form.account = m_account->currentText();
    form.incomeType = m_incomeType->currentText();
    form.fundType = m_fundType->currentText();
    form.voucher = m_voucher->currentText();
    form.company = m_grid->CellText(Grid::HeadRow, Grid::CompanyColumn);
    form.date = m_grid->BillDateText();
    form.billCode = m_grid->CellText(Grid::HeadRow, Grid::CodeColumn);
    form.capital = m_grid->CellText(m_grid->TotalsRow(), Grid::CapitalColumn);
    form.total = m_grid->CellText(m_grid->TotalsRow(), Grid::TotalColumn);
    form.remark = m_remark->text();
    form.seller = m_seller->text();
    for (int row = Grid::FirstLineRow; row < m_grid->TotalsRow(); ++row) {
        GoodsBillForm::LineTexts texts;
        for (int column = 0; column < Grid::ColumnCount; ++column)
            texts[static_cast<std::size_t>(column)] = m_grid->CellText(row, column);
        form.lines.push_back(texts);
    }
    return form;
}

bool CDlgNewShipment::ValidateBill()
{
    m_grid->CommitOpenEdit();
    // The checks see the amounts and total that the save would write.
    m_grid->RecomputeAll();
    const std::optional<GoodsBillForm::Problem> problem = ReadForm().Validate();
    if (!problem)
        return true;
    ShowInfoMessage(problem->message);
    if (problem->line >= 0) {
        m_grid->setFocus();
        m_grid->setCurrentCell(CCellTypesGridCtrl::FirstLineRow + problem->line, problem->column);
    }
    return false;
}

GoodsBillBuildContext CDlgNewShipment::BuildContext() const
{
    GoodsBillBuildContext context;
    context.mode = m_modeInfo;
    context.guid = m_modeInfo.isChange() ? LoadedGuid() : GuidText();
    context.depositAmount = m_strDepositAmount;
    context.depositGuid = DepositLink();
    return context;
}

void CDlgNewShipment::BuildBill()
{
    m_grid->CommitOpenEdit();
    m_grid->RecomputeAll();
    const GoodsBillForm form = ReadForm();
    const GoodsBillBuildContext context = BuildContext();
    m_builtLines = BuildBillLines(form, context);
    m_printLines = PrintLinesOf(m_builtLines, form, context);
}

GoodsBillPage* CDlgNewShipment::SidePage() const
{
    if (m_modeInfo.isPurchase())
        return m_pProviderGoodsTab;
    return m_pGoodsTab;
}

void CDlgNewShipment::OnSaveBill()
{
    if (!m_modeInfo.isNew() && !(m_modeInfo.isChange() && m_isUnlocked))
        return;
    if (!ValidateBill())
        return;
    BuildBill();
    const GoodsBillSide& side = m_modeInfo.side();
    GoodsBillWriter::Outcome outcome;
    try {
        GoodsBillWriter writer(connection(), side);
        outcome = m_modeInfo.isNew() ? writer.Add(m_builtLines) : writer.Change(m_builtLines);
    } catch (const DbError& error) {
        ShowDbError(error, QStringLiteral("保存%1单据失败。").arg(side.sideWord));
        return;
    }
    FinishWrite(outcome,
        (m_modeInfo.isNew() ? QStringLiteral("新增%1单据成功。") : QStringLiteral("修改%1单据成功。"))
            .arg(side.sideWord),
        false);
}

void CDlgNewShipment::FinishWrite(const GoodsBillWriter::Outcome& outcome, const QString& success, bool wasDelete)
{
    // A bill deleted since it was opened is not written again (that would
    // bring back a bill someone deleted): its row and tile go as after a
    // delete.
    const bool found = ShowWriteOutcome(outcome, success);
    AfterWrite(wasDelete || !found);
    done(found ? 1 : 0);
}

void CDlgNewShipment::AfterWrite(bool wasDelete)
{
    GoodsBillPage* page = SidePage();
    if (wasDelete) {
        if (page)
            page->ShowFirstPage();
        if (m_pReportPage)
            m_pReportPage->RemoveBillRow(LoadedGuid());
        return;
    }
    if (m_modeInfo.isChange() && !m_builtLines.empty()) {
        if (m_pBillButton)
            m_pBillButton->UpdateRecord(m_builtLines.front());
        if (m_pProviderBillButton)
            m_pProviderBillButton->UpdateRecord(ToPurchaseLayout(m_builtLines.front()));
    }
    if (page)
        page->ShowLastPage();
    if (m_modeInfo.isChange() && m_pReportPage)
        m_pReportPage->UpdateBillRow(m_builtLines);
}

void CDlgNewShipment::OnDelete()
{
    if (!m_modeInfo.isChange() || !m_isUnlocked)
        return;
    // The deposit's finance bill stays: the money was received. The
    // question says so, since the party's arrears then change by it.
    QString question = QStringLiteral("确定要删除这个单据吗？");
    struct_button_financebill deposit;
    const std::optional<bool> hasDeposit = ReadDepositBill(deposit);
    if (!hasDeposit)
        return;
    if (*hasDeposit)
        question += QLatin1Char('\n') + DepositStaysNote(deposit.BillCode, deposit.MoneyCount, QStringLiteral("删除"));
    if (AskYesNo(question) != IDYES)
        return;
    // A tile deletes through its page, which runs the writer and relists.
    if (m_pBillButton || m_pProviderBillButton) {
        const bool deleted
            = m_pBillButton ? m_pBillButton->RemoveRecordButton() : m_pProviderBillButton->RemoveRecordButton();
        if (!deleted)
            return;
        done(1);
        return;
    }
    const GoodsBillSide& side = m_modeInfo.side();
    GoodsBillWriter::Outcome outcome;
    try {
        outcome = GoodsBillWriter(connection(), side).Delete(LoadedGuid());
    } catch (const DbError& error) {
        ShowDbError(error, QStringLiteral("删除%1单据失败。").arg(side.sideWord));
        return;
    }
    FinishWrite(outcome, QString(), true);
}

void CDlgNewShipment::OnUnlockModify()
{
    CDlgValidatePassword prompt(this);
    prompt.SetPasswordKind(PasswordDataModification);
    switch (Interaction::current().runModal(&prompt)) {
    case 1:
        m_isUnlocked = true;
        m_delete->show();
        m_save->show();
        LockStoredBill(false);
        break;
    case 0:
        ShowInfoMessage(QStringLiteral("密码输入错误，请重新输入。"));
        break;
    default:
        break;
    }
}

void CDlgNewShipment::OnAddProduct()
{
    CDlgNewProduct dialog(this);
    dialog.SetMode(ProductEditNew);
    dialog.SetStorePage(m_pStorePage);
    Interaction::current().runModal(&dialog);
}

void CDlgNewShipment::OnAddUnitPrice()
{
    CDlgPriceListDlg dialog(this);
    // A purchase bill's prices are the provider's.
    if (m_modeInfo.isPurchase()) {
        dialog.SetSide(PartyProvider);
        dialog.SetOwnerName(PriceParty());
    } else {
        dialog.SetSide(PartyClient);
        dialog.SetClientName(PriceParty());
    }
    Interaction::current().runModal(&dialog);
}

void CDlgNewShipment::OnPrepaidClicked()
{
    EnablePrepaidFields(m_prepaid->isChecked());
}

void CDlgNewShipment::OnPrint()
{
    BuildBill();
    const struct_button_goodsbill& first = m_printLines.front();
    const auto setParameter = [this](const char* name, const QString& text) {
        if (ReportParameter* parameter = m_report->FindParameterByName(QString::fromLatin1(name)))
            parameter->SetAsText(text);
    };
    setParameter("BillType", m_modeInfo.printTitle(first.BillType));
    setParameter("ClientName", first.CompanyName);
    setParameter("InputDate", first.InputDate);
    setParameter("BillCode", first.BillCode);
    setParameter("CapSumPrice", first.CapMoney);
    setParameter("ProductSumPrice", first.SumMoney);
    setParameter("ImprestMoney", first.Imprest);
    setParameter("LoanMoney", DoubleToStr(StrToDouble(first.SumMoney) - StrToDouble(first.Imprest)));
    const bool withDeposit = IsReturnBillPrintWithDeposit();
    for (const char* name : {"stc_lbe_imprest", "stc_val_imprest"}) {
        if (ReportControl* control = m_report->FindControlByName(QString::fromLatin1(name)))
            control->SetVisible(withDeposit);
    }
    m_reportEvent->SetGoodsBillRecords(m_printLines);
    if (!m_report->ShowReport(true))
        ShowErrorMessage(m_report->lastError());
}

void CDlgNewShipment::OnSetDeposit()
{
    if (m_modeInfo.depositNewMode == 0 || (m_modeInfo.isChange() && !m_isUnlocked))
        return;
    const QString link = DepositLink();
    struct_button_financebill record;
    // A link is cleared only when its bill is known to be gone.
    const std::optional<bool> isFound = ReadDepositBill(record);
    if (!isFound)
        return;
    if (!*isFound) {
        m_strDepositGuid.clear();
        if (!m_loadedLines.empty())
            m_loadedLines.front().ImprestBillGuid.clear();
    }
    DepositEditor::Request request;
    if (*isFound) {
        request.mode = m_modeInfo.depositExistingMode;
        request.depositGuid = link;
    } else {
        using Grid = CCellTypesGridCtrl;
        request.mode = m_modeInfo.depositNewMode;
        request.companyName = m_grid->CellText(Grid::HeadRow, Grid::CompanyColumn);
        request.goodsBillCode = m_grid->CellText(Grid::HeadRow, Grid::CodeColumn);
    }
    DepositEditor* editor = DepositEditor::current();
    if (!editor) {
        ShowInfoMessage(QStringLiteral("现在不能打开财务单据窗口，订金没有记录。"));
        return;
    }
    const DepositEditor::Result result = editor->Edit(this, request);
    if (!result.saved)
        return;
    m_strDepositGuid = result.guid;
    m_strDepositAmount = result.amount;
    m_deposit->setText(result.amount);
    m_hasWrittenDeposit = true;
}

void CDlgNewShipment::SayDepositStaysRecorded()
{
    if (m_hasWrittenDeposit) {
        ShowInfoMessage(DepositStaysNote(QString(), m_strDepositAmount, QStringLiteral("取消")));
    }
}

void CDlgNewShipment::OnCancel()
{
    SayDepositStaysRecorded();
    done(0);
}

void CDlgNewShipment::reject()
{
    SayDepositStaysRecorded();
    done(2);
}

void CDlgNewShipment::keyPressEvent(QKeyEvent* event)
{
    // Enter ends nothing here: a person presses it to leave a cell.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
