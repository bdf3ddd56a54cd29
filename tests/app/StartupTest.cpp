#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "CDlgFunctionSelDlg.h"
#include "CDlgMainDlg.h"
#include "CDlgToolTipsApp.h"
#include "Database.h"
#include "ProgramDatabase.h"
#include "ScriptedInteraction.h"

namespace {

// A home folder of its own and a program folder that may hold the empty
// database, for each test.
class StartupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("HOME", m_home.path().toUtf8());
        qunsetenv("XDG_CONFIG_HOME");
        QDir().mkpath(programFolder());
    }
    void TearDown() override
    {
        qputenv("HOME", m_oldHome);
        if (!m_oldConfig.isEmpty())
            qputenv("XDG_CONFIG_HOME", m_oldConfig);
    }

    QString programFolder() const { return QDir(m_home.path()).filePath(QStringLiteral("program")); }
    QString installedDatabase() const { return QDir(programFolder()).filePath(kDatabaseFileName); }
    std::unique_ptr<Database> start() { return OpenProgramDatabase(programFolder(), &m_error); }

    // Writes a database with the program's tables and one marker account.
    static void makeDatabase(const QString& path, const QString& marker)
    {
        QDir().mkpath(QFileInfo(path).path());
        Database db(path, Database::OpenMode::Create);
        CreateSchema(db);
        db.insertRow(QStringLiteral("tbl_AccountMgr"),
            {{QStringLiteral("AccountName"), marker}, {QStringLiteral("GUID"), marker}});
    }
    static QString accounts(Database& db)
    {
        Statement query = db.prepare("SELECT group_concat(AccountName, '|') AS names FROM tbl_AccountMgr");
        return query.next() ? query.text(QStringLiteral("names")) : QString();
    }

    QTemporaryDir m_home;
    const QByteArray m_oldHome = qgetenv("HOME");
    const QByteArray m_oldConfig = qgetenv("XDG_CONFIG_HOME");
    QString m_error;
};

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

} // namespace

