#include "ProgramDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <sqlite3.h>

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

namespace {

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Every failure but a missing file starts so: the old advice to look for
// the file in its folder would send the person the wrong way.
const QString kConnectFailed = QStringLiteral("数据库连接失败。");

QString whereTheFileIs(const QString &path)
{
    return QStringLiteral("数据库文件位置：%1").arg(shownPath(path));
}

// A file that is there but unusable: the person can put a backup in its
// place, so they are told where it is.
QString restoreAdvice(const QString &path)
{
    return whereTheFileIs(path) + QStringLiteral("\n如有备份，请用备份的数据库文件替换它，再启动本程序。");
}

QString noPermission(const QString &path)
{
    return kConnectFailed + QStringLiteral("没有读写数据库文件的权限，请检查该文件和所在文件夹的权限。\n")
        + whereTheFileIs(path);
}

QString openFailure(const DbError &error, const QString &path)
{
    switch (error.code() & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return kConnectFailed + QStringLiteral("数据库文件正被其他程序使用，请关闭使用它的程序后再启动本程序。\n")
            + whereTheFileIs(path);
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return kConnectFailed + QStringLiteral("数据库文件已损坏，或者不是本程序的数据库。\n") + restoreAdvice(path);
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
        return noPermission(path);
    default:
        return kConnectFailed + error.displayText() + QLatin1Char('\n') + whereTheFileIs(path);
    }
}

} // namespace

std::unique_ptr<Database> OpenProgramDatabase(const QString &programFolder, QString *errorMessage)
{
    const QString folder = DataFolderPath();
    const QString path = DatabaseFilePath();
    auto fail = [errorMessage](const QString &message) -> std::unique_ptr<Database> {
        if (errorMessage)
            *errorMessage = message;
        return nullptr;
    };

    if (!QDir().mkpath(folder))
        return fail(kConnectFailed
                    + QStringLiteral("无法创建数据文件夹 %1，请检查该位置的权限。").arg(shownPath(folder)));
    if (!QFileInfo::exists(path)) {
        const QString source = QDir(programFolder).filePath(kDatabaseFileName);
        if (!QFileInfo::exists(source))
            return fail(QStringLiteral("数据库连接失败，确认数据库%1是否在%2下!\n程序文件夹中也没有可复制的空数据库 %3。")
                            .arg(kDatabaseFileName, shownPath(folder), shownPath(source)));
        QString detail;
        if (!CopyDatabaseFile(programFolder, &detail)) {
            qCDebug(lcTrace) << "copying the empty database failed:" << detail;
            return fail(kConnectFailed
                        + QStringLiteral("无法把空数据库复制到数据文件夹 %1，请检查该文件夹的权限和磁盘空间。")
                              .arg(shownPath(folder)));
        }
    }
    // SQLite opens a write-protected file for reading only and keeps its
    // journal beside the file; either would fail only at the first save.
    if (!CheckDatabaseFile() || !QFileInfo(folder).isWritable())
        return fail(noPermission(path));

    try {
        auto db = std::make_unique<Database>(path, Database::OpenMode::ReadWrite);
        // An empty or foreign file opens as a database but holds none of
        // the program's tables.
        bool hasTables = false;
        {
            Statement check = db->prepare(
                "SELECT count(*) AS n FROM sqlite_master WHERE type = 'table' AND name = 'tbl_UserPassword'");
            hasTables = check.next() && check.integer(QStringLiteral("n")) > 0;
        }
        if (!hasTables)
            return fail(kConnectFailed + QStringLiteral("数据库文件是空的，或者缺少本程序的数据表。\n") + restoreAdvice(path));
        try {
            UpdateIndexes(*db);
        } catch (const DbError &error) {
            // The data is all there; only searches may be slower.
            qCDebug(lcTrace) << "updating the indexes failed:" << error.detail();
        }
        return db;
    } catch (const DbError &error) {
        qCDebug(lcTrace) << "opening the database failed:" << error.detail();
        return fail(openFailure(error, path));
    }
}

namespace {

QString schemaText()
{
    InitAppResources();
    QFile file(QStringLiteral(":/jxc/schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(0, QStringLiteral("schema resource missing"), QStringLiteral("reading the schema"));
    return QString::fromUtf8(file.readAll());
}

QString withoutSpaces(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s+")));
}

} // namespace

void CreateSchema(Database &db)
{
    db.executeScript(schemaText());
}

void UpdateIndexes(Database &db)
{
    static const QRegularExpression createIndex(
        QStringLiteral("CREATE\\s+(?:UNIQUE\\s+)?INDEX\\s+(\\w+)\\s+ON[^;]*"), QRegularExpression::CaseInsensitiveOption);
    Transaction transaction(db);
    Statement stored = db.prepare("SELECT sql FROM sqlite_master WHERE type = 'index' AND name = ?");
    auto it = createIndex.globalMatch(schemaText());
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const QString name = match.captured(1);
        const QString wanted = match.captured(0);
        stored.reset();
        stored.bind(1, name);
        const bool exists = stored.next();
        if (exists && withoutSpaces(stored.text(QStringLiteral("sql"))) == withoutSpaces(wanted))
            continue;
        stored.reset();
        qCDebug(lcTrace) << "making the index again:" << name;
        if (exists)
            db.executeScript(QStringLiteral("DROP INDEX %1").arg(name));
        db.executeScript(wanted);
    }
    transaction.commit();
}
