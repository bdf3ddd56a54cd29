#include "GridReport.h"

#include "ReportDocument.h"
#include "ReportPreviewDialog.h"
#include "ReportTestSupport.h"

#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <numeric>

// PDFs written by the report are read back with poppler's pdftotext and
// pdfinfo, which know nothing of our code.

namespace {

bool matches(const QString& text, const QString& pattern)
{
    return QRegularExpression(pattern).match(text).hasMatch();
}

// A report over a sample template with its sink connected and filled.
class ReportPdfTest : public ::testing::Test
{
protected:
    void load(const char* templateFile, const QList<QStringList>& rows, QStringList titles = {})
    {
        ASSERT_TRUE(report.LoadTemplateFile(reportTestData(QString::fromLatin1(templateFile))));
        if (!titles.isEmpty())
            sink.emplace(std::move(titles));
        ASSERT_TRUE(sink->ConnectTo(&report));
        sink->SetRecords(rows);
    }
    // The report rendered to a PDF file, read back page by page.
    QStringList render(const char* fileName)
    {
        const QString pdf = dir.filePath(QString::fromUtf8(fileName));
        EXPECT_TRUE(report.RenderToPdf(pdf)) << report.lastError().toStdString();
        return pdfPageTexts(pdf);
    }

    QTemporaryDir dir;
    GridReport report;
    std::optional<RowsReportEvent> sink {std::in_place};
};

} // namespace

TEST_F(ReportPdfTest, ThousandRowsPrintWithTitleParametersHeadersRowsAndTotals)
{
    const QList<QStringList> rows = makeProductRows(1000, true);
    load("ProductSumReport.grf", rows);
    report.FindParameterByName(QStringLiteral("TitleMonth"))->SetAsText(QStringLiteral("2024-03-01 到 2024-03-31"));
    report.FindParameterByName(QStringLiteral("ClientName"))->SetAsText(QStringLiteral("南京恒信五金商行"));
    const QStringList pages = render("商品进出汇总.pdf");
    ASSERT_GT(pages.size(), 10) << "pdftotext could not read the file";
    const PdfInfo info = pdfInfo(dir.filePath(QStringLiteral("商品进出汇总.pdf")));
    EXPECT_EQ(info.pages, pages.size());
    EXPECT_NEAR(info.pageSizePoints.width(), 595.3, 1.0); // A4 portrait
    const QString all = pages.join(QLatin1Char('\f'));

    // The title and the printed parameters head the first page only.
    EXPECT_TRUE(pages.first().contains(QStringLiteral("2024-03-01 到 2024-03-31")));
    EXPECT_TRUE(pages.first().contains(QStringLiteral("南京恒信五金商行")));
    EXPECT_TRUE(pages.first().contains(QStringLiteral("商品进出汇总表")));
    EXPECT_EQ(all.count(QStringLiteral("商品进出汇总表")), 1);
    EXPECT_FALSE(all.contains(QStringLiteral("内部排序")));
    for (qsizetype i = 0; i < pages.size(); ++i) {
        EXPECT_TRUE(
            matches(pages.at(i), QStringLiteral("产品编号\\s+产品名称\\s+产品规格\\s+销售数量\\s+销售总额（元）")))
            << i + 1;
        EXPECT_TRUE(pages.at(i).contains(QStringLiteral("第 %1 页 / 共 %2 页").arg(i + 1).arg(pages.size()))) << i + 1;
    }
    // Every row once, in order, with all its texts on one line.
    qsizetype last = -1;
    for (int i = 0; i < 1000; ++i) {
        const QStringList& row = rows.at(i);
        const QRegularExpressionMatch match
            = QRegularExpression(QStringLiteral("%1\\s+%2\\s+%3\\s+%4\\s+%5")
                                     .arg(row[0], row[1], QRegularExpression::escape(row[2]), row[3], row[4]))
                  .match(all);
        ASSERT_TRUE(match.hasMatch()) << row[0].toStdString();
        EXPECT_EQ(all.count(row[0] + QLatin1Char(' ')), 1) << row[0].toStdString();
        EXPECT_GT(match.capturedStart(), last) << row[0].toStdString();
        last = match.capturedStart();
    }
    EXPECT_TRUE(matches(pages.last(), QStringLiteral("总合计\\s+%1\\s+%2").arg(rows.last()[3], rows.last()[4])))
        << pages.last().toStdString();
}

TEST_F(ReportPdfTest, EmptyReportPrintsHeadersWithoutRows)
{
    load("ProductSumReport.grf", {});
    const QStringList pages = render("empty.pdf");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages.first().contains(QStringLiteral("产品编号")));
    EXPECT_TRUE(pages.first().contains(QStringLiteral("全部客户"))); // the parameter's default
    EXPECT_FALSE(pages.first().contains(QStringLiteral("CP0")));
}

