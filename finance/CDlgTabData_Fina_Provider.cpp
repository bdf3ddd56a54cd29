#include "CDlgTabData_Fina_Provider.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QTableView>

#include <optional>

#include "CDlgBillFind_Provider_Fina.h"
#include "CDlgNewIncomeBill.h"
#include "Database.h"
#include "ExportFile.h"
#include "FinanceBillExport.h"
#include "FinanceBillPage.h"
#include "FinanceBillStore.h"
#include "GlobalFunctions.h"
#include "GridReport.h"
#include "ImageButton.h"
#include "Interaction.h"
#include "ListColumnFitter.h"
#include "PageWidgets.h"

namespace {

const QString kTemplateName = QStringLiteral("Provider_FinaBillSearch_Report.grf");

// The list's columns: the number, the kind, the code, the date and the
// amounts whole; the names and the typed texts share what is left, the
// remark last.
std::vector<ColumnFit> columnFits()
{
    using Column = FinanceBillListModel;
    std::vector<ColumnFit> fits(Column::ColumnGuid, ColumnFit::Whole);
    for (int shared : {Column::ColumnAccount, Column::ColumnParty, Column::ColumnSeller, Column::ColumnMoneyType,
             Column::ColumnVoucher, Column::ColumnIncomeType, Column::ColumnRemark})
        fits[shared] = ColumnFit::Shared;
    return fits;
}

} // namespace

CDlgTabData_Fina_Provider::CDlgTabData_Fina_Provider(QWidget *parent)
    : PageBase(parent)
    , m_report(std::make_unique<GridReport>())
{
    ShowEmptyState(false);

    ImageButton *find
        = MakePictureButton(this, "1378", QStringLiteral("查找单据"), QStringLiteral(":/images/icon205.svg"));
    ImageButton *exportButton
        = MakePictureButton(this, "1379", QStringLiteral("导出到Excel"), QStringLiteral(":/images/icon238.svg"));
    ImageButton *print
        = MakePictureButton(this, "1380", QStringLiteral("打印列表"), QStringLiteral(":/images/icon239.svg"));
    for (ImageButton *button : {find, exportButton, print})
        button->setMinimumSize(130, 40);
    QLabel *sortLabel = MakeIdLabel(this, "1381", QStringLiteral("排序方式"));
    m_sortCombo = new QComboBox(this);
    m_sortCombo->setObjectName(QStringLiteral("1382"));
    m_sortCombo->addItems({QStringLiteral("按时间排"), QStringLiteral("按帐户排"), QStringLiteral("按金额排")});
    m_sortCombo->setCurrentIndex(0);
    m_model = new FinanceBillListModel(this);
    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("1383"));
    m_list->setModel(m_model);
    SetUpReportList(m_list, PageLayout());
    FitReportColumns(m_list, columnFits());

    auto *sort = new QVBoxLayout;
    sort->addWidget(sortLabel);
    sort->addWidget(m_sortCombo);
    auto *bar = new QHBoxLayout;
    bar->addStretch();
    bar->addWidget(find);
    bar->addWidget(exportButton);
    bar->addWidget(print);
    bar->addLayout(sort);
    PageLayout()->insertLayout(0, bar);
    PageLayout()->insertWidget(1, m_list, 1);

    LoadListReport();

    connect(find, &QPushButton::clicked, this, &CDlgTabData_Fina_Provider::OnFindBill);
    connect(exportButton, &QPushButton::clicked, this, &CDlgTabData_Fina_Provider::ExportBillListToExcel);
    connect(print, &QPushButton::clicked, this, &CDlgTabData_Fina_Provider::OnPrintList);
    // Every choice sorts, the one already shown included: a search lists in
    // table order whatever the box shows.
    connect(m_sortCombo, &QComboBox::activated, this, &CDlgTabData_Fina_Provider::SortBillList);
    connect(m_list, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { OnBillListDblClk(index.row()); });
}

CDlgTabData_Fina_Provider::~CDlgTabData_Fina_Provider() = default;

int CDlgTabData_Fina_Provider::SetSide(int side)
{
    m_nSide = side;
    // The columns follow the caption: "供应商名称" is wider than "客户名称".
    m_model->SetPartyCaption(FinanceBillListModel::PartyCaption(side));
    return 1;
}

int CDlgTabData_Fina_Provider::SetMainDlg(CDlgMainDlg *mainDlg)
{
    m_pMainDlg = mainDlg;
    return 1;
}

void CDlgTabData_Fina_Provider::SetFinancePages(FinanceBillPage *salesPage, FinanceBillPage *purchasePage)
{
    m_pSalesPage = salesPage;
    m_pPurchasePage = purchasePage;
}

void CDlgTabData_Fina_Provider::LoadListReport()
{
    // A template that cannot be loaded is reported when the list is
    // printed: the report keeps the error.
    m_report->LoadTemplateFile(QDir(GetAppDirectory()).filePath(kTemplateName));
    m_reportEvent.ConnectTo(m_report.get());
}

int CDlgTabData_Fina_Provider::ShowSearchResult(const FinanceBillQuery &query)
{
    FinanceBillQuery own = query;
    if (m_nSide == BillListProvider || m_nSide == BillListClient)
        own.tables = FinanceBillQuery::TablesOfSide(m_nSide);
    m_model->SetRows({});
    QList<FinanceBillListRow> rows;
    try {
        rows = FindFinanceBills(connection(), own);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("查找财务单据失败。"));
        return 0;
    }
    m_model->SetRows(rows);
    return 1;
}

