#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

#include "FinanceBillQuery.h"
#include "RecordTypes.h"

// The rows of the finance-bill report page: one row per listed bill with
// the number it was listed under, shown in fifteen columns (the last, the
// GUID, hidden by the view). The page's sorting, printing and export all
// read the list as it stands here.
class FinanceBillListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        ColumnNumber = 0,
        ColumnBillType,
        ColumnBillCode,
        ColumnInputDate,
        ColumnAccount,
        ColumnParty,
        ColumnIncome,
        ColumnPayout,
        ColumnTotal,
        ColumnSeller,
        ColumnMoneyType,
        ColumnVoucher,
        ColumnIncomeType,
        ColumnRemark,
        ColumnGuid,
        ColumnCount
    };
    enum SortKey { SortByDate = 0, SortByAccount = 1, SortByAmount = 2 };

    explicit FinanceBillListModel(QObject *parent = nullptr);

    // The caption of column 5: "供应商名称", "客户名称" or "单位名称".
    void SetPartyCaption(const QString &caption);
    static QString PartyCaption(int billListSide);
    QStringList Captions() const;

    // Replaces the list, numbering the rows from 0 in the given order.
    void SetRows(const QList<FinanceBillListRow> &rows);
    const FinanceBillListRow &RowAt(int row) const { return m_entries.at(row).row; }
    int Count() const { return static_cast<int>(m_entries.size()); }
    // The first row of that table holding the bill's GUID (exact), or -1.
    int FindRow(PartySide table, const QString &guid) const;
    // Rewrites a row from a saved bill; the row keeps its number.
    void UpdateRow(int row, const struct_button_financebill &bill);
    // Removes a row; the numbers of the others stay as they were.
    void RemoveRow(int row);
    // A stable ascending sort by the key, then the rows numbered from 0
    // again. Only rows of equal keys may change their order among
    // themselves; an unknown key only renumbers.
    void SortBy(int key);

    // The texts of a row's fifteen columns.
    QStringList RowTexts(int row) const;
    // The rows in their printed form: the twelve column texts with
    // MoneyCount holding the signed amount, ListIncome and ListPayout the
    // texts of the income and payout columns.
    QList<struct_button_financebill_provider> CollectListRows() const;

    // Column texts of a bill: the amount under 收入 or 支出 and "0" under
    // the other, the signed amount under 合计; all three empty for a bill
    // that is neither "收入单" nor "支出单".
    static QString IncomeText(const struct_button_financebill &bill);
    static QString PayoutText(const struct_button_financebill &bill);
    static QString SignedAmountText(const struct_button_financebill &bill);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct Entry
    {
        FinanceBillListRow row;
        int number = 0;
    };

    QString Text(const Entry &entry, int column) const;

    QList<Entry> m_entries;
    QString m_partyCaption;
};