TEST_F(StartupTest, FirstStartCopiesTheEmptyDatabaseLaterStartsKeepTheFileAndClosingEitherWindowClosesIt)
{
    makeDatabase(installedDatabase(), QStringLiteral("installed"));
    EXPECT_EQ(DataFolderPath(), QDir(m_home.path()).filePath(QStringLiteral("Documents/Varnholt")));
    const auto indexSql = [](Database& db, const char* name) {
        Statement query = db.prepare("SELECT sql FROM sqlite_master WHERE type = 'index' AND name = ?");
        query.bind(1, QString::fromLatin1(name));
        return query.next() ? query.text(QStringLiteral("sql")) : QString();
    };
    QString wanted;
    {
        std::unique_ptr<Database> db = start();
        ASSERT_TRUE(db) << m_error.toStdString();
        EXPECT_EQ(db->path(), DatabaseFilePath());
        EXPECT_TRUE(accounts(*db).contains(QStringLiteral("installed")));
        // The shop's data, and the indexes of an earlier build.
        wanted = indexSql(*db, "ix_goodsbill_product");
        db->executeScript(QStringLiteral("INSERT INTO tbl_AccountMgr (AccountName, GUID) VALUES ('shop data', 'g');"
                                         "DROP INDEX ix_goodsbill_product;"
                                         "CREATE INDEX ix_goodsbill_product ON tbl_GoodsBill_shipment (ProductName);"
                                         "DROP INDEX ix_finance_guid;"));
    }
    ASSERT_TRUE(wanted.contains(QStringLiteral("ProductPrice")));
    QFile::remove(installedDatabase());
    makeDatabase(installedDatabase(), QStringLiteral("newer empty"));
    // Even an unwritable data file is not replaced by the empty one.
    QFile::setPermissions(DatabaseFilePath(), QFileDevice::ReadOwner);
    if (!QFile(DatabaseFilePath()).open(QIODevice::ReadWrite)) {
        EXPECT_FALSE(start());
        QFile::setPermissions(DatabaseFilePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        Database db(DatabaseFilePath(), Database::OpenMode::ReadWrite);
        EXPECT_TRUE(accounts(db).contains(QStringLiteral("shop data")));
    }

    // Every later start keeps the shop's file and mends its indexes, and shows
    // only the function menu. 关闭窗口 before the main window was ever shown,
    // and the main window's close box, end the event loop with 0 and close the
    // database.
    for (const bool viaMainWindow : {false, true}) {
        SCOPED_TRACE(viaMainWindow);
        ScriptedInteraction user;
        int exitCode = -1;
        {
            CDlgToolTipsApp app;
            ASSERT_TRUE(app.InitInstance(programFolder()));
            ASSERT_NE(g_pConnection, nullptr);
            EXPECT_TRUE(accounts(*g_pConnection).contains(QStringLiteral("shop data")));
            EXPECT_FALSE(accounts(*g_pConnection).contains(QStringLiteral("newer empty")));
            EXPECT_EQ(indexSql(*g_pConnection, "ix_goodsbill_product"), wanted);
            EXPECT_TRUE(indexSql(*g_pConnection, "ix_finance_guid").contains(QStringLiteral("UNIQUE")));
            EXPECT_TRUE(app.FunctionMenu()->isVisible());
            EXPECT_FALSE(app.MainDlg()->isVisible());
            QObject* closer = app.FunctionMenu()->findChild<QPushButton*>(QStringLiteral("1014"));
            const char* how = "click";
            if (viaMainWindow) { // as after a function was chosen
                app.FunctionMenu()->hide();
                app.MainDlg()->show();
                closer = app.MainDlg();
                how = "close";
            }
            QMetaObject::invokeMethod(closer, how, Qt::QueuedConnection);
            QTimer::singleShot(5000, app.FunctionMenu(), [] { QApplication::exit(99); });
            exitCode = QApplication::exec();
        }
        EXPECT_TRUE(user.messages.empty());
        EXPECT_EQ(exitCode, 0);
        EXPECT_EQ(g_pConnection, nullptr); // went with the application object
    }
}

// Each start-up failure gives one message of its own, captioned with the
// program's name, and no window: only a missing file (with no empty one to
// copy) gets the advice to look for it in its folder, and nothing is made in
// its place; the message says where the file is when the person can put a
// backup in its place.
TEST_F(StartupTest, EachFailureGivesOneMessageOfItsOwnAndNoWindow)
{
    using Held = std::unique_ptr<Database>; // another program's connection
    const struct
    {
        void (*spoil)(const QString& dataFile, const QString& installed, Held& held);
        const char* reason;
        bool namesTheFile;
        bool offersABackup;
    } cases[] = {{[](const QString&, const QString& installed, Held&) { QFile::remove(installed); },
                     "程序文件夹中也没有可复制的空数据库", false, false},
        // An installed "file" that cannot be read copies nothing.
        {[](const QString&, const QString& installed, Held&) {
             QFile::remove(installed);
             QDir().mkpath(installed);
         },
            "无法把空数据库复制到数据文件夹", false, false},
        // Not a file that can be opened for writing, even for root.
        {[](const QString& file, const QString&, Held&) { QDir().mkpath(file); }, "没有读写数据库文件的权限", true,
            false},
        {[](const QString& file, const QString& installed, Held& held) {
             QFile::copy(installed, file);
             held = std::make_unique<Database>(file, Database::OpenMode::ReadWrite);
             held->executeScript(QStringLiteral("BEGIN EXCLUSIVE"));
         },
            "数据库文件正被其他程序使用", true, false},
        {[](const QString& file, const QString&, Held&) { writeBytes(file, QByteArray(4096, 'x')); },
            "数据库文件已损坏，或者不是本程序的数据库。", true, true},
        {[](const QString& file, const QString&, Held&) { writeBytes(file, {}); },
            "数据库文件是空的，或者缺少本程序的数据表。", true, true},
        {[](const QString& file, const QString&, Held&) {
             Database(file, Database::OpenMode::Create).executeScript(QStringLiteral("CREATE TABLE notes (text TEXT)"));
         },
            "数据库文件是空的，或者缺少本程序的数据表。", true, true}};
    for (const auto& c : cases) {
        QDir(DataFolderPath()).removeRecursively();
        QDir(programFolder()).removeRecursively();
        QDir().mkpath(DataFolderPath());
        makeDatabase(installedDatabase(), QStringLiteral("installed"));
        Held held;
        c.spoil(DatabaseFilePath(), installedDatabase(), held);
        ScriptedInteraction user;
        CDlgToolTipsApp app;
        EXPECT_FALSE(app.InitInstance(programFolder()));
        ASSERT_EQ(user.messages.size(), 1u);
        const QString& error = user.messages[0].text;
        const bool missing = &c == &cases[0];
        EXPECT_EQ(user.messages[0].caption, QStringLiteral("汀岑进销存"));
        EXPECT_TRUE(error.startsWith(missing ? QStringLiteral("数据库连接失败，确认数据库db_duvavivada_12.mdb是否在")
                    + QDir::toNativeSeparators(DataFolderPath())
                                             : QStringLiteral("数据库连接失败。")))
            << error.toStdString();
        EXPECT_EQ(error.contains(QStringLiteral("是否在")), missing) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.reason))) << error.toStdString();
        EXPECT_EQ(error.contains(QDir::toNativeSeparators(DatabaseFilePath())), c.namesTheFile) << c.reason;
        EXPECT_EQ(error.contains(QStringLiteral("用备份的数据库文件替换它")), c.offersABackup) << c.reason;
        EXPECT_EQ(g_pConnection, nullptr);
        EXPECT_EQ(app.MainDlg(), nullptr);
        for (QWidget* widget : QApplication::topLevelWidgets())
            EXPECT_FALSE(widget->isVisible()) << widget->metaObject()->className();
        EXPECT_FALSE(missing && QFile::exists(DatabaseFilePath())); // nothing made in its place
    }
}
