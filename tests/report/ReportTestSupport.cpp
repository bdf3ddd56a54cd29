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

QSizeF pdfPageSize(const QString& pdfPath)
{
    QProcess process;
    process.start("pdfinfo", {pdfPath});
    process.waitForFinished(60000);
    const QRegularExpressionMatch size
        = QRegularExpression("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts", QRegularExpression::MultilineOption)
              .match(QString::fromUtf8(process.readAllStandardOutput()));
    return QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
}

QList<QStringList> makeProductRows(int n, bool withTotals)
{
    QList<QStringList> rows;
    double count = 0.0;
    for (int i = 1; i <= n; ++i) {
        const double c = i % 7 + 1;
        rows.append({QString("CP%1").arg(i, 5, 10, QLatin1Char('0')), QString("六角螺栓%1号").arg(i),
            QString("M%1×40").arg(i % 20 + 4), QString::number(c, 'f', 2), QString::number(c * 12.5, 'f', 2), "无"});
        count += c;
    }
    if (withTotals)
        rows.append({"总合计", {}, {}, QString::number(count, 'f', 2), QString::number(count * 12.5, 'f', 2)});
    return rows;
}

void ReportTest::load(const char* templateFile, const QList<QStringList>& rows, QStringList titles)
{
    ASSERT_TRUE(report.LoadTemplateFile(reportTestData(QString::fromLatin1(templateFile))));
    if (!titles.isEmpty())
        sink.emplace(std::move(titles));
    ASSERT_TRUE(sink->IsConnected() || sink->ConnectTo(&report));
    sink->SetRecords(rows);
}

QStringList ReportTest::render(const char* fileName)
{
    const QString pdf = dir.filePath(QString::fromUtf8(fileName));
    EXPECT_TRUE(report.RenderToPdf(pdf)) << report.lastError().toStdString();
    return pdfPageTexts(pdf);
}
