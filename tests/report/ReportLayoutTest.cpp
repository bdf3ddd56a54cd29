#include "ReportLayout.h"
#include "PdfTextMap.h"
#include "ReportTemplate.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <numeric>
#include <ostream>

using namespace ReportLayout;

namespace ReportLayout {
void PrintTo(const PageSlice& p, std::ostream* out)
{
    *out << '{' << p.firstRow << ", " << p.rowCount << ", " << p.hasReportHeader << p.hasTableHeader
         << p.hasReportFooter << '}';
}
} // namespace ReportLayout

TEST(ReportLayoutTest, PaginatesRowsHeadersAndFooters)
{
    // {bodyHeight, reportHeader, tableHeader, rowHeight, rowCount, reportFooter}
    // -> pages of {firstRow, rowCount, reportHeader, tableHeader, reportFooter}
    const struct
    {
        const char* name;
        PageInput input;
        QList<PageSlice> expected;
    } cases[] = {
        {"a footer filling the rest of the page stays on it", {100, 10, 5, 5, 10, 35}, {{0, 10, true, true, true}}},
        {"rows filling the page exactly", {100, 0, 0, 5, 20, 0}, {{0, 20, true, true, true}}},
        {"second page repeats the captions and takes more rows", {100, 20, 10, 10, 15, 0},
            {{0, 7, true, true, false}, {7, 8, false, true, true}}},
        {"footer that does not fit goes to a page of its own", {100, 0, 10, 10, 9, 5},
            {{0, 9, true, true, false}, {9, 0, false, false, true}}},
        {"no rows still gives the header, captions and footer", {100, 20, 10, 10, 0, 30}, {{0, 0, true, true, true}}},
        {"a row taller than the page takes a page each", {50, 0, 10, 60, 2, 0},
            {{0, 1, true, true, false}, {1, 1, false, true, true}}},
        {"decimal row heights summing to the page are not pushed over", {0.3, 0, 0, 0.1, 3, 0},
            {{0, 3, true, true, true}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(paginate(c.input), c.expected) << c.name;
}

TEST(ReportLayoutTest, FitsColumnsToThePage)
{
    const struct
    {
        const char* name;
        QList<double> requested;
        double available;
        bool allowShrink;
        QList<double> widths;
        double scale;
    } cases[] = {
        {"narrow table is left as it is", {30, 40, 50}, 180, true, {30, 40, 50}, 1.0},
        {"wide table shrinks as a whole", {100, 100, 100}, 150, true, {50, 50, 50}, 0.5},
        {"open widths share what is left", {30, 0, 0}, 130, true, {30, 50, 50}, 1.0},
        {"open widths keep a minimum and then shrink", {170, 0}, 180, true, {170 * 180.0 / 185, 15 * 180.0 / 185},
            180.0 / 185},
        {"no shrinking when the template forbids it", {100, 100}, 150, false, {100, 100}, 1.0},
        {"no columns", {}, 180, true, {}, 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ColumnFit fit = fitColumns(c.requested, c.available, c.allowShrink);
        ASSERT_EQ(fit.widths.size(), c.widths.size());
        for (qsizetype i = 0; i < fit.widths.size(); ++i)
            EXPECT_NEAR(fit.widths.at(i), c.widths.at(i), 1e-9);
        EXPECT_NEAR(fit.scale, c.scale, 1e-9);
        EXPECT_NEAR(fit.tableWidth, std::accumulate(c.widths.begin(), c.widths.end(), 0.0), 1e-9);
    }
}

TEST(ReportLayoutTest, TotalsRowsAreLeftOutOfTheSums)
{
    const QStringList markers {"总合计"};
    const QList<QStringList> rows {
        {"CP1", "2.50", "10"},
        {"CP2", "abc", "-4"},
        {" 总合计 ", "100", "100"},
        {"CP3", "1.25"},
    };
    EXPECT_TRUE(isTotalsRow(rows.at(2), 0, markers));
    EXPECT_FALSE(isTotalsRow(rows.at(0), 0, markers));
    EXPECT_FALSE(isTotalsRow(rows.at(2), 5, markers));
    EXPECT_FALSE(isTotalsRow({QString()}, 0, {QString()}));
    // "abc" counts 0, the totals row is left out, a short row lacks the column.
    EXPECT_EQ(sumColumns(rows, {1, 2}, [&](const QStringList& row) { return isTotalsRow(row, 0, markers); }),
        (QList<double> {3.75, 6.0}));
}

TEST(ReportLayoutTest, NumberTextsIgnoreTheLocaleAndPlaceholdersExpandOnlyWhenKnown)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::tuple<const char*, int, const char*> numbers[] = {{"1234.5", 2, "1234.50"}, {" 3 ", 0, "3"},
        {"-0.001", 2, "0.00"}, {"-2", 2, "-2.00"}, {"合计", 2, "合计"}, {"", 2, ""}, {"0.125", -1, "0.125"}};
    for (const auto& [text, decimals, expected] : numbers)
        EXPECT_EQ(formatNumberText(QString::fromUtf8(text), decimals), QString::fromUtf8(expected)) << text;
    QLocale::setDefault(previous);
    // Figures are printed whole; dates, codes and counts with a unit are words.
    for (const char* figure : {"100028.00", "-5", "+0.5", "1,234,567.00", "12%", " 7 "})
        EXPECT_TRUE(isFigure(QString::fromUtf8(figure))) << figure;
    for (const char* text : {"", "-", ".", "2024-03-15", "CP00012", "1.2.3", "5 盒", "1.5,0"})
        EXPECT_FALSE(isFigure(QString::fromUtf8(text))) << text;

    const auto lookup = [](const QString& name) -> std::optional<QString> {
        if (name == QLatin1String("TitleMonth"))
            return "三月";
        if (name == QLatin1String("Empty"))
            return QString();
        return std::nullopt;
    };
    EXPECT_EQ(expandPlaceholders("统计时间段：{TitleMonth}", lookup), "统计时间段：三月");
    EXPECT_EQ(expandPlaceholders("{Unknown}{Empty}|", lookup), "{Unknown}|");
    EXPECT_EQ(expandPlaceholders("{{Empty}} {", lookup), "{} {");
}

TEST(ReportTemplateTest, FillsDefaultsAndPrintsTitleAndParametersWithoutAHeaderOfItsOwn)
{
    QString error;
    const std::optional<ReportTemplate> t = ReportTemplate::fromJson(R"({"title": "库存报警",
        "parameters": [{"name": "TitleMonth"}, {"name": "Hidden", "print": false}],
        "columns": [{"field": "货品编号"}]})",
        "测试模板.grf", &error);
    ASSERT_TRUE(t) << error.toStdString();
    EXPECT_EQ(t->columns.at(0).caption, "货品编号");
    EXPECT_EQ(t->columns.at(0).decimals, -1);
    EXPECT_EQ(t->orientation, ReportTemplate::Orientation::Portrait);
    EXPECT_EQ(t->widthFit, ReportTemplate::WidthFit::Scale);
    EXPECT_TRUE(t->totals.markers.contains("总合计"));

    const ReportTemplate::Band header = t->defaultReportHeader();
    ASSERT_EQ(header.items.size(), 2);
    EXPECT_EQ(header.items.at(0).text, "{Title}");
    EXPECT_EQ(header.items.at(1).text, "{TitleMonth}");
    EXPECT_GT(header.height, header.items.at(1).y);
    EXPECT_TRUE(t->defaultPageFooter().items.at(0).text.contains("{PageCount}"));
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
        EXPECT_FALSE(ReportTemplate::fromJson(QByteArray(json), "测试模板.grf", &error)) << json;
        EXPECT_TRUE(error.contains("测试模板.grf") && error.contains(QString::fromUtf8(expected)))
            << json << ": " << error.toStdString();
    }
}

