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
    int pageCount() const { return static_cast<int>(m_pages.size()); }
    int recordCount() const { return static_cast<int>(m_records.size()); }
    const QList<QStringList>& records() const { return m_records; }
    const QList<Row>& rows() const { return m_rows; }
    QString parameterText(const QString& name) const { return m_parameters.value(name); }
    const ReportTemplate& reportTemplate() const { return *m_template; }

    // Layout results, for checks and for callers setting up a printer.
    QPageLayout pageLayout() const;
    QSizeF pageSizeMm() const { return m_pageSize; }
    const QList<ReportLayout::PageSlice>& pages() const { return m_pages; }
    const QList<double>& columnWidths() const { return m_fit.widths; }
    double tableScale() const { return m_fit.scale; }

    // Paints page pageIndex (0-based) with the page's top-left corner at the
    // painter's origin, using the device's resolution to map millimetres.
    void paintPage(QPainter& painter, int pageIndex) const;

    // Gives the printer the document's paper, orientation and full-page
    // mode (margins are the template's own).
    void applyPageLayout(QPrinter& printer) const;
    // Paints the pages the printer asks for (its page range, or all) with
    // the printer's current settings.
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

    ResolvedBand resolveBand(const ReportTemplate::Band& band) const;
    double itemLineHeight(double fontSize) const;
    QString expand(const QString& text, int pageIndex) const;
    void paintBand(
        QPainter& painter, const ResolvedBand& band, const QPointF& origin, double width, int pageIndex) const;
    void paintTable(QPainter& painter, const ReportLayout::PageSlice& slice, double top) const;
    void paintPages(QPainter& painter, const std::function<bool()>& newPage, int from, int to) const;
    bool paintPdf(QIODevice* device, QString* error) const;
    QByteArray repairTextLayer(const QByteArray& pdf) const;
    bool repairPdfFile(const QString& path, QString* error) const;

    std::shared_ptr<const ReportTemplate> m_template;
    QHash<QString, QString> m_parameters;
    QSet<QString> m_hidden;
    QList<QStringList> m_records;
    QList<Row> m_rows;

    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QSizeF m_pageSize;
    QRectF m_content;
    ReportLayout::ColumnFit m_fit;
    double m_tableFontSize = 9.0;
    double m_rowHeight = 6.0;
    double m_headerRowHeight = 7.0;
    ResolvedBand m_pageHeader;
    ResolvedBand m_reportHeader;
    ResolvedBand m_reportFooter;
    ResolvedBand m_pageFooter;
    QList<ReportLayout::PageSlice> m_pages;

    std::unique_ptr<ReportTextPainter> m_text;
};
