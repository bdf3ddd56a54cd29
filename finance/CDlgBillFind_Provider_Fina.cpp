#include "CDlgBillFind_Provider_Fina.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>

#include <functional>

#include "Database.h"
#include "DatePicker.h"
#include "FinanceBillChoices.h"
#include "FinanceBillListModel.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "NumberCheck.h"
#include "PageWidgets.h"
#include "TypedLength.h"

namespace {

const QString kAll = QStringLiteral("所有");
// Search texts are limited in characters.
constexpr int kTextLength = 200;

QLineEdit *makeEdit(QWidget *parent, const char *id)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(id));
    LimitTypedLength(edit, kTextLength);
    return edit;
}

QComboBox *makeList(QWidget *parent, const char *id)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(id));
    combo->setMinimumWidth(140);
    return combo;
}

// "所有" first, then the texts; a list that could not be read offers only
// "所有".
void offer(QComboBox *combo, const std::function<QStringList()> &read)
{
    combo->addItem(kAll);
    try {
        combo->addItems(read());
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取选择列表失败。"));
    }
    combo->setCurrentIndex(0);
}

// The two controls of a range can be used while its box is ticked.
void enableWith(QCheckBox *box, QWidget *from, QWidget *to)
{
    from->setEnabled(box->isChecked());
    to->setEnabled(box->isChecked());
    QObject::connect(box, &QCheckBox::toggled, from, [from, to](bool on) {
        from->setEnabled(on);
        to->setEnabled(on);
    });
}

std::optional<QString> chosen(const QComboBox *combo)
{
    const QString text = combo->currentText();
    if (text == kAll)
        return std::nullopt;
    return text;
}

std::optional<QString> typed(const QLineEdit *edit)
{
    if (edit->text().isEmpty())
        return std::nullopt;
    return edit->text();
}

} // namespace

CDlgBillFind_Provider_Fina::CDlgBillFind_Provider_Fina(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("搜索财务单据"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));

    m_billType = makeList(this, "1405");
    m_billType->addItems({kAll, QStringLiteral("财务收入单"), QStringLiteral("财务支出单")});
    m_dateRange = new QCheckBox(QStringLiteral("时间范围"), this);
    m_dateRange->setObjectName(QStringLiteral("1406"));
    m_dateFrom = MakeDatePicker(this, QStringLiteral("1408"), WorkingDate());
    m_dateTo = MakeDatePicker(this, QStringLiteral("1409"), WorkingDate());
    m_amountRange = new QCheckBox(QStringLiteral("金额范围"), this);
    m_amountRange->setObjectName(QStringLiteral("1407"));
    m_amountFrom = makeEdit(this, "1410");
    m_amountTo = makeEdit(this, "1411");
    m_billCode = makeEdit(this, "1412");
    m_account = makeList(this, "1413");
    m_name = makeList(this, "1414");
    m_name->setEditable(true);
    m_name->setInsertPolicy(QComboBox::NoInsert);
    m_name->setCompleter(nullptr);
    LimitTypedLength(m_name->lineEdit(), kTextLength);
    m_nameLabel = MakeIdLabel(this, "1422", QStringLiteral("客户名称"));
    m_seller = makeEdit(this, "1415");
    m_incomeType = makeList(this, "1416");
    m_moneyType = makeList(this, "1417");
    m_voucher = makeList(this, "1418");
    m_remark = makeEdit(this, "1419");
    ImageButton *ok = MakePictureButton(this, "1420", QStringLiteral("确定"), QStringLiteral(":/images/bmp130.svg"));
    ImageButton *cancel
        = MakePictureButton(this, "1421", QStringLiteral("取消"), QStringLiteral(":/images/bmp129.svg"));

    auto *layout = new QGridLayout(this);
    auto label = [this](const char *text) { return new QLabel(QString::fromUtf8(text), this); };
    layout->addWidget(label("单据类型"), 0, 0);
    layout->addWidget(m_billType, 0, 1);
    layout->addWidget(m_dateRange, 0, 2);
    auto *dates = new QHBoxLayout;
    dates->addWidget(m_dateFrom);
    dates->addWidget(label("到"));
    dates->addWidget(m_dateTo);
    layout->addLayout(dates, 0, 3);
    layout->addWidget(label("单据编号"), 1, 0);
    layout->addWidget(m_billCode, 1, 1);
    layout->addWidget(m_amountRange, 1, 2);
    auto *amounts = new QHBoxLayout;
    amounts->addWidget(m_amountFrom);
    amounts->addWidget(label("到"));
    amounts->addWidget(m_amountTo);
    layout->addLayout(amounts, 1, 3);
    layout->addWidget(label("帐户名称"), 2, 0);
    layout->addWidget(m_account, 2, 1);
    layout->addWidget(m_nameLabel, 2, 2);
    layout->addWidget(m_name, 2, 3);
    layout->addWidget(label("业务员"), 3, 0);
    layout->addWidget(m_seller, 3, 1);
    layout->addWidget(label("项目"), 3, 2);
    layout->addWidget(m_incomeType, 3, 3);
    layout->addWidget(label("类别"), 4, 0);
    layout->addWidget(m_moneyType, 4, 1);
    layout->addWidget(label("凭证"), 4, 2);
    layout->addWidget(m_voucher, 4, 3);
    layout->addWidget(label("备注"), 5, 0);
    layout->addWidget(m_remark, 5, 1, 1, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 6, 0, 1, 4);

    enableWith(m_dateRange, m_dateFrom, m_dateTo);
    enableWith(m_amountRange, m_amountFrom, m_amountTo);
    connect(ok, &QPushButton::clicked, this, &CDlgBillFind_Provider_Fina::OnOk);
    connect(cancel, &QPushButton::clicked, this, &CDlgBillFind_Provider_Fina::reject);
}