namespace {

// The shape of the maps Qt writes, with every kind of entry, and a map of a
// second font whose name carries a subset tag.
const char* const samplePdf = "%PDF-1.4\n"
                              "7 0 obj\n<< /Type /Font /BaseFont /Noto /ToUnicode 9 0 R >>\nendobj\n"
                              "8 0 obj\n<< /Type /Font /ToUnicode 10 0 R >>\nendobj\n"
                              "9 0 obj\n<< /Length 200 >>\nstream\n"
                              "2 beginbfrange\n"
                              "<0001> <0004> [<4E94> <2FA6> <5546> <2F8F> ]\n"
                              "<0005> <0005> <2EC6>\n"
                              "<0006> <0008> <2F00>\n"
                              "<0009> <0009> <3B35>\n"
                              "endbfrange\n"
                              "1 beginbfchar\n"
                              "<2F8F> <2EDA>\n"
                              "endbfchar\n"
                              "endstream\nendobj\n"
                              "10 0 obj\n<< /Length 30 /Filter /FlateDecode >>\nstream\n1 beginbfrange\n"
                              "<0001> <0001> <2FA6>\nendbfrange\n"
                              "endstream\nendobj\n"
                              "11 0 obj\n<< /ToUnicode 12 0 R /BaseFont\n/QNAAAA+Noto-Copy1>>\nendobj\n"
                              "12 0 obj\n<< /Length 40 >>\nstream\n1 beginbfrange\n"
                              "<0001> <0002> [<3B35> <2F8F> ]\nendbfrange\n"
                              "endstream\nendobj\n"
                              "<2FA6> outside any map\n";

// What each font drew: in Noto the radicals' and 㬵's glyphs were drawn for
// the ordinary characters, in its copy 㬵 is itself.
std::optional<char16_t> drawnCharacter(const QByteArray& font, char16_t code)
{
    const std::pair<char16_t, char16_t> noto[]
        = {{0x2FA6, u'金'}, {0x2F8F, u'行'}, {0x2EC6, u'角'}, {0x2EDA, u'页'}, {0x2F00, u'一'}, {0x3B35, u'胶'}};
    if (font == "Noto-Copy1")
        return code == 0x2F8F ? std::optional<char16_t>(u'行') : std::nullopt;
    for (const auto& [radical, character] : noto)
        if (font == "Noto" && radical == code)
            return character;
    return std::nullopt;
}

} // namespace

