#include "DataMaintenance.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <optional>

#include "BillFixtures.h"
#include "CDlgTabDataMgr.h"
#include "ClickSupport.h"
#include "DatabaseCopy.h"
#include "QStringPrinting.h"
#include "ScriptedInteraction.h"
#include "TestDatabase.h"

// Backups and restores against real files while the program's connection
// is open on the database, as it always is in the running program: through
// DatabaseCopy, and as the user runs them from the data-maintenance page.

namespace {

using Step = DatabaseCopy::RestoreStep;

// The clients of a database file in their order as one text: what tells
// the shop's data here apart (each copy and restore differs in its clients).
QString clientsOf(const QString &path)
{
    Database db(path, Database::OpenMode::ReadOnly);
    Statement query
        = db.prepare("SELECT group_concat(ClientName, '|') FROM (SELECT * FROM tbl_clientmgr ORDER BY RowNo)");
    return query.next() ? query.textAt(0) : QString();
}

class DataMaintenanceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A little shop: enough rows to fill several pages of the file.
        Transaction transaction(db.db());
        for (int i = 0; i < 200; ++i)
            AddClientRow(db.db(), QString("客户%1号 O'Neil 五金").arg(i));
        transaction.commit();
        page.show();
    }
    QString inBackups(const QString &name) const { return QDir(backups.path()).filePath(name); }
    // The folder's files, hidden ones included, but the database itself.
    QStringList strayFiles(QString folder = QString()) const
    {
        folder = folder.isEmpty() ? db.folder() : folder;
        QStringList files = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        files.removeAll(QFileInfo(db.path()).fileName());
        return files;
    }
    // A backup of an earlier day with work of its own; today's work goes
    // into the database in use.
    QString earlierBackup()
    {
        const QString path = inBackups("汀岑进销存2011-6-1.mdb");
        EXPECT_EQ(copy.Backup(path), QString());
        Database earlier(path, Database::OpenMode::ReadWrite);
        AddClientRow(earlier, "只在备份里的客户");
        AddClientRow(db.db(), "今天的新客户");
        return path;
    }
    // The connection is open on the database and takes writes.
    void expectInUse() { EXPECT_NO_THROW(db.exec("INSERT INTO tbl_Voucher (VoucherName, GUID) VALUES ('写得进去', 'x')")); }

    TestDatabase db;
    DatabaseCopy copy{db.db()};
    QTemporaryDir backups;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    ScriptedInteraction user;
    CDlgTabDataMgr page;
};

} // namespace

