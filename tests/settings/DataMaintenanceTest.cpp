#include "DataMaintenance.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include "BillFixtures.h"
#include "CDlgTabDataMgr.h"
#include "ProgramDatabase.h"
#include "SettingsTestSupport.h"

// Backup and restore as the user runs them from the data-maintenance page,
// in a home folder of the test's own: the database in its data folder, the
// backups in its documents folder.

namespace {

class DataMaintenanceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_oldHome = qgetenv("HOME");
        m_oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", m_home.path().toUtf8());
        qunsetenv("XDG_CONFIG_HOME");
        QDir().mkpath(DataFolderPath());
        QDir().mkpath(documents());
        m_db = std::make_unique<Database>(DatabaseFilePath(), Database::OpenMode::Create);
        CreateSchema(*m_db);
        FillSmallShop(*m_db, 5);
        g_pConnection = m_db.get();
        page = std::make_unique<CDlgTabDataMgr>();
        page->show();
    }
    void TearDown() override
    {
        page.reset();
        g_pConnection = nullptr;
        m_db.reset();
        qputenv("HOME", m_oldHome);
        if (!m_oldConfig.isEmpty())
            qputenv("XDG_CONFIG_HOME", m_oldConfig);
    }

    static QString documents() { return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation); }
    static QString inDocuments(const QString &name) { return QDir(documents()).filePath(name); }
    QStringList liveRows() { return databaseRows(*m_db); }

    QTemporaryDir m_home;
    QByteArray m_oldHome;
    QByteArray m_oldConfig;
    std::unique_ptr<Database> m_db;
    ScriptedInteraction user;
    std::unique_ptr<CDlgTabDataMgr> page;
};

} // namespace

TEST(DataMaintenanceNames, TheProposedBackupNameHasNoLeadingZeros)
{
    EXPECT_EQ(DefaultBackupFileName(QDate(2024, 3, 5)), QStringLiteral("汀岑进销存2024-3-5.mdb"));
    EXPECT_EQ(DefaultBackupFileName(QDate(2011, 12, 31)), QStringLiteral("汀岑进销存2011-12-31.mdb"));
}

TEST_F(DataMaintenanceTest, BackupProposesTodaysNameAndAsksBeforeReplacingTheNameItCompleted)
{
    ASSERT_TRUE(documents().startsWith(m_home.path()));
    user.answerFileName(inDocuments(QStringLiteral("店里备份")));
    press(page.get(), "1001");
    EXPECT_EQ(user.suggestedFileNames, QStringList{inDocuments(DefaultBackupFileName(QDate::currentDate()))});
    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("数据库备份成功。")});
    const QString backup = inDocuments(QStringLiteral("店里备份.mdb"));
    EXPECT_EQ(databaseRows(backup), liveRows());

    // The dialog confirmed "店里备份", not "店里备份.mdb": the backup asks.
    const QStringList older = databaseRows(backup);
    AddClientRow(*m_db, QStringLiteral("后来的客户"));
    user.clear();
    user.answerFileName(inDocuments(QStringLiteral("店里备份")));
    user.answerQuestion(false);
    press(page.get(), "1001");
    EXPECT_EQ(
        user.texts(), QStringList{QStringLiteral("“%1”已存在，要替换它吗？").arg(QDir::toNativeSeparators(backup))});
    EXPECT_EQ(databaseRows(backup), older);

    user.clear();
    user.answerFileName(inDocuments(QStringLiteral("店里备份")));
    user.answerQuestion(true);
    press(page.get(), "1001");
    EXPECT_EQ(user.lastText(), QStringLiteral("数据库备份成功。"));
    EXPECT_EQ(databaseRows(backup), liveRows());

    // A name the dialog itself confirmed is replaced without a second question.
    AddClientRow(*m_db, QStringLiteral("再后来的客户"));
    user.clear();
    user.answerFileName(backup);
    press(page.get(), "1001");
    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("数据库备份成功。")});
    EXPECT_EQ(databaseRows(backup), liveRows());
}

