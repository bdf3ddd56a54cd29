#include "GridReport.h"

#include "ReportDocument.h"
#include "ReportTestSupport.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Records every preview request instead of opening a window.
struct FakePreview
{
    int calls = 0;
    bool modal = false;
    std::shared_ptr<const ReportDocument> document;
    GridReport::PreviewHook previous;

    FakePreview()
    {
        previous = GridReport::SetPreviewHook(
            [this](const std::shared_ptr<const ReportDocument>& doc, bool isModal, QString*) {
                ++calls;
                modal = isModal;
                document = doc;
                return true;
            });
    }
    ~FakePreview() { GridReport::SetPreviewHook(previous); }
};

class GridReportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(report.LoadTemplateFile(reportTestData(QStringLiteral("ProductSumReport.grf"))))
            << report.lastError().toStdString();
        ASSERT_TRUE(sink.ConnectTo(&report));
    }

    QTemporaryDir dir;
    GridReport report;
    ProductSumReportEvent sink;
    FakePreview preview;
};

QStringList codes(const ReportDocument& document)
{
    QStringList result;
    for (const QStringList& record : document.records())
        result.append(record.value(0));
    return result;
}

} // namespace

TEST_F(GridReportTest, ShowRaisesInitializeThenFetchAndHandsTheDocumentToThePreview)
{
    report.FindParameterByName(QStringLiteral("TitleMonth"))->SetAsText(QStringLiteral("2024-03-01 到 2024-03-31"));
    sink.SetRecords(makeProductRows(120, true));

    ASSERT_TRUE(report.OutputReport(1)) << report.lastError().toStdString();
    EXPECT_EQ(sink.initializeCount, 1);
    EXPECT_EQ(sink.fetchCount, 1);
    ASSERT_EQ(preview.calls, 1);
    EXPECT_TRUE(preview.modal);
    ASSERT_TRUE(preview.document);
    EXPECT_EQ(preview.document->recordCount(), 121);
    EXPECT_GT(preview.document->pageCount(), 2);
    EXPECT_EQ(
        preview.document->parameterText(QStringLiteral("TitleMonth")), QStringLiteral("2024-03-01 到 2024-03-31"));
    EXPECT_EQ(preview.document->parameterText(QStringLiteral("ClientName")), QStringLiteral("全部客户"));
    EXPECT_EQ(preview.document->records().at(4),
        (QStringList {QStringLiteral("CP00005"), QStringLiteral("六角螺栓5号"), QStringLiteral("M9×40"),
            QStringLiteral("6.00"), QStringLiteral("75.00")}));
    EXPECT_TRUE(preview.document->rows().last().bold);
    EXPECT_FALSE(preview.document->rows().first().bold);

    // A second output hands over the same records, not twice as many.
    ASSERT_TRUE(report.ShowReport(true));
    EXPECT_EQ(preview.document->recordCount(), 121);
}

TEST_F(GridReportTest, SetRecordsTwiceKeepsOnlyTheSecondSet)
{
    sink.SetRecords(makeProductRows(5, false));
    sink.SetRecords(makeProductRows(2, true));
    const auto document = report.Generate();
    ASSERT_TRUE(document);
    EXPECT_EQ(codes(*document),
        (QStringList {QStringLiteral("CP00001"), QStringLiteral("CP00002"), QStringLiteral("总合计")}));

    // The sink's own rows handed back to it stay as they are.
    sink.SetRecords(sink.Records());
    EXPECT_EQ(sink.Records().size(), 3u);
}

TEST_F(GridReportTest, EmptyRowsGiveAReportWithoutRecords)
{
    sink.SetRecords(QList<ProductSumRow> {});
    ASSERT_TRUE(report.ShowReport());
    ASSERT_TRUE(preview.document);
    EXPECT_EQ(preview.document->recordCount(), 0);
    EXPECT_EQ(preview.document->pageCount(), 1);
}

TEST_F(GridReportTest, FieldsAndParametersTheTemplateLacksAreSkipped)
{
    EXPECT_EQ(report.FindFieldByName(QStringLiteral("备注")), nullptr);
    EXPECT_EQ(report.FindParameterByName(QStringLiteral("DateRange")), nullptr);
    EXPECT_EQ(report.FindControlByName(QStringLiteral("stc_val_imprest")), nullptr);
    ASSERT_NE(report.FindFieldByName(QStringLiteral("产品编号")), nullptr);

    sink.SetRecords(makeProductRows(3, false));
    const auto document = report.Generate();
    ASSERT_TRUE(document) << report.lastError().toStdString();
    EXPECT_FALSE(sink.remarkFound());
    EXPECT_EQ(document->recordCount(), 3);
    EXPECT_EQ(document->records().at(2).size(), 5);
}

