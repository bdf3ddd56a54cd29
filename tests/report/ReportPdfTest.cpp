#include "ReportDocument.h"
#include "ReportPreviewDialog.h"
#include "ReportTestSupport.h"
#include "ScriptedInteraction.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <set>

// PDFs written by the report are read back with poppler's pdftotext and
// pdfinfo, which know nothing of our code.

namespace {

using RE = QRegularExpression;
using ReportPdfTest = ReportTest;

} // namespace

TEST_F(ReportPdfTest, PrintedBillPlacesItsFieldsAndHidesItsDepositControls)
{
    // Two lines padded to six, as the bill prints them.
    QList<QStringList> lines {QString("LS-001 不锈钢螺丝 M4 盒 5 12.50 62.50 加急").split(' '),
        QString("LM-002 六角螺母 M6 袋 10 6.10 61.00").split(' ')};
    while (lines.size() < 6)
        lines.append(QStringList(8));
    load("TradeBillReport.grf", lines, QString("货品编号 货品名称 货品规格 单位 数量 单价 总额 备注").split(' '));
    const char* const parameters[][2]
        = {{"BillType", "产品出货单"}, {"ClientName", "南京恒信五金商行"}, {"InputDate", "2024-03-15"},
            {"BillCode", "XS_CH_20240315"}, {"CapSumPrice", "零 仟 壹 佰 贰 拾 参 元 伍 角 零 分"},
            {"ProductSumPrice", "123.50"}, {"ImprestMoney", "20.00"}, {"LoanMoney", "103.50"}};
    for (const auto& [name, text] : parameters)
        report.FindParameterByName(QString::fromLatin1(name))->SetAsText(QString::fromUtf8(text));

    const QStringList shown = render("with.pdf");
    report.FindControlByName("stc_lbe_imprest")->SetVisible(false);
    report.FindControlByName("stc_val_imprest")->SetVisible(false);
    const QStringList hidden = render("without.pdf");
    ASSERT_EQ(shown.size() + hidden.size(), 2);
    for (const QString& page : {shown.first(), hidden.first()}) {
        for (const char* text : {"产品出货单", "客户：南京恒信五金商行", "单号：XS_CH_20240315",
                 "零 仟 壹 佰 贰 拾 参 元 伍 角 零 分", "欠款：103.50"})
            EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text;
        EXPECT_TRUE(page.contains(RE("LS-001\\s+不锈钢螺丝\\s+M4\\s+盒\\s+5\\s+12.50\\s+62.50\\s+加急")))
            << page.toStdString();
        // The header line sits above the table, the amounts below it.
        EXPECT_LT(page.indexOf("客户："), page.indexOf("货品编号"));
        EXPECT_GT(page.indexOf("欠款："), page.indexOf("LM-002"));
    }
    EXPECT_TRUE(shown.first().contains("订金：") && shown.first().contains("20.00"));
    EXPECT_FALSE(hidden.first().contains("订金：") || hidden.first().contains("20.00"));
}

TEST_F(ReportPdfTest, WideTableTurnsThePageAndShrinksToFit)
{
    QList<QStringList> rows;
    for (int i = 1; i <= 60; ++i)
        rows.append(QString("2024-03-%1 出货单 XS_CH_2024%2 恒信五金 LS-%3 不锈钢螺丝 M4 盒 5 12.50 62.50 明细备注%4")
                        .arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
                        .arg(i, 4, 10, QLatin1Char('0'))
                        .arg(i, 3, 10, QLatin1Char('0'))
                        .arg(i)
                        .split(' '));
    rows.append(QString("-----,-----,-----,-----,-----,-----,-----,合计,300,,3750.00,").split(','));
    load("WideReport.grf", rows,
        QString("日期 单据类型 单据编号 单位名称 货品编号 货品名称 货品规格 单位 数量 单价 总额 产品备注").split(' '));

    const auto document = report.Generate();
    ASSERT_TRUE(document);
    EXPECT_EQ(document->pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_LT(document->tableScale(), 1.0);
    EXPECT_LE(
        std::accumulate(document->columnWidths().begin(), document->columnWidths().end(), 0.0), 297.0 - 30.0 + 1e-6);
    EXPECT_TRUE(document->rows().last().bold); // marked under 单位

    const QStringList pages = render("wide.pdf");
    const QSizeF size = pdfPageSize(dir.filePath("wide.pdf"));
    EXPECT_NEAR(size.width(), 841.9, 1.0);
    EXPECT_NEAR(size.height(), 595.3, 1.0);
    ASSERT_EQ(pages.size(), document->pageCount());
    for (const QString& page : pages) // the first and the last column on every page
        EXPECT_TRUE(page.contains("日期") && page.contains("产品备注"));
    EXPECT_TRUE(pages.join(QString()).contains("明细备注60"));
}

TEST_F(ReportPdfTest, LongTextsAreCutAndRareCharactersFallBackToOtherFonts)
{
    const QString longName = QStringLiteral("特别长的货品名称").repeated(6);
    // ♔ is in no CJK font here, so this text takes Qt's font fallback.
    load("ProductSumReport.grf",
        {QStringList {"CP1", longName, "M4", "1", "2"}, QString("CP2 象棋♔王 M5 3 4").split(' ')});
    const QStringList pages = render("cut.pdf");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages.first().contains("特别长的货品名称特别长"));
    EXPECT_FALSE(pages.first().contains(longName));
    // The cut name ends in "…" and stays in its column: the next column's
    // text follows it.
    EXPECT_TRUE(pages.first().contains(RE("…\\s+M4\\s+1.00\\s+2.00"))) << pages.first().toStdString();
    EXPECT_TRUE(pages.first().contains("象棋♔王"));
}

