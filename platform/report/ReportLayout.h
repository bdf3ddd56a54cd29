#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The arithmetic of a report page, kept apart from painting so that it can
// be checked case by case: column fitting, page breaking, totals rows, the
// sum row, number texts and {name} substitution. All lengths are mm.
namespace ReportLayout {

struct ColumnFit
{
    QList<double> widths; // final widths, scaled when the table was too wide
    double scale = 1.0; // applied to widths, table font and row heights
    double tableWidth = 0.0;
};

// Columns with width <= 0 share what the fixed columns leave of the
// available width, each at least minAutoWidth. A table wider than the
// available width is scaled down as a whole when allowShrink is set.
ColumnFit fitColumns(const QList<double>& requested, double available, bool allowShrink, double minAutoWidth = 15.0);

// The natural table width (no shrinking) for the portrait/landscape choice.
double naturalTableWidth(const QList<double>& requested, double available, double minAutoWidth = 15.0);

struct PageInput
{
    double bodyHeight = 0.0; // page height less margins, page header and page footer
    double reportHeaderHeight = 0.0; // first page only
    double tableHeaderHeight = 0.0; // column captions, repeated on every page with rows
    double rowHeight = 1.0;
    int rowCount = 0;
    double reportFooterHeight = 0.0; // after the last row
};

struct PageSlice
{
    int firstRow = 0;
    int rowCount = 0;
    bool hasReportHeader = false;
    bool hasTableHeader = false;
    bool hasReportFooter = false;

    bool operator==(const PageSlice&) const = default;
};

// Breaks the rows into pages. Every page with rows repeats the column
// captions; the report footer follows the last row, on a page of its own
// when it does not fit below it. A page always takes at least one row, so
// a row taller than the page cannot stall the break. No rows still gives
// one page with the header, the captions and the footer.
QList<PageSlice> paginate(const PageInput& input);

// Whether the row's text in the marker column is one of the markers.
bool isTotalsRow(const QStringList& row, int markerColumn, const QStringList& markers);

// Sums the given columns over the rows that are not totals rows. Texts that
// are not numbers count as 0. Answers one sum per column index.
QList<double> sumColumns(
    const QList<QStringList>& rows, const QList<int>& columns, const std::function<bool(const QStringList&)>& skip);

// A number written with fixed decimals regardless of the desktop's locale;
// texts that are not numbers come back unchanged. decimals < 0 leaves the
// text as it is.
QString formatNumberText(const QString& text, int decimals);

// Whether a text is a figure: a number, maybe signed, with thousands
// separators or a percent sign. A figure is printed whole, never cut.
bool isFigure(const QString& text);

// Replaces every {name} for which lookup answers a value; other braces stay.
QString expandPlaceholders(const QString& text, const std::function<std::optional<QString>(const QString&)>& lookup);

} // namespace ReportLayout
