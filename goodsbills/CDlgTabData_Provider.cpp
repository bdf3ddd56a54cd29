#include "CDlgTabData_Provider.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include "CDlgBillFind_Provider_Goods.h"
#include "Database.h"
#include "ExportFile.h"
#include "GlobalFunctions.h"
#include "GoodsBillCatalog.h"
#include "GoodsBillEditing.h"
#include "GoodsBillListExport.h"
#include "GoodsBillListModel.h"
#include "GoodsBillPage.h"
#include "GoodsBillStore.h"
#include "GoodsBillWriter.h"
#include "GridReport.h"
#include "ImageButton.h"
#include "Interaction.h"
#include "ListColumnFitter.h"
#include "PageWidgets.h"

namespace {

// The list's columns: the number, the code, the kind, the date and the
// amounts whole; the company, the seller and the remark share what is left.
std::vector<ColumnFit> columnFits()
{
    std::vector<ColumnFit> fits(GoodsBillListModel::ColumnGuid, ColumnFit::Whole);
    for (int shared : {GoodsBillListModel::ColumnCompany, GoodsBillListModel::ColumnSeller,
             GoodsBillListModel::ColumnRemark})
        fits[shared] = ColumnFit::Shared;
    return fits;
}

ImageButton *makeButton(QWidget *parent, const char *id, const QString &text, const QString &image)
{
    ImageButton *button = MakeCommandButton(parent, id, text);
    button->setImage(image, QSize(24, 24));
    button->setMinimumSize(130, 40);
    return button;
}

} // namespace

CDlgTabData_Provider::CDlgTabData_Provider(QWidget *parent)
    : PageBase(parent)
    , m_report(std::make_unique<GridReport>())
{
    ShowEmptyState(false);
    ImageButton *find = makeButton(this, "1366", QStringLiteral("查找单据"), QStringLiteral(":/images/icon205.svg"));
    ImageButton *exportButton
        = makeButton(this, "1367", QStringLiteral("导出到Excel"), QStringLiteral(":/images/icon238.svg"));
    ImageButton *print = makeButton(this, "1368", QStringLiteral("打印列表"), QStringLiteral(":/images/icon239.svg"));
    auto *sortLabel = new QLabel(QStringLiteral("排序方式"), this);
    sortLabel->setObjectName(QStringLiteral("1372"));
    m_sortCombo = new QComboBox(this);
    m_sortCombo->setObjectName(QStringLiteral("1370"));
    // The side's items change after the page is shown: the box follows
    // them, so that "按供应商排" shows whole.
    m_sortCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("1371"));
    SetUpReportList(m_view, PageLayout());

    auto *bar = new QHBoxLayout;
    bar->addStretch();
    bar->addWidget(find);
    bar->addWidget(exportButton);
    bar->addWidget(print);
    auto *sort = new QVBoxLayout;
    sort->addWidget(sortLabel);
    sort->addWidget(m_sortCombo);
    bar->addLayout(sort);
    PageLayout()->insertLayout(0, bar);
    PageLayout()->insertWidget(1, m_view, 1);

    SetSide(m_nSide);
    // A template that cannot be loaded is reported when the list is
    // printed: the report keeps the error.
    m_report->LoadTemplateFile(QDir(GetAppDirectory()).filePath(QStringLiteral("Provider_GoodsBillSearch_Report.grf")));
    m_reportEvent.ConnectTo(m_report.get());

    connect(find, &QPushButton::clicked, this, &CDlgTabData_Provider::OnFindBill);
    connect(exportButton, &QPushButton::clicked, this, &CDlgTabData_Provider::ExportBillListToExcel);
    connect(print, &QPushButton::clicked, this, &CDlgTabData_Provider::OnPrintList);
    connect(m_sortCombo, &QComboBox::currentIndexChanged, this, &CDlgTabData_Provider::SortBillList);
    connect(m_view, &QTableView::doubleClicked, this, &CDlgTabData_Provider::OnBillListDblClk);
}

CDlgTabData_Provider::~CDlgTabData_Provider() = default;

const GoodsBillSide &CDlgTabData_Provider::Descriptor() const
{
    return GoodsBillSide::For(m_nSide == BillListProvider ? PartyProvider : PartyClient);
}

int CDlgTabData_Provider::SetSide(int side)
{
    m_nSide = side;
    // The columns and the company sort name the side's party.
    auto *model = new GoodsBillListModel(Descriptor(), this);
    m_view->setModel(model);
    delete m_model;
    m_model = model;
    FitReportColumns(m_view, columnFits());

    const QSignalBlocker blocker(m_sortCombo);
    m_sortCombo->clear();
    m_sortCombo->addItems({QStringLiteral("按时间排"),
        side == BillListProvider ? QStringLiteral("按供应商排") : QStringLiteral("按客户排"),
        QStringLiteral("按金额排")});
    m_sortCombo->setCurrentIndex(GoodsBillListModel::SortByDate);
    return 1;
}

void CDlgTabData_Provider::SetGoodsPages(CDlgTabGoods *salesPage, CDlgTabProviderGoods *purchasePage)
{
    m_pSalesPage = salesPage;
    m_pPurchasePage = purchasePage;
}

