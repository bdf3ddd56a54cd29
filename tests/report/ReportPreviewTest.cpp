#include "GridReport.h"

#include "Interaction.h"
#include "ReportDocument.h"
#include "ReportPreviewDialog.h"
#include "ReportTestSupport.h"

#include <QAction>
#include <QDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Stands in for the person: answers file dialogs from a queue, records
// errors, and looks at modal dialogs instead of running them.
class FakeInteraction : public Interaction
{
public:
    FakeInteraction() { Interaction::install(this); }
    ~FakeInteraction() override { Interaction::install(nullptr); }

    void information(QWidget*, const QString&, const QString& text) override { messages.append(text); }
    bool question(QWidget*, const QString&, const QString&) override { return false; }
    void error(QWidget*, const QString&, const QString& text) override { errors.append(text); }
    QString saveFileName(QWidget*, const QString&, const QString& suggested, const QString&) override
    {
        suggestedPaths.append(suggested);
        return savePaths.isEmpty() ? QString() : savePaths.takeFirst();
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    int runModal(QDialog* dialog) override
    {
        if (auto* preview = dynamic_cast<ReportPreviewDialog*>(dialog))
            previewPages.append(preview->document().pageCount());
        return 0;
    }
    bool openWithDesktop(const QString&) override { return false; }

    QStringList messages;
    QStringList errors;
    QStringList savePaths;
    QStringList suggestedPaths;
    QList<int> previewPages;
};

std::shared_ptr<const ReportDocument> sampleDocument(GridReport& report, ProductSumReportEvent& sink, int rows)
{
    EXPECT_TRUE(report.LoadTemplateFile(reportTestData(QStringLiteral("ProductSumReport.grf"))));
    EXPECT_TRUE(sink.ConnectTo(&report));
    sink.SetRecords(makeProductRows(rows, true));
    return report.Generate();
}

} // namespace

TEST(ReportPreviewTest, DefaultShowRunsThePreviewDialogModally)
{
    FakeInteraction user;
    GridReport::PreviewHook previous = GridReport::SetPreviewHook({}); // the real dialog
    GridReport report;
    ProductSumReportEvent sink;
    const auto document = sampleDocument(report, sink, 200);
    ASSERT_TRUE(document);

    ASSERT_TRUE(report.ShowReport(true)) << report.lastError().toStdString();
    EXPECT_EQ(user.previewPages, QList<int> {document->pageCount()});
    GridReport::SetPreviewHook(previous);
}

TEST(ReportPreviewTest, PreviewSpeaksChineseAndSavesAPdf)
{
    FakeInteraction user;
    QTemporaryDir dir;
    GridReport report;
    ProductSumReportEvent sink;
    const auto document = sampleDocument(report, sink, 30);
    ASSERT_TRUE(document);

    ReportPreviewDialog dialog(document);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("打印预览 - 商品进出汇总表"));
    ASSERT_NE(dialog.saveAsPdfAction(), nullptr);
    EXPECT_EQ(dialog.saveAsPdfAction()->text(), QStringLiteral("另存为 PDF…"));
    bool printInChinese = false;
    for (QAction* action : dialog.findChildren<QAction*>())
        printInChinese = printInChinese || action->text().contains(QStringLiteral("打印"));
    EXPECT_TRUE(printInChinese) << "Qt's Chinese texts were not loaded";

    // Cancelled: nothing written.
    EXPECT_FALSE(dialog.saveAsPdf());
    ASSERT_EQ(user.suggestedPaths.size(), 1);
    EXPECT_TRUE(user.suggestedPaths.first().endsWith(QStringLiteral("商品进出汇总表.pdf")));

    // A name without the suffix gets it; the file holds the report.
    user.savePaths = {dir.filePath(QStringLiteral("三月汇总"))};
    dialog.saveAsPdfAction()->trigger();
    const QString saved = dir.filePath(QStringLiteral("三月汇总.pdf"));
    ASSERT_TRUE(QFileInfo::exists(saved));
    EXPECT_EQ(pdfInfo(saved).pages, document->pageCount());
    EXPECT_TRUE(user.errors.isEmpty());

    // A failed save is shown to the person and answers false.
    user.savePaths = {QStringLiteral("/nonexistent-folder/汇总.pdf")};
    EXPECT_FALSE(dialog.saveAsPdf());
    ASSERT_EQ(user.errors.size(), 1);
    EXPECT_TRUE(user.errors.first().contains(QStringLiteral("/nonexistent-folder/汇总.pdf")));
}

TEST(ReportPreviewTest, OpensOnMostOfTheScreenAtPageWidth)
{
    FakeInteraction user;
    GridReport report;
    ProductSumReportEvent sink;
    const auto document = sampleDocument(report, sink, 30);
    ASSERT_TRUE(document);
    ReportPreviewDialog dialog(document);
    dialog.show();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_GE(dialog.width(), area.width() * 8 / 10);
    EXPECT_GE(dialog.height(), area.height() * 8 / 10);
    EXPECT_TRUE(area.contains(dialog.frameGeometry().center()));
    QPrintPreviewWidget* preview = dialog.previewWidget();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->zoomMode(), QPrintPreviewWidget::FitToWidth);
    const QAction* fitWidth = dialog.findChild<QAction*>(QStringLiteral("fitWidthAction"));
    ASSERT_NE(fitWidth, nullptr);
    EXPECT_TRUE(fitWidth->isChecked());
}
