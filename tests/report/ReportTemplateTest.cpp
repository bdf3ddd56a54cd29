#include "ReportTemplate.h"

#include "ReportTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::optional<ReportTemplate> parse(const char* json, QString* error = nullptr)
{
    QString ignored;
    return ReportTemplate::fromJson(QByteArray(json), QStringLiteral("测试模板.grf"), error ? error : &ignored);
}

} // namespace

TEST(ReportTemplateTest, ReadsASampleTemplate)
{
    QString error;
    const std::optional<ReportTemplate> t
        = ReportTemplate::fromFile(reportTestData(QStringLiteral("TradeBillReport.grf")), &error);
    ASSERT_TRUE(t) << error.toStdString();
    EXPECT_EQ(t->title, QStringLiteral("产品出货单"));
    EXPECT_EQ(t->parameters.size(), 8);
    EXPECT_EQ(t->columns.size(), 8);
    EXPECT_EQ(t->columnIndex(QStringLiteral("总额")), 6);
    EXPECT_EQ(t->columns.at(4).align, ReportTemplate::Align::Right);
    EXPECT_DOUBLE_EQ(t->margins.top, 20.0);
    ASSERT_TRUE(t->reportFooter.present);
    EXPECT_EQ(t->reportFooter.items.at(2).name, QStringLiteral("stc_lbe_imprest"));
    EXPECT_EQ(t->reportFooter.items.last().kind, ReportTemplate::ItemKind::Line);
}

TEST(ReportTemplateTest, FillsDefaults)
{
    const std::optional<ReportTemplate> t = parse(R"({"title": "库存报警",
        "parameters": [{"name": "TitleMonth"}, {"name": "Hidden", "print": false}],
        "columns": [{"field": "货品编号"}]})");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->columns.at(0).caption, QStringLiteral("货品编号"));
    EXPECT_EQ(t->columns.at(0).decimals, -1);
    EXPECT_EQ(t->orientation, ReportTemplate::Orientation::Portrait);
    EXPECT_EQ(t->widthFit, ReportTemplate::WidthFit::Scale);
    EXPECT_DOUBLE_EQ(t->margins.left, 15.0);
    EXPECT_TRUE(t->totals.markers.contains(QStringLiteral("总合计")));
    EXPECT_FALSE(t->reportHeader.present);

    // Without a header of its own a report prints its title and the
    // parameters meant to be printed.
    const ReportTemplate::Band header = t->defaultReportHeader();
    ASSERT_EQ(header.items.size(), 2);
    EXPECT_EQ(header.items.at(0).text, QStringLiteral("{Title}"));
    EXPECT_EQ(header.items.at(1).text, QStringLiteral("{TitleMonth}"));
    EXPECT_GT(header.height, header.items.at(1).y);
    EXPECT_TRUE(t->defaultPageFooter().items.at(0).text.contains(QStringLiteral("{PageCount}")));
}

TEST(ReportTemplateTest, RejectsFaultyTemplatesNamingTheSource)
{
    const struct
    {
        const char* json;
        const char* expected;
    } cases[] = {
        {R"({"columns": [{"field": "a"}, {"field": "a"}]})", "字段 \"a\" 重复"},
        {R"({"columns": [{"caption": "无字段"}]})", "缺少 field"},
        {R"({"columns": [{"field": "a", "align": "middle"}]})", "对齐方式"},
        {R"({"columns": [{"field": "a", "width": "30"}]})", "应为数字"},
        {R"({"page": {"paper": "Letter"}})", "只支持 A4"},
        {R"({"page": {"margins": 100}})", "页边距过大"},
        {R"({"columns": [{"field": "a"}], "totals": {"field": "b"}})", "不是模板的列"},
        {R"({"sumRow": {"fields": ["金额"]}})", "不是模板的列"},
        {R"({"reportHeader": {"items": [{"type": "circle"}]}})", "类型"},
        {R"([1, 2])", "顶层应为对象"},
        {R"({"title": )", "第"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        QString error;
        EXPECT_FALSE(parse(c.json, &error));
        EXPECT_TRUE(error.contains(QStringLiteral("测试模板.grf"))) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.expected))) << error.toStdString();
    }
}

TEST(ReportTemplateTest, MissingOrBrokenFileNamesThePath)
{
    QString error;
    const QString missing = reportTestData(QStringLiteral("不存在的报表.grf"));
    EXPECT_FALSE(ReportTemplate::fromFile(missing, &error));
    EXPECT_TRUE(error.contains(missing)) << error.toStdString();

    const QString broken = reportTestData(QStringLiteral("Broken.grf"));
    EXPECT_FALSE(ReportTemplate::fromFile(broken, &error));
    EXPECT_TRUE(error.contains(broken)) << error.toStdString();
}