TEST_F(ReportPdfTest, PrintedBillPlacesItsFieldsAndHidesItsDepositControls)
{
    const QStringList titles {QStringLiteral("货品编号"), QStringLiteral("货品名称"), QStringLiteral("货品规格"),
        QStringLiteral("单位"), QStringLiteral("数量"), QStringLiteral("单价"), QStringLiteral("总额"),
        QStringLiteral("备注")};
    // Two lines padded to six, as the bill prints them.
    QList<QStringList> lines {
        QStringList {QStringLiteral("LS-001"), QStringLiteral("不锈钢螺丝"), QStringLiteral("M4"), QStringLiteral("盒"),
            QStringLiteral("5"), QStringLiteral("12.50"), QStringLiteral("62.50"), QStringLiteral("加急")},
        QStringList {QStringLiteral("LM-002"), QStringLiteral("六角螺母"), QStringLiteral("M6"), QStringLiteral("袋"),
            QStringLiteral("10"), QStringLiteral("6.10"), QStringLiteral("61.00")}};
    while (lines.size() < 6)
        lines.append(QStringList(8));
    load("TradeBillReport.grf", lines, titles);
    const char* const parameters[][2]
        = {{"BillType", "产品出货单"}, {"ClientName", "南京恒信五金商行"}, {"InputDate", "2024-03-15"},
            {"BillCode", "XS_CH_20240315"}, {"CapSumPrice", "零 仟 壹 佰 贰 拾 参 元 伍 角 零 分"},
            {"ProductSumPrice", "123.50"}, {"ImprestMoney", "20.00"}, {"LoanMoney", "103.50"}};
    for (const auto& [name, text] : parameters)
        report.FindParameterByName(QString::fromLatin1(name))->SetAsText(QString::fromUtf8(text));

    const QStringList shown = render("with.pdf");
    report.FindControlByName(QStringLiteral("stc_lbe_imprest"))->SetVisible(false);
    report.FindControlByName(QStringLiteral("stc_val_imprest"))->SetVisible(false);
    const QStringList hidden = render("without.pdf");
    ASSERT_EQ(shown.size(), 1);
    ASSERT_EQ(hidden.size(), 1);
    for (const QString& page : {shown.first(), hidden.first()}) {
        for (const char* text : {"产品出货单", "客户：南京恒信五金商行", "单号：XS_CH_20240315",
                 "零 仟 壹 佰 贰 拾 参 元 伍 角 零 分", "欠款：103.50"})
            EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text;
        EXPECT_TRUE(matches(page, QStringLiteral("LS-001\\s+不锈钢螺丝\\s+M4\\s+盒\\s+5\\s+12.50\\s+62.50\\s+加急")))
            << page.toStdString();
        // The header line sits above the table, the amounts below it.
        EXPECT_LT(page.indexOf(QStringLiteral("客户：")), page.indexOf(QStringLiteral("货品编号")));
        EXPECT_GT(page.indexOf(QStringLiteral("欠款：")), page.indexOf(QStringLiteral("LM-002")));
    }
    EXPECT_TRUE(shown.first().contains(QStringLiteral("订金：")) && shown.first().contains(QStringLiteral("20.00")));
    EXPECT_FALSE(hidden.first().contains(QStringLiteral("订金：")) || hidden.first().contains(QStringLiteral("20.00")));
}

