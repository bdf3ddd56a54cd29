#pragma once

// The columns of a report list, sized by what it lists: codes, dates and
// amounts whole, the names and remarks sharing the room that is left.

#include <QObject>

#include <functional>
#include <vector>

class QString;
class QTableView;

// How a column takes its width.
enum class ColumnFit {
    // Always as wide as its widest text: a code, a date, an amount, a kind
    // or a record number is read whole or not at all.
    Whole,
    // A name or a remark: whole while the view has room, else it shares
    // what is left with the others of its kind and may end in "…".
    Shared,
};

// What a column needs, in pixels: for its title, and for its widest text.
struct ListColumnNeed
{
    ColumnFit fit = ColumnFit::Whole;
    int title = 0;
    int text = 0;
};

// The widths of columns in a view `room` pixels wide. A whole column gets
// its title and its widest text; the shared ones get theirs while the room
// lasts. Where it does not, the widest shared columns are cut, all to one
// width, so that the narrow ones stay whole; no column is narrower than its
// title. The last column reaches the view's right edge; only when the
// titles alone are wider than the view do the columns pass it.
std::vector<int> ListColumnWidths(const std::vector<ListColumnNeed>& needs, int room);

// The width a cell of the view takes to show the text whole, as the view's
// own cells are measured, with the grid line beside it.
int ListCellWidth(const QTableView* view, const QString& text);
// The width the column takes to show its title whole, in the header and as
// a cell would.
int ListTitleWidth(const QTableView* view, int column);

// A model that hands the fitter its display texts straight, without a
// QModelIndex and a QVariant per cell: a search may list tens of thousands
// of rows, and every listing is measured whole. The fitter reads other
// models through data().
class ListColumnTexts
{
public:
    // Calls visit with the Qt::DisplayRole texts of the columns before
    // `columns`, row by row from the top; a text the same as the one above
    // it may be left out. A text may last only for the call.
    virtual void VisitTexts(int columns, const std::function<void(int column, const QString& text)>& visit) const = 0;

protected:
    ~ListColumnTexts() = default;
};

// Keeps a report list's columns fitted: after each listing, each change of
// a row or a title, and each change of the view's width. The columns past
// the fits are hidden (the GUID). A cell cut with "…" shows its whole text
// as its tooltip. Owned by the view; a model set later needs a new fitter.
class ListColumnFitter : public QObject
{
    Q_OBJECT

public:
    ListColumnFitter(QTableView* view, std::vector<ColumnFit> fits);

    // Measures what the list shows and sizes the columns.
    void Fit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Sizes the columns by the needs last measured to the view's width.
    void Apply();

    QTableView* m_view;
    std::vector<ColumnFit> m_fits;
    std::vector<ListColumnNeed> m_needs;
};

// Fits the view's columns by their kinds now and from then on (see
// ListColumnFitter), in place of the fitter it had: call it again after
// giving the view another model.
void FitReportColumns(QTableView* view, std::vector<ColumnFit> fits);
