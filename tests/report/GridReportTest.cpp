#include "GridReport.h"

#include "ReportDocument.h"
#include "ReportTestSupport.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// Records every preview request instead of opening a window; answers
// failure with its text when failure is set.
struct FakePreview
{
    int calls = 0;
    bool modal = false;
    QString failure;
    std::shared_ptr<const ReportDocument> document;
    const GridReport::PreviewHook previous = GridReport::SetPreviewHook(
        [this](const std::shared_ptr<const ReportDocument>& doc, bool isModal, QString* error) {
            ++calls;
            modal = isModal;
            document = doc;
            *error = failure;
            return failure.isEmpty();
        });
    ~FakePreview() { GridReport::SetPreviewHook(previous); }
};

class GridReportTest : public ReportTest
{
protected:
    void SetUp() override { load("ProductSumReport.grf", {}); }

    FakePreview preview;
};

} // namespace

TEST_F(GridReportTest, ShowRaisesInitializeThenFetchAndHandsTheDocumentToThePreview)
{
    report.FindParameterByName("TitleMonth")->SetAsText("2024-03-01 到 2024-03-31");
    sink->SetRecords(makeProductRows(5, false));
    const QList<QStringList> rows = makeProductRows(120, true);
    sink->SetRecords(rows); // replaces the first set
    // Events other than these two change nothing.
    for (int id : ReportEvents::allIds)
        EXPECT_TRUE(id == ReportEvents::Initialize || id == ReportEvents::FetchRecord || report.FireEvent(id)) << id;
    EXPECT_FALSE(report.FireEvent(5)); // no such event

    ASSERT_TRUE(report.OutputReport(1)) << report.lastError().toStdString();
    EXPECT_EQ(sink->initializeCount, 1);
    EXPECT_EQ(sink->fetchCount, 1);
    ASSERT_EQ(preview.calls, 1);
    EXPECT_TRUE(preview.modal);
    EXPECT_EQ(preview.document->recordCount(), 121);
    EXPECT_GT(preview.document->pageCount(), 2);
    EXPECT_EQ(preview.document->parameterText("TitleMonth"), "2024-03-01 到 2024-03-31");
    EXPECT_EQ(preview.document->parameterText("ClientName"), "全部客户");
    // The template's five columns; the sink's 备注 is not one of them.
    EXPECT_EQ(preview.document->records().at(4), rows.at(4).mid(0, 5));
    EXPECT_TRUE(preview.document->rows().last().bold);
    EXPECT_FALSE(preview.document->rows().first().bold);

    // A second output hands over the same records, not twice as many; the
    // sink's own rows handed back to it stay as they are.
    sink->SetRecords(sink->Records());
    ASSERT_TRUE(report.ShowReport(false));
    EXPECT_FALSE(preview.modal);
    EXPECT_EQ(preview.document->recordCount(), 121);

    // A preview that cannot show is the report's error.
    preview.failure = "打印预览需要图形界面";
    EXPECT_FALSE(report.ShowReport());
    EXPECT_EQ(report.lastError(), preview.failure);
}

TEST_F(GridReportTest, WhatTheTemplateLacksIsSkippedAndHiddenControlsStayHidden)
{
    EXPECT_EQ(report.FindFieldByName("备注"), nullptr);
    EXPECT_EQ(report.FindParameterByName("DateRange"), nullptr);
    EXPECT_EQ(report.FindControlByName("stc_val_imprest"), nullptr);

    // The bill template has only the sink's 备注 field: each row still makes
    // a record, with the other fields skipped.
    ASSERT_TRUE(report.LoadTemplateFile(reportTestData("TradeBillReport.grf")));
    report.FindControlByName("stc_lbe_imprest")->SetVisible(false);
    sink->SetRecords(makeProductRows(2, false));
    const auto document = report.Generate();
    ASSERT_TRUE(document) << report.lastError().toStdString();
    ASSERT_EQ(document->recordCount(), 2);
    EXPECT_EQ(document->records().at(1).join(QLatin1Char('|')), "|||||||无");
    EXPECT_FALSE(report.FindControlByName("stc_lbe_imprest")->IsVisible());
}

