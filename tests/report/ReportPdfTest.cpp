#include "GridReport.h"

#include "ReportDocument.h"
#include "ReportPreviewDialog.h"
#include "ReportTestSupport.h"

#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// PDFs written by the report are read back with poppler's pdftotext and
// pdfinfo, which know nothing of our code.

namespace {

int occurrences(const QString& text, const QString& word)
{
    return static_cast<int>(text.count(word));
}

} // namespace

TEST(ReportPdfTest, ThousandRowsPrintWithTitleParametersHeadersRowsAndTotals)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    GridReport report;
    ASSERT_TRUE(report.LoadTemplateFile(reportTestData(QStringLiteral("ProductSumReport.grf"))));
    ProductSumReportEvent sink;
    ASSERT_TRUE(sink.ConnectTo(&report));
    report.FindParameterByName(QStringLiteral("TitleMonth"))->SetAsText(QStringLiteral("2024-03-01 到 2024-03-31"));
    report.FindParameterByName(QStringLiteral("ClientName"))->SetAsText(QStringLiteral("南京恒信五金商行"));
    const QList<ProductSumRow> rows = makeProductRows(1000, true);
    sink.SetRecords(rows);

    const QString pdf = dir.filePath(QStringLiteral("商品进出汇总.pdf"));
    ASSERT_TRUE(report.RenderToPdf(pdf)) << report.lastError().toStdString();

    const QStringList pages = pdfPageTexts(pdf);
    ASSERT_GT(pages.size(), 10) << "pdftotext could not read the file";
    EXPECT_EQ(pdfInfo(pdf).pages, pages.size());
    EXPECT_NEAR(pdfInfo(pdf).pageSizePoints.width(), 595.3, 1.0); // A4 portrait
    const QString all = pages.join(QLatin1Char('\f'));

    EXPECT_TRUE(pages.first().contains(QStringLiteral("商品进出汇总表")));
    EXPECT_TRUE(pages.first().contains(QStringLiteral("2024-03-01 到 2024-03-31")));
    EXPECT_TRUE(pages.first().contains(QStringLiteral("南京恒信五金商行")));
    EXPECT_EQ(occurrences(all, QStringLiteral("商品进出汇总表")), 1);

    for (qsizetype i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(i + 1);
        for (const QString& caption : {QStringLiteral("产品编号"), QStringLiteral("产品名称"),
                 QStringLiteral("产品规格"), QStringLiteral("销售数量"), QStringLiteral("销售总额（元）")})
            EXPECT_TRUE(pages.at(i).contains(caption));
        EXPECT_TRUE(pages.at(i).contains(QStringLiteral("第 %1 页 / 共 %2 页").arg(i + 1).arg(pages.size())));
    }

    // Every row once, in order, with all its texts on one line.
    qsizetype last = -1;
    for (int i = 0; i < 1000; ++i) {
        const ProductSumRow& row = rows.at(i);
        const QRegularExpression line(
            QStringLiteral("%1\\s+%2\\s+%3\\s+%4\\s+%5")
                .arg(row.code, row.name, QRegularExpression::escape(row.spec), row.count, row.amount));
        const QRegularExpressionMatch match = line.match(all);
        ASSERT_TRUE(match.hasMatch()) << row.code.toStdString();
        EXPECT_EQ(occurrences(all, row.code + QLatin1Char(' ')), 1) << row.code.toStdString();
        EXPECT_GT(match.capturedStart(), last) << row.code.toStdString();
        last = match.capturedStart();
    }
    const ProductSumRow& totals = rows.last();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("总合计\\s+%1\\s+%2").arg(totals.count, totals.amount))
                    .match(pages.last())
                    .hasMatch())
        << pages.last().toStdString();
}

TEST(ReportPdfTest, EmptyReportPrintsHeadersWithoutRows)
{
    QTemporaryDir dir;
    GridReport report;
    ASSERT_TRUE(report.LoadTemplateFile(reportTestData(QStringLiteral("ProductSumReport.grf"))));
    ProductSumReportEvent sink;
    ASSERT_TRUE(sink.ConnectTo(&report));
    const QString pdf = dir.filePath(QStringLiteral("empty.pdf"));
    ASSERT_TRUE(report.RenderToPdf(pdf)) << report.lastError().toStdString();
    const QStringList pages = pdfPageTexts(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages.first().contains(QStringLiteral("产品编号")));
    EXPECT_TRUE(pages.first().contains(QStringLiteral("全部客户"))); // the parameter's default
    EXPECT_FALSE(pages.first().contains(QStringLiteral("CP0")));
}

