#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

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
        m_oldHome = qgetenv("HOME");
        m_oldConfig = qgetenv("XDG_CONFIG_HOME");
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

    // Writes a database with the program's tables and one marker row.
    static void makeDatabase(const QString &path, const QString &marker)
    {
        Database db(path, Database::OpenMode::Create);
        CreateSchema(db);
        db.insertRow(QStringLiteral("tbl_AccountMgr"), {{QStringLiteral("AccountName"), marker}, {QStringLiteral("GUID"), marker}});
    }
    static QStringList accounts(Database &db)
    {
        QStringList names;
        Statement query = db.prepare("SELECT AccountName FROM tbl_AccountMgr ORDER BY RowNo");
        while (query.next())
            names << query.text(QStringLiteral("AccountName"));
        return names;
    }

    QTemporaryDir m_home;
    QByteArray m_oldHome;
    QByteArray m_oldConfig;
};

} // namespace

TEST_F(StartupTest, FirstStartCopiesTheEmptyDatabaseIntoTheDataFolder)
{
    makeDatabase(installedDatabase(), QStringLiteral("installed"));
    EXPECT_EQ(DataFolderPath(), QDir(m_home.path()).filePath(QStringLiteral("Documents/Varnholt")));
    ASSERT_FALSE(QFile::exists(DatabaseFilePath()));

    QString error;
    std::unique_ptr<Database> db = OpenProgramDatabase(programFolder(), &error);
    ASSERT_TRUE(db) << error.toStdString();
    EXPECT_TRUE(QFile::exists(DatabaseFilePath()));
    EXPECT_EQ(db->path(), DatabaseFilePath());
    EXPECT_TRUE(accounts(*db).contains(QStringLiteral("installed")));
}

TEST_F(StartupTest, AnExistingDatabaseIsNeverOverwritten)
{
    QDir().mkpath(DataFolderPath());
    makeDatabase(DatabaseFilePath(), QStringLiteral("shop data"));
    makeDatabase(installedDatabase(), QStringLiteral("newer empty"));

    for (int start = 0; start < 2; ++start) {
        QString error;
        std::unique_ptr<Database> db = OpenProgramDatabase(programFolder(), &error);
        ASSERT_TRUE(db) << error.toStdString();
        const QStringList names = accounts(*db);
        EXPECT_TRUE(names.contains(QStringLiteral("shop data")));
        EXPECT_FALSE(names.contains(QStringLiteral("newer empty")));
    }
    // Even an unwritable data file is not replaced by the empty one.
    QFile::setPermissions(DatabaseFilePath(), QFileDevice::ReadOwner);
    if (!QFile(DatabaseFilePath()).open(QIODevice::ReadWrite)) {
        QString error;
        EXPECT_FALSE(OpenProgramDatabase(programFolder(), &error));
        QFile::setPermissions(DatabaseFilePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        Database db(DatabaseFilePath(), Database::OpenMode::ReadWrite);
        EXPECT_TRUE(accounts(db).contains(QStringLiteral("shop data")));
    }
}

TEST_F(StartupTest, AFileOfAnEarlierBuildGetsTodaysIndexesAndKeepsItsRows)
{
    QDir().mkpath(DataFolderPath());
    makeDatabase(DatabaseFilePath(), QStringLiteral("shop data"));
    const auto indexSql = [](Database &db, const char *name) {
        Statement query = db.prepare("SELECT sql FROM sqlite_master WHERE type = 'index' AND name = ?");
        query.bind(1, QString::fromLatin1(name));
        return query.next() ? query.text(QStringLiteral("sql")) : QString();
    };
    QString wanted;
    {
        Database old(DatabaseFilePath(), Database::OpenMode::ReadWrite);
        wanted = indexSql(old, "ix_goodsbill_product");
        old.executeScript(QStringLiteral("DROP INDEX ix_goodsbill_product;"
                                         "CREATE INDEX ix_goodsbill_product ON tbl_GoodsBill_shipment (ProductName);"
                                         "DROP INDEX ix_finance_guid;"));
    }
    ASSERT_TRUE(wanted.contains(QStringLiteral("ProductPrice")));

    QString error;
    std::unique_ptr<Database> db = OpenProgramDatabase(programFolder(), &error);
    ASSERT_TRUE(db) << error.toStdString();
    EXPECT_EQ(indexSql(*db, "ix_goodsbill_product"), wanted);
    EXPECT_TRUE(indexSql(*db, "ix_finance_guid").contains(QStringLiteral("UNIQUE")));
    EXPECT_TRUE(accounts(*db).contains(QStringLiteral("shop data")));
}

TEST_F(StartupTest, AMissingSourceGivesOneMessageAndNoWindow)
{
    ScriptedInteraction user;
    CDlgToolTipsApp app;
    EXPECT_FALSE(app.InitInstance(programFolder()));
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].caption, QStringLiteral("汀岑进销存"));
    EXPECT_TRUE(user.messages[0].text.startsWith(QStringLiteral("数据库连接失败，确认数据库db_duvavivada_12.mdb是否在")));
    EXPECT_TRUE(user.messages[0].text.contains(QDir::toNativeSeparators(DataFolderPath())));
    EXPECT_TRUE(user.messages[0].text.contains(QStringLiteral("程序文件夹中也没有可复制的空数据库")));
    EXPECT_EQ(g_pConnection, nullptr);
    EXPECT_EQ(app.MainDlg(), nullptr);
    for (QWidget *widget : QApplication::topLevelWidgets())
        EXPECT_FALSE(widget->isVisible()) << widget->metaObject()->className();
    // Nothing was created in its place.
    EXPECT_FALSE(QFile::exists(DatabaseFilePath()));
}

