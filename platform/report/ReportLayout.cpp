#include "ReportLayout.h"

#include <algorithm>
#include <cmath>

namespace ReportLayout {

namespace {

    // Heights are sums of decimal mm values; without a little slack a row that
    // fits exactly would be pushed to the next page by rounding.
    constexpr double epsilon = 1e-6;

    QList<double> resolveAutoWidths(const QList<double>& requested, double available, double minAutoWidth)
    {
        double fixed = 0.0;
        int autoCount = 0;
        for (double w : requested) {
            if (w > 0.0)
                fixed += w;
            else
                ++autoCount;
        }
        const double share = autoCount > 0 ? std::max(minAutoWidth, (available - fixed) / autoCount) : 0.0;
        QList<double> widths;
        widths.reserve(requested.size());
        for (double w : requested)
            widths.append(w > 0.0 ? w : share);
        return widths;
    }

} // namespace

double naturalTableWidth(const QList<double>& requested, double available, double minAutoWidth)
{
    double total = 0.0;
    for (double w : resolveAutoWidths(requested, available, minAutoWidth))
        total += w;
    return total;
}

ColumnFit fitColumns(const QList<double>& requested, double available, bool allowShrink, double minAutoWidth)
{
    ColumnFit fit;
    fit.widths = resolveAutoWidths(requested, available, minAutoWidth);
    double total = 0.0;
    for (double w : std::as_const(fit.widths))
        total += w;
    if (allowShrink && available > 0.0 && total > available + epsilon) {
        fit.scale = available / total;
        for (double& w : fit.widths)
            w *= fit.scale;
        total = available;
    }
    fit.tableWidth = total;
    return fit;
}

QList<PageSlice> paginate(const PageInput& input)
{
    QList<PageSlice> pages;
    const double rowHeight = input.rowHeight > 0.0 ? input.rowHeight : 1.0;
    int next = 0;
    double left = 0.0; // space left on the page being filled
    bool firstPage = true;

    do {
        PageSlice page;
        page.firstRow = next;
        left = input.bodyHeight;
        if (firstPage) {
            page.hasReportHeader = true;
            left -= input.reportHeaderHeight;
            firstPage = false;
        }
        page.hasTableHeader = true;
        left -= input.tableHeaderHeight;
        const int remaining = input.rowCount - next;
        int fits = static_cast<int>(std::floor((left + epsilon) / rowHeight));
        fits = std::clamp(fits, 1, std::max(1, remaining));
        page.rowCount = std::min(fits, remaining);
        left -= page.rowCount * rowHeight;
        next += page.rowCount;
        pages.append(page);
    } while (next < input.rowCount);

    if (input.reportFooterHeight <= 0.0 || input.reportFooterHeight <= left + epsilon) {
        pages.last().hasReportFooter = true;
    } else {
        PageSlice footerPage;
        footerPage.firstRow = input.rowCount;
        footerPage.hasReportFooter = true;
        pages.append(footerPage);
    }
    return pages;
}

bool isTotalsRow(const QStringList& row, int markerColumn, const QStringList& markers)
{
    if (markerColumn < 0 || markerColumn >= row.size())
        return false;
    const QString text = row.at(markerColumn).trimmed();
    return !text.isEmpty() && markers.contains(text);
}

QList<double> sumColumns(
    const QList<QStringList>& rows, const QList<int>& columns, const std::function<bool(const QStringList&)>& skip)
{
    QList<double> sums(columns.size(), 0.0);
    for (const QStringList& row : rows) {
        if (skip && skip(row))
            continue;
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const int column = columns.at(i);
            if (column < 0 || column >= row.size())
                continue;
            bool ok = false;
            const double value = row.at(column).trimmed().toDouble(&ok);
            if (ok && std::isfinite(value))
                sums[i] += value;
        }
    }
    return sums;
}

QString formatNumberText(const QString& text, int decimals)
{
    if (decimals < 0)
        return text;
    bool ok = false;
    // QString::toDouble reads the C locale, whatever the desktop uses.
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return text;
    QString formatted = QString::number(value, 'f', std::min(decimals, 10));
    // "-0.00" would only confuse the reader of a sum.
    if (formatted.startsWith(QLatin1Char('-')) && formatted.mid(1).toDouble() == 0.0)
        formatted.remove(0, 1);
    return formatted;
}

bool isFigure(const QString& text)
{
    const QStringView t = QStringView(text).trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        ++i;
    bool digits = false;
    bool point = false;
    for (; i < t.size(); ++i) {
        const QChar ch = t[i];
        if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9'))
            digits = true;
        else if (ch == QLatin1Char('.') && !point)
            point = true;
        else if (ch != QLatin1Char(',') || point)
            break;
    }
    if (i < t.size() && t[i] == QLatin1Char('%'))
        ++i;
    return digits && i == t.size();
}

QString expandPlaceholders(const QString& text, const std::function<std::optional<QString>(const QString&)>& lookup)
{
    if (!text.contains(QLatin1Char('{')))
        return text;
    QString result;
    result.reserve(text.size());
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype open = text.indexOf(QLatin1Char('{'), pos);
        if (open < 0) {
            result += QStringView(text).mid(pos);
            break;
        }
        const qsizetype close = text.indexOf(QLatin1Char('}'), open + 1);
        if (close < 0) {
            result += QStringView(text).mid(pos);
            break;
        }
        result += QStringView(text).mid(pos, open - pos);
        const QString name = text.mid(open + 1, close - open - 1);
        const std::optional<QString> value = lookup ? lookup(name) : std::nullopt;
        if (value) {
            result += *value;
            pos = close + 1;
        } else {
            // Not one of ours: keep the brace and look for a name after it.
            result += QLatin1Char('{');
            pos = open + 1;
        }
    }
    return result;
}

} // namespace ReportLayout
