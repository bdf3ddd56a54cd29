#include "FinanceBillListModel.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <vector>

#include "GlobalFunctions.h"

namespace {

const QString kIncome = QStringLiteral("收入单");
const QString kPayout = QStringLiteral("支出单");

bool keyLess(const QString &a, const QString &b)
{
    return a < b;
}

bool keyLess(double a, double b)
{
    return a < b;
}

bool keyLess(const QCollatorSortKey &a, const QCollatorSortKey &b)
{
    return a.compare(b) < 0;
}

// A stable ascending sort of the entries by keyOf(bill). The keys are
// worked out once per row: sorting 20,000 rows compares some 300,000 times.
template <typename Entries, typename KeyOf> void SortEntries(Entries &entries, KeyOf keyOf)
{
    using Key = decltype(keyOf(entries.front().row.bill));
    std::vector<std::pair<Key, qsizetype>> keys;
    keys.reserve(static_cast<std::size_t>(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i)
        keys.emplace_back(keyOf(entries.at(i).row.bill), i);
    std::stable_sort(keys.begin(), keys.end(), [](const auto &a, const auto &b) { return keyLess(a.first, b.first); });
    Entries sorted;
    sorted.reserve(entries.size());
    for (const auto &key : keys)
        sorted.append(entries.at(key.second));
    entries = std::move(sorted);
}

} // namespace

FinanceBillListModel::FinanceBillListModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_partyCaption(PartyCaption(BillListBoth))
{
}

QString FinanceBillListModel::PartyCaption(int billListSide)
{
    switch (billListSide) {
    case BillListProvider:
        return QStringLiteral("供应商名称");
    case BillListClient:
        return QStringLiteral("客户名称");
    default:
        return QStringLiteral("单位名称");
    }
}

void FinanceBillListModel::SetPartyCaption(const QString &caption)
{
    m_partyCaption = caption;
    emit headerDataChanged(Qt::Horizontal, ColumnParty, ColumnParty);
}

QStringList FinanceBillListModel::Captions() const
{
    return {QStringLiteral("记录号"),   QStringLiteral("单据类型"), QStringLiteral("单据编号"),
            QStringLiteral("录入时间"), QStringLiteral("帐户名称"), m_partyCaption,
            QStringLiteral("收入"),     QStringLiteral("支出"),     QStringLiteral("合计"),
            QStringLiteral("业务员"),   QStringLiteral("类别"),     QStringLiteral("凭证"),
            QStringLiteral("收支种类"), QStringLiteral("单据备注"), QStringLiteral("guid")};
}

QString FinanceBillListModel::IncomeText(const struct_button_financebill &bill)
{
    if (bill.BillType == kIncome)
        return bill.MoneyCount;
    return bill.BillType == kPayout ? QStringLiteral("0") : QString();
}

QString FinanceBillListModel::PayoutText(const struct_button_financebill &bill)
{
    if (bill.BillType == kPayout)
        return bill.MoneyCount;
    return bill.BillType == kIncome ? QStringLiteral("0") : QString();
}

QString FinanceBillListModel::SignedAmountText(const struct_button_financebill &bill)
{
    if (bill.BillType == kIncome)
        return bill.MoneyCount;
    if (bill.BillType != kPayout)
        return QString();
    const QString amount = bill.MoneyCount.trimmed();
    // A payout is minus its amount: an old "-5" shows 5, never "--5"; a
    // zero or empty amount stays as it is rather than become "-0".
    if (amount.startsWith(QLatin1Char('-')))
        return amount.mid(1);
    if (amount.isEmpty() || StrToDouble(amount) == 0.0)
        return amount;
    return QLatin1Char('-') + amount;
}

void FinanceBillListModel::SetRows(const QList<FinanceBillListRow> &rows)
{
    beginResetModel();
    m_entries.clear();
    m_entries.reserve(rows.size());
    int number = 0;
    for (const FinanceBillListRow &row : rows)
        m_entries.append(Entry {row, number++});
    endResetModel();
}

int FinanceBillListModel::FindRow(PartySide table, const QString &guid) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        const FinanceBillListRow &row = m_entries.at(i).row;
        if (row.table == table && row.bill.GUID == guid)
            return i;
    }
    return -1;
}

void FinanceBillListModel::UpdateRow(int row, const struct_button_financebill &bill)
{
    if (row < 0 || row >= m_entries.size())
        return;
    UpdateCopy(m_entries[row].row.bill, bill);
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void FinanceBillListModel::RemoveRow(int row)
{
    if (row < 0 || row >= m_entries.size())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_entries.removeAt(row);
    endRemoveRows();
}

void FinanceBillListModel::SortBy(int key)
{
    beginResetModel();
    switch (key) {
    case SortByDate:
        SortEntries(m_entries, [](const struct_button_financebill &bill) { return bill.InputDate; });
        break;
    case SortByAccount: {
        // Chinese names in pinyin order, as the staff look them up.
        const QCollator collator {QLocale(QLocale::Chinese, QLocale::China)};
        SortEntries(m_entries,
                    [&collator](const struct_button_financebill &bill) { return collator.sortKey(bill.AccountName); });
        break;
    }
    case SortByAmount:
        SortEntries(m_entries,
                    [](const struct_button_financebill &bill) { return StrToDouble(SignedAmountText(bill)); });
        break;
    default:
        break;
    }
    int number = 0;
    for (Entry &entry : m_entries)
        entry.number = number++;
    endResetModel();
}

QString FinanceBillListModel::Text(const Entry &entry, int column) const
{
    const struct_button_financebill &bill = entry.row.bill;
    switch (column) {
    case ColumnNumber:
        return QString::number(entry.number);
    case ColumnBillType:
        return bill.BillType;
    case ColumnBillCode:
        return bill.BillCode;
    case ColumnInputDate:
        return bill.InputDate;
    case ColumnAccount:
        return bill.AccountName;
    case ColumnParty:
        return bill.ClientName;
    case ColumnIncome:
        return IncomeText(bill);
    case ColumnPayout:
        return PayoutText(bill);
    case ColumnTotal:
        return SignedAmountText(bill);
    case ColumnSeller:
        return bill.SellerName;
    case ColumnMoneyType:
        return bill.MoneyType;
    case ColumnVoucher:
        return bill.Voucher;
    case ColumnIncomeType:
        return bill.IncomeType;
    case ColumnRemark:
        return bill.BillRemark;
    case ColumnGuid:
        return bill.GUID;
    default:
        return QString();
    }
}

QStringList FinanceBillListModel::RowTexts(int row) const
{
    QStringList texts;
    const Entry &entry = m_entries.at(row);
    for (int column = 0; column < ColumnCount; ++column)
        texts << Text(entry, column);
    return texts;
}

QList<struct_button_financebill_provider> FinanceBillListModel::CollectListRows() const
{
    QList<struct_button_financebill_provider> rows;
    rows.reserve(m_entries.size());
    for (const Entry &entry : m_entries) {
        struct_button_financebill_provider row = ToPurchaseLayout(entry.row.bill);
        row.MoneyCount = SignedAmountText(entry.row.bill);
        row.ListIncome = IncomeText(entry.row.bill);
        row.ListPayout = PayoutText(entry.row.bill);
        rows << row;
    }
    return rows;
}

int FinanceBillListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

int FinanceBillListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FinanceBillListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_entries.size())
        return QVariant();
    return Text(m_entries.at(index.row()), index.column());
}

QVariant FinanceBillListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return Captions().at(section);
}
