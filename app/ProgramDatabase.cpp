#include "ProgramDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "Database.h"
#include "Trace.h"

void InitAppResources()
{
    Q_INIT_RESOURCE(resources);
}

QString DataFolderPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(QStringLiteral("Varnholt"));
}

QString DatabaseFilePath()
{
    return QDir(DataFolderPath()).filePath(kDatabaseFileName);
}

bool CheckDatabaseFile()
{
    QDir().mkpath(DataFolderPath());
    QFile file(DatabaseFilePath());
    return file.exists() && file.open(QIODevice::ReadWrite);
}

bool CopyDatabaseFile(const QString &programFolder, QString *error)
{
    const QString source = QDir(programFolder).filePath(kDatabaseFileName);
    const QString target = DatabaseFilePath();
    if (QFileInfo::exists(target)) {
        // The shop's data is never replaced by the empty database.
        if (error)
            *error = QStringLiteral("%1 已存在，但无法读写。").arg(target);
        return false;
    }
    QFile file(source);
    if (!file.exists()) {
        if (error)
            *error = QStringLiteral("找不到 %1。").arg(source);
        return false;
    }
    if (!file.copy(target)) {
        if (error)
            *error = QStringLiteral("无法复制 %1 到 %2：%3").arg(source, target, file.errorString());
        return false;
    }
    // The copy keeps the installed file's permissions, which may be
    // read-only.
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

std::unique_ptr<Database> OpenProgramDatabase(const QString &programFolder, QString *errorMessage)
{
    const QString failure = QStringLiteral("数据库连接失败，确认数据库%1是否在%2下!").arg(kDatabaseFileName, QDir::toNativeSeparators(DataFolderPath()));
    QString detail;
    if (!CheckDatabaseFile() && !CopyDatabaseFile(programFolder, &detail)) {
        if (errorMessage)
            *errorMessage = failure + QLatin1Char('\n') + detail;
        return nullptr;
    }
    try {
        auto db = std::make_unique<Database>(DatabaseFilePath(), Database::OpenMode::ReadWrite);
        // An empty or foreign file opens as a database but holds none of
        // the program's tables.
        Statement check = db->prepare("SELECT count(*) AS n FROM sqlite_master WHERE type = 'table' AND name = 'tbl_UserPassword'");
        if (!check.next() || check.integer(QStringLiteral("n")) == 0)
            throw DbError(0, QStringLiteral("文件中没有本程序的数据表。"), DatabaseFilePath());
        return db;
    } catch (const DbError &error) {
        qCDebug(lcTrace) << "opening the database failed:" << error.what();
        if (errorMessage)
            *errorMessage = failure + QLatin1Char('\n') + error.displayText();
        return nullptr;
    }
}

void CreateSchema(Database &db)
{
    InitAppResources();
    QFile file(QStringLiteral(":/jxc/schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(0, QStringLiteral("schema resource missing"), QStringLiteral("creating the database"));
    db.executeScript(QString::fromUtf8(file.readAll()));
}
