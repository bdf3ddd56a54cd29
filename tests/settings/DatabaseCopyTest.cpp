#include "DatabaseCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <optional>
#include <ostream>

#include <unistd.h>

#include "BillFixtures.h"
#include "SettingsTestSupport.h"

// Backups and restores against real files while the program's connection
// is open on the database, as it always is in the running program.

namespace {

class DatabaseCopyTest : public ::testing::Test
{
protected:
    void SetUp() override { FillSmallShop(db.db()); }

    QString backupPath(const QString &name) const { return QDir(m_backups.path()).filePath(name); }
    // The database folder's files but the database itself.
    QStringList strayFiles() const
    {
        QStringList files = FolderEntries(db.folder());
        files.removeAll(QStringLiteral("test.mdb"));
        return files;
    }
    static QString integrity(const QString &path)
    {
        Database copy(path, Database::OpenMode::ReadOnly);
        Statement check = copy.prepare("PRAGMA integrity_check");
        return check.next() ? check.textAt(0) : QString();
    }
    // The live database takes writes.
    void expectWritable()
    {
        ASSERT_TRUE(g_pConnection->isOpen());
        EXPECT_NO_THROW(AddClientRow(*g_pConnection, QStringLiteral("写得进去")));
    }

    TestDatabase db;
    DatabaseCopy copy{db.db()};
    QTemporaryDir m_backups;
};

} // namespace

TEST_F(DatabaseCopyTest, ABackupTakenWhileTheConnectionIsOpenIsACompleteSoundCopy)
{
    // A read in progress does not hinder the copy.
    Statement reading = db.db().prepare("SELECT ClientName FROM tbl_clientmgr ORDER BY RowNo");
    ASSERT_TRUE(reading.next());
    const QString target = backupPath(QStringLiteral("汀岑进销存2011-6-30.mdb"));
    EXPECT_EQ(copy.Backup(target), QString());
    reading.reset();

    EXPECT_EQ(integrity(target), QStringLiteral("ok"));
    EXPECT_EQ(databaseRows(target), databaseRows(db.db()));
    EXPECT_EQ(FolderEntries(m_backups.path()), QStringList{QStringLiteral("汀岑进销存2011-6-30.mdb")});
    expectWritable();
}

TEST_F(DatabaseCopyTest, AnExistingBackupIsReplacedByTheNewOne)
{
    const QString target = backupPath(QStringLiteral("每日备份.mdb"));
    WriteFile(target, "an older file of that name");
    EXPECT_EQ(copy.Backup(target), QString());
    EXPECT_EQ(databaseRows(target), databaseRows(db.db()));

    AddClientRow(db.db(), QStringLiteral("后来的客户"));
    EXPECT_EQ(copy.Backup(target), QString());
    const QStringList rows = databaseRows(target);
    EXPECT_EQ(rows, databaseRows(db.db()));
    EXPECT_TRUE(rows.join(QLatin1Char('\n')).contains(QStringLiteral("后来的客户")));
    EXPECT_EQ(FolderEntries(m_backups.path()), QStringList{QStringLiteral("每日备份.mdb")});
}

TEST_F(DatabaseCopyTest, AnUnwritableFolderLeavesTheOlderBackupAsItWasAndSaysWhy)
{
    const QString target = backupPath(QStringLiteral("每日备份.mdb"));
    ASSERT_EQ(copy.Backup(target), QString());
    const QStringList older = databaseRows(target);
    AddClientRow(db.db(), QStringLiteral("后来的客户"));

    if (MakeUnwritable(m_backups.path())) {
        const QString error = copy.Backup(target);
        MakeWritable(m_backups.path());
        EXPECT_TRUE(error.contains(QStringLiteral("没有写入权限"))) << error.toStdString();
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(m_backups.path()))) << error.toStdString();
    } else {
        // Root without the right to make a folder immutable: a write that
        // fails part-way (a file-size limit) must keep the older backup too.
        const QString error = WithFileSizeLimit(8192, [&] { return copy.Backup(target); });
        EXPECT_TRUE(error.contains(QStringLiteral("复制数据库时出错"))) << error.toStdString();
    }
    EXPECT_EQ(databaseRows(target), older);
    EXPECT_EQ(FolderEntries(m_backups.path()), QStringList{QStringLiteral("每日备份.mdb")});

    // A folder that is not there is named too.
    const QString missing = backupPath(QStringLiteral("没有/备份.mdb"));
    EXPECT_TRUE(copy.Backup(missing).contains(QStringLiteral("文件夹不存在")));
    expectWritable();
}