int CDlgBillFind_Provider_Fina::SetSearchTarget(int side)
{
    m_nSide = side;
    return 1;
}

void CDlgBillFind_Provider_Fina::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_bFilled)
        return;
    m_bFilled = true;
    FillLists();
}

void CDlgBillFind_Provider_Fina::FillLists()
{
    try {
        FinanceBillChoices choices(connection());
        offer(m_incomeType, [&] { return choices.IncomeTypes(); });
        offer(m_moneyType, [&] { return choices.MoneyTypes(); });
        offer(m_voucher, [&] { return choices.Vouchers(); });
        offer(m_account, [&] { return choices.Accounts(); });
        // The names of the side, then "所有" last, which the box shows.
        if (m_nSide == BillListProvider || m_nSide == BillListClient) {
            const PartySide party = m_nSide == BillListProvider ? PartyProvider : PartyClient;
            m_name->addItems(choices.PartyNames(FinanceBillSide::For(party)));
        }
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取选择列表失败。"));
    }
    m_name->addItem(kAll);
    TraceLog(QStringLiteral("init timer"));
    m_name->setCurrentIndex(m_name->count() - 1);
    m_nameLabel->setText(FinanceBillListModel::PartyCaption(m_nSide));

    // The working month, first to last day.
    const QDate today = WorkingDate();
    m_dateFrom->setDate(QDate(today.year(), today.month(), 1));
    m_dateTo->setDate(QDate(today.year(), today.month(), today.daysInMonth()));
}

std::optional<FinanceBillQuery> CDlgBillFind_Provider_Fina::ReadCriteria()
{
    FinanceBillQuery query;
    if (m_amountRange->isChecked()) {
        const QString field = QStringLiteral("金额范围");
        if (m_amountFrom->text().trimmed().isEmpty() || m_amountTo->text().trimmed().isEmpty()) {
            ShowInfoMessage(QStringLiteral("请填写　“金额范围” 。"));
            return std::nullopt;
        }
        QString low;
        QString high;
        if (!CheckTypedNumber(m_amountFrom->text(), field, {}, &low)
            || !CheckTypedNumber(m_amountTo->text(), field, {}, &high))
            return std::nullopt;
        query.amounts = FinanceBillQuery::AmountRange {StrToDouble(low), StrToDouble(high)};
    }
    if (m_name->currentText().isEmpty()) {
        ShowInfoMessage(QStringLiteral("请填写　“%1” 。").arg(FinanceBillListModel::PartyCaption(m_nSide)));
        return std::nullopt;
    }

    query.tables = FinanceBillQuery::TablesOfSide(m_nSide);
    query.billType = m_billType->currentIndex();
    query.partyName = chosen(m_name);
    query.account = chosen(m_account);
    query.incomeType = chosen(m_incomeType);
    query.moneyType = chosen(m_moneyType);
    query.voucher = chosen(m_voucher);
    // The pickers' dates, not their display texts, whose form follows the
    // desktop's settings.
    if (m_dateRange->isChecked())
        query.dates = FinanceBillQuery::DateRange {DateText(m_dateFrom->date()), DateText(m_dateTo->date())};
    query.remark = typed(m_remark);
    query.seller = typed(m_seller);
    query.billCode = typed(m_billCode);
    return query;
}

void CDlgBillFind_Provider_Fina::OnOk()
{
    const std::optional<FinanceBillQuery> query = ReadCriteria();
    if (!query)
        return;
    m_query = *query;
    done(1);
}