namespace {

// Every character that the shipped templates print (titles, captions, band
// texts, defaults), blanks left out, in code point order.
QList<uint> shippedTemplateCharacters()
{
    std::set<uint> found;
    const std::function<void(const QJsonValue&)> collect = [&](const QJsonValue& value) {
        if (value.isString()) {
            for (uint ch : value.toString().toUcs4())
                if (!QChar::isSpace(ch))
                    found.insert(ch);
        } else if (value.isArray()) {
            for (const QJsonValue& inner : value.toArray())
                collect(inner);
        } else if (value.isObject()) {
            for (const QJsonValue& inner : value.toObject())
                collect(inner);
        }
    };
    const QDir shipped(QStringLiteral(JXC_SHIPPED_REPORTS));
    for (const QString& name : shipped.entryList({"*.grf"})) {
        QFile file(shipped.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        collect(QJsonDocument::fromJson(file.readAll()).object());
    }
    return QList<uint>(found.begin(), found.end());
}

} // namespace

// The glyph of 胶 is also that of 㬵 (U+3B35), the glyph of 行 that of the
// radical ⾏: the text of the PDF holds what was printed, even where both
// characters of one glyph are printed, in either weight.
TEST_F(ReportPdfTest, EveryCharacterPrintedReadsBackAsItself)
{
    const QList<uint> characters = shippedTemplateCharacters();
    ASSERT_GT(characters.size(), 100);
    QStringList names {"胶水", "胶带", "强力胶", "㬵⾏行"};
    for (qsizetype i = 0; i < characters.size(); i += 10) {
        const QList<uint> chunk = characters.mid(i, 10);
        names.append(QString::fromUcs4(reinterpret_cast<const char32_t*>(chunk.data()), chunk.size()));
    }
    QList<QStringList> rows;
    for (qsizetype i = 0; i < names.size(); ++i)
        rows.append({QString("CP%1").arg(i, 3, 10, QLatin1Char('0')), names.at(i), {}, "1", "2"});
    rows.append({"总合计", "强力胶㬵行⾏", {}, "1", "2"}); // bold, 行 before ⾏
    load("ProductSumReport.grf", rows);

    const QString all = render("characters.pdf").join(QLatin1Char('\f'));
    for (const QStringList& row : rows) {
        const QRegularExpression printed(row[0] + "\\s+" + QRegularExpression::escape(row[1]) + "\\s");
        EXPECT_TRUE(all.contains(printed))
            << row[1].toStdString() << " reads " << all.mid(all.indexOf(row[0]), 40).toStdString();
    }
}

// Figures of six to ten digits in the narrow columns of the shipped 进出汇总
// are drawn whole, in a smaller size; a long name is cut.
TEST_F(ReportPdfTest, FiguresAreDrawnWholeWhereNamesAreCut)
{
    const QStringList fields = QString("产品编号 产品名称 产品规格 采购数量 采购均价 采购总额 采购退货 采购退价 "
                                       "采购退额 销售数量 销售均价 销售总额 销售退货 销售退价 销售退额")
                                   .split(' ');
    const QString longName = QStringLiteral("特别长的货品名称").repeated(3);
    QList<QStringList> rows;
    for (int digits = 6; digits <= 10; ++digits) {
        QStringList row {QString("CP%1").arg(digits), longName, "M4"};
        for (int column = 0; column < 12; ++column)
            row.append(QString::number(std::pow(10.0, digits - 1) + 28 + column, 'f', 2));
        rows.append(row);
    }
    rows.append(rows.last());
    rows.last()[0] = "总合计"; // bold, and wider
    load(QDir(JXC_SHIPPED_REPORTS).filePath("ProductStockShipmentSumReport.grf").toUtf8().constData(), rows, fields);

    const QString all = render("figures.pdf").join(QLatin1Char('\f'));
    for (const QStringList& row : rows) {
        QString printed = row[0] + "\\s+特别长的货品名?称?…\\s+M4";
        for (const QString& figure : row.mid(3))
            printed += "\\s+" + QRegularExpression::escape(figure);
        EXPECT_TRUE(all.contains(QRegularExpression(printed)))
            << row[0].toStdString() << " reads " << all.mid(all.indexOf(row[0]), 200).toStdString();
    }
    EXPECT_FALSE(all.contains(RE("\\d…")));
}

namespace {

// How the pages reach paper, and on which paper: written as a PDF of the
// report's own pages, printed as they are, or printed from the preview on
// the paper the person chose there.
struct PaperCase
{
    const char* name;
    enum { Writer, Printer, Preview } via;
    QPageSize::PageSizeId size;
    QPageLayout::Orientation orientation;
    QSizeF points; // as pdfinfo reads the page
};

void PrintTo(const PaperCase& c, std::ostream* out)
{
    *out << c.name;
}

class ReportPages : public ReportTest, public ::testing::WithParamInterface<PaperCase>
{
};

} // namespace

// Every page has the column captions and the page line; every row is
// printed once, in order, with all its texts on one line; the title and the
// printed parameters head the first page only and the totals end the last.
TEST_P(ReportPages, HoldEveryRowOnceUnderTheCaptionsWithTheTitleFirstAndTheTotalsLast)
{
    const QList<QStringList> rows = makeProductRows(1000, true);
    load("ProductSumReport.grf", rows);
    report.FindParameterByName("TitleMonth")->SetAsText("2024-03-01 到 2024-03-31");
    report.FindParameterByName("ClientName")->SetAsText("南京恒信五金商行");
    const auto document = report.Generate();
    ASSERT_TRUE(document);
    int pageCount = document->pageCount();
    const QString pdf = dir.filePath("商品进出汇总.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    if (GetParam().via == PaperCase::Writer) {
        ASSERT_TRUE(report.RenderToPdf(pdf)) << report.lastError().toStdString();
    } else if (GetParam().via == PaperCase::Printer) {
        ASSERT_TRUE(report.PrintReport(printer)) << report.lastError().toStdString();
    } else {
        ReportPreviewDialog preview(document);
        QPrinter* chosen = preview.printer();
        chosen->setPageSize(QPageSize(GetParam().size));
        chosen->setPageOrientation(GetParam().orientation);
        preview.previewWidget()->updatePreview();
        pageCount = preview.previewWidget()->pageCount();
        EXPECT_EQ(pageCount, document->pageCountFor(*chosen));
        chosen->setOutputFormat(QPrinter::PdfFormat);
        chosen->setOutputFileName(pdf);
        preview.previewWidget()->print();
    }

    const QSizeF size = pdfPageSize(pdf);
    EXPECT_NEAR(size.width(), GetParam().points.width(), 1.0);
    EXPECT_NEAR(size.height(), GetParam().points.height(), 1.0);
    const QStringList pages = pdfPageTexts(pdf);
    ASSERT_EQ(pages.size(), pageCount) << "pdftotext could not read the file";
    const QString all = pages.join(QLatin1Char('\f'));
    EXPECT_TRUE(pages.first().contains(RE("2024-03-01\\s*到\\s*2024-03-31")));
    for (const QString head : {"商品进出汇总表", "南京恒信五金商行"}) {
        EXPECT_TRUE(pages.first().contains(head)) << head.toStdString();
        EXPECT_EQ(all.count(head), 1) << head.toStdString();
    }
    EXPECT_FALSE(all.contains("内部排序"));
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const QString page = pages.at(i);
        EXPECT_TRUE(page.contains(RE("产品编号\\s+产品名称\\s+产品规格\\s+销售数量\\s+销售总额（元）"))) << i;
        // pdftotext spaces the line by the printer's resolution.
        EXPECT_TRUE(
            page.contains(RE(QStringLiteral("第\\s*%1\\s*页\\s*/\\s*共\\s*%2\\s*页").arg(i + 1).arg(pageCount))))
            << i;
    }
    qsizetype last = -1;
    for (const QStringList& row : rows.mid(0, 1000)) {
        const QRegularExpressionMatch match
            = QRegularExpression(QStringLiteral("%1\\s+%2\\s+%3\\s+%4\\s+%5")
                                     .arg(row[0], row[1], QRegularExpression::escape(row[2]), row[3], row[4]))
                  .match(all);
        ASSERT_TRUE(match.hasMatch()) << row[0].toStdString();
        EXPECT_EQ(all.count(row[0] + QLatin1Char(' ')), 1) << row[0].toStdString();
        EXPECT_GT(match.capturedStart(), last) << row[0].toStdString();
        last = match.capturedStart();
    }
    EXPECT_TRUE(pages.last().contains(RE(QStringLiteral("总合计\\s+%1\\s+%2").arg(rows.last()[3], rows.last()[4]))))
        << pages.last().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Papers, ReportPages,
    ::testing::Values(
        PaperCase {"pdf_writer", PaperCase::Writer, QPageSize::A4, QPageLayout::Portrait, QSizeF(595.3, 841.9)},
        PaperCase {"printer", PaperCase::Printer, QPageSize::A4, QPageLayout::Portrait, QSizeF(595.3, 841.9)},
        PaperCase {"a4_landscape", PaperCase::Preview, QPageSize::A4, QPageLayout::Landscape, QSizeF(841.9, 595.3)},
        PaperCase {"letter", PaperCase::Preview, QPageSize::Letter, QPageLayout::Portrait, QSizeF(612.0, 792.0)},
        PaperCase {"a5_portrait", PaperCase::Preview, QPageSize::A5, QPageLayout::Portrait, QSizeF(419.5, 595.3)}),
    [](const auto& info) { return std::string(info.param.name); });

