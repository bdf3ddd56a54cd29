#include "GridReport.h"

#include "ReportDocument.h"
#include "ReportPreviewDialog.h"
#include "ReportTestSupport.h"
#include "ScriptedInteraction.h"

#include <QAction>
#include <QDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ReportPreviewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(report.LoadTemplateFile(reportTestData(QStringLiteral("ProductSumReport.grf"))));
        ASSERT_TRUE(sink.ConnectTo(&report));
        sink.SetRecords(makeProductRows(200, true));
        document = report.Generate();
        ASSERT_TRUE(document);
    }

    ScriptedInteraction user;
    GridReport report;
    RowsReportEvent sink;
    std::shared_ptr<const ReportDocument> document;
};

} // namespace

TEST_F(ReportPreviewTest, DefaultShowRunsThePreviewDialogModally)
{
    GridReport::PreviewHook previous = GridReport::SetPreviewHook({}); // the real dialog
    int pages = 0;
    user.onNextModal([&](QDialog* dialog) {
        pages = dynamic_cast<ReportPreviewDialog&>(*dialog).document().pageCount();
        return 0;
    });
    ASSERT_TRUE(report.ShowReport(true)) << report.lastError().toStdString();
    EXPECT_EQ(pages, document->pageCount());
    GridReport::SetPreviewHook(previous);
}

TEST_F(ReportPreviewTest, PreviewOpensLargeSpeaksChineseAndSavesAPdf)
{
    ReportPreviewDialog dialog(document);
    dialog.show();
    // Most of the screen, at page width.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_GE(dialog.width(), area.width() * 8 / 10);
    EXPECT_GE(dialog.height(), area.height() * 8 / 10);
    EXPECT_TRUE(area.contains(dialog.frameGeometry().center()));
    EXPECT_EQ(dialog.previewWidget()->zoomMode(), QPrintPreviewWidget::FitToWidth);
    const QAction* fitWidth = dialog.findChild<QAction*>(QStringLiteral("fitWidthAction"));
    ASSERT_NE(fitWidth, nullptr);
    EXPECT_TRUE(fitWidth->isChecked());

    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("打印预览 - 商品进出汇总表"));
    EXPECT_EQ(dialog.saveAsPdfAction()->text(), QStringLiteral("另存为 PDF…"));
    bool printInChinese = false;
    for (QAction* action : dialog.findChildren<QAction*>())
        printInChinese = printInChinese || action->text().contains(QStringLiteral("打印"));
    EXPECT_TRUE(printInChinese) << "Qt's Chinese texts were not loaded";

    // Cancelled: nothing written.
    EXPECT_FALSE(dialog.saveAsPdf());
    ASSERT_EQ(user.suggestedFileNames.size(), 1);
    EXPECT_TRUE(user.suggestedFileNames.first().endsWith(QStringLiteral("商品进出汇总表.pdf")));
    // A name without the suffix gets it; the file holds the report.
    QTemporaryDir dir;
    user.answerFileName(dir.filePath(QStringLiteral("三月汇总")));
    dialog.saveAsPdfAction()->trigger();
    EXPECT_EQ(pdfInfo(dir.filePath(QStringLiteral("三月汇总.pdf"))).pages, document->pageCount());
    EXPECT_TRUE(user.messages.empty());
    // A failed save is shown to the person and answers false.
    user.answerFileName(QStringLiteral("/nonexistent-folder/汇总.pdf"));
    EXPECT_FALSE(dialog.saveAsPdf());
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(user.messages[0].text.contains(QStringLiteral("/nonexistent-folder/汇总.pdf")));
}
