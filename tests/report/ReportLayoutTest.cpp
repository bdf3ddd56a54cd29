#include "ReportLayout.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace ReportLayout;

namespace {

struct PageCase
{
    const char* name;
    PageInput input;
    QList<PageSlice> expected;
};

// {firstRow, rowCount, reportHeader, tableHeader, reportFooter}
const PageCase pageCases[] = {
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

struct FitCase
{
    const char* name;
    QList<double> requested;
    double available;
    bool allowShrink;
    QList<double> widths;
    double scale;
};

const FitCase fitCases[] = {
    {"narrow table is left as it is", {30, 40, 50}, 180, true, {30, 40, 50}, 1.0},
    {"wide table shrinks as a whole", {100, 100, 100}, 150, true, {50, 50, 50}, 0.5},
    {"open widths share what is left", {30, 0, 0}, 130, true, {30, 50, 50}, 1.0},
    {"open widths keep a minimum and then shrink", {170, 0}, 180, true, {170 * 180.0 / 185, 15 * 180.0 / 185},
        180.0 / 185},
    {"no shrinking when the template forbids it", {100, 100}, 150, false, {100, 100}, 1.0},
    {"no columns", {}, 180, true, {}, 1.0},
};

} // namespace

TEST(ReportLayoutTest, PaginatesRowsHeadersAndFooters)
{
    for (const PageCase& c : pageCases) {
        SCOPED_TRACE(c.name);
        const QList<PageSlice> pages = paginate(c.input);
        ASSERT_EQ(pages.size(), c.expected.size());
        for (qsizetype i = 0; i < pages.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(pages.at(i).firstRow, c.expected.at(i).firstRow);
            EXPECT_EQ(pages.at(i).rowCount, c.expected.at(i).rowCount);
            EXPECT_EQ(pages.at(i).hasReportHeader, c.expected.at(i).hasReportHeader);
            EXPECT_EQ(pages.at(i).hasTableHeader, c.expected.at(i).hasTableHeader);
            EXPECT_EQ(pages.at(i).hasReportFooter, c.expected.at(i).hasReportFooter);
        }
    }
}

TEST(ReportLayoutTest, EveryRowLandsOnExactlyOnePage)
{
    for (int rows : {0, 1, 43, 44, 45, 1000}) {
        SCOPED_TRACE(rows);
        const QList<PageSlice> pages = paginate({267, 25, 7, 6, rows, 12});
        int next = 0;
        for (const PageSlice& page : pages) {
            EXPECT_EQ(page.firstRow, next);
            next += page.rowCount;
        }
        EXPECT_EQ(next, rows);
        EXPECT_EQ(std::count_if(pages.begin(), pages.end(), [](const PageSlice& p) { return p.hasReportFooter; }), 1);
    }
}

TEST(ReportLayoutTest, FitsColumnsToThePage)
{
    for (const FitCase& c : fitCases) {
        SCOPED_TRACE(c.name);
        const ColumnFit fit = fitColumns(c.requested, c.available, c.allowShrink);
        ASSERT_EQ(fit.widths.size(), c.widths.size());
        double total = 0.0;
        for (qsizetype i = 0; i < fit.widths.size(); ++i) {
            EXPECT_NEAR(fit.widths.at(i), c.widths.at(i), 1e-9);
            total += fit.widths.at(i);
        }
        EXPECT_NEAR(fit.scale, c.scale, 1e-9);
        EXPECT_NEAR(fit.tableWidth, total, 1e-9);
        if (c.allowShrink) {
            EXPECT_LE(fit.tableWidth, c.available + 1e-9);
        }
    }
}

TEST(ReportLayoutTest, TotalsRowsAndSums)
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

    const QList<double> sums
        = sumColumns(rows, {1, 2}, [&](const QStringList& row) { return isTotalsRow(row, 0, markers); });
    ASSERT_EQ(sums.size(), 2);
    EXPECT_DOUBLE_EQ(sums.at(0), 3.75); // "abc" counts 0, the totals row is left out
    EXPECT_DOUBLE_EQ(sums.at(1), 6.0); // a short row lacks the column
}

TEST(ReportLayoutTest, NumberTextsIgnoreTheLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(formatNumberText(QStringLiteral("1234.5"), 2), QStringLiteral("1234.50"));
    QLocale::setDefault(previous);
    EXPECT_EQ(formatNumberText(QStringLiteral(" 3 "), 0), QStringLiteral("3"));
    EXPECT_EQ(formatNumberText(QStringLiteral("-0.001"), 2), QStringLiteral("0.00"));
    EXPECT_EQ(formatNumberText(QStringLiteral("-2"), 2), QStringLiteral("-2.00"));
    EXPECT_EQ(formatNumberText(QStringLiteral("合计"), 2), QStringLiteral("合计"));
    EXPECT_EQ(formatNumberText(QString(), 2), QString());
    EXPECT_EQ(formatNumberText(QStringLiteral("0.125"), -1), QStringLiteral("0.125"));
}

TEST(ReportLayoutTest, ExpandsOnlyKnownPlaceholders)
{
    const auto lookup = [](const QString& name) -> std::optional<QString> {
        if (name == QLatin1String("TitleMonth"))
            return QStringLiteral("2024-03-01 到 2024-03-31");
        if (name == QLatin1String("Empty"))
            return QString();
        return std::nullopt;
    };
    EXPECT_EQ(expandPlaceholders(QStringLiteral("统计时间段：{TitleMonth}"), lookup),
        QStringLiteral("统计时间段：2024-03-01 到 2024-03-31"));
    EXPECT_EQ(expandPlaceholders(QStringLiteral("{Unknown}{Empty}|"), lookup), QStringLiteral("{Unknown}|"));
    EXPECT_EQ(expandPlaceholders(QStringLiteral("{{Empty}} {"), lookup), QStringLiteral("{} {"));
}
