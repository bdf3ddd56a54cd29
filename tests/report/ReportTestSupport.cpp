#include "ReportTestSupport.h"

#include "PdfText.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

QString reportTestData(const QString& fileName)
{
    return QDir(QStringLiteral(JXC_REPORT_TEST_DATA)).filePath(fileName);
}

QStringList pdfPageTexts(const QString& pdfPath)
{
    QStringList pages = PdfText(pdfPath).split(QLatin1Char('\f'));
    // pdftotext ends every page with a form feed, the last one included.
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

PdfInfo pdfInfo(const QString& pdfPath)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdfPath});
    process.waitForFinished(60000);
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    const auto field = [&](const char* pattern) {
        return QRegularExpression(QString::fromLatin1(pattern), QRegularExpression::MultilineOption).match(text);
    };
    const QRegularExpressionMatch size = field("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts");
    return {field("^Pages:\\s+(\\d+)").captured(1).toInt(),
        QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble())};
}

QList<QStringList> makeProductRows(int n, bool withTotals)
{
    QList<QStringList> rows;
    double count = 0.0;
    double amount = 0.0;
    for (int i = 1; i <= n; ++i) {
        const double c = i % 7 + 1;
        rows.append({QStringLiteral("CP%1").arg(i, 5, 10, QLatin1Char('0')), QStringLiteral("六角螺栓%1号").arg(i),
            QStringLiteral("M%1×40").arg(i % 20 + 4), QString::number(c, 'f', 2), QString::number(c * 12.5, 'f', 2),
            QStringLiteral("无")});
        count += c;
        amount += c * 12.5;
    }
    if (withTotals)
        rows.append(
            {QStringLiteral("总合计"), {}, {}, QString::number(count, 'f', 2), QString::number(amount, 'f', 2)});
    return rows;
}
