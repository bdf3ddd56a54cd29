#include "CDlgBillFind_Provider_Goods.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "Database.h"
#include "DatePicker.h"
#include "GlobalFunctions.h"
#include "GoodsBillCatalog.h"
#include "ImageButton.h"
#include "NumberCheck.h"
#include "PageWidgets.h"
#include "TypedLength.h"

namespace {

constexpr int kTextLimit = 200;
const QString kAll = QStringLiteral("所有");
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");

QLineEdit *makeEdit(QWidget *parent, const char *id)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(id));
    LimitTypedLength(edit, kTextLimit);
    return edit;
}

QDateEdit *makeDate(QWidget *parent, const char *id, const QDate &date)
{
    QDateEdit *edit = MakeDatePicker(parent, QString::fromLatin1(id), date);
    edit->setEnabled(false);
    return edit;
}

const GoodsBillSide &goodsSideOf(int listSide)
{
    return GoodsBillSide::For(listSide == BillListProvider ? PartyProvider : PartyClient);
}

} // namespace

CDlgBillFind_Provider_Goods::CDlgBillFind_Provider_Goods(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("查找货品单据"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));

    m_billType = new QComboBox(this);
    m_billType->setObjectName(QStringLiteral("1387"));
    m_dateRange = new QCheckBox(QStringLiteral("时间范围"), this);
    m_dateRange->setObjectName(QStringLiteral("1401"));
    // The working month, first to last day.
    const QString today = GetCurDateString();
    m_firstDay = makeDate(this, "1388", QDate::fromString(MonthFirstDay(today), kDateFormat));
    m_lastDay = makeDate(this, "1389", QDate::fromString(MonthLastDay(today), kDateFormat));
    m_amountRange = new QCheckBox(QStringLiteral("金额范围"), this);
    m_amountRange->setObjectName(QStringLiteral("1402"));
    m_lowest = makeEdit(this, "1390");
    m_highest = makeEdit(this, "1391");
    m_lowest->setEnabled(false);
    m_highest->setEnabled(false);
    m_billCode = makeEdit(this, "1392");
    m_company = new QComboBox(this);
    m_company->setObjectName(QStringLiteral("1393"));
    m_company->setEditable(true);
    m_company->setInsertPolicy(QComboBox::NoInsert);
    LimitTypedLength(m_company->lineEdit(), kTextLimit);
    m_companyLabel = new QLabel(this);
    m_companyLabel->setObjectName(QStringLiteral("1403"));
    m_seller = makeEdit(this, "1394");
    m_remark = makeEdit(this, "1395");
    m_productCode = makeEdit(this, "1396");
    m_productName = makeEdit(this, "1397");
    m_productSpec = makeEdit(this, "1398");

    // Only a click on 确定 searches.
    ImageButton *find = MakeCommandButton(this, "1399", QStringLiteral("确定"));
    find->setImage(QStringLiteral(":/images/bmp130.svg"));
    ImageButton *cancel = MakeCommandButton(this, "1400", QStringLiteral("取消"));
    cancel->setImage(QStringLiteral(":/images/bmp129.svg"));

    auto *layout = new QGridLayout(this);
    int row = 0;
    const auto addRow = [&](const QString &label, QWidget *field) {
        layout->addWidget(new QLabel(label, this), row, 0);
        layout->addWidget(field, row++, 1, 1, 3);
    };
    addRow(QStringLiteral("单据类型"), m_billType);
    layout->addWidget(m_dateRange, row, 0);
    layout->addWidget(m_firstDay, row, 1);
    layout->addWidget(new QLabel(QStringLiteral("到"), this), row, 2);
    layout->addWidget(m_lastDay, row++, 3);
    layout->addWidget(m_amountRange, row, 0);
    layout->addWidget(m_lowest, row, 1);
    layout->addWidget(new QLabel(QStringLiteral("到"), this), row, 2);
    layout->addWidget(m_highest, row++, 3);
    addRow(QStringLiteral("单据编号"), m_billCode);
    layout->addWidget(m_companyLabel, row, 0);
    layout->addWidget(m_company, row++, 1, 1, 3);
    addRow(QStringLiteral("业务员"), m_seller);
    addRow(QStringLiteral("单据备注"), m_remark);
    addRow(QStringLiteral("货品编号"), m_productCode);
    addRow(QStringLiteral("货品名称"), m_productName);
    addRow(QStringLiteral("货品规格"), m_productSpec);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(find);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, row, 0, 1, 4);

    connect(m_dateRange, &QCheckBox::toggled, this, [this](bool on) {
        m_firstDay->setEnabled(on);
        m_lastDay->setEnabled(on);
    });
    connect(m_amountRange, &QCheckBox::toggled, this, [this](bool on) {
        m_lowest->setEnabled(on);
        m_highest->setEnabled(on);
    });
    connect(find, &QPushButton::clicked, this, &CDlgBillFind_Provider_Goods::OnFind);
    connect(cancel, &QPushButton::clicked, this, &CDlgBillFind_Provider_Goods::reject);
    fillForSide(false);
}

