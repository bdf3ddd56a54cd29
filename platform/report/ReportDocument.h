#pragma once

#include "ReportLayout.h"
#include "ReportTemplate.h"

#include <QHash>
#include <QList>
#include <QPageLayout>
#include <QRectF>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QIODevice;
class QPainter;
class QPrinter;
class ReportTextPainter;

// A produced report: the template, the parameter texts and the records of
// one run, broken into pages. It paints any page into any QPainter (PDF
// writer, printer, preview), so preview, print and PDF share one path. It
// is immutable after construction; the GridReport that made it may go on
// to produce other documents.
class ReportDocument
{
public:
    struct Input
    {
        std::shared_ptr<const ReportTemplate> reportTemplate;
        QHash<QString, QString> parameters; // name -> text
        QSet<QString> hiddenControls; // names of band items not to print
        QList<QStringList> records; // one text per template column
    };

    // A row as printed: cell texts already formatted.
    struct Row
    {
        QStringList cells;
        bool bold = false;
    };

    explicit ReportDocument(Input input);
    ~ReportDocument();
    ReportDocument(const ReportDocument&) = delete;
    ReportDocument& operator=(const ReportDocument&) = delete;

    QString title() const;
    int pageCount() const { return static_cast<int>(m_layout.pages.size()); }
    int recordCount() const { return static_cast<int>(m_records.size()); }
    const QList<QStringList>& records() const { return m_records; }
    const QList<Row>& rows() const { return m_rows; }
    QString parameterText(const QString& name) const { return m_parameters.value(name); }
    const ReportTemplate& reportTemplate() const { return *m_template; }

    // Layout results on the document's own paper (A4, turned when the
    // template asks for it), for checks and for callers setting up a
    // printer.
    QPageLayout pageLayout() const;
    QSizeF pageSizeMm() const { return m_layout.pageSize; }
    const QList<ReportLayout::PageSlice>& pages() const { return m_layout.pages; }
    const QList<double>& columnWidths() const { return m_layout.fit.widths; }
    double tableScale() const { return m_layout.fit.scale; }

    // Pages as laid out on the printer's paper (size, orientation and, when
    // the printer does not print the full page, its printable area).
    int pageCountFor(const QPrinter& printer) const;

    // Paints page pageIndex (0-based) with the page's top-left corner at the
    // painter's origin, using the device's resolution to map millimetres.
    void paintPage(QPainter& painter, int pageIndex) const;

    // Gives the printer the document's paper, orientation and full-page
    // mode (margins are the template's own).
    void applyPageLayout(QPrinter& printer) const;
    // Lays the pages out again for the paper the printer has now (the
    // person may have turned it or chosen another size in the preview or
    // the print dialog), then paints the pages it asks for (its page
    // range, or all): what is printed is what the preview shows.
    bool print(QPrinter& printer, QString* error) const;
    // Writes the whole document as a PDF file; an existing file is only
    // replaced when the new one is complete.
    bool writePdf(const QString& path, QString* error) const;
    bool writePdf(QIODevice* device, QString* error) const;

private:
    struct ResolvedBand
    {
        ReportTemplate::Band band;
        double height = 0.0;
    };

    // Everything that follows from the paper: the printable area, the
    // fitted columns, the row heights and the break into pages.
    struct PageGeometry
    {
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        QSizeF pageSize; // mm
        QRectF content; // mm, within the page
        ReportLayout::ColumnFit fit;
        double tableFontSize = 9.0;
        double rowHeight = 6.0;
        double headerRowHeight = 7.0;
        QList<ReportLayout::PageSlice> pages;
    };

    PageGeometry layOut(const QSizeF& pageSize, QPageLayout::Orientation orientation) const;
    PageGeometry layOutFor(const QPrinter& printer) const;
    ResolvedBand resolveBand(const ReportTemplate::Band& band) const;
    double itemLineHeight(double fontSize) const;
    QString expand(const QString& text, const PageGeometry& geometry, int pageIndex) const;
    void paintBand(QPainter& painter, const ResolvedBand& band, const QPointF& origin, double width,
        const PageGeometry& geometry, int pageIndex) const;
    void paintTable(
        QPainter& painter, const PageGeometry& geometry, const ReportLayout::PageSlice& slice, double top) const;
    void paintPage(QPainter& painter, const PageGeometry& geometry, int pageIndex) const;
    void paintPages(
        QPainter& painter, const PageGeometry& geometry, const std::function<bool()>& newPage, int from, int to) const;
    bool paintPdf(QIODevice* device, QString* error) const;
    QByteArray repairTextLayer(const QByteArray& pdf) const;
    bool repairPdfFile(const QString& path, QString* error) const;

    std::shared_ptr<const ReportTemplate> m_template;
    QHash<QString, QString> m_parameters;
    QSet<QString> m_hidden;
    QList<QStringList> m_records;
    QList<Row> m_rows;

    ResolvedBand m_pageHeader;
    ResolvedBand m_reportHeader;
    ResolvedBand m_reportFooter;
    ResolvedBand m_pageFooter;
    PageGeometry m_layout; // on the document's own paper

    std::unique_ptr<ReportTextPainter> m_text;
};