namespace {

// How the data file is spoiled before the start, and what the message must
// say: its own reason, and where the file is when the person can put a
// backup in its place.
struct FailureCase
{
    const char *name;
    std::function<void(const QString &dataFile, const QString &installed)> spoil;
    const char *reason;
    bool namesTheFile;
    bool offersABackup = false;
};

void PrintTo(const FailureCase &c, std::ostream *out)
{
    *out << c.name;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class StartupFailure : public StartupTest, public ::testing::WithParamInterface<FailureCase>
{
};

} // namespace

TEST_P(StartupFailure, EachFailureHasItsOwnSentence)
{
    QDir().mkpath(DataFolderPath());
    makeDatabase(installedDatabase(), QStringLiteral("installed"));
    GetParam().spoil(DatabaseFilePath(), installedDatabase());
    QString error;
    EXPECT_FALSE(OpenProgramDatabase(programFolder(), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("数据库连接失败。"))) << error.toStdString();
    // Only a missing file gets the advice to look for it in its folder.
    EXPECT_FALSE(error.contains(QStringLiteral("是否在"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QString::fromUtf8(GetParam().reason))) << error.toStdString();
    EXPECT_EQ(error.contains(QDir::toNativeSeparators(DatabaseFilePath())), GetParam().namesTheFile)
        << error.toStdString();
    EXPECT_EQ(error.contains(QStringLiteral("用备份的数据库文件替换它")), GetParam().offersABackup) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, StartupFailure,
    ::testing::Values(
        FailureCase{"copy_refused",
                    [](const QString &, const QString &installed) {
                        // An installed "file" that cannot be read copies nothing.
                        QFile::remove(installed);
                        QDir().mkpath(installed);
                    },
                    "无法把空数据库复制到数据文件夹", false},
        FailureCase{"no_permission",
                    [](const QString &dataFile, const QString &) {
                        // Not a file that can be opened for writing, even
                        // for root.
                        QDir().mkpath(dataFile);
                    },
                    "没有读写数据库文件的权限", true},
        FailureCase{"damaged",
                    [](const QString &dataFile, const QString &) { writeBytes(dataFile, QByteArray(4096, 'x')); },
                    "数据库文件已损坏，或者不是本程序的数据库。", true, true},
        FailureCase{"empty", [](const QString &dataFile, const QString &) { writeBytes(dataFile, QByteArray()); },
                    "数据库文件是空的，或者缺少本程序的数据表。", true, true},
        FailureCase{"foreign",
                    [](const QString &dataFile, const QString &) {
                        Database other(dataFile, Database::OpenMode::Create);
                        other.executeScript(QStringLiteral("CREATE TABLE notes (text TEXT)"));
                    },
                    "数据库文件是空的，或者缺少本程序的数据表。", true, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(StartupTest, ALockedDatabaseIsToldAsSuch)
{
    QDir().mkpath(DataFolderPath());
    makeDatabase(DatabaseFilePath(), QStringLiteral("shop data"));
    Database other(DatabaseFilePath(), Database::OpenMode::ReadWrite);
    other.executeScript(QStringLiteral("BEGIN EXCLUSIVE"));
    QString error;
    EXPECT_FALSE(OpenProgramDatabase(programFolder(), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("数据库连接失败。数据库文件正被其他程序使用"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(DatabaseFilePath())));
    other.executeScript(QStringLiteral("ROLLBACK"));
    EXPECT_TRUE(OpenProgramDatabase(programFolder(), &error));
}

TEST_F(StartupTest, StartShowsOnlyTheFunctionMenuAndTheMenusCloseEndsTheLoop)
{
    makeDatabase(installedDatabase(), QStringLiteral("installed"));
    ScriptedInteraction user;
    int exitCode = -1;
    {
        CDlgToolTipsApp app;
        ASSERT_TRUE(app.InitInstance(programFolder()));
        EXPECT_TRUE(user.messages.empty());
        EXPECT_NE(g_pConnection, nullptr);
        EXPECT_TRUE(app.FunctionMenu()->isVisible());
        EXPECT_FALSE(app.MainDlg()->isVisible());

        // 关闭窗口 with the main window never shown ends the event loop.
        QMetaObject::invokeMethod(app.FunctionMenu()->findChild<QPushButton *>(QStringLiteral("1014")), "click", Qt::QueuedConnection);
        QTimer::singleShot(5000, [] { QApplication::exit(99); });
        exitCode = QApplication::exec();
    }
    EXPECT_EQ(exitCode, 0);
    // The program's connection went with the application object.
    EXPECT_EQ(g_pConnection, nullptr);
}

TEST_F(StartupTest, TheMainWindowsCloseBoxEndsTheLoopAndClosesTheDatabase)
{
    makeDatabase(installedDatabase(), QStringLiteral("installed"));
    ScriptedInteraction user;
    int exitCode = -1;
    {
        CDlgToolTipsApp app;
        ASSERT_TRUE(app.InitInstance(programFolder()));
        user.onNextModal([](QDialog *dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("1276")), Qt::LeftButton);
            return dialog->result();
        });
        QTest::mouseClick(app.FunctionMenu()->findChild<QPushButton *>(QStringLiteral("1015")), Qt::LeftButton);
        QTest::mouseClick(app.FunctionMenu()->findChild<QPushButton *>(QStringLiteral("1016")), Qt::LeftButton);
        ASSERT_TRUE(app.MainDlg()->isVisible());

        QMetaObject::invokeMethod(app.MainDlg(), "close", Qt::QueuedConnection);
        QTimer::singleShot(5000, [] { QApplication::exit(99); });
        exitCode = QApplication::exec();
        EXPECT_TRUE(user.messages.empty());
    }
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(g_pConnection, nullptr);
}

namespace {
// An object whose event handling fails the way a page's database call can.
class FailingReceiver : public QObject
{
public:
    int events = 0;
    bool event(QEvent *) override
    {
        ++events;
        throw DbError(5, QStringLiteral("database is locked"), QStringLiteral("保存货品"));
    }
};
} // namespace

TEST(SafeApplicationTest, AnErrorEscapingAnEventHandlerIsShownAndTheProgramGoesOn)
{
    ScriptedInteraction user;
    FailingReceiver receiver;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&receiver, &event));
    EXPECT_FALSE(QCoreApplication::sendEvent(&receiver, &event));
    EXPECT_EQ(receiver.events, 2);
    ASSERT_EQ(user.messages.size(), 2u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
    EXPECT_FALSE(user.messages[0].text.contains(QStringLiteral("database is locked")));
    EXPECT_TRUE(user.messages[0].text.contains(QStringLiteral("数据库正被其他程序使用")));
}