TEST_F(DatabaseCopyTest, TheLiveFileIsRefusedUnderAnyOtherSpellingOfItsPath)
{
    QDir(db.folder()).mkdir(QStringLiteral("sub"));
    const QString link = backupPath(QStringLiteral("link.mdb"));
    ASSERT_TRUE(QFile::link(db.path(), link));
    const QString hardLink = backupPath(QStringLiteral("hard.mdb"));
    ASSERT_EQ(::link(QFile::encodeName(db.path()).constData(), QFile::encodeName(hardLink).constData()), 0);
    const QStringList before = databaseRows(db.db());

    for (const QString &spelling : {db.path(), QDir(db.folder()).filePath(QStringLiteral("sub/../test.mdb")),
             QDir(db.folder()).filePath(QStringLiteral("./sub/..//test.mdb")), link, hardLink}) {
        EXPECT_EQ(copy.Backup(spelling), QStringLiteral("不能备份到正在使用的数据库文件本身。"))
            << spelling.toStdString();
        const DatabaseCopy::RestoreOutcome outcome = copy.Restore(spelling);
        EXPECT_FALSE(outcome.restored);
        EXPECT_TRUE(outcome.error.contains(QStringLiteral("就是正在使用的数据库"))) << outcome.error.toStdString();
    }
    EXPECT_EQ(databaseRows(db.db()), before);
    EXPECT_EQ(strayFiles(), QStringList{QStringLiteral("sub")});
    expectWritable();
}

namespace {

struct RefusedFile
{
    const char *label;
    // What the message says besides the file's name.
    QString reason;
};

void PrintTo(const RefusedFile &file, std::ostream *out)
{
    *out << file.label;
}

class RestoreRefusalTest : public DatabaseCopyTest, public ::testing::WithParamInterface<RefusedFile>
{
protected:
    // Writes the kind of file the case names.
    QString makeFile()
    {
        const QString path = backupPath(QStringLiteral("选中的 文件.mdb"));
        const QString label = QLatin1String(GetParam().label);
        if (label == QLatin1String("text")) {
            WriteFile(path, QByteArray("客户名单\n苏州宏达建材, 13800000000\n").repeated(200));
        } else if (label == QLatin1String("empty")) {
            WriteFile(path, QByteArray());
        } else if (label == QLatin1String("foreign")) {
            Database foreign(path, Database::OpenMode::Create);
            foreign.executeScript(
                QStringLiteral("CREATE TABLE contacts (name TEXT); INSERT INTO contacts VALUES ('张三');"));
        } else if (label == QLatin1String("damaged")) {
            EXPECT_EQ(copy.Backup(path), QString());
            damageTable(path, QStringLiteral("tbl_FinanceBill_income"));
        }
        return path;
    }
    // Overwrites the head of the table's root page: the file still opens,
    // the check of its structure fails.
    static void damageTable(const QString &path, const QString &table)
    {
        qint64 root = 0;
        qint64 pageSize = 0;
        {
            Database file(path, Database::OpenMode::ReadOnly);
            Statement rootQuery = file.prepare("SELECT rootpage FROM sqlite_master WHERE name = ?");
            rootQuery.bind(1, table);
            ASSERT_TRUE(rootQuery.next());
            root = rootQuery.integer(QStringLiteral("rootpage"));
            Statement size = file.prepare("PRAGMA page_size");
            ASSERT_TRUE(size.next());
            pageSize = size.textAt(0).toLongLong();
        }
        ASSERT_GT(root, 1);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek((root - 1) * pageSize);
        file.write(QByteArray(64, '\x7f'));
    }
};

const RefusedFile kRefusedFiles[] = {
    {"text", QStringLiteral("无法作为数据库打开")},
    {"empty", QStringLiteral("不是本程序的数据库")},
    {"damaged", QStringLiteral("已损坏")},
    {"foreign", QStringLiteral("不是本程序的数据库")},
};

} // namespace

TEST_P(RestoreRefusalTest, TheFileIsRefusedWithItsNameAndReasonAndNothingChanges)
{
    const QString chosen = makeFile();
    const QByteArray chosenBytes = [&] {
        QFile file(chosen);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    const QStringList before = databaseRows(db.db());
    Database *const live = g_pConnection;

    const DatabaseCopy::RestoreOutcome outcome = copy.Restore(chosen);
    EXPECT_FALSE(outcome.restored);
    EXPECT_TRUE(outcome.error.contains(QDir::toNativeSeparators(chosen))) << outcome.error.toStdString();
    EXPECT_TRUE(outcome.error.contains(GetParam().reason)) << outcome.error.toStdString();
    EXPECT_FALSE(outcome.error.contains(QStringLiteral("SQL"), Qt::CaseInsensitive)) << outcome.error.toStdString();
    EXPECT_TRUE(outcome.sideCopy.isEmpty());

    EXPECT_EQ(g_pConnection, live);
    EXPECT_EQ(databaseRows(db.db()), before);
    EXPECT_EQ(strayFiles(), QStringList());
    QFile file(chosen);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), chosenBytes);
    expectWritable();
}

