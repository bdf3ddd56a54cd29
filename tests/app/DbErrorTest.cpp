// What the shop's staff read in a message box: the program's name as its
// caption, and for a failed database call what failed and a Chinese reason
// for each of SQLite's common results; the SQL and SQLite's own text go to
// the trace only.

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include "FrameTestSupport.h"
#include "GlobalFunctions.h"
#include "QStringPrinting.h"
#include "TestDatabase.h"

namespace {
const QString kBusy = QStringLiteral("数据库正被其他程序使用，请稍后再试。");
const QString kReadOnly = QStringLiteral("数据库文件是只读的，不能写入。请检查文件和所在文件夹的权限。");
const QString kDamaged = QStringLiteral("数据库文件已损坏，或者不是本程序的数据库。");
} // namespace

// Extended result codes (as the connection reports them) keep the sentence
// of their primary code; the SQL and SQLite's text stay in the detail. (The
// busy sentence of a real connection is tried on the store page.)
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
    // As the connection reports a file that cannot be written.
    TestDatabase db;
    db.exec("PRAGMA query_only = ON");
    try {
        db.exec("INSERT INTO tbl_StoreMgr (GUID) VALUES ('x')");
        ADD_FAILURE() << "written";
    } catch (const DbError& error) {
        EXPECT_EQ(error.displayText(), kReadOnly);
    }
}

// Every box is captioned with the program's name; a database error says
// what failed and why, and leaves the SQL and SQLite's text to the trace.
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
    ShowDbError(error);
    ASSERT_EQ(user.texts().mid(3),
        (QStringList {QStringLiteral("修改货品失败。\n") + kBusy, QStringLiteral("数据库操作失败。\n") + kBusy}));
    for (const auto& message : user.messages)
        EXPECT_EQ(message.caption, QStringLiteral("汀岑进销存"));
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Information);
    EXPECT_EQ(user.messages[1].kind, ScriptedInteraction::Message::Question);
    EXPECT_EQ(user.messages[3].kind, ScriptedInteraction::Message::Error);
    const QString traced = trace.lines().join(QLatin1Char('\n'));
    EXPECT_TRUE(traced.contains(QStringLiteral("UPDATE tbl_StoreMgr SET ProductName"))) << traced.toStdString();
    EXPECT_TRUE(traced.contains(QStringLiteral("database is locked")));
}

// The last net: an error escaping an event handler is shown and the
// program goes on with the next event.
TEST(DbError, AnErrorEscapingAnEventHandlerIsShownAndTheProgramGoesOn)
{
    ScriptedInteraction user;
    QObject receiver;
    for (int i = 0; i < 2; ++i)
        QMetaObject::invokeMethod(
            &receiver,
            [] { throw DbError(SQLITE_BUSY, QStringLiteral("database is locked"), QStringLiteral("保存货品")); },
            Qt::QueuedConnection);
    QCoreApplication::sendPostedEvents(&receiver);
    ASSERT_EQ(user.messages.size(), 2u);
    EXPECT_EQ(user.messages[1].kind, ScriptedInteraction::Message::Error);
    EXPECT_EQ(user.messages[1].text, QStringLiteral("数据库操作失败。\n") + kBusy);
}