TEST_F(DataMaintenanceTest, ABackupReplacesTheOlderFileWithASoundCopyOrKeepsItAndSaysWhy)
{
    // 备份数据 proposes today's name in the documents folder; a name the
    // dialog confirmed is replaced by a sound copy.
    const QString backup = inBackups("店里备份.mdb");
    QFile older(backup);
    ASSERT_TRUE(older.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && older.write("an older file of that name"));
    user.answerFileName(backup);
    clickButton(&page, "1001");
    EXPECT_EQ(
        user.suggestedFileNames, QStringList(QDir(documents).filePath(DefaultBackupFileName(QDate::currentDate()))));
    EXPECT_EQ(DefaultBackupFileName(QDate(2024, 3, 5)), "汀岑进销存2024-3-5.mdb");
    const QString oldBackup = clientsOf(backup);
    EXPECT_EQ(oldBackup, clientsOf(db.path()));

    // The dialog confirmed "店里备份", not "店里备份.mdb": the backup asks
    // first. Without a name, into a missing folder, or onto the live file
    // under another spelling of its path, it says why.
    AddClientRow(db.db(), "后来的客户");
    const QString link = inBackups("link.mdb");
    ASSERT_TRUE(QFile::link(db.path(), link));
    for (const QString &name : {inBackups("店里备份"), inBackups(".mdb"), inBackups("没有/x.mdb"), link}) {
        user.answerFileName(name);
        clickButton(&page, "1001");
    }
    EXPECT_EQ(user.texts(),
        (QStringList{"数据库备份成功。", QString("“%1”已存在，要替换它吗？").arg(backup), "请输入文件名。",
            QString("数据库备份失败：无法在“%1”中写入文件：文件夹不存在。").arg(inBackups("没有")),
            "数据库备份失败：不能备份到正在使用的数据库文件本身。"}));
    EXPECT_EQ(user.messages.back().kind, ScriptedInteraction::Message::Error);
    QFile::remove(link);

    // An unwritable folder keeps the older backup: root ignores the mode
    // bits, not the immutable attribute (where neither holds, the folder
    // stays writable).
    QFile::setPermissions(backups.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QProcess::execute("chattr", {"+i", backups.path()});
    if (!QFileInfo(backups.path()).isWritable()) {
        EXPECT_EQ(copy.Backup(backup), QString("无法在“%1”中写入文件：没有写入权限。").arg(backups.path()));
    }
    QProcess::execute("chattr", {"-i", backups.path()});
    QFile::setPermissions(backups.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(clientsOf(backup), oldBackup);
    EXPECT_EQ(strayFiles(backups.path()), QStringList("店里备份.mdb"));
    EXPECT_EQ(strayFiles(), QStringList());
    expectInUse();
}

namespace {

// A restore that fails: the file a step works on is spoilt as the case
// says just before the step runs.
struct FailedRestore
{
    const char *label;
    Step step;
    // What the message says; "%1" stands for the chosen file.
    const char *reason;
};

void PrintTo(const FailedRestore &restore, std::ostream *out)
{
    *out << restore.label;
}

const FailedRestore kFailedRestores[] = {
    {"text", Step::CheckSource, "“%1”无法作为数据库打开"},
    {"damaged", Step::CheckSource, "“%1”已损坏"},
    {"foreign", Step::CheckSource, "“%1”不是本程序的数据库"},
    {"copy", Step::CopySource, "无法复制“%1”"},
    {"close", Step::Close, "无法关闭正在使用的数据库"},
    {"rename", Step::Replace, "无法替换数据库文件"},
    {"reopen", Step::Reopen, "恢复后的数据库无法打开"},
};

class FailedRestoreTest : public DataMaintenanceTest, public ::testing::WithParamInterface<FailedRestore>
{
protected:
    void spoil(const QString &file)
    {
        const std::string how = GetParam().label;
        if (how == "foreign") {
            QFile::remove(file);
            Database(file, Database::OpenMode::Create).executeScript("CREATE TABLE contacts (name TEXT)");
        } else if (how == "damaged") {
            // The head of a table's root page overwritten: the file opens,
            // the check of its structure fails.
            Database spoilt(file, Database::OpenMode::ReadOnly);
            Statement root = spoilt.prepare("SELECT (rootpage - 1) * (SELECT page_size FROM pragma_page_size()) "
                                            "FROM sqlite_master WHERE name = 'tbl_clientmgr'");
            QFile bytes(file);
            ASSERT_TRUE(root.next() && bytes.open(QIODevice::ReadWrite) && bytes.seek(root.textAt(0).toLongLong()));
            bytes.write(QByteArray(64, '\x7f'));
        } else if (how == "close") {
            // A read still running keeps the connection from closing.
            unfinished.emplace(db.db().prepare("SELECT ClientName FROM tbl_clientmgr"));
            unfinished->next();
        } else if (how == "rename") {
            QFile::remove(file); // the copy vanished before the rename
        } else { // a text chosen, a copy spoilt, the renamed file unreadable
            QFile text(file);
            ASSERT_TRUE(text.open(QIODevice::WriteOnly | QIODevice::Truncate));
            text.write(QByteArray("客户名单\n苏州宏达建材, 13800000000\n").repeated(200));
        }
    }

    std::optional<Statement> unfinished;
};

} // namespace

TEST_P(FailedRestoreTest, TheOldDatabaseStaysInUseAndTheMessageSaysWhy)
{
    const QString chosen = earlierBackup();
    const QString oldRows = clientsOf(db.path());
    copy.SetStepObserver([&](Step step, const QString &file) {
        if (step == GetParam().step)
            spoil(file);
    });
    const DatabaseCopy::RestoreOutcome outcome = copy.Restore(chosen);

    EXPECT_FALSE(outcome.restored);
    EXPECT_TRUE(outcome.error.contains(QString(GetParam().reason).replace("%1", chosen)))
        << outcome.error.toStdString();
    EXPECT_EQ(clientsOf(db.path()), oldRows);
    expectInUse();
    // The side copy went with the failure: the database file is the old one.
    EXPECT_EQ(strayFiles(), QStringList());
    EXPECT_EQ(outcome.sideCopy, QString());
}

INSTANTIATE_TEST_SUITE_P(Steps, FailedRestoreTest, ::testing::ValuesIn(kFailedRestores),
    [](const ::testing::TestParamInfo<FailedRestore> &info) { return info.param.label; });

// A chosen file that another program keeps in WAL mode holds its newest
// rows in the -wal file beside it: the restored data has them too.
TEST_F(DataMaintenanceTest, ARestoreTakesTheRowsAChosenFileHoldsInItsWalFile)
{
    const QString chosen = earlierBackup();
    Database other(chosen, Database::OpenMode::ReadWrite);
    other.executeScript("PRAGMA journal_mode = WAL; PRAGMA wal_autocheckpoint = 0");
    AddClientRow(other, "只在日志里的客户");
    const QString chosenRows = clientsOf(chosen);
    ASSERT_TRUE(chosenRows.endsWith("只在日志里的客户"));
    const DatabaseCopy::RestoreOutcome outcome = copy.Restore(chosen);
    ASSERT_TRUE(outcome.restored) << outcome.error.toStdString();
    EXPECT_EQ(clientsOf(db.path()), chosenRows);
    // Beside the side copy only what SQLite keeps while it has the
    // database, now in WAL mode too, open.
    const QString live = QFileInfo(db.path()).fileName();
    EXPECT_EQ(strayFiles(), (QStringList{live + "-shm", live + "-wal", QFileInfo(outcome.sideCopy).fileName()}));
    expectInUse();
}

// A restore keeps each side copy and leaves no journal of the old file;
// from the page, once asked and given a file that is not the database
// itself, it ends the program with code 0 on the restored data.
TEST_F(DataMaintenanceTest, ARestoreKeepsEachSideCopyAndFromThePageEndsTheProgramWithCodeZero)
{
    const QString chosen = earlierBackup();
    const QString chosenRows = clientsOf(chosen), oldRows = clientsOf(db.path());
    // A valid journal of the old file left beside it, as a crash of another
    // program writing it would leave one: SQLite would play it back into
    // whatever file it finds under the name.
    copy.SetStepObserver([&](Step step, const QString &) {
        const QString journal = db.path() + "-journal";
        if (step != Step::Close)
            return;
        {
            Database other(db.path(), Database::OpenMode::ReadWrite);
            other.executeScript("PRAGMA synchronous = OFF; BEGIN; UPDATE tbl_clientmgr SET Remark = 'x'");
            ASSERT_TRUE(QFile::copy(journal, journal + "~"));
            other.executeScript("ROLLBACK");
        }
        ASSERT_TRUE(QFile::rename(journal + "~", journal));
    });
    const QDateTime now(QDate(2011, 6, 30), QTime(17, 5, 9));
    const DatabaseCopy::RestoreOutcome first = copy.Restore(chosen, now);
    ASSERT_TRUE(first.restored) << first.error.toStdString();
    EXPECT_EQ(first.sideCopy, QDir(db.folder()).filePath("汀岑进销存恢复前-20110630-170509.mdb"));
    EXPECT_EQ(clientsOf(db.path()), chosenRows);
    EXPECT_EQ(strayFiles(), QStringList(QFileInfo(first.sideCopy).fileName()));
    // A second restore within the same second keeps the first side copy.
    const DatabaseCopy::RestoreOutcome again = copy.Restore(chosen, now);
    ASSERT_TRUE(again.restored) << again.error.toStdString();
    EXPECT_EQ(QFileInfo(again.sideCopy).fileName(), "汀岑进销存恢复前-20110630-170509-2.mdb");
    EXPECT_EQ(clientsOf(first.sideCopy), oldRows);
    expectInUse();

    // From the page: answered No, cancelled, or refused, a restore changes nothing.
    const QString link = inBackups("link.mdb");
    ASSERT_TRUE(QFile::link(db.path(), link));
    clickButton(&page, "1233");
    user.answerQuestion(true);
    clickButton(&page, "1233");
    user.answerQuestion(true);
    user.answerFileName(link);
    clickButton(&page, "1233");
    EXPECT_EQ(user.suggestedFileNames, QStringList(2, documents));
    EXPECT_EQ(user.fileDialogKinds, QStringList(2, "open")); // a name that names no file is not offered
    const QString ask = "数据库恢复将导致当前数据全部丢失，是否继续？";
    EXPECT_EQ(
        user.texts(), (QStringList{ask, ask, ask, QString("数据库恢复失败：“%1”就是正在使用的数据库。").arg(link)}));
    EXPECT_EQ(user.messages.back().kind, ScriptedInteraction::Message::Error);
    EXPECT_EQ(clientsOf(db.path()), chosenRows);

    user.clear();
    user.answerQuestion(true);
    user.answerFileName(chosen);
    QTimer::singleShot(0, &page, [this] { clickButton(&page, "1233"); });
    QTimer::singleShot(5000, &page, [] { QApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 0);
    // The message came before the end, the connection was closed, no
    // journal is left and the file holds the chosen data.
    ASSERT_EQ(strayFiles().size(), 3); // the newest side copy sorts last
    EXPECT_EQ(user.lastText(),
        "数据库恢复成功，为了使用新的数据库，需要立即重启汀岑进销存。\n恢复前的数据另存为："
            + QDir(db.folder()).filePath(strayFiles().last()));
    EXPECT_EQ(user.messages.back().kind, ScriptedInteraction::Message::Information);
    EXPECT_FALSE(db.db().isOpen());
    EXPECT_EQ(clientsOf(db.path()), chosenRows);
}
