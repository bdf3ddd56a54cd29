#include "DatabaseCopy.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUuid>

#include "Database.h"
#include "GlobalFunctions.h"
#include "ProgramDatabase.h"

namespace {

QString Native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Why a file operation failed, in the words the shop's staff use.
QString FileErrorText(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("没有写入权限");
    case EROFS:
        return QStringLiteral("磁盘是只读的");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("磁盘已满");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("文件夹不存在");
    case EISDIR:
        return QStringLiteral("同名的文件夹已存在");
    case EXDEV:
        return QStringLiteral("不在同一个磁盘上");
    default:
        return QStringLiteral("系统错误 %1").arg(error);
    }
}

// Makes a new empty file; 0, or errno when it cannot (EEXIST when a file of
// that name is there).
int CreateNewFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    ::close(fd);
    return 0;
}

// Replaces `to` by `from` in one step: whoever looks finds either the old
// file or the new one. 0, or errno.
int RenameOver(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0 ? 0 : errno;
}

// Makes a rename in the folder survive a power cut.
void SyncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

bool IsSameFile(const QString &a, const QString &b)
{
    // Links, "..", and other spellings of one path name one file.
    std::error_code error;
    const bool same = std::filesystem::equivalent(std::filesystem::path(QFile::encodeName(a).toStdString()),
        std::filesystem::path(QFile::encodeName(b).toStdString()), error);
    return !error && same;
}

// A hidden name in the folder that nobody else uses.
QString TemporaryPath(const QString &folder, const QString &stem)
{
    const QString tag = QUuid::createUuid().toString(QUuid::Id128).left(12);
    return QDir(folder).filePath(QStringLiteral(".%1.%2.tmp").arg(stem, tag));
}

// Makes the new file at a fresh temporary name; empty with `error` set
// when the folder takes no file.
QString CreateTemporaryFile(const QString &folder, const QString &stem, int *error)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        const QString path = TemporaryPath(folder, stem);
        *error = CreateNewFile(path);
        if (*error != EEXIST)
            return *error == 0 ? path : QString();
    }
    return QString();
}

// Makes `target`, an empty file just made in the folder of `file`, a second
// name of `file`; false, with `target` as it was, where the file system has
// no such names. A later rename over `file` then leaves the data under
// `target` without a byte copied. A link to a link names the file it leads
// to, so that the rename cannot change what `target` holds.
bool LinkInPlaceOf(const QString &file, const QString &target)
{
    const QString link = TemporaryPath(QFileInfo(target).absolutePath(), QFileInfo(target).fileName());
    if (::linkat(AT_FDCWD, QFile::encodeName(file).constData(), AT_FDCWD, QFile::encodeName(link).constData(),
            AT_SYMLINK_FOLLOW)
        != 0)
        return false;
    if (RenameOver(link, target) != 0) {
        QFile::remove(link);
        return false;
    }
    return true;
}

// The reason of a failed database call; the developer's detail goes to
// the trace log.
QString Reason(const DbError &error)
{
    TraceLog(QStringLiteral("database copy: %1").arg(error.detail()));
    return error.displayText();
}

// Removes what SQLite may have left beside a closed database file: a
// journal of the old file must never be applied to the new one.
void RemoveLeftovers(const QString &databasePath)
{
    for (const char *suffix : {"-journal", "-wal", "-shm"})
        QFile::remove(databasePath + QLatin1String(suffix));
}

// Why the data of `db`, read from the file at `path`, cannot be restored;
// empty when it can. The messages name `path`.
QString CheckData(Database &db, const QString &path)
{
    const QString name = Native(path);
    try {
        Statement check = db.prepare("PRAGMA quick_check");
        if (!check.next() || check.textAt(0) != QLatin1String("ok"))
            return QStringLiteral("“%1”已损坏，没有通过数据库检查。").arg(name);
    } catch (const DbError &failure) {
        Reason(failure);
        return QStringLiteral("“%1”已损坏，没有通过数据库检查。").arg(name);
    }
    try {
        const QString missing = DatabaseCopy::MissingTable(db);
        if (!missing.isEmpty())
            return QStringLiteral("“%1”不是本程序的数据库，其中没有数据表 %2。").arg(name, missing);
    } catch (const DbError &failure) {
        return QStringLiteral("无法读取“%1”：%2").arg(name, Reason(failure));
    }
    return QString();
}