int CDlgBillFind_Provider_Goods::SetOwnerPage(CDlgTabData_Provider *page)
{
    m_pOwnerPage = page;
    return 1;
}

int CDlgBillFind_Provider_Goods::SetSide(int side)
{
    m_nSide = side;
    fillForSide(true);
    return 1;
}

void CDlgBillFind_Provider_Goods::fillForSide(bool withCompanies)
{
    const GoodsBillSide &goods = goodsSideOf(m_nSide);
    m_billType->clear();
    m_billType->addItems({kAll, goods.sideWord + goods.returnBillType, goods.sideWord + goods.mainBillType});
    m_billType->setCurrentIndex(0);
    const bool providers = m_nSide == BillListProvider;
    m_companyLabel->setText(providers ? QStringLiteral("供应商名称") : QStringLiteral("客户名称"));

    m_company->clear();
    if (withCompanies) {
        try {
            m_company->addItems(GoodsBillCatalog(connection(), goods).CompanyNames());
        } catch (const DbError &error) {
            ShowDbError(
                error, providers ? QStringLiteral("读取供应商名称失败。") : QStringLiteral("读取客户名称失败。"));
        }
    }
    m_company->addItem(kAll);
    m_company->setCurrentIndex(m_company->count() - 1);
}

int CDlgBillFind_Provider_Goods::GetSearchResult(GoodsBillQuery &result) const
{
    result = m_query;
    return 1;
}

bool CDlgBillFind_Provider_Goods::ValidateInput()
{
    GoodsBillQuery query;
    if (m_amountRange->isChecked()) {
        if (m_lowest->text().trimmed().isEmpty() || m_highest->text().trimmed().isEmpty()) {
            ShowInfoMessage(QStringLiteral("请填写　“金额范围” 。"));
            return false;
        }
        QString lowest;
        QString highest;
        const NumberRule rule{true, false};
        if (!CheckTypedNumber(m_lowest->text(), QStringLiteral("金额范围"), rule, &lowest)
            || !CheckTypedNumber(m_highest->text(), QStringLiteral("金额范围"), rule, &highest))
            return false;
        query.hasAmountRange = true;
        query.lowestAmount = StrToDouble(lowest);
        query.highestAmount = StrToDouble(highest);
    }
    const QString company = m_company->currentText();
    if (company.isEmpty()) {
        ShowInfoMessage(QStringLiteral("请填写　“%1” 。").arg(m_companyLabel->text()));
        return false;
    }
    if (company != kAll)
        query.companyName = company;
    query.billTypeChoice = m_billType->currentIndex();
    if (m_dateRange->isChecked()) {
        query.hasDateRange = true;
        query.firstDay = DateText(m_firstDay->date());
        query.lastDay = DateText(m_lastDay->date());
    }
    query.billRemark = m_remark->text();
    query.sellerName = m_seller->text();
    query.billCode = m_billCode->text();
    query.productCode = m_productCode->text();
    query.productName = m_productName->text();
    query.productSpec = m_productSpec->text();
    m_query = query;
    return true;
}

void CDlgBillFind_Provider_Goods::OnFind()
{
    if (ValidateInput())
        done(1);
}
