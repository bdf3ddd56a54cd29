#include "ReportDocument.h"

#include "PdfTextMap.h"
#include "ReportTextPainter.h"

#include <QBuffer>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace {

// The painter works in hundredths of a millimetre: fine enough for glyph
// placement, coarse enough for the integer pixel sizes QFont takes.
constexpr double unitsPerMm = 100.0;
constexpr double mmPerPoint = 25.4 / 72.0;
constexpr double a4Width = 210.0;
constexpr double a4Height = 297.0;
constexpr double cellPadding = 1.0; // mm
constexpr double gridPen = 0.2; // mm
constexpr double pdfResolution = 1200.0;

QRectF toUnits(const QRectF& mm)
{
    return QRectF(mm.x() * unitsPerMm, mm.y() * unitsPerMm, mm.width() * unitsPerMm, mm.height() * unitsPerMm);
}

QPointF toUnits(const QPointF& mm)
{
    return mm * unitsPerMm;
}

int pixelSizeFor(double points)
{
    return std::max(1, static_cast<int>(std::lround(points * mmPerPoint * unitsPerMm)));
}

// Figures are drawn smaller where they do not fit; only words are cut.
ReportTextPainter::Fit fitFor(const QString& text)
{
    return ReportLayout::isFigure(text) ? ReportTextPainter::Fit::Shrink : ReportTextPainter::Fit::Elide;
}

ReportTextPainter::Align textAlign(ReportTemplate::Align align)
{
    switch (align) {
    case ReportTemplate::Align::Center:
        return ReportTextPainter::Align::Center;
    case ReportTemplate::Align::Right:
        return ReportTextPainter::Align::Right;
    case ReportTemplate::Align::Left:
        break;
    }
    return ReportTextPainter::Align::Left;
}

QList<double> requestedWidths(const ReportTemplate& t)
{
    QList<double> requested;
    for (const ReportTemplate::Column& column : t.columns)
        requested.append(column.width);
    return requested;
}

QPen gridLinePen()
{
    QPen pen(Qt::black);
    pen.setWidthF(gridPen * unitsPerMm);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

} // namespace

ReportDocument::ReportDocument(Input input)
    : m_template(input.reportTemplate ? std::move(input.reportTemplate) : std::make_shared<const ReportTemplate>())
    , m_parameters(std::move(input.parameters))
    , m_hidden(std::move(input.hiddenControls))
    , m_records(std::move(input.records))
    , m_text(std::make_unique<ReportTextPainter>(ReportTextPainter::defaultFamilies(m_template->fontFamily)))
{
    const ReportTemplate& t = *m_template;
    const int columnCount = static_cast<int>(t.columns.size());

    // Rows as printed: padded to the column count, numbers formatted, the
    // totals row marked bold, the template's own sum row last.
    const int markerColumn = t.totals.field.isEmpty() ? 0 : t.columnIndex(t.totals.field);
    auto isTotals
        = [&](const QStringList& row) { return ReportLayout::isTotalsRow(row, markerColumn, t.totals.markers); };
    if (columnCount > 0) {
        m_rows.reserve(m_records.size() + 1);
        for (QStringList& record : m_records) {
            if (record.size() < columnCount)
                record.resize(columnCount);
            Row row;
            row.cells.reserve(columnCount);
            for (int c = 0; c < columnCount; ++c)
                row.cells.append(ReportLayout::formatNumberText(record.at(c), t.columns.at(c).decimals));
            row.bold = t.totals.bold && isTotals(record);
            m_rows.append(std::move(row));
        }
        if (t.sumRow.present) {
            QList<int> sumColumns;
            for (const QString& field : t.sumRow.fields)
                sumColumns.append(t.columnIndex(field));
            const QList<double> sums = ReportLayout::sumColumns(m_records, sumColumns, isTotals);
            Row row;
            row.cells = QStringList(columnCount);
            row.cells[0] = t.sumRow.label;
            for (qsizetype i = 0; i < sumColumns.size(); ++i)
                row.cells[sumColumns.at(i)]
                    = ReportLayout::formatNumberText(QString::number(sums.at(i), 'f', 10), t.sumRow.decimals);
            row.bold = true;
            m_rows.append(std::move(row));
        }
    }

    m_pageHeader = resolveBand(t.pageHeader);
    m_reportHeader = resolveBand(t.reportHeader.present ? t.reportHeader : t.defaultReportHeader());
    m_reportFooter = resolveBand(t.reportFooter);
    m_pageFooter = resolveBand(t.pageFooter.present ? t.pageFooter : t.defaultPageFooter());

    // Paper and orientation: a table too wide for portrait turns the page
    // when the template allows it.
    bool landscape = t.orientation == ReportTemplate::Orientation::Landscape;
    if (!landscape && t.widthFit == ReportTemplate::WidthFit::Landscape) {
        const double portraitWidth = a4Width - t.margins.left - t.margins.right;
        landscape = ReportLayout::naturalTableWidth(requestedWidths(t), portraitWidth) > portraitWidth + 1e-6;
    }
    m_layout = landscape ? layOut(QSizeF(a4Height, a4Width), QPageLayout::Landscape)
                         : layOut(QSizeF(a4Width, a4Height), QPageLayout::Portrait);
}