// Why the copy at `path` of the chosen file `source` cannot be restored;
// empty when it can. The copy is what replaces the database, so the copy
// is what is checked.
QString CheckCopy(const QString &path, const QString &source)
{
    QString refusal;
    try {
        Database copy(path, Database::OpenMode::ReadOnly);
        refusal = CheckData(copy, source);
    } catch (const DbError &failure) {
        refusal = QStringLiteral("“%1”无法作为数据库打开：%2").arg(Native(source), Reason(failure));
    }
    // Reading a copy in WAL mode leaves an empty -wal and -shm beside it.
    RemoveLeftovers(path);
    return refusal;
}

} // namespace

DatabaseCopy::DatabaseCopy(Database &live)
    : m_live(live)
{
}

QString DatabaseCopy::SideCopyFileName(const QDateTime &when)
{
    return QStringLiteral("汀岑进销存恢复前-%1.mdb").arg(when.toString(QStringLiteral("yyyyMMdd-HHmmss")));
}

const QStringList &DatabaseCopy::RequiredTables()
{
    static const QStringList tables = [] {
        Database schema(QStringLiteral(":memory:"), Database::OpenMode::Create);
        CreateSchema(schema);
        QStringList names;
        Statement query = schema.prepare(
            "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
            "ORDER BY name");
        while (query.next())
            names << query.text(QStringLiteral("name"));
        return names;
    }();
    return tables;
}

QString DatabaseCopy::MissingTable(Database &db)
{
    QSet<QString> present;
    Statement query = db.prepare("SELECT name FROM sqlite_master WHERE type = 'table'");
    while (query.next())
        present.insert(query.text(QStringLiteral("name")).toLower());
    for (const QString &table : RequiredTables()) {
        if (!present.contains(table.toLower()))
            return table;
    }
    return QString();
}

void DatabaseCopy::Notify(RestoreStep step, const QString &file) const
{
    if (m_observer)
        m_observer(step, file);
}

QString DatabaseCopy::Backup(const QString &target)
{
    if (IsSameFile(target, m_live.path()))
        return QStringLiteral("不能备份到正在使用的数据库文件本身。");
    const QString folder = QFileInfo(target).absolutePath();
    int error = 0;
    const QString partial = CreateTemporaryFile(folder, QFileInfo(target).fileName(), &error);
    if (partial.isEmpty())
        return QStringLiteral("无法在“%1”中写入文件：%2。").arg(Native(folder), FileErrorText(error));
    try {
        m_live.copyTo(partial);
    } catch (const DbError &failure) {
        QFile::remove(partial);
        return QStringLiteral("复制数据库时出错：%1").arg(Reason(failure));
    }
    error = RenameOver(partial, target);
    if (error != 0) {
        QFile::remove(partial);
        return QStringLiteral("无法写入“%1”：%2。").arg(Native(target), FileErrorText(error));
    }
    SyncFolder(folder);
    return QString();
}