TEST_F(ReportPdfTest, WideTableTurnsThePageAndShrinksToFit)
{
    QStringList titles;
    for (const char* title : {"日期", "单据类型", "单据编号", "单位名称", "货品编号", "货品名称", "货品规格", "单位",
             "数量", "单价", "总额", "产品备注"})
        titles << QString::fromUtf8(title);
    QList<QStringList> rows;
    for (int i = 1; i <= 60; ++i)
        rows.append({QStringLiteral("2024-03-%1").arg(i % 28 + 1, 2, 10, QLatin1Char('0')), QStringLiteral("出货单"),
            QStringLiteral("XS_CH_2024%1").arg(i, 4, 10, QLatin1Char('0')), QStringLiteral("恒信五金"),
            QStringLiteral("LS-%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("不锈钢螺丝"), QStringLiteral("M4"),
            QStringLiteral("盒"), QStringLiteral("5"), QStringLiteral("12.50"), QStringLiteral("62.50"),
            QStringLiteral("明细备注%1").arg(i)});
    rows.append(QStringList(7, QStringLiteral("-----"))
        << QStringLiteral("合计") << QStringLiteral("300") << QString() << QStringLiteral("3750.00") << QString());
    load("WideReport.grf", rows, titles);

    const auto document = report.Generate();
    ASSERT_TRUE(document);
    EXPECT_EQ(document->pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_LT(document->tableScale(), 1.0);
    EXPECT_LE(
        std::accumulate(document->columnWidths().begin(), document->columnWidths().end(), 0.0), 297.0 - 30.0 + 1e-6);
    EXPECT_TRUE(document->rows().last().bold); // marked under 单位

    const QStringList pages = render("wide.pdf");
    const PdfInfo info = pdfInfo(dir.filePath(QStringLiteral("wide.pdf")));
    EXPECT_NEAR(info.pageSizePoints.width(), 841.9, 1.0);
    EXPECT_NEAR(info.pageSizePoints.height(), 595.3, 1.0);
    ASSERT_EQ(pages.size(), document->pageCount());
    for (const QString& page : pages) // the first and the last column on every page
        EXPECT_TRUE(page.contains(QStringLiteral("日期")) && page.contains(QStringLiteral("产品备注")));
    EXPECT_TRUE(pages.join(QString()).contains(QStringLiteral("明细备注60")));
}

TEST_F(ReportPdfTest, LongTextsAreCutAndRareCharactersFallBackToOtherFonts)
{
    const QString longName = QStringLiteral("特别长的货品名称").repeated(6);
    // ♔ is in no CJK font here, so this text takes Qt's font fallback.
    load("ProductSumReport.grf",
        {{QStringLiteral("CP1"), longName, QStringLiteral("M4"), QStringLiteral("1"), QStringLiteral("2")},
            {QStringLiteral("CP2"), QStringLiteral("象棋♔王"), QStringLiteral("M5"), QStringLiteral("3"),
                QStringLiteral("4")}});
    const QStringList pages = render("cut.pdf");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages.first().contains(QStringLiteral("特别长的货品名称特别长")));
    EXPECT_FALSE(pages.first().contains(longName));
    // The cut name ends in "…" and stays in its column: the next column's
    // text follows it.
    EXPECT_TRUE(matches(pages.first(), QStringLiteral("…\\s+M4\\s+1.00\\s+2.00"))) << pages.first().toStdString();
    EXPECT_TRUE(pages.first().contains(QStringLiteral("象棋♔王")));
}

TEST_F(ReportPdfTest, PrinterAndPdfWriterProduceTheSamePages)
{
    load("ProductSumReport.grf", makeProductRows(90, true));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printer.pdf")));
    ASSERT_TRUE(report.PrintReport(printer)) << report.lastError().toStdString();
    const QStringList written = render("writer.pdf");
    ASSERT_GT(written.size(), 1);
    EXPECT_EQ(pdfPageTexts(printer.outputFileName()), written);
    EXPECT_EQ(pdfInfo(printer.outputFileName()).pageSizePoints,
        pdfInfo(dir.filePath(QStringLiteral("writer.pdf"))).pageSizePoints);
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

class PrintOnOtherPaper : public ReportPdfTest, public ::testing::WithParamInterface<PaperCase>
{
};

} // namespace

// The preview lays the pages out for its printer's paper; printing from it
// paints the same pages on the same paper: every row, and the page line on
// every page.
TEST_P(PrintOnOtherPaper, PrintsWhatThePreviewShows)
{
    const QList<QStringList> rows = makeProductRows(60, true);
    load("ProductSumReport.grf", rows);
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
    EXPECT_NEAR(info.pageSizePoints.width(), GetParam().points.width(), 1.0);
    EXPECT_NEAR(info.pageSizePoints.height(), GetParam().points.height(), 1.0);
    const QStringList pages = pdfPageTexts(pdf);
    ASSERT_EQ(pages.size(), shown);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        EXPECT_TRUE(pages.at(i).contains(QStringLiteral("产品编号"))) << i + 1;
        // pdftotext spaces the line by the printer's resolution.
        EXPECT_TRUE(matches(pages.at(i), QStringLiteral("第\\s*%1\\s*页\\s*/\\s*共\\s*%2\\s*页").arg(i + 1).arg(shown)))
            << pages.at(i).toStdString();
    }
    const QString all = pages.join(QLatin1Char('\f'));
    for (const QStringList& row : rows)
        EXPECT_EQ(all.count(row[0] + QLatin1Char(' ')), 1) << row[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(Papers, PrintOnOtherPaper,
    ::testing::Values(PaperCase {"a4_landscape", QPageSize::A4, QPageLayout::Landscape, QSizeF(841.9, 595.3)},
        PaperCase {"letter", QPageSize::Letter, QPageLayout::Portrait, QSizeF(612.0, 792.0)},
        PaperCase {"a5_portrait", QPageSize::A5, QPageLayout::Portrait, QSizeF(419.5, 595.3)}),
    [](const auto& info) { return std::string(info.param.name); });
