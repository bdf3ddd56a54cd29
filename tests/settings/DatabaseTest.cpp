#include "Database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "BillFixtures.h"
#include "SettingsTestSupport.h"

// What backup and restore need of the connection: a read-only open, a copy
// into a new file, a real close and a reopen of the same object.

TEST(DatabaseWholeFile, AReadOnlyConnectionReadsButNeverWritesNorCreates)
{
    TestDatabase db;
    AddClientRow(db.db(), QStringLiteral("苏州宏达建材"));
    Database reader(db.path(), Database::OpenMode::ReadOnly);
    EXPECT_EQ(tableRows(reader, QStringLiteral("tbl_clientmgr")), tableRows(db.db(), QStringLiteral("tbl_clientmgr")));
    EXPECT_THROW(AddClientRow(reader, QStringLiteral("写不进去")), DbError);
    EXPECT_EQ(tableRows(db.db(), QStringLiteral("tbl_clientmgr")).size(), 1);

    const QString missing = QDir(db.folder()).filePath(QStringLiteral("没有.mdb"));
    EXPECT_THROW(Database(missing, Database::OpenMode::ReadOnly), DbError);
    EXPECT_FALSE(QFile::exists(missing));
}

TEST(DatabaseWholeFile, ACopyGoesOnlyIntoANewFileAndLeavesNothingWhenItFails)
{
    TestDatabase db;
    FillSmallShop(db.db(), 5);
    QTemporaryDir folder;

    const QString fresh = QDir(folder.path()).filePath(QStringLiteral("副本.mdb"));
    db.db().copyTo(fresh);
    EXPECT_EQ(databaseRows(fresh), databaseRows(db.db()));

    // An existing file with content is never overwritten.
    const QString taken = QDir(folder.path()).filePath(QStringLiteral("别的文件.mdb"));
    WriteFile(taken, "别人的数据");
    EXPECT_THROW(db.db().copyTo(taken), DbError);
    QFile file(taken);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), QStringLiteral("别人的数据"));

    // A copy that cannot be written leaves no file and no journal.
    const QString nowhere = QDir(folder.path()).filePath(QStringLiteral("没有/副本.mdb"));
    EXPECT_THROW(db.db().copyTo(nowhere), DbError);
    EXPECT_EQ(FolderEntries(folder.path()), (QStringList{QStringLiteral("别的文件.mdb"), QStringLiteral("副本.mdb")}));
    AddClientRow(db.db(), QStringLiteral("连接照常可用"));
}

TEST(DatabaseWholeFile, CloseWaitsForOpenStatementsAndReopenKeepsTheSameObject)
{
    TestDatabase db;
    Database *const program = g_pConnection;
    AddClientRow(db.db(), QStringLiteral("甲"));
    {
        Statement reading = db.db().prepare("SELECT ClientName FROM tbl_clientmgr");
        ASSERT_TRUE(reading.next());
        EXPECT_THROW(db.db().close(), DbError);
        EXPECT_TRUE(db.db().isOpen());
        EXPECT_EQ(reading.text(QStringLiteral("ClientName")), QStringLiteral("甲"));
    }
    db.db().close();
    EXPECT_FALSE(db.db().isOpen());
    EXPECT_THROW(db.db().prepare("SELECT 1"), DbError);
    EXPECT_THROW(db.db().copyTo(db.path() + QStringLiteral(".copy")), DbError);

    // Meanwhile someone else changes the file; the reopened connection sees it.
    {
        Database other(db.path(), Database::OpenMode::ReadWrite);
        AddClientRow(other, QStringLiteral("乙"));
    }
    db.db().reopen();
    EXPECT_EQ(g_pConnection, program);
    EXPECT_TRUE(db.db().isOpen());
    EXPECT_EQ(
        db.scalar("SELECT group_concat(ClientName, ',') FROM (SELECT ClientName FROM tbl_clientmgr ORDER BY RowNo)"),
        QStringLiteral("甲,乙"));
    // Reopening an open connection closes it first.
    db.db().reopen();
    AddClientRow(db.db(), QStringLiteral("丙"));
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM tbl_clientmgr"), QStringLiteral("3"));
}