int CDlgTabData_Provider::SetMainDlg(CDlgMainDlg *mainDlg)
{
    m_pMainDlg = mainDlg;
    return 1;
}

int CDlgTabData_Provider::ShowSearchResult(const GoodsBillQuery &query)
{
    try {
        m_model->FillBills([&](const auto &add) { GoodsBillCatalog(connection(), Descriptor()).Search(query, add); },
            m_sortCombo->currentIndex());
    } catch (const DbError &error) {
        m_model->SetBills({});
        ShowDbError(error, QStringLiteral("查找单据失败。"));
    }
    return 1;
}

void CDlgTabData_Provider::ShowPartyBills(const QString &partyName, const QString &firstDay, const QString &lastDay)
{
    // A party without a name has no bills; an empty company would list
    // every bill.
    if (partyName.isEmpty()) {
        m_model->SetBills({});
        return;
    }
    GoodsBillQuery query;
    query.companyName = partyName;
    // One day left empty leaves that end of the range open.
    query.hasDateRange = !firstDay.isEmpty() || !lastDay.isEmpty();
    query.firstDay = firstDay;
    query.lastDay = lastDay.isEmpty() ? QStringLiteral("9999-12-31") : lastDay;
    ShowSearchResult(query);
}

void CDlgTabData_Provider::OnFindBill()
{
    CDlgBillFind_Provider_Goods dialog(this);
    dialog.SetOwnerPage(this);
    dialog.SetSide(m_nSide);
    if (Interaction::current().runModal(&dialog) != 1)
        return;
    GoodsBillQuery query;
    dialog.GetSearchResult(query);
    ShowSearchResult(query);
}

void CDlgTabData_Provider::SortBillList()
{
    m_model->SortBy(m_sortCombo->currentIndex());
}

void CDlgTabData_Provider::SelectRow(int row)
{
    if (row >= 0 && row < m_model->rowCount())
        m_view->selectRow(row);
    m_view->setFocus();
}

int CDlgTabData_Provider::UpdateBillRow(const GoodsBillLines &lines)
{
    if (!lines.empty())
        m_model->UpdateBill(lines.front());
    return 1;
}

int CDlgTabData_Provider::RemoveBillRow(const QString &guid)
{
    const int row = m_model->RemoveBill(guid);
    if (row >= 0)
        SelectRow(row);
    return 1;
}

void CDlgTabData_Provider::OnBillListDblClk(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const int row = index.row();
    const QString guid = m_model->Text(row, GoodsBillListModel::ColumnGuid);
    const GoodsBillSide &side = Descriptor();
    // A row of neither of the side's kinds opens nothing.
    if (!side.IsKind(m_model->Text(row, GoodsBillListModel::ColumnType)))
        return;

    GoodsBillEditRequest request;
    try {
        request.lines = GoodsBillStore(connection(), side).LoadBill(guid);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取单据失败。"));
        return;
    }
    if (request.lines.empty()) {
        ShowInfoMessage(BillGoneNote());
        RemoveBillRow(guid);
        return;
    }
    const QString billType = request.lines.front().BillType;
    if (!side.IsKind(billType))
        return;
    const bool isMain = billType == side.mainBillType;
    if (side.party == PartyClient) {
        request.mode = isMain ? 8 : 9;
        request.salesPage = m_pSalesPage;
    } else {
        request.mode = isMain ? 14 : 15;
        request.purchasePage = m_pPurchasePage;
    }
    request.reportPage = this;
    GoodsBillEditorLauncher *launcher = GoodsBillEditorLauncher::current();
    if (!launcher)
        return;
    launcher->Run(this, request);
    // The row follows its bill; a deleted bill's place goes to the next.
    const int now = m_model->RowOf(guid);
    SelectRow(now >= 0 ? now : row);
}

void CDlgTabData_Provider::ExportBillListToExcel()
{
    QString error;
    const QString path = ExportPath(GoodsBillListExport::FileName(), &error);
    if (path.isEmpty()) {
        ShowErrorMessage(QStringLiteral("无法导出单据列表：%1").arg(error));
        return;
    }
    const std::vector<QStringList> rows = m_model->ShownTexts();
    const QStringList titles = m_model->Titles().mid(0, GoodsBillListModel::ColumnGuid);
    // The local date, as the person's calendar shows it.
    const QDate today = QDate::currentDate();
    const bool saved = WriteThenRename(
        path, [&](const QString &file) { return GoodsBillListExport::Write(file, titles, rows, today); }, &error);
    if (!saved) {
        ShowErrorMessage(QStringLiteral("单据列表没有导出：%1").arg(error));
        return;
    }
    const int total = static_cast<int>(rows.size());
    if (total > GoodsBillListExport::RowsThatFit())
        ShowInfoMessage(ExportCutMessage(GoodsBillListExport::RowsThatFit(), total, QStringLiteral("张单据")));
    OpenExportedFile(path);
}

void CDlgTabData_Provider::OnPrintList()
{
    m_reportEvent.SetRecords(m_model->Bills());
    if (!m_report->OutputReport(1))
        ShowErrorMessage(m_report->lastError());
}
