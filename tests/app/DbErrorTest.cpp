// What a failed database call tells the shop's staff: a Chinese reason for
// each of SQLite's common results, the SQL and SQLite's own text only in the
// trace, and ShowDbError's "what failed" line above the reason.

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include "Database.h"
#include "FrameTestSupport.h"
#include "GlobalFunctions.h"
#include "TestDatabase.h"

namespace {

struct ReasonCase
{
    const char *name;
    int code;
    const char *reason;
};

void PrintTo(const ReasonCase &c, std::ostream *out)
{
    *out << c.name;
}

class DbErrorReason : public ::testing::TestWithParam<ReasonCase>
{
};

// Any English word or SQL in a message box is a fault.
bool looksLikeSqlOrEnglish(const QString &text)
{
    static const QRegularExpression english(QStringLiteral("[A-Za-z]{3,}"));
    return english.match(text).hasMatch();
}

} // namespace

TEST_P(DbErrorReason, EachResultHasItsSentence)
{
    const DbError error(GetParam().code, QStringLiteral("some English text from SQLite"),
                        QStringLiteral("running \"INSERT INTO tbl_StoreMgr (GUID) VALUES (?)\""));
    EXPECT_EQ(error.displayText(), QString::fromUtf8(GetParam().reason));
    EXPECT_FALSE(looksLikeSqlOrEnglish(error.displayText())) << error.displayText().toStdString();
    EXPECT_TRUE(error.detail().contains(QStringLiteral("INSERT INTO tbl_StoreMgr")));
    EXPECT_TRUE(error.detail().contains(QStringLiteral("some English text from SQLite")));
}

// Extended result codes (as the connection reports them) keep the sentence
// of their primary code.
INSTANTIATE_TEST_SUITE_P(
    Codes, DbErrorReason,
    ::testing::Values(ReasonCase{"busy", SQLITE_BUSY, "数据库正被其他程序使用，请稍后再试。"},
                      ReasonCase{"busy_snapshot", SQLITE_BUSY_SNAPSHOT, "数据库正被其他程序使用，请稍后再试。"},
                      ReasonCase{"locked", SQLITE_LOCKED, "数据库正被其他程序使用，请稍后再试。"},
                      ReasonCase{"readonly", SQLITE_READONLY, "数据库文件是只读的，不能写入。请检查文件和所在文件夹的权限。"},
                      ReasonCase{"readonly_directory", SQLITE_READONLY_DIRECTORY,
                                 "数据库文件是只读的，不能写入。请检查文件和所在文件夹的权限。"},
                      ReasonCase{"perm", SQLITE_PERM, "没有读写数据库文件的权限。"},
                      ReasonCase{"cantopen", SQLITE_CANTOPEN, "无法打开数据库文件，文件不存在或没有权限。"},
                      ReasonCase{"full", SQLITE_FULL, "磁盘已满，数据没有写入。"},
                      ReasonCase{"corrupt", SQLITE_CORRUPT, "数据库文件已损坏，或者不是本程序的数据库。"},
                      ReasonCase{"notadb", SQLITE_NOTADB, "数据库文件已损坏，或者不是本程序的数据库。"},
                      ReasonCase{"ioerr_write", SQLITE_IOERR_WRITE, "读写数据库文件时出错，请检查磁盘。"},
                      ReasonCase{"constraint_unique", SQLITE_CONSTRAINT_UNIQUE, "数据与已有记录冲突，没有写入。"},
                      ReasonCase{"other", SQLITE_ERROR, "数据库出错（错误码 1）。"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DbError, RealFailuresOfTheConnectionReadAsTheirSentences)
{
    TestDatabase db;
    const auto failureOf = [&](const char *sql) -> QString {
        try {
            db.exec(sql);
        } catch (const DbError &error) {
            return error.displayText();
        }
        return QStringLiteral("no error");
    };
    {
        DatabaseHeldElsewhere held(db.db(), db.path());
        EXPECT_EQ(failureOf("SELECT COUNT(*) FROM tbl_StoreMgr"), QStringLiteral("数据库正被其他程序使用，请稍后再试。"));
    }
    db.db().executeScript(QStringLiteral("PRAGMA query_only = ON"));
    EXPECT_EQ(failureOf("INSERT INTO tbl_StoreMgr (GUID) VALUES ('x')"),
              QStringLiteral("数据库文件是只读的，不能写入。请检查文件和所在文件夹的权限。"));
    db.db().executeScript(QStringLiteral("PRAGMA query_only = OFF"));

    // A file that is no database fails at its first read.
    QFile junk(db.folder() + QStringLiteral("/junk.mdb"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    try {
        Database other(junk.fileName(), Database::OpenMode::ReadWrite);
        ADD_FAILURE() << "a file of x opened as a database";
    } catch (const DbError &error) {
        EXPECT_EQ(error.displayText(), QStringLiteral("数据库文件已损坏，或者不是本程序的数据库。"));
    }
}

TEST(DbError, ShowDbErrorSaysWhatFailedAndWhyAndTracesTheSql)
{
    RecordingUser user;
    TraceCapture trace;
    const DbError error(SQLITE_BUSY, QStringLiteral("database is locked"),
                        QStringLiteral("running \"UPDATE tbl_StoreMgr SET ProductName = ? WHERE GUID = ?\""));
    ShowDbError(error, QStringLiteral("修改货品失败。"));
    ShowDbError(error);
    ASSERT_EQ(user.messages.size(), 2u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
    EXPECT_EQ(user.messages[0].caption, QStringLiteral("汀岑进销存"));
    EXPECT_EQ(user.messages[0].text, QStringLiteral("修改货品失败。\n数据库正被其他程序使用，请稍后再试。"));
    EXPECT_EQ(user.messages[1].text, QStringLiteral("数据库操作失败。\n数据库正被其他程序使用，请稍后再试。"));
    // Short lines keep the box a normal width.
    for (const QString &line : user.messages[0].text.split(QLatin1Char('\n')))
        EXPECT_LE(line.size(), 40);
    const QString traced = trace.lines().join(QLatin1Char('\n'));
    EXPECT_TRUE(traced.contains(QStringLiteral("UPDATE tbl_StoreMgr SET ProductName"))) << traced.toStdString();
    EXPECT_TRUE(traced.contains(QStringLiteral("database is locked")));
}