ReportDocument::PageGeometry ReportDocument::layOut(const QSizeF& pageSize, QPageLayout::Orientation orientation) const
{
    const ReportTemplate& t = *m_template;
    PageGeometry g;
    g.orientation = orientation;
    g.pageSize = pageSize;
    g.content = QRectF(t.margins.left, t.margins.top, pageSize.width() - t.margins.left - t.margins.right,
        pageSize.height() - t.margins.top - t.margins.bottom);

    g.fit
        = ReportLayout::fitColumns(requestedWidths(t), g.content.width(), t.widthFit != ReportTemplate::WidthFit::None);
    g.tableFontSize = t.fontSize * g.fit.scale;
    g.rowHeight = (t.rowHeight > 0.0 ? t.rowHeight : t.fontSize * mmPerPoint * 1.9) * g.fit.scale;
    g.headerRowHeight = (t.headerRowHeight > 0.0 ? t.headerRowHeight : t.fontSize * mmPerPoint * 2.2) * g.fit.scale;

    const bool hasTable = !t.columns.isEmpty();
    ReportLayout::PageInput pageInput;
    pageInput.bodyHeight = g.content.height() - m_pageHeader.height - m_pageFooter.height;
    pageInput.reportHeaderHeight = m_reportHeader.height;
    pageInput.tableHeaderHeight = hasTable && t.showColumnHeader ? g.headerRowHeight : 0.0;
    pageInput.rowHeight = g.rowHeight;
    pageInput.rowCount = static_cast<int>(m_rows.size());
    pageInput.reportFooterHeight = m_reportFooter.height;
    g.pages = ReportLayout::paginate(pageInput);
    return g;
}

ReportDocument::PageGeometry ReportDocument::layOutFor(const QPrinter& printer) const
{
    const QPageLayout layout = printer.pageLayout();
    // With the full page the painter's origin is the paper's corner; else
    // it is the corner of the printable area, which then is the page.
    const QRectF area
        = printer.fullPage() ? layout.fullRect(QPageLayout::Millimeter) : layout.paintRect(QPageLayout::Millimeter);
    if (area.width() <= 0.0 || area.height() <= 0.0)
        return m_layout;
    return layOut(area.size(), layout.orientation());
}

int ReportDocument::pageCountFor(const QPrinter& printer) const
{
    return static_cast<int>(layOutFor(printer).pages.size());
}

ReportDocument::~ReportDocument() = default;

QString ReportDocument::title() const
{
    return m_template->title;
}

