#include "GoodsBillListModel.h"

#include <QCollator>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <iterator>
#include <numeric>
#include <utility>

#include "GlobalFunctions.h"

GoodsBillListModel::GoodsBillListModel(const GoodsBillSide &side, QObject *parent)
    : QAbstractTableModel(parent)
    , m_side(side)
{
}

QStringList GoodsBillListModel::Titles() const
{
    return {QStringLiteral("记录号"), QStringLiteral("单据编号"), QStringLiteral("单据类型"),
        QStringLiteral("录入时间"),
        m_side.party == PartyProvider ? QStringLiteral("供应商名称") : QStringLiteral("客户名称"),
        QStringLiteral("单据金额"), QStringLiteral("单据订金"), QStringLiteral("业务员"), QStringLiteral("单据备注"),
        QStringLiteral("guid")};
}

QString GoodsBillListModel::SignedAmount(const GoodsBillSide &side, const QString &billType, const QString &amount)
{
    // Goods coming in (sales returns, stock-ins) are money going out.
    if (side.StockSign(billType) <= 0 || StrToDouble(amount) == 0.0)
        return amount;
    if (amount.startsWith(QLatin1Char('-')))
        return amount.mid(1);
    return QLatin1Char('-') + amount;
}

GoodsBillListModel::Row GoodsBillListModel::rowFor(struct_button_goodsbill &&line, int number, QString &own) const
{
    Row row;
    row.number = number;
    row.own = own.size();
    const QString amount = SignedAmount(m_side, line.BillType, line.SumMoney);
    const QString *owned[] = {&line.BillCode, &amount, &line.GUID};
    static_assert(std::size(owned) == std::size(kOwnColumns));
    for (std::size_t i = 0; i < std::size(owned); ++i) {
        own.append(*owned[i]);
        row.ownSizes[i] = owned[i]->size();
    }
    row.texts[ColumnDeposit] = SignedAmount(m_side, line.BillType, line.Imprest);
    row.texts[ColumnType] = std::move(line.BillType);
    row.texts[ColumnDate] = std::move(line.InputDate);
    row.texts[ColumnCompany] = std::move(line.CompanyName);
    row.texts[ColumnSeller] = std::move(line.SellerName);
    row.texts[ColumnRemark] = std::move(line.BillRemark);
    return row;
}

bool GoodsBillListModel::isOwn(int column)
{
    return std::find(std::begin(kOwnColumns), std::end(kOwnColumns), column) != std::end(kOwnColumns);
}

QStringView GoodsBillListModel::ownText(const Row &row, int column) const
{
    qsizetype begin = row.own;
    for (std::size_t i = 0; i < std::size(kOwnColumns); ++i) {
        if (kOwnColumns[i] == column)
            return QStringView(m_own).sliced(begin, row.ownSizes[i]);
        begin += row.ownSizes[i];
    }
    return QStringView();
}

void GoodsBillListModel::SetBills(const GoodsBillLines &firstLines, int sortKey)
{
    FillBills(
        [&](const auto &add) {
            for (const struct_button_goodsbill &line : firstLines)
                add(struct_button_goodsbill(line));
        },
        sortKey);
}

void GoodsBillListModel::replaceRows(std::vector<Row> rows, QString own, int sortKey)
{
    // One reset for the whole list: views lay out every row at a reset.
    beginResetModel();
    m_rows = std::move(rows);
    m_own = std::move(own);
    sortRows(sortKey);
    endResetModel();
}

void GoodsBillListModel::SortBy(int key)
{
    if (key != SortByDate && key != SortByCompany && key != SortByAmount)
        return;
    beginResetModel();
    sortRows(key);
    endResetModel();
}