TEST(PdfTextMapTest, RewritesTheTargetsOfEachFontInPlace)
{
    const QByteArray original(samplePdf);
    const QByteArray fixed = PdfTextMap::fixToUnicodeMaps(original, drawnCharacter);
    ASSERT_EQ(fixed.size(), original.size()); // no offset in the file may move

    EXPECT_TRUE(fixed.contains("<0001> <0004> [<4E94> <91D1> <5546> <884C> ]"));
    EXPECT_TRUE(fixed.contains("<0005> <0005> <89D2>"));
    // A longer range counts up from its target; changing it would change
    // every code of the range.
    EXPECT_TRUE(fixed.contains("<0006> <0008> <2F00>"));
    // Only the target of a single mapping changes, not its source code.
    EXPECT_TRUE(fixed.contains("<2F8F> <9875>"));
    // Compressed streams and text outside the maps stay as they were.
    EXPECT_TRUE(fixed.contains("<0001> <0001> <2FA6>\nendbfrange\nendstream"));
    // Each map is repaired for its own font.
    EXPECT_TRUE(fixed.contains("<0009> <0009> <80F6>"));
    EXPECT_TRUE(fixed.contains("<0001> <0002> [<3B35> <884C> ]"));
    EXPECT_TRUE(fixed.contains("<2FA6> outside any map"));

    // Files without maps, or no repair to make, are left alone.
    const QByteArray plain("%PDF-1.4\n1 0 obj\n<< /ToUnicode 5 0 R >>\nendobj\n%%EOF\n");
    EXPECT_EQ(PdfTextMap::fixToUnicodeMaps(plain, drawnCharacter), plain);
    EXPECT_EQ(PdfTextMap::fixToUnicodeMaps(QByteArray(samplePdf), {}), QByteArray(samplePdf));
}
