#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include "GlobalFunctions.h"
#include "ScriptedInteraction.h"
#include "TestDatabase.h"

TEST(GlobalFunctions, MonthDaysFollowTheGregorianRule)
{
    EXPECT_EQ(GetMonthDays(2000, 2), 29);
    EXPECT_EQ(GetMonthDays(1900, 2), 28);
    EXPECT_EQ(GetMonthDays(2012, 2), 29);
    EXPECT_EQ(GetMonthDays(2011, 2), 28);
    EXPECT_EQ(GetMonthDays(2011, 4), 30);
    EXPECT_EQ(GetMonthDays(2011, 12), 31);
    // Outside 1 to 12 nothing is read past the table.
    EXPECT_EQ(GetMonthDays(2011, 0), 0);
    EXPECT_EQ(GetMonthDays(2011, 13), 0);
    EXPECT_EQ(GetMonthDays(2011, -1), 0);
}

TEST(GlobalFunctions, MonthRangesOfDateTexts)
{
    EXPECT_EQ(MonthFirstDay(QStringLiteral("2012-02-17")), QStringLiteral("2012-02-01"));
    EXPECT_EQ(MonthLastDay(QStringLiteral("2012-02-17")), QStringLiteral("2012-02-29"));
    EXPECT_EQ(MonthLastDay(QStringLiteral("2011-12-01")), QStringLiteral("2011-12-31"));
    EXPECT_EQ(DateText(987, 3, 5), QStringLiteral("0987-03-05"));
}

TEST(GlobalFunctions, NumberTextsReadTheLeadingNumber)
{
    EXPECT_DOUBLE_EQ(StrToDouble(QStringLiteral("12.5")), 12.5);
    EXPECT_DOUBLE_EQ(StrToDouble(QStringLiteral("  -3.25元")), -3.25);
    EXPECT_DOUBLE_EQ(StrToDouble(QStringLiteral("+7")), 7.0);
    EXPECT_DOUBLE_EQ(StrToDouble(QStringLiteral("1e3x")), 1000.0);
    EXPECT_DOUBLE_EQ(StrToDouble(QStringLiteral("12,5")), 12.0);
    EXPECT_DOUBLE_EQ(StrToDouble(QStringLiteral("abc")), 0.0);
    EXPECT_DOUBLE_EQ(StrToDouble(QString()), 0.0);
    EXPECT_DOUBLE_EQ(StrToDouble(QStringLiteral(".5")), 0.5);
    // One sign at most: a doubled sign is no number, not a flipped one.
    EXPECT_DOUBLE_EQ(StrToDouble(QStringLiteral("--5")), 0.0);
    EXPECT_DOUBLE_EQ(StrToDouble(QStringLiteral("+-5")), 0.0);
    EXPECT_DOUBLE_EQ(StrToDouble(QStringLiteral("-+5")), 0.0);
    // Full-width digits are no number; a text of any length is read.
    EXPECT_DOUBLE_EQ(StrToDouble(QStringLiteral("１２")), 0.0);
    EXPECT_DOUBLE_EQ(StrToDouble(QStringLiteral("3５")), 3.0);
    EXPECT_DOUBLE_EQ(StrToDouble(QString(100, QLatin1Char(' ')) + QStringLiteral("8.25元")), 8.25);
    EXPECT_DOUBLE_EQ(StrToDouble(QStringLiteral("1") + QString(99, QLatin1Char('0'))), 1e99);
}

TEST(GlobalFunctions, NumberTextsHaveTwoDecimalsAndNoGrouping)
{
    EXPECT_EQ(DoubleToStr(1234.5), QStringLiteral("1234.50"));
    EXPECT_EQ(DoubleToStr(-3), QStringLiteral("-3.00"));
    EXPECT_EQ(DoubleToStr(0), QStringLiteral("0.00"));
    EXPECT_EQ(DoubleToStr(3.30 - 1.10 * 3), QStringLiteral("0.00"));
    EXPECT_EQ(DoubleToStr(-0.004), QStringLiteral("0.00"));
    EXPECT_EQ(DoubleToStr(-0.005), QStringLiteral("-0.01"));
    EXPECT_EQ(DoubleToStr(1234567.891), QStringLiteral("1234567.89"));
    EXPECT_EQ(DoubleToStr(2.675), QStringLiteral("2.67")); // 2.675 is stored below the half
    EXPECT_EQ(DoubleToStr(StrToDouble(DoubleToStr(19.99))), QStringLiteral("19.99"));
}