double ReportDocument::itemLineHeight(double fontSize) const
{
    return fontSize * mmPerPoint * 1.5;
}

ReportDocument::ResolvedBand ReportDocument::resolveBand(const ReportTemplate::Band& band) const
{
    ResolvedBand resolved;
    resolved.band = band;
    if (!band.present)
        return resolved;
    double lowest = 0.0;
    for (ReportTemplate::Item& item : resolved.band.items) {
        if (item.fontSize <= 0.0)
            item.fontSize = m_template->fontSize;
        if (item.height <= 0.0 && item.kind == ReportTemplate::ItemKind::Text)
            item.height = itemLineHeight(item.fontSize);
        lowest = std::max(lowest, item.y + item.height);
    }
    resolved.height = band.height > 0.0 ? band.height : lowest;
    return resolved;
}

QString ReportDocument::expand(const QString& text, const PageGeometry& geometry, int pageIndex) const
{
    return ReportLayout::expandPlaceholders(text, [&](const QString& name) -> std::optional<QString> {
        if (name == QLatin1String("PageNumber"))
            return QString::number(pageIndex + 1);
        if (name == QLatin1String("PageCount"))
            return QString::number(geometry.pages.size());
        if (name == QLatin1String("Title"))
            return m_template->title;
        if (m_template->parameter(name))
            return m_parameters.value(name);
        return std::nullopt;
    });
}

