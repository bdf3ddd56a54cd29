#include "ReportTemplate.h"

#include <gtest/gtest.h>

TEST(ReportTemplateTest, FillsDefaultsAndPrintsTitleAndParametersWithoutAHeaderOfItsOwn)
{
    QString error;
    const std::optional<ReportTemplate> t = ReportTemplate::fromJson(R"({"title": "库存报警",
        "parameters": [{"name": "TitleMonth"}, {"name": "Hidden", "print": false}],
        "columns": [{"field": "货品编号"}]})",
        QStringLiteral("测试模板.grf"), &error);
    ASSERT_TRUE(t) << error.toStdString();
    EXPECT_EQ(t->columns.at(0).caption, QStringLiteral("货品编号"));
    EXPECT_EQ(t->columns.at(0).decimals, -1);
    EXPECT_EQ(t->orientation, ReportTemplate::Orientation::Portrait);
    EXPECT_EQ(t->widthFit, ReportTemplate::WidthFit::Scale);
    EXPECT_TRUE(t->totals.markers.contains(QStringLiteral("总合计")));

    const ReportTemplate::Band header = t->defaultReportHeader();
    ASSERT_EQ(header.items.size(), 2);
    EXPECT_EQ(header.items.at(0).text, QStringLiteral("{Title}"));
    EXPECT_EQ(header.items.at(1).text, QStringLiteral("{TitleMonth}"));
    EXPECT_GT(header.height, header.items.at(1).y);
    EXPECT_TRUE(t->defaultPageFooter().items.at(0).text.contains(QStringLiteral("{PageCount}")));
}

TEST(ReportTemplateTest, RejectsFaultyTemplatesNamingTheSource)
{
    const char* const cases[][2] = {
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
    for (const auto& [json, expected] : cases) {
        QString error;
        EXPECT_FALSE(ReportTemplate::fromJson(QByteArray(json), QStringLiteral("测试模板.grf"), &error)) << json;
        EXPECT_TRUE(error.contains(QStringLiteral("测试模板.grf")) && error.contains(QString::fromUtf8(expected)))
            << json << ": " << error.toStdString();
    }
}