void GoodsBillListModel::sortRows(int key)
{
    // The rows are sorted through their indexes, each key worked out once.
    std::vector<std::size_t> order(m_rows.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    const auto sortOrder = [&](const auto &before) {
        // Bills are mostly written in date order: a list already in order
        // is left as it is.
        if (!std::is_sorted(order.begin(), order.end(), before))
            std::stable_sort(order.begin(), order.end(), before);
    };
    if (key == SortByDate) {
        sortOrder(
            [&](std::size_t a, std::size_t b) { return m_rows[a].texts[ColumnDate] < m_rows[b].texts[ColumnDate]; });
    } else if (key == SortByAmount) {
        std::vector<double> amounts;
        amounts.reserve(m_rows.size());
        for (const Row &row : m_rows) {
            const QStringView amount = ownText(row, ColumnAmount);
            amounts.push_back(StrToDouble(QString::fromRawData(amount.data(), amount.size())));
        }
        sortOrder([&](std::size_t a, std::size_t b) { return amounts[a] < amounts[b]; });
    } else if (key == SortByCompany) {
        // A shop has a few hundred companies: rank the distinct names once
        // rather than collate names for every comparison.
        QHash<QString, int> rankOf;
        QStringList names;
        for (const Row &row : m_rows) {
            if (!rankOf.contains(row.texts[ColumnCompany])) {
                rankOf.insert(row.texts[ColumnCompany], 0);
                names << row.texts[ColumnCompany];
            }
        }
        QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
        std::stable_sort(
            names.begin(), names.end(), [&](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
        for (int i = 0; i < names.size(); ++i)
            rankOf[names.at(i)] = i;
        std::vector<int> ranks;
        ranks.reserve(m_rows.size());
        for (const Row &row : m_rows)
            ranks.push_back(rankOf.value(row.texts[ColumnCompany]));
        sortOrder([&](std::size_t a, std::size_t b) { return ranks[a] < ranks[b]; });
    }
    if (!std::is_sorted(order.begin(), order.end())) {
        std::vector<Row> rows;
        rows.reserve(m_rows.size());
        for (std::size_t index : order)
            rows.push_back(std::move(m_rows[index]));
        m_rows.swap(rows);
    }
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        m_rows[i].number = static_cast<int>(i);
}

int GoodsBillListModel::RowOf(const QString &guid) const
{
    const auto found
        = std::find_if(m_rows.begin(), m_rows.end(), [&](const Row &row) { return ownText(row, ColumnGuid) == guid; });
    return found == m_rows.end() ? -1 : static_cast<int>(found - m_rows.begin());
}

int GoodsBillListModel::UpdateBill(const struct_button_goodsbill &firstLine)
{
    const int row = RowOf(firstLine.GUID);
    if (row < 0)
        return -1;
    Row &shown = m_rows[static_cast<std::size_t>(row)];
    shown = rowFor(struct_button_goodsbill(firstLine), shown.number, m_own);
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    return row;
}

int GoodsBillListModel::RemoveBill(const QString &guid)
{
    const int row = RowOf(guid);
    if (row < 0)
        return -1;
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
    return row;
}

QString GoodsBillListModel::Text(int row, int column) const
{
    if (column < 0 || column >= ColumnCount)
        return QString();
    const Row &shown = m_rows.at(static_cast<std::size_t>(row));
    if (column == ColumnNumber)
        return QString::number(shown.number);
    if (isOwn(column))
        return ownText(shown, column).toString();
    return shown.texts[column];
}

std::vector<QStringList> GoodsBillListModel::ShownTexts() const
{
    std::vector<QStringList> texts;
    texts.reserve(m_rows.size());
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        QStringList cells;
        cells.reserve(ColumnGuid);
        for (int column = 0; column < ColumnGuid; ++column)
            cells << Text(static_cast<int>(row), column);
        texts.push_back(cells);
    }
    return texts;
}

GoodsBillLines GoodsBillListModel::Bills() const
{
    GoodsBillLines lines;
    lines.reserve(m_rows.size());
    for (const Row &row : m_rows) {
        struct_button_goodsbill line;
        line.BillCode = ownText(row, ColumnCode).toString();
        line.BillType = row.texts[ColumnType];
        line.InputDate = row.texts[ColumnDate];
        line.CompanyName = row.texts[ColumnCompany];
        line.SumMoney = ownText(row, ColumnAmount).toString();
        line.Imprest = row.texts[ColumnDeposit];
        line.SellerName = row.texts[ColumnSeller];
        line.BillRemark = row.texts[ColumnRemark];
        line.GUID = ownText(row, ColumnGuid).toString();
        lines.push_back(line);
    }
    return lines;
}

int GoodsBillListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int GoodsBillListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant GoodsBillListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return QVariant();
    return Text(index.row(), index.column());
}

QVariant GoodsBillListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QVariant();
    return Titles().at(section);
}

void GoodsBillListModel::VisitTexts(
    int columns, const std::function<void(int column, const QString &text)> &visit) const
{
    // The numbers and the own texts are handed over where they lie (they
    // need to last only for the call), not copied into QStrings of their
    // own.
    columns = std::min(columns, int(ColumnCount));
    const Row *above = nullptr;
    for (const Row &row : m_rows) {
        for (int column = 0; column < columns; ++column) {
            const QString &text = row.texts[column];
            if (column == ColumnNumber) {
                char16_t digits[12];
                char16_t *first = std::end(digits);
                unsigned rest = row.number < 0 ? 0u - unsigned(row.number) : unsigned(row.number);
                do {
                    *--first = char16_t(u'0' + rest % 10);
                    rest /= 10;
                } while (rest != 0);
                if (row.number < 0)
                    *--first = u'-';
                visit(column, QString::fromRawData(reinterpret_cast<const QChar *>(first), std::end(digits) - first));
            } else if (isOwn(column)) {
                const QStringView own = ownText(row, column);
                visit(column, QString::fromRawData(own.data(), own.size()));
            } else if (!above || text.constData() != above->texts[column].constData()
                || text.size() != above->texts[column].size()) {
                // A text that shares the one above (the rows' repeated
                // kinds, days and names do) is passed once.
                visit(column, text);
            }
        }
        above = &row;
    }
}