void CDlgTabData_Fina_Provider::ShowPartyBills(const QString &partyName, const QString &firstDay,
                                               const QString &lastDay)
{
    FinanceBillQuery query;
    query.tables = FinanceBillQuery::TablesOfSide(m_nSide);
    query.partyName = partyName;
    if (!firstDay.isEmpty() || !lastDay.isEmpty())
        query.dates = FinanceBillQuery::DateRange {firstDay, lastDay};
    ShowSearchResult(query);
}

void CDlgTabData_Fina_Provider::SelectRow(int row)
{
    if (row >= 0 && row < m_model->Count())
        m_list->selectRow(row);
    m_list->setFocus();
}

void CDlgTabData_Fina_Provider::UpdateRow(PartySide table, const struct_button_financebill &bill)
{
    m_model->UpdateRow(m_model->FindRow(table, bill.GUID), bill);
}

void CDlgTabData_Fina_Provider::RemoveRow(PartySide table, const QString &guid)
{
    const int row = m_model->FindRow(table, guid);
    if (row < 0)
        return;
    m_model->RemoveRow(row);
    SelectRow(row);
}

int CDlgTabData_Fina_Provider::UpdateBillRow(const struct_button_financebill &bill)
{
    UpdateRow(PartyClient, bill);
    return 1;
}

int CDlgTabData_Fina_Provider::UpdateBillRow(const struct_button_financebill_provider &bill)
{
    UpdateRow(PartyProvider, ToSalesLayout(bill));
    return 1;
}

int CDlgTabData_Fina_Provider::RemoveBillRow(const struct_button_financebill &bill)
{
    RemoveRow(PartyClient, bill.GUID);
    return 1;
}

int CDlgTabData_Fina_Provider::RemoveBillRow(const struct_button_financebill_provider &bill)
{
    RemoveRow(PartyProvider, bill.GUID);
    return 1;
}

void CDlgTabData_Fina_Provider::OnFindBill()
{
    CDlgBillFind_Provider_Fina dialog(this);
    dialog.SetSearchTarget(m_nSide);
    if (Interaction::current().runModal(&dialog) != 1)
        return;
    ShowSearchResult(dialog.GetSearchResult());
}

void CDlgTabData_Fina_Provider::SortBillList()
{
    m_model->SortBy(m_sortCombo->currentIndex());
}

void CDlgTabData_Fina_Provider::OnPrintList()
{
    m_reportEvent.SetRecords(m_model->CollectListRows());
    if (!m_report->ShowReport(true))
        ShowErrorMessage(m_report->lastError());
}

void CDlgTabData_Fina_Provider::ExportBillListToExcel()
{
    QString error;
    const QString path = ExportPath(FinanceBillExport::FileName(), &error);
    if (path.isEmpty()) {
        ShowErrorMessage(QStringLiteral("没有导出：%1").arg(error));
        return;
    }
    QList<QStringList> rows;
    rows.reserve(m_model->Count());
    for (int row = 0; row < m_model->Count(); ++row)
        rows << m_model->RowTexts(row).mid(0, FinanceBillListModel::ColumnGuid);
    int written = 0;
    const QString caption = FinanceBillListModel::PartyCaption(m_nSide);
    // The local date: near midnight the UTC date is another day.
    const QDate today = QDate::currentDate();
    const bool saved = WriteThenRename(
        path, [&](const QString &file) { return FinanceBillExport::Write(file, caption, rows, today, &written); },
        &error);
    if (!saved) {
        ShowErrorMessage(QStringLiteral("没有导出：%1").arg(error));
        return;
    }
    if (written < rows.size())
        ShowInfoMessage(ExportCutMessage(written, static_cast<int>(rows.size()), QStringLiteral("张单据")));
    OpenExportedFile(path);
}

void CDlgTabData_Fina_Provider::OnBillListDblClk(int row)
{
    if (row < 0 || row >= m_model->Count())
        return;
    const FinanceBillListRow listed = m_model->RowAt(row);
    const QString &type = listed.bill.BillType;
    if (!type.contains(QStringLiteral("收入")) && !type.contains(QStringLiteral("支出"))) {
        SelectRow(row);
        return;
    }
    std::optional<struct_button_financebill> bill;
    try {
        bill = FinanceBillStore(connection(), FinanceBillSide::For(listed.table)).BillByGuid(listed.bill.GUID);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取财务单据失败。"));
        return;
    }
    if (!bill) {
        // Deleted since it was listed: the row goes, nothing opens.
        ShowInfoMessage(kFinanceBillGoneMessage);
        m_model->RemoveRow(row);
        SelectRow(row);
        return;
    }
    bill->ListRowIndex = row;

    // The bill opens in the editor of its own table: the row says which.
    CDlgNewIncomeBill editor(this);
    const bool income = bill->BillType == kIncomeBill;
    if (listed.table == PartyProvider) {
        editor.SetProviderFinaTab(m_pPurchasePage);
        editor.SetProviderBill(ToPurchaseLayout(*bill));
        editor.SetProviderBillButton(nullptr);
        editor.SetProviderReportPage(this);
        editor.SetMode(income ? 14 : 15);
    } else {
        editor.SetFinaTab(m_pSalesPage);
        editor.SetBill(*bill);
        editor.SetBillButton(nullptr);
        editor.SetReportPage(this);
        editor.SetMode(income ? 8 : 9);
    }
    Interaction::current().runModal(&editor);
    SelectRow(row);
}