QPageLayout ReportDocument::pageLayout() const
{
    return QPageLayout(QPageSize(QPageSize::A4), m_layout.orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void ReportDocument::paintBand(QPainter& painter, const ResolvedBand& band, const QPointF& origin, double width,
    const PageGeometry& geometry, int pageIndex) const
{
    if (!band.band.present)
        return;
    for (const ReportTemplate::Item& item : band.band.items) {
        if (!item.visible || (!item.name.isEmpty() && m_hidden.contains(item.name)))
            continue;
        const double w = item.width > 0.0 ? item.width : std::max(0.0, width - item.x);
        const QRectF rect(origin.x() + item.x, origin.y() + item.y, w, item.height);
        switch (item.kind) {
        case ReportTemplate::ItemKind::Line:
            painter.setPen(gridLinePen());
            painter.drawLine(toUnits(rect.topLeft()), toUnits(rect.bottomRight()));
            break;
        case ReportTemplate::ItemKind::Box:
            painter.setPen(gridLinePen());
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(toUnits(rect));
            break;
        case ReportTemplate::ItemKind::Text: {
            if (item.border) {
                painter.setPen(gridLinePen());
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(toUnits(rect));
            }
            painter.setPen(Qt::black);
            const QRectF inner = item.border ? rect.adjusted(cellPadding, 0, -cellPadding, 0) : rect;
            const QString text = expand(item.text, geometry, pageIndex);
            m_text->draw(painter, toUnits(inner), text, textAlign(item.align), pixelSizeFor(item.fontSize), item.bold,
                fitFor(text));
            break;
        }
        }
    }
}

void ReportDocument::paintTable(
    QPainter& painter, const PageGeometry& geometry, const ReportLayout::PageSlice& slice, double top) const
{
    const ReportLayout::ColumnFit& fit = geometry.fit;
    const QRectF& content = geometry.content;
    const double rowHeight = geometry.rowHeight;
    const double headerRowHeight = geometry.headerRowHeight;
    const ReportTemplate& t = *m_template;
    const int columnCount = static_cast<int>(t.columns.size());
    if (columnCount == 0)
        return;
    const double left = fit.tableWidth <= content.width() ? content.left() + (content.width() - fit.tableWidth) / 2.0
                                                          : content.left();
    QList<double> xs; // column edges
    xs.reserve(columnCount + 1);
    double x = left;
    xs.append(x);
    for (double w : fit.widths) {
        x += w;
        xs.append(x);
    }
    const int pixelSize = pixelSizeFor(geometry.tableFontSize);
    const double padding = cellPadding * fit.scale;

    double y = top;
    const bool header = slice.hasTableHeader && t.showColumnHeader;
    if (header) {
        const QRectF headerRect(left, y, fit.tableWidth, headerRowHeight);
        painter.fillRect(toUnits(headerRect), QColor(235, 235, 235));
        painter.setPen(Qt::black);
        for (int c = 0; c < columnCount; ++c) {
            const QRectF cell(xs.at(c) + padding, y, xs.at(c + 1) - xs.at(c) - 2 * padding, headerRowHeight);
            m_text->draw(
                painter, toUnits(cell), t.columns.at(c).caption, ReportTextPainter::Align::Center, pixelSize, true);
        }
        y += headerRowHeight;
    }

    QList<ReportTextPainter::Align> aligns;
    for (const ReportTemplate::Column& column : t.columns)
        aligns.append(textAlign(column.align));
    painter.setPen(Qt::black);
    for (int r = slice.firstRow; r < slice.firstRow + slice.rowCount; ++r) {
        const Row& row = m_rows.at(r);
        for (int c = 0; c < columnCount; ++c) {
            const QString& text = row.cells.at(c);
            if (text.isEmpty())
                continue;
            const QRectF cell(xs.at(c) + padding, y, xs.at(c + 1) - xs.at(c) - 2 * padding, rowHeight);
            m_text->draw(painter, toUnits(cell), text, aligns.at(c), pixelSize, row.bold, fitFor(text));
        }
        y += rowHeight;
    }

    if (!t.grid || (!header && slice.rowCount == 0))
        return;
    // One line per row edge and per column edge for the whole page keeps
    // the PDF small; per-cell rectangles would draw every edge twice.
    painter.setPen(gridLinePen());
    const double bottom = y;
    const double right = xs.last();
    auto horizontal
        = [&](double edge) { painter.drawLine(toUnits(QPointF(left, edge)), toUnits(QPointF(right, edge))); };
    horizontal(top);
    const double rowsTop = header ? top + headerRowHeight : top;
    if (header)
        horizontal(rowsTop);
    for (int i = 1; i <= slice.rowCount; ++i)
        horizontal(rowsTop + i * rowHeight);
    for (double edge : std::as_const(xs))
        painter.drawLine(toUnits(QPointF(edge, top)), toUnits(QPointF(edge, bottom)));
}

void ReportDocument::paintPage(QPainter& painter, int pageIndex) const
{
    paintPage(painter, m_layout, pageIndex);
}

void ReportDocument::paintPage(QPainter& painter, const PageGeometry& geometry, int pageIndex) const
{
    if (pageIndex < 0 || pageIndex >= geometry.pages.size())
        return;
    const ReportLayout::PageSlice& slice = geometry.pages.at(pageIndex);
    const QRectF& content = geometry.content;
    QPaintDevice* device = painter.device();
    const double dpiX = device ? device->logicalDpiX() : 72.0;
    const double dpiY = device ? device->logicalDpiY() : 72.0;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(dpiX / 25.4 / unitsPerMm, dpiY / 25.4 / unitsPerMm);
    painter.setBrush(Qt::NoBrush);

    double y = content.top();
    paintBand(painter, m_pageHeader, QPointF(content.left(), y), content.width(), geometry, pageIndex);
    y += m_pageHeader.height;
    if (slice.hasReportHeader) {
        paintBand(painter, m_reportHeader, QPointF(content.left(), y), content.width(), geometry, pageIndex);
        y += m_reportHeader.height;
    }
    if (slice.hasTableHeader || slice.rowCount > 0) {
        paintTable(painter, geometry, slice, y);
        if (slice.hasTableHeader && m_template->showColumnHeader && !m_template->columns.isEmpty())
            y += geometry.headerRowHeight;
        y += slice.rowCount * geometry.rowHeight;
    }
    if (slice.hasReportFooter)
        paintBand(painter, m_reportFooter, QPointF(content.left(), y), content.width(), geometry, pageIndex);
    paintBand(painter, m_pageFooter, QPointF(content.left(), content.bottom() - m_pageFooter.height), content.width(),
        geometry, pageIndex);
    painter.restore();
}

void ReportDocument::paintPages(
    QPainter& painter, const PageGeometry& geometry, const std::function<bool()>& newPage, int from, int to) const
{
    for (int page = from; page <= to; ++page) {
        if (page > from && !newPage())
            return;
        paintPage(painter, geometry, page);
    }
}

void ReportDocument::applyPageLayout(QPrinter& printer) const
{
    printer.setFullPage(true);
    printer.setPageLayout(pageLayout());
    if (!title().isEmpty())
        printer.setDocName(title());
}

bool ReportDocument::print(QPrinter& printer, QString* error) const
{
    const PageGeometry geometry = layOutFor(printer);
    const int count = static_cast<int>(geometry.pages.size());
    int from = 0;
    int to = count - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::clamp(printer.fromPage() - 1, 0, count - 1);
        to = std::clamp(printer.toPage() > 0 ? printer.toPage() - 1 : to, from, count - 1);
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error)
            *error = QStringLiteral("无法开始打印：打印机不可用");
        return false;
    }
    paintPages(
        painter, geometry, [&] { return printer.newPage(); }, from, to);
    painter.end();
    if (printer.printerState() == QPrinter::Error) {
        if (error)
            *error = QStringLiteral("打印失败");
        return false;
    }
    // "Print to file" writes a PDF, which gets the same text repair as ours.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return repairPdfFile(printer.outputFileName(), error);
    return true;
}

