#include "ReportLayout.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <algorithm>
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
        {"fits on one page with its footer", {100, 10, 5, 5, 10, 10}, {{0, 10, true, true, true}}},
        {"rows filling the page exactly", {100, 0, 0, 5, 20, 0}, {{0, 20, true, true, true}}},
        {"second page repeats the captions and takes more rows", {100, 20, 10, 10, 15, 0},
            {{0, 7, true, true, false}, {7, 8, false, true, true}}},
        {"footer that does not fit goes to a page of its own", {100, 0, 10, 10, 9, 5},
            {{0, 9, true, true, false}, {9, 0, false, false, true}}},
        {"no rows still gives the header, captions and footer", {100, 20, 10, 10, 0, 30}, {{0, 0, true, true, true}}},
        {"a row taller than the page takes a page each", {50, 0, 10, 60, 2, 0},
            {{0, 1, true, true, false}, {1, 1, false, true, true}}},
        {"decimal row heights summing to the page are not pushed over", {60.3, 0, 0, 6.03, 10, 0},
            {{0, 10, true, true, true}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(paginate(c.input), c.expected) << c.name;

    // Every row lands on exactly one page, and the footer on one.
    for (int rows : {0, 1, 43, 44, 45, 1000}) {
        const QList<PageSlice> pages = paginate({267, 25, 7, 6, rows, 12});
        int next = 0;
        for (const PageSlice& page : pages) {
            EXPECT_EQ(page.firstRow, next) << rows;
            next += page.rowCount;
        }
        EXPECT_EQ(next, rows);
        EXPECT_EQ(std::count_if(pages.begin(), pages.end(), [](const PageSlice& p) { return p.hasReportFooter; }), 1);
    }
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
    const QStringList markers {QStringLiteral("总合计")};
    const QList<QStringList> rows {
        {QStringLiteral("CP1"), QStringLiteral("2.50"), QStringLiteral("10")},
        {QStringLiteral("CP2"), QStringLiteral("abc"), QStringLiteral("-4")},
        {QStringLiteral(" 总合计 "), QStringLiteral("100"), QStringLiteral("100")},
        {QStringLiteral("CP3"), QStringLiteral("1.25")},
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

    const auto lookup = [](const QString& name) -> std::optional<QString> {
        if (name == QLatin1String("TitleMonth"))
            return QStringLiteral("三月");
        if (name == QLatin1String("Empty"))
            return QString();
        return std::nullopt;
    };
    EXPECT_EQ(
        expandPlaceholders(QStringLiteral("统计时间段：{TitleMonth}"), lookup), QStringLiteral("统计时间段：三月"));
    EXPECT_EQ(expandPlaceholders(QStringLiteral("{Unknown}{Empty}|"), lookup), QStringLiteral("{Unknown}|"));
    EXPECT_EQ(expandPlaceholders(QStringLiteral("{{Empty}} {"), lookup), QStringLiteral("{} {"));
}