TEST_F(GridReportTest, ASinkWritingRecordsByHandAsThePagesDo)
{
    // The plain call sequence of a sink's FillRecords, including a record
    // that is opened but never posted (it must not appear).
    struct HandWrittenEvent : CGridppReportEventImpl
    {
        void FetchRecord() override
        {
            ReportField* code = Report()->FindFieldByName(QStringLiteral("产品编号"));
            ReportField* amount = Report()->FindFieldByName(QStringLiteral("销售总额"));
            for (const char* text : {"甲", "乙"}) {
                Report()->GetDetailSection()->GetRecordset()->AppendRecord();
                code->SetAsText(QString::fromUtf8(text));
                amount->SetAsText(QStringLiteral("1.5"));
                Report()->GetDetailSection()->GetRecordset()->PostRecord();
            }
            Report()->GetDetailSection()->GetRecordset()->AppendRecord();
            code->SetAsText(QStringLiteral("未提交"));
        }
    } handWritten;
    sink.Disconnect();
    ASSERT_TRUE(handWritten.ConnectTo(&report));
    // Outside an open record a field keeps nothing.
    EXPECT_FALSE(report.FindFieldByName(QStringLiteral("产品编号"))->SetAsText(QStringLiteral("无记录")));

    const auto document = report.Generate();
    ASSERT_TRUE(document);
    EXPECT_EQ(codes(*document), (QStringList {QStringLiteral("甲"), QStringLiteral("乙")}));
    EXPECT_EQ(document->rows().at(0).cells.at(4), QStringLiteral("1.50")); // the column prints two decimals
}

TEST_F(GridReportTest, MissingTemplateIsAnErrorWithItsPathAndNothingIsProduced)
{
    const QString missing = dir.filePath(QStringLiteral("ProductCountTipReport.grf"));
    EXPECT_FALSE(report.LoadTemplateFile(missing));
    EXPECT_TRUE(report.lastError().contains(missing));
    EXPECT_FALSE(report.IsTemplateLoaded());
    EXPECT_EQ(report.FindFieldByName(QStringLiteral("产品编号")), nullptr);

    sink.SetRecords(makeProductRows(3, false));
    EXPECT_FALSE(report.ShowReport());
    EXPECT_TRUE(report.lastError().contains(missing)) << report.lastError().toStdString();
    EXPECT_EQ(preview.calls, 0);
    EXPECT_EQ(sink.initializeCount, 0);

    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    EXPECT_FALSE(report.RenderToPdf(pdf));
    EXPECT_TRUE(report.lastError().contains(missing));
    EXPECT_FALSE(QFileInfo::exists(pdf));

    // A broken template is refused the same way.
    const QString broken = reportTestData(QStringLiteral("Broken.grf"));
    EXPECT_FALSE(report.LoadTemplateFile(broken));
    EXPECT_FALSE(report.ShowReport());
    EXPECT_TRUE(report.lastError().contains(broken));
    EXPECT_EQ(preview.calls, 0);
}

TEST_F(GridReportTest, AnExceptionInASinkIsReportedAndNothingIsShown)
{
    sink.SetRecords(makeProductRows(3, false));
    sink.throwInFetch = true;
    EXPECT_FALSE(report.ShowReport());
    EXPECT_TRUE(report.lastError().contains(QStringLiteral("数据库连接已断开"))) << report.lastError().toStdString();
    EXPECT_TRUE(report.lastError().contains(QStringLiteral("FetchRecord")));
    EXPECT_EQ(preview.calls, 0);

    sink.throwInFetch = false;
    sink.throwInInitialize = true;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    EXPECT_FALSE(report.RenderToPdf(pdf));
    EXPECT_TRUE(report.lastError().contains(QStringLiteral("字段查找失败")));
    EXPECT_FALSE(QFileInfo::exists(pdf));

    // The report recovers once the sink behaves.
    sink.throwInInitialize = false;
    ASSERT_TRUE(report.ShowReport());
    EXPECT_EQ(preview.document->recordCount(), 3);
}