TEST(ReportPdfTest, PrintedBillPlacesItsFieldsAndHidesItsDepositControls)
{
    QTemporaryDir dir;
    GridReport report;
    ASSERT_TRUE(report.LoadTemplateFile(reportTestData(QStringLiteral("TradeBillReport.grf"))));
    const std::pair<const char*, const char*> parameters[] = {
        {"BillType", "产品出货单"},
        {"ClientName", "南京恒信五金商行"},
        {"InputDate", "2024-03-15"},
        {"BillCode", "XS_CH_20240315"},
        {"CapSumPrice", "零 仟 壹 佰 贰 拾 参 元 伍 角 零 分"},
        {"ProductSumPrice", "123.50"},
        {"ImprestMoney", "20.00"},
        {"LoanMoney", "103.50"},
    };
    for (const auto& [name, text] : parameters)
        report.FindParameterByName(QString::fromUtf8(name))->SetAsText(QString::fromUtf8(text));

    // The bill's own sink: eight fields, two lines padded to six.
    struct TradeBillReportEvent : CGridppReportRowsEventImpl<QStringList>
    {
        QList<ReportField*> fields;
        void Initialize() override
        {
            fields.clear();
            for (const char* title : {"货品编号", "货品名称", "货品规格", "单位", "数量", "单价", "总额", "备注"})
                fields.append(FindField(QString::fromUtf8(title)));
        }
        void FetchRecord() override
        {
            FillRecordsWith([this](const QStringList& line) {
                for (qsizetype i = 0; i < fields.size(); ++i)
                    SetFieldText(fields.at(i), line.value(i));
            });
        }
    } sink;
    ASSERT_TRUE(sink.ConnectTo(&report));
    QList<QStringList> lines {
        {QStringLiteral("LS-001"), QStringLiteral("不锈钢螺丝"), QStringLiteral("M4"), QStringLiteral("盒"),
            QStringLiteral("5"), QStringLiteral("12.50"), QStringLiteral("62.50"), QStringLiteral("加急")},
        {QStringLiteral("LM-002"), QStringLiteral("六角螺母"), QStringLiteral("M6"), QStringLiteral("袋"),
            QStringLiteral("10"), QStringLiteral("6.10"), QStringLiteral("61.00"), QString()},
    };
    while (lines.size() < 6)
        lines.append(QStringList(8));
    sink.SetRecords(lines);

    const QString withDeposit = dir.filePath(QStringLiteral("with.pdf"));
    ASSERT_TRUE(report.RenderToPdf(withDeposit)) << report.lastError().toStdString();
    report.FindControlByName(QStringLiteral("stc_lbe_imprest"))->SetVisible(false);
    report.FindControlByName(QStringLiteral("stc_val_imprest"))->SetVisible(false);
    const QString withoutDeposit = dir.filePath(QStringLiteral("without.pdf"));
    ASSERT_TRUE(report.RenderToPdf(withoutDeposit)) << report.lastError().toStdString();

    const QStringList shown = pdfPageTexts(withDeposit);
    const QStringList hidden = pdfPageTexts(withoutDeposit);
    ASSERT_EQ(shown.size(), 1);
    ASSERT_EQ(hidden.size(), 1);
    for (const QString& page : {shown.first(), hidden.first()}) {
        EXPECT_TRUE(page.contains(QStringLiteral("产品出货单")));
        EXPECT_TRUE(page.contains(QStringLiteral("客户：南京恒信五金商行")));
        EXPECT_TRUE(page.contains(QStringLiteral("单号：XS_CH_20240315")));
        EXPECT_TRUE(page.contains(QStringLiteral("零 仟 壹 佰 贰 拾 参 元 伍 角 零 分")));
        EXPECT_TRUE(page.contains(QStringLiteral("欠款：103.50")));
        EXPECT_TRUE(
            QRegularExpression(QStringLiteral("LS-001\\s+不锈钢螺丝\\s+M4\\s+盒\\s+5\\s+12.50\\s+62.50\\s+加急"))
                .match(page)
                .hasMatch())
            << page.toStdString();
        // The header line sits above the table, the amounts below it.
        EXPECT_LT(page.indexOf(QStringLiteral("客户：")), page.indexOf(QStringLiteral("货品编号")));
        EXPECT_GT(page.indexOf(QStringLiteral("欠款：")), page.indexOf(QStringLiteral("LM-002")));
    }
    EXPECT_TRUE(shown.first().contains(QStringLiteral("订金：")));
    EXPECT_TRUE(shown.first().contains(QStringLiteral("20.00")));
    EXPECT_FALSE(hidden.first().contains(QStringLiteral("订金：")));
    EXPECT_FALSE(hidden.first().contains(QStringLiteral("20.00")));
}

