#include "ReportTestSupport.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

QString reportTestData(const QString& fileName)
{
    return QDir(QStringLiteral(JXC_REPORT_TEST_DATA)).filePath(fileName);
}

static QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList pdfPageTexts(const QString& pdfPath)
{
    const QString text = runTool(QStringLiteral("pdftotext"),
        {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")});
    QStringList pages = text.split(QLatin1Char('\f'));
    // pdftotext ends every page with a form feed, the last one included.
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

PdfInfo pdfInfo(const QString& pdfPath)
{
    PdfInfo info;
    const QString text = runTool(QStringLiteral("pdfinfo"), {pdfPath});
    const QRegularExpressionMatch pages
        = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption).match(text);
    if (pages.hasMatch())
        info.pages = pages.captured(1).toInt();
    const QRegularExpressionMatch size = QRegularExpression(
        QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"), QRegularExpression::MultilineOption)
                                             .match(text);
    if (size.hasMatch())
        info.pageSizePoints = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    return info;
}

QList<ProductSumRow> makeProductRows(int n, bool withTotals)
{
    QList<ProductSumRow> rows;
    double count = 0.0;
    double amount = 0.0;
    for (int i = 1; i <= n; ++i) {
        const double c = i % 7 + 1;
        const double a = c * 12.5;
        rows.append({QStringLiteral("CP%1").arg(i, 5, 10, QLatin1Char('0')), QStringLiteral("六角螺栓%1号").arg(i),
            QStringLiteral("M%1×40").arg(i % 20 + 4), QString::number(c, 'f', 2), QString::number(a, 'f', 2)});
        count += c;
        amount += a;
    }
    if (withTotals)
        rows.append(
            {QStringLiteral("总合计"), {}, {}, QString::number(count, 'f', 2), QString::number(amount, 'f', 2)});
    return rows;
}