TEST_F(GridReportTest, EventsOtherThanInitializeAndFetchChangeNothing)
{
    sink.SetRecords(makeProductRows(4, true));
    ReportEventArgs args;
    args.text = QStringLiteral("事件文字");
    args.first = report.FindFieldByName(QStringLiteral("产品编号"));
    args.second = report.GetDetailSection();
    args.values[0] = 7;
    args.flag = true;
    for (int id : ReportEvents::allIds) {
        if (id == ReportEvents::Initialize || id == ReportEvents::FetchRecord)
            continue;
        SCOPED_TRACE(id);
        EXPECT_TRUE(report.FireEvent(id, args));
    }
    EXPECT_FALSE(report.FireEvent(5));
    EXPECT_EQ(sink.initializeCount, 0);
    EXPECT_EQ(sink.fetchCount, 0);
    EXPECT_EQ(sink.Records().size(), 5u);
    EXPECT_EQ(report.GetDetailSection()->GetRecordset()->RecordCount(), 0);

    const auto document = report.Generate();
    ASSERT_TRUE(document);
    EXPECT_EQ(document->recordCount(), 5);
}

TEST_F(GridReportTest, ConnectingASinkTwiceFails)
{
    const quint32 cookie = sink.Cookie();
    EXPECT_NE(cookie, 0u);
    EXPECT_NE(cookie, CGridppReportEventImpl::NotConnected);
    EXPECT_FALSE(sink.ConnectTo(&report));
    EXPECT_EQ(report.ConnectEvents(&sink), 0u);
    EXPECT_FALSE(report.lastError().isEmpty());

    GridReport other;
    EXPECT_FALSE(sink.ConnectTo(&other)); // one connection per sink
    EXPECT_EQ(sink.Cookie(), cookie);

    EXPECT_TRUE(sink.Disconnect());
    EXPECT_FALSE(report.IsConnected(&sink));
    EXPECT_FALSE(sink.Disconnect());
    EXPECT_TRUE(sink.ConnectTo(&report));
    EXPECT_NE(sink.Cookie(), cookie);
}

TEST(GridReportLifetimeTest, SinkAndReportMayEndInEitherOrder)
{
    ProductSumReportEvent outliving;
    {
        GridReport report;
        ASSERT_TRUE(outliving.ConnectTo(&report));
        {
            ProductSumReportEvent shortLived;
            ASSERT_TRUE(shortLived.ConnectTo(&report));
        }
        EXPECT_TRUE(report.IsConnected(&outliving));
    }
    EXPECT_FALSE(outliving.IsConnected());
    EXPECT_EQ(outliving.Report(), nullptr);
}

TEST_F(GridReportTest, HiddenControlsStayHiddenForLaterOutputs)
{
    ASSERT_TRUE(report.LoadTemplateFile(reportTestData(QStringLiteral("TradeBillReport.grf"))));
    ReportControl* label = report.FindControlByName(QStringLiteral("stc_lbe_imprest"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->IsVisible());
    label->SetVisible(false);
    sink.SetRecords(makeProductRows(2, false));
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        const auto document = report.Generate();
        ASSERT_TRUE(document) << report.lastError().toStdString();
        // The bill template has only the sink's 备注 field: each row still
        // makes a record, with the other fields skipped.
        ASSERT_EQ(document->recordCount(), 2);
        EXPECT_EQ(document->records().at(1).join(QLatin1Char('|')), QStringLiteral("|||||||无"));
    }
    EXPECT_FALSE(report.FindControlByName(QStringLiteral("stc_lbe_imprest"))->IsVisible());
}

TEST_F(GridReportTest, PreviewFailureIsReportedAsTheError)
{
    GridReport::PreviewHook previous
        = GridReport::SetPreviewHook([](const std::shared_ptr<const ReportDocument>&, bool, QString* error) {
              *error = QStringLiteral("打印预览需要图形界面");
              return false;
          });
    EXPECT_FALSE(report.ShowReport());
    EXPECT_EQ(report.lastError(), QStringLiteral("打印预览需要图形界面"));
    GridReport::SetPreviewHook(previous);
}

TEST(GridReportPathTest, TemplatePathJoinedWithABackslashIsFound)
{
    GridReport report;
    const QString path = QStringLiteral(JXC_REPORT_TEST_DATA) + QStringLiteral("\\ProductSumReport.grf");
    EXPECT_TRUE(report.LoadTemplateFile(path)) << report.lastError().toStdString();
    EXPECT_NE(report.FindFieldByName(QStringLiteral("产品编号")), nullptr);
}