QByteArray ReportDocument::repairTextLayer(const QByteArray& pdf) const
{
    return PdfTextMap::fixToUnicodeMaps(
        pdf, [this](const QByteArray& font, char16_t code) { return m_text->drawnChar(font, code); });
}

bool ReportDocument::repairPdfFile(const QString& path, QString* error) const
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("无法读取文件 %1：%2").arg(path, in.errorString());
        return false;
    }
    const QByteArray original = in.readAll();
    in.close();
    const QByteArray repaired = repairTextLayer(original);
    if (repaired == original)
        return true;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(repaired) != repaired.size() || !out.commit()) {
        if (error)
            *error = QStringLiteral("无法写入文件 %1：%2").arg(path, out.errorString());
        return false;
    }
    return true;
}

bool ReportDocument::writePdf(QIODevice* device, QString* error) const
{
    // Written to memory first: the text layer is repaired before the file
    // sees a byte.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!paintPdf(&buffer, error))
        return false;
    const QByteArray pdf = repairTextLayer(buffer.data());
    if (device->write(pdf) != pdf.size()) {
        if (error)
            *error = device->errorString();
        return false;
    }
    return true;
}

bool ReportDocument::paintPdf(QIODevice* device, QString* error) const
{
    QPdfWriter writer(device);
    writer.setResolution(static_cast<int>(pdfResolution));
    writer.setPageLayout(pageLayout());
    writer.setTitle(title());
    writer.setCreator(QStringLiteral("汀岑进销存"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        if (error)
            *error = QStringLiteral("无法写入 PDF");
        return false;
    }
    paintPages(
        painter, m_layout, [&] { return writer.newPage(); }, 0, pageCount() - 1);
    return painter.end();
}

bool ReportDocument::writePdf(const QString& path, QString* error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("无法写入文件 %1：%2").arg(path, file.errorString());
        return false;
    }
    QString writeError;
    if (!writePdf(&file, &writeError)) {
        file.cancelWriting();
        if (error)
            *error = QStringLiteral("无法写入文件 %1：%2").arg(path, writeError);
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("无法写入文件 %1：%2").arg(path, file.errorString());
        return false;
    }
    return true;
}