DatabaseCopy::RestoreOutcome DatabaseCopy::Restore(const QString &source, const QDateTime &now)
{
    RestoreOutcome outcome;
    const QString livePath = m_live.path();
    const QString folder = QFileInfo(livePath).absolutePath();

    // 1. The chosen file: not the database itself, a file SQLite opens.
    // Nothing has changed yet.
    Notify(RestoreStep::CheckSource, source);
    if (IsSameFile(source, livePath)) {
        outcome.error = QStringLiteral("“%1”就是正在使用的数据库。").arg(Native(source));
        return outcome;
    }
    if (!QFileInfo(source).isFile()) {
        outcome.error = QStringLiteral("找不到文件“%1”。").arg(Native(source));
        return outcome;
    }
    std::unique_ptr<Database> chosen;
    try {
        chosen = std::make_unique<Database>(source, Database::OpenMode::ReadOnly);
    } catch (const DbError &failure) {
        outcome.error = QStringLiteral("“%1”无法作为数据库打开：%2").arg(Native(source), Reason(failure));
        return outcome;
    }

    // 2. A copy of the data in use: a second name of the database file
    // where the file system allows (the rename in step 4 leaves the old
    // data under it), else a copy. Once the database file was replaced the
    // program never deletes it; until then it holds nothing the file does
    // not, and a failure removes it again (on a full disk each retry would
    // otherwise leave another full-size copy behind).
    int error = 0;
    QString sideCopy;
    for (int attempt = 0; attempt < 100 && sideCopy.isEmpty(); ++attempt) {
        QString name = SideCopyFileName(now);
        if (attempt > 0)
            name.insert(name.size() - 4, QStringLiteral("-%1").arg(attempt + 1));
        const QString path = QDir(folder).filePath(name);
        error = CreateNewFile(path);
        if (error == 0)
            sideCopy = path;
        else if (error != EEXIST)
            break;
    }
    if (sideCopy.isEmpty()) {
        outcome.error
            = QStringLiteral("无法在“%1”中保存当前数据的副本：%2。").arg(Native(folder), FileErrorText(error));
        return outcome;
    }
    Notify(RestoreStep::SideCopy, sideCopy);
    try {
        bool linked = false;
        m_live.whileFileSettled([&] { linked = LinkInPlaceOf(livePath, sideCopy); });
        if (!linked)
            m_live.copyTo(sideCopy);
    } catch (const DbError &failure) {
        QFile::remove(sideCopy);
        outcome.error = QStringLiteral("无法保存当前数据的副本：%1").arg(Reason(failure));
        return outcome;
    }
    outcome.sideCopy = sideCopy;
    const auto failBeforeReplace = [&outcome](const QString &error) {
        outcome.error = error;
        QFile::remove(outcome.sideCopy);
        outcome.sideCopy.clear();
    };

    // 3. The chosen file, copied beside the database file so that the
    // rename below stays on one file system, and the copy checked: opened,
    // undamaged, a database of this program.
    const QString incoming = CreateTemporaryFile(folder, QStringLiteral("汀岑进销存恢复"), &error);
    if (incoming.isEmpty()) {
        failBeforeReplace(QStringLiteral("无法在“%1”中写入文件：%2。").arg(Native(folder), FileErrorText(error)));
        return outcome;
    }
    Notify(RestoreStep::CopySource, incoming);
    QString refusal;
    try {
        chosen->copyTo(incoming, [&] { refusal = CheckCopy(incoming, source); });
    } catch (const DbError &failure) {
        QFile::remove(incoming);
        failBeforeReplace(QStringLiteral("无法复制“%1”：%2").arg(Native(source), Reason(failure)));
        return outcome;
    }
    chosen.reset();
    if (!refusal.isEmpty()) {
        QFile::remove(incoming);
        failBeforeReplace(refusal);
        return outcome;
    }

    // 4. The switch: close, rename, reopen and check.
    Notify(RestoreStep::Close, livePath);
    try {
        m_live.close();
    } catch (const DbError &failure) {
        QFile::remove(incoming);
        failBeforeReplace(QStringLiteral("无法关闭正在使用的数据库：%1").arg(Reason(failure)));
        return outcome;
    }
    RemoveLeftovers(livePath);
    Notify(RestoreStep::Replace, incoming);
    error = RenameOver(incoming, livePath);
    if (error != 0) {
        QFile::remove(incoming);
        failBeforeReplace(
            QStringLiteral("无法替换数据库文件“%1”：%2。").arg(Native(livePath), FileErrorText(error)));
        TakeBackOldData(false, outcome);
        return outcome;
    }
    SyncFolder(folder);
    Notify(RestoreStep::Reopen, livePath);
    QString reason;
    try {
        m_live.reopen();
        const QString missing = MissingTable(m_live);
        if (!missing.isEmpty())
            reason = QStringLiteral("其中没有数据表 %1。").arg(missing);
    } catch (const DbError &failure) {
        reason = Reason(failure);
    }
    if (!reason.isEmpty()) {
        outcome.error = QStringLiteral("恢复后的数据库无法打开：%1").arg(reason);
        TakeBackOldData(true, outcome);
        return outcome;
    }
    outcome.restored = true;
    return outcome;
}

void DatabaseCopy::TakeBackOldData(bool replaced, RestoreOutcome &outcome)
{
    const QString livePath = m_live.path();
    try {
        m_live.close();
    } catch (const DbError &failure) {
        Reason(failure);
    }
    if (replaced) {
        RemoveLeftovers(livePath);
        if (RenameOver(outcome.sideCopy, livePath) != 0) {
            outcome.error += QStringLiteral("\n原来的数据保存在“%1”。").arg(Native(outcome.sideCopy));
            return;
        }
        // The side copy is the database file again.
        outcome.sideCopy.clear();
        SyncFolder(QFileInfo(livePath).absolutePath());
    }
    try {
        m_live.reopen();
    } catch (const DbError &failure) {
        Reason(failure);
        outcome.error += QStringLiteral("\n原来的数据库也无法重新打开。");
    }
}