INSTANTIATE_TEST_SUITE_P(Files, RestoreRefusalTest, ::testing::ValuesIn(kRefusedFiles),
    [](const ::testing::TestParamInfo<RefusedFile> &info) { return info.param.label; });

TEST_F(DatabaseCopyTest, AGoodRestoreKeepsASideCopyOfTheOldDataAndOpensTheChosenData)
{
    // The chosen file: a backup of an earlier day with work of its own.
    const QString chosen = backupPath(QStringLiteral("汀岑进销存2011-6-1.mdb"));
    ASSERT_EQ(copy.Backup(chosen), QString());
    {
        Database earlier(chosen, Database::OpenMode::ReadWrite);
        AddClientRow(earlier, QStringLiteral("只在备份里的客户"));
    }
    const QStringList chosenRows = databaseRows(chosen);
    AddClientRow(db.db(), QStringLiteral("今天的新客户"));
    const QStringList oldRows = databaseRows(db.db());
    Database *const live = g_pConnection;

    const QDateTime now(QDate(2011, 6, 30), QTime(17, 5, 9));
    const DatabaseCopy::RestoreOutcome outcome = copy.Restore(chosen, now);
    ASSERT_TRUE(outcome.restored) << outcome.error.toStdString();
    const QString sideName = QStringLiteral("汀岑进销存恢复前-20110630-170509.mdb");
    EXPECT_EQ(outcome.sideCopy, QDir(db.folder()).filePath(sideName));

    // The same connection object, open on the chosen data.
    EXPECT_EQ(g_pConnection, live);
    EXPECT_TRUE(live->isOpen());
    EXPECT_EQ(databaseRows(db.db()), chosenRows);
    EXPECT_EQ(databaseRows(outcome.sideCopy), oldRows);
    EXPECT_EQ(integrity(outcome.sideCopy), QStringLiteral("ok"));
    EXPECT_EQ(strayFiles(), QStringList{sideName});
    expectWritable();
    // The chosen file stays as it was.
    EXPECT_EQ(databaseRows(chosen), chosenRows);

    // A second restore within the same second keeps the first side copy.
    const DatabaseCopy::RestoreOutcome again = copy.Restore(chosen, now);
    ASSERT_TRUE(again.restored) << again.error.toStdString();
    EXPECT_EQ(QFileInfo(again.sideCopy).fileName(), QStringLiteral("汀岑进销存恢复前-20110630-170509-2.mdb"));
    EXPECT_EQ(databaseRows(outcome.sideCopy), oldRows);
    db.db().close();
    EXPECT_FALSE(QFile::exists(db.path() + QStringLiteral("-journal")));
    EXPECT_FALSE(QFile::exists(db.path() + QStringLiteral("-wal")));
}

TEST_F(DatabaseCopyTest, ALeftoverJournalOfTheOldFileIsNotAppliedToTheRestoredOne)
{
    const QString chosen = backupPath(QStringLiteral("备份.mdb"));
    ASSERT_EQ(copy.Backup(chosen), QString());
    {
        Database earlier(chosen, Database::OpenMode::ReadWrite);
        earlier.executeScript(QStringLiteral("UPDATE tbl_clientmgr SET ClientName = ClientName || '（备份）'"));
    }
    const QStringList chosenRows = databaseRows(chosen);
    // A valid journal of the old file left beside it, as a crash of
    // another program writing it would leave one: SQLite would play it
    // back into whatever file it finds under the name.
    copy.SetStepObserver([&](DatabaseCopy::RestoreStep step, const QString &) {
        if (step != DatabaseCopy::RestoreStep::Close)
            return;
        QByteArray journal;
        {
            Database other(db.path(), Database::OpenMode::ReadWrite);
            other.executeScript(QStringLiteral("PRAGMA synchronous = OFF; BEGIN; "
                                               "UPDATE tbl_FinanceBill_income SET MoneyCount = '0'; "
                                               "UPDATE tbl_clientmgr SET Remark = 'x';"));
            QFile file(db.path() + QStringLiteral("-journal"));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            journal = file.readAll();
            other.executeScript(QStringLiteral("ROLLBACK"));
        }
        ASSERT_GT(journal.size(), 4096);
        WriteFile(db.path() + QStringLiteral("-journal"), journal);
    });
    ASSERT_TRUE(copy.Restore(chosen).restored);
    EXPECT_FALSE(QFile::exists(db.path() + QStringLiteral("-journal")));
    EXPECT_EQ(databaseRows(db.db()), chosenRows);
    EXPECT_EQ(integrity(db.path()), QStringLiteral("ok"));
}

