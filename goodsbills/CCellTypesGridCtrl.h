#pragma once

#include <QDate>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStringList>
#include <QTableWidget>

class CDlgNewShipment;

// The bill grid of the goods bill editor: a head row (company, date, bill
// code), a row of column titles, the line rows (code, name, variant,
// unit, count, unit price, amount, remark) and a totals row (the total in
// capital numerals and the total). Six line rows, or one per line of a
// stored bill that has more. The name and variant cells open the
// product pickers from a button; every change of a count or a unit price,
// typed, pasted or deleted, and every variant picked, recomputes the
// line's amount, the total and the capital text at once. The grid reads
// the company list and nothing else from the database.
class CCellTypesGridCtrl : public QTableWidget
{
    Q_OBJECT

public:
    enum Row { HeadRow = 0, TitleRow = 1, FirstLineRow = 2 };
    // Cells of the head and totals rows.
    enum Cell { CompanyColumn = 1, DateColumn = 5, CodeColumn = 7, CapitalColumn = 1, TotalColumn = 6 };
    // Columns of a line row.
    enum LineColumn { CodeCol = 0, NameCol, SpecCol, UnitCol, CountCol, PriceCol, AmountCol, RemarkCol, ColumnCount };
    static constexpr int kLineRows = 6;
    // Count and unit-price cells take at most this many characters.
    static constexpr int kNumberLength = 12;

    explicit CCellTypesGridCtrl(QWidget* parent = nullptr);
    ~CCellTypesGridCtrl() override;

    // The GoodsBillMode: it chooses the company list, the code's prefix and
    // the side whose prices the pickers give.
    int SetBillType(int mode);
    int GetBillType() const { return m_nBillType; }
    // The editor that owns the grid; it names the party whose prices the
    // variant picker gives.
    int SetBillDlg(CDlgNewShipment* dialog);

    // Makes the rows and cells (lineRows line rows, at least six), fills
    // the company list and puts a new bill's code into its cell. A company
    // list that cannot be read is reported and left empty.
    void Create(int lineRows = kLineRows);

    int LineRowCount() const { return m_lineRows; }
    int TotalsRow() const { return FirstLineRow + m_lineRows; }
    bool IsLineRow(int row) const { return row >= FirstLineRow && row < TotalsRow(); }

    QString CellText(int row, int column) const;
    // Writes a cell's text as it stands (a stored bill, the program's own
    // figures); nothing is recomputed.
    void SetCellText(int row, int column, const QString& text);
    // Ends the cell being edited, keeping what the person typed.
    void CommitOpenEdit();

    QDate BillDate() const;
    void SetBillDate(const QDate& date);
    // A stored date text; shown as stored when it is no date.
    void SetBillDateText(const QString& text);
    // "%04d-%02d-%02d".
    QString BillDateText() const;

    // A stored bill before 修改: no cell opens for typing or picking, and
    // Delete and a paste on a cell change nothing.
    void SetReadOnly(bool readOnly);

    // The company cannot be changed any more (a bill of a party's window,
    // a stored bill).
    void LockCompany();
    bool IsCompanyLocked() const;
    const QStringList& CompanyNames() const { return m_companyNames; }

    // The code of a new bill of the grid's mode on the working date.
    QString MakeBillNumber();
    // Total ← the sum of the amounts of the line rows that have a code.
    int UpdateTotals();
    // Capital text ← the total in capital numerals.
    int FormatAmountInCapitals();
    // Amount ← count × unit price of a line row (empty when both are
    // empty), then the total and the capital text.
    void RecomputeLine(int row);
    // Every line row, then the totals.
    void RecomputeAll();

    // The buttons of a line row's name and variant cells. A picker
    // closed without a choice leaves the cell as it was.
    void OnClickProductButton(int row);
    void OnClickSpecButton(int row);
    // A count or unit-price edit changed its text (every key, paste or
    // delete): the line is recomputed with that text.
    void OnNumberEdited(int row, int column, const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    class CellDelegate;

    void AddRowCells(int row);
    void SetFixedText(int row, int column, const QString& text);
    void SetEditableText(int row, int column, const QString& text);
    void LoadCompanyNames();
    QString PriceParty() const;
    void OnItemChanged(QTableWidgetItem* item);
    void Recompute(int row, const QString& count, const QString& price);

    int m_nBillType = 0;
    CDlgNewShipment* m_pBillDlg = nullptr;
    int m_lineRows = kLineRows;
    bool m_isReadOnly = false;
    QStringList m_companyNames;
    QPointer<QWidget> m_openEditor;
    QPersistentModelIndex m_openIndex;
};