TEST_F(GridReportTest, ASinkWritingRecordsByHandAsThePagesDo)
{
    // The plain call sequence of a sink's FillRecords, including a record
    // that is opened but never posted (it must not appear).
    struct HandWrittenEvent : CGridppReportEventImpl
    {
        void FetchRecord() override
        {
            ReportField* code = Report()->FindFieldByName("产品编号");
            ReportField* amount = Report()->FindFieldByName("销售总额");
            ReportRecordset* records = Report()->GetDetailSection()->GetRecordset();
            for (const char* text : {"甲", "乙"}) {
                records->AppendRecord();
                code->SetAsText(QString::fromUtf8(text));
                amount->SetAsText("1.5");
                records->PostRecord();
            }
            records->AppendRecord();
            code->SetAsText("未提交");
        }
    } handWritten;
    sink->Disconnect();
    ASSERT_TRUE(handWritten.ConnectTo(&report));
    // Outside an open record a field keeps nothing.
    EXPECT_FALSE(report.FindFieldByName("产品编号")->SetAsText("无记录"));

    const auto document = report.Generate();
    ASSERT_TRUE(document);
    ASSERT_EQ(document->recordCount(), 2);
    EXPECT_EQ(document->records()[0][0] + document->records()[1][0], "甲乙");
    EXPECT_EQ(document->rows().at(0).cells.at(4), "1.50"); // the column prints two decimals
}

// A template or PDF that cannot be read or written, and a sink that throws,
// are the report's error (naming the file or the event) and nothing is
// shown or written; the report recovers once the sink behaves.
TEST_F(GridReportTest, AnUnreadableTemplateOrFileOrAThrowingSinkIsAnErrorAndNothingIsProduced)
{
    sink->SetRecords(makeProductRows(3, false));
    const QString pdf = dir.filePath("out.pdf");
    for (const QString& path : {dir.filePath("ProductCountTipReport.grf"), reportTestData("Broken.grf")}) {
        EXPECT_FALSE(report.LoadTemplateFile(path));
        EXPECT_TRUE(report.lastError().contains(path)) << report.lastError().toStdString();
        EXPECT_FALSE(report.IsTemplateLoaded());
        EXPECT_EQ(report.FindFieldByName("产品编号"), nullptr);
        EXPECT_FALSE(report.ShowReport());
        EXPECT_TRUE(report.lastError().contains(path));
        EXPECT_FALSE(report.RenderToPdf(pdf));
        EXPECT_TRUE(report.lastError().contains(path));
    }
    EXPECT_EQ(sink->initializeCount, 0);

    // A path joined with a backslash is found.
    ASSERT_TRUE(report.LoadTemplateFile(QStringLiteral(JXC_REPORT_TEST_DATA "\\ProductSumReport.grf")));
    const QString unwritable = "/nonexistent-folder/报表.pdf";
    EXPECT_FALSE(report.RenderToPdf(unwritable));
    EXPECT_TRUE(report.lastError().contains(unwritable)) << report.lastError().toStdString();
    sink->throwInFetch = true;
    EXPECT_FALSE(report.ShowReport());
    EXPECT_TRUE(report.lastError().contains("数据库连接已断开")) << report.lastError().toStdString();
    EXPECT_TRUE(report.lastError().contains("FetchRecord"));
    sink->throwInFetch = false;
    sink->throwInInitialize = true;
    EXPECT_FALSE(report.RenderToPdf(pdf));
    EXPECT_TRUE(report.lastError().contains("字段查找失败"));
    EXPECT_EQ(preview.calls, 0);
    EXPECT_FALSE(QFileInfo::exists(pdf));

    sink->throwInInitialize = false;
    ASSERT_TRUE(report.ShowReport());
    EXPECT_EQ(preview.document->recordCount(), 3);
}

TEST_F(GridReportTest, ASinkConnectsOnceAndSinkAndReportMayEndInEitherOrder)
{
    const quint32 cookie = sink->Cookie();
    EXPECT_NE(cookie, CGridppReportEventImpl::NotConnected);
    EXPECT_FALSE(sink->ConnectTo(&report));
    EXPECT_EQ(report.ConnectEvents(&*sink), 0u);
    EXPECT_FALSE(report.lastError().isEmpty());
    RowsReportEvent outliving;
    {
        GridReport other;
        EXPECT_FALSE(sink->ConnectTo(&other)); // one connection per sink
        ASSERT_TRUE(outliving.ConnectTo(&other));
        {
            RowsReportEvent shortLived;
            ASSERT_TRUE(shortLived.ConnectTo(&other));
        }
        EXPECT_TRUE(other.IsConnected(&outliving));
    }
    EXPECT_FALSE(outliving.IsConnected());
    EXPECT_EQ(outliving.Report(), nullptr);
    EXPECT_EQ(sink->Cookie(), cookie);
    EXPECT_TRUE(sink->Disconnect());
    EXPECT_FALSE(report.IsConnected(&*sink));
    EXPECT_FALSE(sink->Disconnect());
    EXPECT_TRUE(sink->ConnectTo(&report));
    EXPECT_NE(sink->Cookie(), cookie);
}