namespace {

struct ForcedFailure
{
    const char *label;
    DatabaseCopy::RestoreStep step;
    QString reason;
    // Whether the side copy is still where it was made.
    bool sideCopyKept;
};

void PrintTo(const ForcedFailure &failure, std::ostream *out)
{
    *out << failure.label;
}

class RestoreFailureTest : public DatabaseCopyTest, public ::testing::WithParamInterface<ForcedFailure>
{
};

const ForcedFailure kForcedFailures[] = {
    {"close", DatabaseCopy::RestoreStep::Close, QStringLiteral("无法关闭正在使用的数据库"), true},
    {"rename", DatabaseCopy::RestoreStep::Replace, QStringLiteral("无法替换数据库文件"), true},
    {"reopen", DatabaseCopy::RestoreStep::Reopen, QStringLiteral("恢复后的数据库无法打开"), false},
};

} // namespace

TEST_P(RestoreFailureTest, TheOldDatabaseStaysInUse)
{
    const QString chosen = backupPath(QStringLiteral("备份.mdb"));
    ASSERT_EQ(copy.Backup(chosen), QString());
    {
        Database earlier(chosen, Database::OpenMode::ReadWrite);
        AddClientRow(earlier, QStringLiteral("只在备份里的客户"));
    }
    AddClientRow(db.db(), QStringLiteral("今天的新客户"));
    const QStringList oldRows = databaseRows(db.db());
    Database *const live = g_pConnection;

    std::optional<Statement> unfinished;
    copy.SetStepObserver([&](DatabaseCopy::RestoreStep step, const QString &file) {
        if (step != GetParam().step)
            return;
        switch (step) {
        case DatabaseCopy::RestoreStep::Close:
            // A read still running keeps the connection from closing.
            unfinished.emplace(db.db().prepare("SELECT ClientName FROM tbl_clientmgr"));
            unfinished->next();
            break;
        case DatabaseCopy::RestoreStep::Replace:
            // The copy vanished before it could be renamed.
            QFile::remove(file);
            break;
        default:
            // The renamed file turned out unreadable.
            WriteFile(file, QByteArray(8192, 'x'));
            break;
        }
    });
    const DatabaseCopy::RestoreOutcome outcome = copy.Restore(chosen);
    unfinished.reset();

    EXPECT_FALSE(outcome.restored);
    EXPECT_TRUE(outcome.error.contains(GetParam().reason)) << outcome.error.toStdString();
    EXPECT_EQ(g_pConnection, live);
    EXPECT_EQ(databaseRows(db.db()), oldRows);
    expectWritable();
    EXPECT_EQ(!outcome.sideCopy.isEmpty(), GetParam().sideCopyKept);
    QStringList expected;
    if (GetParam().sideCopyKept)
        expected << QFileInfo(outcome.sideCopy).fileName();
    EXPECT_EQ(strayFiles(), expected);
}

INSTANTIATE_TEST_SUITE_P(Steps, RestoreFailureTest, ::testing::ValuesIn(kForcedFailures),
    [](const ::testing::TestParamInfo<ForcedFailure> &info) { return info.param.label; });

TEST(DatabaseCopyTables, TheRequiredTablesAreTheSchemasOwn)
{
    const QStringList &tables = DatabaseCopy::RequiredTables();
    for (const char *table : {"tbl_clientmgr", "tbl_StoreMgr", "tbl_FinanceBill_income_provider", "tbl_MiscOption"})
        EXPECT_TRUE(tables.contains(QLatin1String(table))) << table;
    EXPECT_FALSE(tables.contains(QStringLiteral("new_guid")));
    TestDatabase db;
    EXPECT_EQ(DatabaseCopy::MissingTable(db.db()), QString());
    db.exec("DROP TABLE tbl_Voucher");
    EXPECT_EQ(DatabaseCopy::MissingTable(db.db()), QStringLiteral("tbl_Voucher"));
}
