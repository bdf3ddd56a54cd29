// The shared functions: dates, number texts, GUIDs, the deposit print
// option, the SQL function first_sight(); and what the shop's staff read in a message box: the program's
// name as its caption, and for a failed database call what failed and a
// Chinese reason for each of SQLite's common results (the SQL and SQLite's
// own text go to the trace only).

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include "FrameTestSupport.h"
#include "GlobalFunctions.h"
#include "QStringPrinting.h"
#include "ScriptedInteraction.h"
#include "TestDatabase.h"

TEST(GlobalFunctions, DatesSplitAtTheirHyphensAndMonthsFollowTheGregorianRule)
{
    // {year, month, days}; outside 1 to 12 nothing is read past the table.
    const int cases[][3] = {{2000, 2, 29}, {1900, 2, 28}, {2012, 2, 29}, {2011, 2, 28}, {2011, 4, 30}, {2011, 12, 31},
        {2011, 0, 0}, {2011, 13, 0}, {2011, -1, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(GetMonthDays(c[0], c[1]), c[2]) << c[0] << '-' << c[1];
    EXPECT_EQ(MonthFirstDay(QStringLiteral("2012-02-17")), QStringLiteral("2012-02-01"));
    EXPECT_EQ(MonthLastDay(QStringLiteral("2012-02-17")), QStringLiteral("2012-02-29"));
    EXPECT_EQ(DateText(987, 3, 5), QStringLiteral("0987-03-05"));
    // Each part as written and as a number; without a hyphen nothing is read
    // outside the text.
    const char* const split[][2] = {{"2011-12-31", "2011|12|31 2011|12|31"}, {"2011-3-05", "2011|3|05 2011|3|5"},
        {"2011-03-05 10:00", "2011|03|05 10:00 2011|3|5"}, {"2011", "2011|| 2011|0|0"}};
    for (const auto& [date, parts] : split) {
        YmdInfo ymd;
        GetYmdByDate(QString::fromLatin1(date), ymd);
        EXPECT_EQ(QStringLiteral("%1|%2|%3 %4|%5|%6")
                      .arg(ymd.strYear, ymd.strMonth, ymd.strDay)
                      .arg(ymd.nYear)
                      .arg(ymd.nMonth)
                      .arg(ymd.nDay),
            QString::fromLatin1(parts));
    }
}

TEST(GlobalFunctions, NumberTextsReadTheLeadingNumberWhateverTheLocaleAndGuidsHaveTheProgramsForm)
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

    // Two decimals, no grouping, never "-0.00". Half a cent goes away from
    // zero on the decimal figure meant, whichever side of it the double
    // lies (2.675 and 3 x 1.115 a hair below, 6.5 x 35.25 exactly on it),
    // and a figure a hair off a whole cent keeps it.
    const std::pair<double, const char*> written[] = {{1234.5, "1234.50"}, {-3, "-3.00"}, {3.30 - 1.10 * 3, "0.00"},
        {-0.004, "0.00"}, {-0.005, "-0.01"}, {1234567.891, "1234567.89"}, {2.675, "2.68"}, {6.5 * 35.25, "229.13"},
        {1.5 * 0.75, "1.13"}, {0.375, "0.38"}, {3 * 1.115, "3.35"}, {-1.125, "-1.13"}, {2 * 35.255, "70.51"},
        {0.1 + 0.2, "0.30"}, {-0.1 - 0.2 + 0.3, "0.00"}, {-0.0, "0.00"}, {0.0049, "0.00"}, {0.005, "0.01"},
        {-999999.995, "-1000000.00"}, {1e-300, "0.00"},
        // Also where the double times 100 still lies below the half.
        {1.005, "1.01"}, {0.5 * 0.29, "0.15"}, {-5.015, "-5.02"},
        // Large figures: 15 digits still reach the half cent below 10^11,
        // from 10^12 on the double's own digits decide.
        {3 * 33333333333.335, "100000000000.01"}, {99999999999.995, "100000000000.00"},
        {1e12 + 0.125, "1000000000000.13"}, {-(1e12 + 0.375), "-1000000000000.38"}, {1e12 + 0.0625, "1000000000000.06"},
        {9999999999999.995, "9999999999999.99"} /* held as ….994140625 */, {-9999999999999.998, "-10000000000000.00"},
        {1e15, "1000000000000000.00"}, {-1e20, "-100000000000000000000.00"},
        {4503599627370495.5, "4503599627370495.50"}};
    for (const auto& [value, text] : written)
        EXPECT_EQ(DoubleToStr(value), QString::fromLatin1(text)) << text;
    EXPECT_EQ(DoubleToStr(1.7976931348623157e308).size(), 312);
    QLocale::setDefault(previous);

    // GUIDs in the program's form, each new.
    const QRegularExpression form(QStringLiteral("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9a-f]{4}-[0-9A-F]{4}-[0-9A-F]{12}$"));
    QSet<QString> seen;
    for (int i = 0; i < 200; ++i)
        EXPECT_TRUE(form.match(*seen.insert(GuidText())).hasMatch());
    EXPECT_EQ(seen.size(), 200);
}

namespace {
const QString kBusy = QStringLiteral("数据库正被其他程序使用，请稍后再试。");
const QString kReadOnly = QStringLiteral("数据库文件是只读的，不能写入。请检查文件和所在文件夹的权限。");
const QString kDamaged = QStringLiteral("数据库文件已损坏，或者不是本程序的数据库。");
} // namespace

// Extended result codes (as the connection reports them) keep the sentence
// of their primary code; the SQL and SQLite's text stay in the detail. (The
// sentences of a real connection are tried on the store page.)
TEST(DbError, EachResultHasItsSentence)
{
    const std::pair<int, QString> cases[]
        = {{SQLITE_BUSY, kBusy}, {SQLITE_BUSY_SNAPSHOT, kBusy}, {SQLITE_LOCKED, kBusy}, {SQLITE_READONLY, kReadOnly},
            {SQLITE_READONLY_DIRECTORY, kReadOnly}, {SQLITE_PERM, QStringLiteral("没有读写数据库文件的权限。")},
            {SQLITE_CANTOPEN, QStringLiteral("无法打开数据库文件，文件不存在或没有权限。")},
            {SQLITE_FULL, QStringLiteral("磁盘已满，数据没有写入。")}, {SQLITE_CORRUPT, kDamaged},
            {SQLITE_NOTADB, kDamaged}, {SQLITE_IOERR_WRITE, QStringLiteral("读写数据库文件时出错，请检查磁盘。")},
            {SQLITE_CONSTRAINT_UNIQUE, QStringLiteral("数据与已有记录冲突，没有写入。")},
            {SQLITE_ERROR, QStringLiteral("数据库出错（错误码 1）。")}};
    for (const auto& [code, sentence] : cases) {
        const DbError error(
            code, QStringLiteral("English text from SQLite"), QStringLiteral("running \"INSERT INTO tbl_StoreMgr\""));
        EXPECT_EQ(error.displayText(), sentence) << code;
        EXPECT_TRUE(error.detail().contains(QStringLiteral("INSERT INTO tbl_StoreMgr")));
        EXPECT_TRUE(error.detail().contains(QStringLiteral("English text from SQLite")));
    }
}

// first_sight() keeps the first row of each key: the rows of a key in a
// row, apart, or after thousands of others; the empty key and NULL as one.
TEST(FirstSight, KeepsTheFirstRowOfEachKeyOnly)
{
    TestDatabase db;
    db.exec("CREATE TABLE sights (n INTEGER PRIMARY KEY, k TEXT)");
    QStringList keys;
    for (int i = 0; i < 3000; ++i)
        keys << QStringLiteral("key %1").arg(i) << QStringLiteral("key %1").arg(i);
    for (int i = 3000; i-- > 0;)
        keys << QStringLiteral("key %1").arg(i);
    keys << QString() << QStringLiteral("key 7") << QStringLiteral("新 key");
    Transaction writing(db.db());
    for (const QString& key : std::as_const(keys))
        db.exec("INSERT INTO sights (k) VALUES (?)", {key});
    db.exec("INSERT INTO sights (k) VALUES (NULL)");
    writing.commit();

    Statement query = db.db().prepare("SELECT n FROM sights WHERE first_sight(k, ?) ORDER BY n");
    SeenKeys seen;
    query.bind(1, seen);
    QList<int> kept;
    while (query.next())
        kept << int(query.integer(QStringLiteral("n")));
    QList<int> firsts;
    for (int i = 0; i < 3000; ++i)
        firsts << 2 * i + 1;
    firsts << 9001 << 9003;
    EXPECT_EQ(kept, firsts);
    // Without a set it is an error, not a guess.
    EXPECT_THROW(db.db().prepare("SELECT first_sight('a', NULL)").next(), DbError);
}

// Every box is captioned with the program's name; a database error says
// what failed and why, and leaves the SQL and SQLite's text to the trace.
// The last net: an error escaping an event handler is shown and the
// program goes on with the next event. Only the exact text "含订金" prints
// a return bill's deposit; a broken database is reported and answers no.
TEST(Messages, AreCaptionedAndDatabaseErrorsSayWhatFailedAndWhy)
{
    RecordingUser user;
    TraceCapture trace;
    user.answerQuestion(true);
    EXPECT_EQ(ShowInfoMessage(QStringLiteral("保存成功。")), 1);
    EXPECT_EQ(AskYesNo(QStringLiteral("确定要删除吗？")), IDYES);
    EXPECT_EQ(AskYesNo(QStringLiteral("确定要删除吗？")), IDNO);
    const DbError error(SQLITE_BUSY, QStringLiteral("database is locked"),
        QStringLiteral("running \"UPDATE tbl_StoreMgr SET ProductName = ? WHERE GUID = ?\""));
    ShowDbError(error, QStringLiteral("修改货品失败。"));
    QObject receiver;
    for (int i = 0; i < 2; ++i)
        QMetaObject::invokeMethod(
            &receiver, [&error] { throw error; }, Qt::QueuedConnection);
    QCoreApplication::sendPostedEvents(&receiver);
    TestDatabase db;
    db.exec("UPDATE tbl_MiscOption SET OptionValue = ?", {QStringLiteral("含订金 ")});
    EXPECT_FALSE(IsReturnBillPrintWithDeposit());
    db.exec("DROP TABLE tbl_MiscOption");
    EXPECT_FALSE(IsReturnBillPrintWithDeposit());
    ASSERT_EQ(user.texts().mid(3),
        (QStringList {QStringLiteral("修改货品失败。\n") + kBusy, QStringLiteral("数据库操作失败。\n") + kBusy,
            QStringLiteral("数据库操作失败。\n") + kBusy,
            QStringLiteral("读取退货单打印格式设置失败。\n数据库出错（错误码 1）。")}));
    QString kinds;
    for (const auto& message : user.messages) {
        EXPECT_EQ(message.caption, QStringLiteral("汀岑进销存"));
        kinds += QString::number(message.kind);
    }
    EXPECT_EQ(kinds, QStringLiteral("0112222")); // an information, two questions, four errors
    const QString traced = trace.lines().join(QLatin1Char('\n'));
    EXPECT_TRUE(traced.contains(QStringLiteral("UPDATE tbl_StoreMgr SET ProductName"))) << traced.toStdString();
    EXPECT_TRUE(traced.contains(QStringLiteral("database is locked")));
}