// Without a preview of its own the report shows Qt's preview dialog,
// modally: it opens on most of the screen at page width, speaks Chinese and
// saves a PDF.
TEST_F(ReportPdfTest, ThePreviewOpensLargeSpeaksChineseAndSavesAPdf)
{
    ScriptedInteraction user;
    load("ProductSumReport.grf", makeProductRows(200, true));
    const GridReport::PreviewHook previous = GridReport::SetPreviewHook({});
    int pages = 0;
    user.onNextModal([&](QDialog* shown) {
        auto& dialog = dynamic_cast<ReportPreviewDialog&>(*shown);
        pages = dialog.document().pageCount();
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_GE(dialog.width(), area.width() * 8 / 10);
        EXPECT_GE(dialog.height(), area.height() * 8 / 10);
        EXPECT_TRUE(area.contains(dialog.frameGeometry().center()));
        EXPECT_EQ(dialog.previewWidget()->zoomMode(), QPrintPreviewWidget::FitToWidth);
        EXPECT_TRUE(dialog.findChild<QAction*>("fitWidthAction")->isChecked());
        EXPECT_EQ(dialog.windowTitle(), "打印预览 - 商品进出汇总表");
        EXPECT_EQ(dialog.saveAsPdfAction()->text(), "另存为 PDF…");
        const QList<QAction*> actions = dialog.findChildren<QAction*>();
        EXPECT_TRUE(std::any_of(actions.begin(), actions.end(), [](QAction* a) { return a->text().contains("打印"); }))
            << "Qt's Chinese texts were not loaded";

        // Cancelled: nothing written. A name without the suffix gets it; a
        // failed save is shown to the person and answers false.
        EXPECT_FALSE(dialog.saveAsPdf());
        EXPECT_TRUE(user.suggestedFileNames.value(0).endsWith("/商品进出汇总表.pdf"));
        user.answerFileName(dir.filePath("三月汇总"));
        dialog.saveAsPdfAction()->trigger();
        EXPECT_TRUE(user.messages.empty());
        user.answerFileName("/nonexistent-folder/汇总.pdf");
        EXPECT_FALSE(dialog.saveAsPdf());
        return 0;
    });
    ASSERT_TRUE(report.ShowReport(true)) << report.lastError().toStdString();
    GridReport::SetPreviewHook(previous);
    EXPECT_GT(pages, 1);
    EXPECT_EQ(pdfPageTexts(dir.filePath("三月汇总.pdf")).size(), pages);
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(user.messages[0].text.contains("/nonexistent-folder/汇总.pdf"));
}