TEST(GlobalFunctions, DateTextsSplitAtTheirHyphens)
{
    YmdInfo ymd;
    GetYmdByDate(QStringLiteral("2011-12-31"), ymd);
    EXPECT_EQ(ymd.strYear, QStringLiteral("2011"));
    EXPECT_EQ(ymd.strMonth, QStringLiteral("12"));
    EXPECT_EQ(ymd.strDay, QStringLiteral("31"));
    EXPECT_EQ(ymd.nYear, 2011);
    EXPECT_EQ(ymd.nMonth, 12);
    EXPECT_EQ(ymd.nDay, 31);

    GetYmdByDate(QStringLiteral("2011-03-05"), ymd);
    EXPECT_EQ(ymd.strMonth, QStringLiteral("03"));
    EXPECT_EQ(ymd.nMonth, 3);

    GetYmdByDate(QStringLiteral("2011-3-5"), ymd);
    EXPECT_EQ(ymd.strMonth, QStringLiteral("3"));
    EXPECT_EQ(ymd.strDay, QStringLiteral("5"));

    GetYmdByDate(QStringLiteral("2011-03-05 10:00"), ymd);
    EXPECT_EQ(ymd.strDay, QStringLiteral("05 10:00"));
    EXPECT_EQ(ymd.nDay, 5);

    // No hyphen at all: nothing is read outside the text.
    GetYmdByDate(QStringLiteral("2011"), ymd);
    EXPECT_EQ(ymd.nYear, 2011);
    EXPECT_EQ(ymd.nMonth, 0);
    EXPECT_EQ(ymd.nDay, 0);
}

TEST(GlobalFunctions, GuidTextsHaveTheProgramsForm)
{
    static const QRegularExpression form(QStringLiteral("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9a-f]{4}-[0-9A-F]{4}-[0-9A-F]{12}$"));
    QSet<QString> seen;
    for (int i = 0; i < 200; ++i) {
        const QString guid = GuidText();
        ASSERT_EQ(guid.size(), 36);
        ASSERT_TRUE(form.match(guid).hasMatch()) << guid.toStdString();
        seen.insert(guid);
    }
    EXPECT_EQ(seen.size(), 200);
}

TEST(GlobalFunctions, WorkingDateComesFromItsSource)
{
    SetWorkingDate(QDate(2011, 2, 28));
    EXPECT_EQ(GetCurDateString(), QStringLiteral("2011-02-28"));
    SetWorkingDateSource(nullptr);
    EXPECT_EQ(GetCurDateString(), DateText(QDate::currentDate()));
}

TEST(GlobalFunctions, MessagesAreCaptionedWithTheProgramsName)
{
    ScriptedInteraction user;
    user.answerQuestion(true);
    user.answerQuestion(false);
    EXPECT_EQ(ShowInfoMessage(QStringLiteral("保存成功。")), 1);
    EXPECT_EQ(AskYesNo(QStringLiteral("确定要删除吗？")), IDYES);
    EXPECT_EQ(AskYesNo(QStringLiteral("确定要删除吗？")), IDNO);
    ASSERT_EQ(user.messages.size(), 3u);
    for (const auto &message : user.messages)
        EXPECT_EQ(message.caption, QStringLiteral("汀岑进销存"));
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Information);
    EXPECT_EQ(user.messages[1].kind, ScriptedInteraction::Message::Question);
}

TEST(GlobalFunctions, ReturnBillDepositOptionIsOnlyTheExactText)
{
    ScriptedInteraction user;
    TestDatabase db;
    EXPECT_FALSE(IsReturnBillPrintWithDeposit()); // the new shop's '不含订金'
    db.exec("UPDATE tbl_MiscOption SET OptionValue = ? WHERE OptionName = ?", {QStringLiteral("含订金"), QStringLiteral("退货单打印格式设置")});
    EXPECT_TRUE(IsReturnBillPrintWithDeposit());
    db.exec("UPDATE tbl_MiscOption SET OptionValue = ?", {QStringLiteral("含订金 ")});
    EXPECT_FALSE(IsReturnBillPrintWithDeposit());
    db.exec("DELETE FROM tbl_MiscOption");
    EXPECT_FALSE(IsReturnBillPrintWithDeposit());
    // A broken database is reported and answers no.
    db.exec("DROP TABLE tbl_MiscOption");
    EXPECT_FALSE(IsReturnBillPrintWithDeposit());
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
}