TEST(ReportPdfTest, WideTableTurnsThePageAndShrinksToFit)
{
    QTemporaryDir dir;
    GridReport report;
    ASSERT_TRUE(report.LoadTemplateFile(reportTestData(QStringLiteral("WideReport.grf"))));
    struct DetailReportEvent : CGridppReportRowsEventImpl<QStringList>
    {
        QList<ReportField*> fields;
        void Initialize() override
        {
            fields.clear();
            for (const char* title : {"日期", "单据类型", "单据编号", "单位名称", "货品编号", "货品名称", "货品规格",
                     "单位", "数量", "单价", "总额", "产品备注"})
                fields.append(FindField(QString::fromUtf8(title)));
        }
        void FetchRecord() override
        {
            FillRecordsWith([this](const QStringList& row) {
                for (qsizetype i = 0; i < fields.size(); ++i)
                    SetFieldText(fields.at(i), row.value(i));
            });
        }
    } sink;
    ASSERT_TRUE(sink.ConnectTo(&report));
    QList<QStringList> rows;
    for (int i = 1; i <= 60; ++i)
        rows.append({QStringLiteral("2024-03-%1").arg(i % 28 + 1, 2, 10, QLatin1Char('0')), QStringLiteral("出货单"),
            QStringLiteral("XS_CH_2024%1").arg(i, 4, 10, QLatin1Char('0')), QStringLiteral("恒信五金"),
            QStringLiteral("LS-%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("不锈钢螺丝"), QStringLiteral("M4"),
            QStringLiteral("盒"), QStringLiteral("5"), QStringLiteral("12.50"), QStringLiteral("62.50"),
            QStringLiteral("明细备注%1").arg(i)});
    rows.append({QStringLiteral("-----"), QStringLiteral("-----"), QStringLiteral("-----"), QStringLiteral("-----"),
        QStringLiteral("-----"), QStringLiteral("-----"), QStringLiteral("-----"), QStringLiteral("合计"),
        QStringLiteral("300"), QString(), QStringLiteral("3750.00"), QString()});
    sink.SetRecords(rows);

    const auto document = report.Generate();
    ASSERT_TRUE(document);
    EXPECT_EQ(document->pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_LT(document->tableScale(), 1.0);
    double width = 0.0;
    for (double w : document->columnWidths())
        width += w;
    EXPECT_LE(width, 297.0 - 30.0 + 1e-6);
    EXPECT_TRUE(document->rows().last().bold); // marked under 单位

    const QString pdf = dir.filePath(QStringLiteral("wide.pdf"));
    ASSERT_TRUE(report.RenderToPdf(pdf));
    const PdfInfo info = pdfInfo(pdf);
    EXPECT_NEAR(info.pageSizePoints.width(), 841.9, 1.0);
    EXPECT_NEAR(info.pageSizePoints.height(), 595.3, 1.0);
    const QStringList pages = pdfPageTexts(pdf);
    ASSERT_EQ(pages.size(), document->pageCount());
    for (const QString& page : pages) {
        EXPECT_TRUE(page.contains(QStringLiteral("产品备注"))); // the last column is on the page
        EXPECT_TRUE(page.contains(QStringLiteral("日期")));
    }
    EXPECT_TRUE(pages.join(QString()).contains(QStringLiteral("明细备注60")));
}

TEST(ReportPdfTest, PrinterAndPdfWriterProduceTheSamePages)
{
    QTemporaryDir dir;
    GridReport report;
    ASSERT_TRUE(report.LoadTemplateFile(reportTestData(QStringLiteral("ProductSumReport.grf"))));
    ProductSumReportEvent sink;
    ASSERT_TRUE(sink.ConnectTo(&report));
    sink.SetRecords(makeProductRows(90, true));

    const QString written = dir.filePath(QStringLiteral("writer.pdf"));
    ASSERT_TRUE(report.RenderToPdf(written));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString printed = dir.filePath(QStringLiteral("printer.pdf"));
    printer.setOutputFileName(printed);
    ASSERT_TRUE(report.PrintReport(printer)) << report.lastError().toStdString();

    const QStringList a = pdfPageTexts(written);
    const QStringList b = pdfPageTexts(printed);
    ASSERT_GT(a.size(), 1);
    EXPECT_EQ(a, b);
    EXPECT_EQ(pdfInfo(written).pageSizePoints, pdfInfo(printed).pageSizePoints);
}

TEST(ReportPdfTest, UnwritablePathIsAnErrorNamingIt)
{
    GridReport report;
    ASSERT_TRUE(report.LoadTemplateFile(reportTestData(QStringLiteral("ProductSumReport.grf"))));
    const QString path = QStringLiteral("/nonexistent-folder/报表.pdf");
    EXPECT_FALSE(report.RenderToPdf(path));
    EXPECT_TRUE(report.lastError().contains(path)) << report.lastError().toStdString();
}

TEST(ReportPdfTest, LongTextsAreCutAndRareCharactersFallBackToOtherFonts)
{
    QTemporaryDir dir;
    GridReport report;
    ASSERT_TRUE(report.LoadTemplateFile(reportTestData(QStringLiteral("ProductSumReport.grf"))));
    ProductSumReportEvent sink;
    ASSERT_TRUE(sink.ConnectTo(&report));
    const QString longName = QStringLiteral("特别长的货品名称").repeated(6);
    sink.SetRecords(QList<ProductSumRow> {
        {QStringLiteral("CP1"), longName, QStringLiteral("M4"), QStringLiteral("1"), QStringLiteral("2")},
        // ♔ is in no CJK font here, so this text takes Qt's font fallback.
        {QStringLiteral("CP2"), QStringLiteral("象棋♔王"), QStringLiteral("M5"), QStringLiteral("3"),
            QStringLiteral("4")},
    });
    const QString pdf = dir.filePath(QStringLiteral("cut.pdf"));
    ASSERT_TRUE(report.RenderToPdf(pdf)) << report.lastError().toStdString();
    const QStringList pages = pdfPageTexts(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages.first().contains(QStringLiteral("特别长的货品名称特别长")));
    EXPECT_FALSE(pages.first().contains(longName));
    EXPECT_TRUE(pages.first().contains(QStringLiteral("…")));
    // The cut name stays in its column: the next column's text follows it.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("…\\s+M4\\s+1.00\\s+2.00")).match(pages.first()).hasMatch())
        << pages.first().toStdString();
    EXPECT_TRUE(pages.first().contains(QStringLiteral("象棋♔王")));
}

namespace {

// A paper the person may choose in the preview or the print dialog.
struct PaperCase
{
    const char* name;
    QPageSize::PageSizeId size;
    QPageLayout::Orientation orientation;
    QSizeF points; // as pdfinfo reads the page
};

void PrintTo(const PaperCase& c, std::ostream* out)
{
    *out << c.name;
}

class PrintOnOtherPaper : public ::testing::TestWithParam<PaperCase>
{
};

} // namespace

// The preview lays the pages out for its printer's paper; printing from it
// paints the same pages on the same paper: every row, and the page line on
// every page.
TEST_P(PrintOnOtherPaper, PrintsWhatThePreviewShows)
{
    QTemporaryDir dir;
    GridReport report;
    ASSERT_TRUE(report.LoadTemplateFile(reportTestData(QStringLiteral("ProductSumReport.grf"))));
    ProductSumReportEvent sink;
    ASSERT_TRUE(sink.ConnectTo(&report));
    const QList<ProductSumRow> rows = makeProductRows(60, true);
    sink.SetRecords(rows);
    const auto document = report.Generate();
    ASSERT_TRUE(document);

    ReportPreviewDialog preview(document);
    QPrinter* printer = preview.printer();
    printer->setPageSize(QPageSize(GetParam().size));
    printer->setPageOrientation(GetParam().orientation);
    preview.previewWidget()->updatePreview();
    const int shown = preview.previewWidget()->pageCount();
    EXPECT_EQ(shown, document->pageCountFor(*printer));

    const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdf);
    preview.previewWidget()->print();

    const PdfInfo info = pdfInfo(pdf);
    EXPECT_EQ(info.pages, shown);
    EXPECT_NEAR(info.pageSizePoints.width(), GetParam().points.width(), 1.0);
    EXPECT_NEAR(info.pageSizePoints.height(), GetParam().points.height(), 1.0);
    const QStringList pages = pdfPageTexts(pdf);
    ASSERT_EQ(pages.size(), shown);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_TRUE(pages.at(i).contains(QStringLiteral("产品编号")));
        // pdftotext spaces the line by the printer's resolution.
        EXPECT_TRUE(
            QRegularExpression(QStringLiteral("第\\s*%1\\s*页\\s*/\\s*共\\s*%2\\s*页").arg(i + 1).arg(pages.size()))
                .match(pages.at(i))
                .hasMatch())
            << pages.at(i).toStdString();
    }
    const QString all = pages.join(QLatin1Char('\f'));
    for (const ProductSumRow& row : rows)
        EXPECT_EQ(occurrences(all, row.code + QLatin1Char(' ')), 1) << row.code.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Papers, PrintOnOtherPaper,
    ::testing::Values(PaperCase {"a4_landscape", QPageSize::A4, QPageLayout::Landscape, QSizeF(841.9, 595.3)},
        PaperCase {"letter", QPageSize::Letter, QPageLayout::Portrait, QSizeF(612.0, 792.0)},
        PaperCase {"a5_portrait", QPageSize::A5, QPageLayout::Portrait, QSizeF(419.5, 595.3)}),
    [](const auto& info) { return std::string(info.param.name); });
