#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include "GlobalFunctions.h"
#include "QStringPrinting.h"
#include "ScriptedInteraction.h"
#include "TestDatabase.h"

TEST(GlobalFunctions, MonthDaysAndRangesFollowTheGregorianRule)
{
    // {year, month, days}; outside 1 to 12 nothing is read past the table.
    const int cases[][3] = {{2000, 2, 29}, {1900, 2, 28}, {2012, 2, 29}, {2011, 2, 28}, {2011, 4, 30}, {2011, 12, 31},
        {2011, 0, 0}, {2011, 13, 0}, {2011, -1, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(GetMonthDays(c[0], c[1]), c[2]) << c[0] << '-' << c[1];
    EXPECT_EQ(MonthFirstDay(QStringLiteral("2012-02-17")), QStringLiteral("2012-02-01"));
    EXPECT_EQ(MonthLastDay(QStringLiteral("2012-02-17")), QStringLiteral("2012-02-29"));
    EXPECT_EQ(DateText(987, 3, 5), QStringLiteral("0987-03-05"));
}

TEST(GlobalFunctions, NumberTextsReadTheLeadingNumberWhateverTheLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::pair<QString, double> read[] = {{QStringLiteral("12.5"), 12.5}, {QStringLiteral("  -3.25元"), -3.25},
        {QStringLiteral("+7"), 7}, {QStringLiteral("1e3x"), 1000}, {QStringLiteral("12,5"), 12},
        {QStringLiteral("abc"), 0}, {QString(), 0}, {QStringLiteral(".5"), 0.5},
        // One sign at most: a doubled sign is no number, not a flipped one.
        {QStringLiteral("--5"), 0}, {QStringLiteral("+-5"), 0}, {QStringLiteral("-+5"), 0},
        // Digits only: infinities and not-a-numbers read 0 like other words.
        {QStringLiteral("inf"), 0}, {QStringLiteral("-Infinity"), 0}, {QStringLiteral("nan"), 0},
        {QStringLiteral(" NAN(1)"), 0}, {QStringLiteral("1e999"), 0},
        // Full-width digits are no number; a text of any length is read.
        {QStringLiteral("１２"), 0}, {QStringLiteral("3５"), 3},
        {QString(100, QLatin1Char(' ')) + QStringLiteral("8.25元"), 8.25},
        {QStringLiteral("1") + QString(99, QLatin1Char('0')), 1e99}};
    for (const auto& [text, value] : read)
        EXPECT_DOUBLE_EQ(StrToDouble(text), value) << text.toStdString();

    // Two decimals, no grouping, never "-0.00".
    const std::pair<double, const char*> written[] = {{1234.5, "1234.50"}, {-3, "-3.00"}, {3.30 - 1.10 * 3, "0.00"},
        {-0.004, "0.00"}, {-0.005, "-0.01"}, {1234567.891, "1234567.89"}, {2.675, "2.67"} /* stored below the half */};
    for (const auto& [value, text] : written)
        EXPECT_EQ(DoubleToStr(value), QString::fromLatin1(text));
    QLocale::setDefault(previous);
}

TEST(GlobalFunctions, DateTextsSplitAtTheirHyphens)
{
    const auto split = [](const char* date) {
        YmdInfo ymd;
        GetYmdByDate(QString::fromLatin1(date), ymd);
        return QStringLiteral("%1|%2|%3 %4|%5|%6")
            .arg(ymd.strYear, ymd.strMonth, ymd.strDay)
            .arg(ymd.nYear)
            .arg(ymd.nMonth)
            .arg(ymd.nDay);
    };
    EXPECT_EQ(split("2011-12-31"), QStringLiteral("2011|12|31 2011|12|31"));
    EXPECT_EQ(split("2011-3-05"), QStringLiteral("2011|3|05 2011|3|5"));
    EXPECT_EQ(split("2011-03-05 10:00"), QStringLiteral("2011|03|05 10:00 2011|3|5"));
    // No hyphen at all: nothing is read outside the text.
    EXPECT_TRUE(split("2011").endsWith(QStringLiteral(" 2011|0|0")));
}

TEST(GlobalFunctions, GuidTextsHaveTheProgramsForm)
{
    static const QRegularExpression form(
        QStringLiteral("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9a-f]{4}-[0-9A-F]{4}-[0-9A-F]{12}$"));
    QSet<QString> seen;
    for (int i = 0; i < 200; ++i) {
        const QString guid = GuidText();
        ASSERT_TRUE(form.match(guid).hasMatch()) << guid.toStdString();
        seen.insert(guid);
    }
    EXPECT_EQ(seen.size(), 200);
}

// Only the exact text "含订金" prints the deposit; a broken database is
// reported and answers no.
TEST(GlobalFunctions, ReturnBillDepositOptionIsOnlyTheExactText)
{
    ScriptedInteraction user;
    TestDatabase db;
    db.exec("UPDATE tbl_MiscOption SET OptionValue = ?", {QStringLiteral("含订金 ")});
    EXPECT_FALSE(IsReturnBillPrintWithDeposit());
    db.exec("DROP TABLE tbl_MiscOption");
    EXPECT_FALSE(IsReturnBillPrintWithDeposit());
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
}
