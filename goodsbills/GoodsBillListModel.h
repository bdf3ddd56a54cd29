#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <iterator>
#include <vector>

#include "GoodsBillLines.h"
#include "ListColumnFitter.h"

// The goods-bill report page's list: one row per bill with its record
// number, code, kind, date, company, signed total and deposit, seller,
// remark and (hidden) GUID. Amounts are signed as money moves: received
// positive (shipments, purchase returns), paid out negative (sales returns,
// stock-ins). Plain data operations a test can call; the page shows the
// model in a view.
class GoodsBillListModel : public QAbstractTableModel, public ListColumnTexts
{
    Q_OBJECT

public:
    enum Column {
        ColumnNumber = 0,
        ColumnCode,
        ColumnType,
        ColumnDate,
        ColumnCompany,
        ColumnAmount,
        ColumnDeposit,
        ColumnSeller,
        ColumnRemark,
        ColumnGuid,
        ColumnCount
    };
    enum SortKey { SortByDate = 0, SortByCompany = 1, SortByAmount = 2 };

    GoodsBillListModel(const GoodsBillSide &side, QObject *parent = nullptr);

    const GoodsBillSide &side() const { return m_side; }
    // The column titles; the company column names the side's party.
    QStringList Titles() const;
    // "-" before a non-zero amount the shop pays out for this kind of bill.
    static QString SignedAmount(const GoodsBillSide &side, const QString &billType, const QString &amount);

    // Replaces every row by one row per line (the lines are the bills'
    // first lines), signed, sorted by the key (SortBy) and numbered from 0.
    void SetBills(const GoodsBillLines &firstLines, int sortKey = -1);
    // The same, with the lines that fill hands to the function it is given,
    // one call per bill; the rows take the lines' texts. When fill throws,
    // the list stays as it was.
    template<typename Fill> void FillBills(Fill &&fill, int sortKey)
    {
        std::vector<Row> rows;
        QString own;
        fill([&](struct_button_goodsbill &&line) { rows.push_back(rowFor(std::move(line), 0, own)); });
        replaceRows(std::move(rows), std::move(own), sortKey);
    }
    // A stable sort: rows with equal keys keep their order. Dates and
    // amounts ascend; companies follow Chinese (pinyin) collation. Rows
    // are numbered anew from 0. Any other key changes nothing; SetBills
    // then keeps the lines' order.
    void SortBy(int key);
    // Rewrites the row of the line's GUID from its header fields; its
    // number stays. Answers the row, or -1 when no row has the GUID.
    int UpdateBill(const struct_button_goodsbill &firstLine);
    // Removes the first row of the GUID without renumbering the others;
    // answers its index, or -1.
    int RemoveBill(const QString &guid);
    int RowOf(const QString &guid) const;

    QString Text(int row, int column) const;
    // Every row's texts of the columns before the GUID.
    std::vector<QStringList> ShownTexts() const;
    // The rows as listed (the signed texts in SumMoney and Imprest), for
    // the printed list.
    GoodsBillLines Bills() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void VisitTexts(int columns, const std::function<void(int column, const QString &text)> &visit) const override;

private:
    // A search may list every bill of five years: a row keeps only its
    // texts. Those that repeat across bills (kinds, days, names, deposits)
    // are shared QStrings; a bill's own code, amount and GUID lie end to
    // end with the other rows' in one buffer (m_own), so that a listing
    // makes and frees a few large blocks instead of three small ones per
    // bill.
    static constexpr int kOwnColumns[] = {ColumnCode, ColumnAmount, ColumnGuid};
    struct Row
    {
        int number = 0;
        // Where the own texts begin in the buffer, and their sizes in the
        // order of kOwnColumns.
        qsizetype own = 0;
        qsizetype ownSizes[std::size(kOwnColumns)] = {};
        // The other columns' texts; those of the number and the own
        // columns stay empty.
        QString texts[ColumnCount];
    };
    // Takes the line's texts; its own ones go to the end of own.
    Row rowFor(struct_button_goodsbill &&line, int number, QString &own) const;
    static bool isOwn(int column);
    // A text of one of kOwnColumns, as long as the buffer stays as it is.
    QStringView ownText(const Row &row, int column) const;
    void replaceRows(std::vector<Row> rows, QString own, int sortKey);
    // Sorts the rows and numbers them, without telling the views.
    void sortRows(int key);

    const GoodsBillSide &m_side;
    std::vector<Row> m_rows;
    QString m_own;
};