TEST_F(DataMaintenanceTest, ABackupWithoutANameOrThatFailsSaysWhy)
{
    press(page.get(), "1001");
    EXPECT_TRUE(user.messages.empty()) << "a cancelled dialog says nothing";

    user.answerFileName(inDocuments(QStringLiteral(".mdb")));
    press(page.get(), "1001");
    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("请输入文件名。")});

    const QString missing = inDocuments(QStringLiteral("没有"));
    user.clear();
    user.answerFileName(QDir(missing).filePath(QStringLiteral("备份.mdb")));
    press(page.get(), "1001");
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
    EXPECT_EQ(user.lastText(),
        QStringLiteral("数据库备份失败：无法在“%1”中写入文件：文件夹不存在。").arg(QDir::toNativeSeparators(missing)));

    user.clear();
    user.answerFileName(QDir(documents()).filePath(QStringLiteral("../Documents/Varnholt/db_duvavivada_12.mdb")));
    press(page.get(), "1001");
    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("数据库备份失败：不能备份到正在使用的数据库文件本身。")});
    EXPECT_EQ(FolderEntries(DataFolderPath()), QStringList{kDatabaseFileName});
}

TEST_F(DataMaintenanceTest, ARestoreAnsweredNoOrCancelledChangesNothing)
{
    const QStringList before = liveRows();
    user.answerQuestion(false);
    press(page.get(), "1233");
    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("数据库恢复将导致当前数据全部丢失，是否继续？")});
    EXPECT_TRUE(user.suggestedFileNames.isEmpty()) << "No opens no file dialog";

    user.answerQuestion(true);
    press(page.get(), "1233");
    EXPECT_EQ(user.suggestedFileNames, QStringList{documents()});
    EXPECT_EQ(user.messages.size(), 2u);
    EXPECT_TRUE(m_db->isOpen());
    EXPECT_EQ(liveRows(), before);
    EXPECT_EQ(FolderEntries(DataFolderPath()), QStringList{kDatabaseFileName});
}

TEST_F(DataMaintenanceTest, ARefusedRestoreIsReportedAndTheWorkGoesOn)
{
    const QString chosen = inDocuments(QStringLiteral("客户名单.mdb"));
    WriteFile(chosen, "名称,电话\n苏州宏达建材,0512-1234567\n");
    const QStringList before = liveRows();
    user.answerQuestion(true);
    user.answerFileName(chosen);
    press(page.get(), "1233");
    ASSERT_EQ(user.messages.size(), 2u);
    EXPECT_EQ(user.messages[1].kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(user.lastText().startsWith(
        QStringLiteral("数据库恢复失败：“%1”无法作为数据库打开：").arg(QDir::toNativeSeparators(chosen))))
        << user.lastText().toStdString();
    EXPECT_EQ(liveRows(), before);
    EXPECT_NO_THROW(AddClientRow(*m_db, QStringLiteral("照常工作")));
}

TEST_F(DataMaintenanceTest, AGoodRestoreEndsTheProgramWithCodeZeroAndTheNextStartOpensTheRestoredData)
{
    const QString chosen = inDocuments(QStringLiteral("汀岑进销存2011-6-1.mdb"));
    {
        m_db->copyTo(chosen);
        Database earlier(chosen, Database::OpenMode::ReadWrite);
        AddClientRow(earlier, QStringLiteral("只在备份里的客户"));
    }
    const QStringList chosenRows = databaseRows(chosen);
    AddClientRow(*m_db, QStringLiteral("今天的新客户"));
    const QStringList oldRows = liveRows();

    user.answerQuestion(true);
    user.answerFileName(chosen);
    QTimer::singleShot(0, page.get(), [this] { press(page.get(), "1233"); });
    QTimer::singleShot(5000, [] { QApplication::exit(99); });
    const int exitCode = QApplication::exec();

    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(user.messages.size(), 2u);
    EXPECT_EQ(user.messages[1].kind, ScriptedInteraction::Message::Information);
    const QStringList lines = user.lastText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("数据库恢复成功，为了使用新的数据库，需要立即重启汀岑进销存。"));
    ASSERT_TRUE(lines[1].startsWith(QStringLiteral("恢复前的数据另存为：")));
    const QString sideCopy = QDir::fromNativeSeparators(lines[1].section(QStringLiteral("："), 1));
    EXPECT_EQ(QFileInfo(sideCopy).absolutePath(), DataFolderPath());
    EXPECT_EQ(databaseRows(sideCopy), oldRows);
    // The connection was closed before the end.
    EXPECT_EQ(g_pConnection, m_db.get());
    EXPECT_FALSE(m_db->isOpen());
    EXPECT_EQ(FolderEntries(DataFolderPath()), (QStringList{kDatabaseFileName, QFileInfo(sideCopy).fileName()}));

    // The next start.
    QString error;
    std::unique_ptr<Database> next = OpenProgramDatabase(m_home.path(), &error);
    ASSERT_TRUE(next) << error.toStdString();
    EXPECT_EQ(databaseRows(*next), chosenRows);
}
