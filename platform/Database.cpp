#include "Database.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <future>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

Database *g_pConnection = nullptr;

Database &connection()
{
    if (!g_pConnection)
        throw DbError(SQLITE_MISUSE, QStringLiteral("数据库未连接"), QString());
    return *g_pConnection;
}

DbError::DbError(int code, const QString &message, const QString &context)
    : std::runtime_error((context.isEmpty() ? message : context + QStringLiteral(": ") + message).toStdString())
    , m_code(code)
    , m_message(message)
    , m_context(context)
{
}

QString DbError::displayText() const
{
    switch (m_code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("数据库正被其他程序使用，请稍后再试。");
    case SQLITE_READONLY:
        return QStringLiteral("数据库文件是只读的，不能写入。请检查文件和所在文件夹的权限。");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("没有读写数据库文件的权限。");
    case SQLITE_CANTOPEN:
        return QStringLiteral("无法打开数据库文件，文件不存在或没有权限。");
    case SQLITE_FULL:
        return QStringLiteral("磁盘已满，数据没有写入。");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("数据库文件已损坏，或者不是本程序的数据库。");
    case SQLITE_IOERR:
        return QStringLiteral("读写数据库文件时出错，请检查磁盘。");
    case SQLITE_NOMEM:
        return QStringLiteral("内存不足。");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("数据与已有记录冲突，没有写入。");
    case SQLITE_MISUSE:
        if (m_context.isEmpty())
            return QStringLiteral("数据库没有连接。");
        break;
    default:
        break;
    }
    return QStringLiteral("数据库出错（错误码 %1）。").arg(m_code);
}

QString DbError::detail() const
{
    return QString::fromStdString(what());
}

namespace {

constexpr const char *kSeenKeysType = "SeenKeys";

// first_sight(key, seen): see SeenKeys.
void firstSight(sqlite3_context *context, int, sqlite3_value **args)
{
    auto *seen = static_cast<SeenKeys *>(sqlite3_value_pointer(args[1], kSeenKeysType));
    if (!seen) {
        sqlite3_result_error(context, "first_sight() needs a SeenKeys bound as its second value", -1);
        return;
    }
    // NULL counts as the empty key.
    const auto *key = reinterpret_cast<const char *>(sqlite3_value_text(args[0]));
    const QByteArrayView text = key ? QByteArrayView(key, sqlite3_value_bytes(args[0])) : QByteArrayView("", 0);
    sqlite3_result_int(context, seen->Add(text) ? 1 : 0);
}

} // namespace

bool SeenKeys::Add(QByteArrayView key)
{
    if (m_last != 0) {
        const QByteArrayView last = keyAt(m_last);
        const bool same = last.size() == key.size()
            && (key.isEmpty() || std::memcmp(last.data(), key.data(), std::size_t(key.size())) == 0);
        if (same)
            return false;
    }
    // At most half the slots taken, so that a search for a free one stays
    // short.
    if (2 * (m_ends.size() + 1) > m_slots.size()) {
        std::vector<Slot> held(std::max<std::size_t>(1024, 2 * m_slots.size()));
        held.swap(m_slots);
        for (const Slot &slot : held) {
            if (slot.number != 0)
                slotFor(keyAt(slot.number), slot.hash) = slot;
        }
    }
    const auto hash = static_cast<std::uint32_t>(qHash(key));
    Slot &slot = slotFor(key, hash);
    if (slot.number != 0) {
        m_last = slot.number;
        return false;
    }
    m_keys.append(key.data(), std::size_t(key.size()));
    m_ends.push_back(m_keys.size());
    m_last = static_cast<std::uint32_t>(m_ends.size());
    slot = Slot{m_last, hash};
    return true;
}

QByteArrayView SeenKeys::keyAt(std::uint32_t number) const
{
    const std::size_t begin = number > 1 ? m_ends[number - 2] : 0;
    return QByteArrayView(m_keys.data() + begin, qsizetype(m_ends[number - 1] - begin));
}

SeenKeys::Slot &SeenKeys::slotFor(QByteArrayView key, std::uint32_t hash)
{
    // The slot holding the key, or the free one where it goes.
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot &slot = m_slots[i];
        if (slot.number == 0 || (slot.hash == hash && keyAt(slot.number) == key))
            return slot;
    }
}

Statement::Statement(Database &db, const char *sql)
    : m_db(db)
    , m_sql(QString::fromUtf8(sql))
{
    const int rc = sqlite3_prepare_v2(db.handle(), sql, -1, &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        db.throwError(rc, QStringLiteral("preparing \"%1\"").arg(m_sql));
    }
}

Statement::Statement(Statement &&other) noexcept
    : m_db(other.m_db)
    , m_stmt(std::exchange(other.m_stmt, nullptr))
    , m_sql(std::move(other.m_sql))
    , m_columns(std::move(other.m_columns))
{
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::fail(int rc) const
{
    m_db.throwError(rc, QStringLiteral("running \"%1\"").arg(m_sql));
}

Statement &Statement::bind(int index, const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    // An empty QByteArray still has a valid data() pointer, so an empty
    // text binds as '' and never as NULL.
    const int rc = sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

Statement &Statement::bind(int index, double value)
{
    const int rc = sqlite3_bind_double(m_stmt, index, value);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

Statement &Statement::bind(int index, std::int64_t value)
{
    const int rc = sqlite3_bind_int64(m_stmt, index, value);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

Statement &Statement::bind(int index, SeenKeys &seen)
{
    const int rc = sqlite3_bind_pointer(m_stmt, index, &seen, kSeenKeysType, nullptr);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

bool Statement::next()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(rc);
}

void Statement::run()
{
    while (next()) {
    }
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnIndex(const QString &name) const
{
    if (m_columns.isEmpty()) {
        const int count = sqlite3_column_count(m_stmt);
        for (int i = 0; i < count; ++i)
            m_columns.insert(QString::fromUtf8(sqlite3_column_name(m_stmt, i)).toLower(), i);
    }
    return m_columns.value(name.toLower(), -1);
}

bool Statement::hasColumn(const QString &name) const
{
    return columnIndex(name) >= 0;
}

QString Statement::text(const QString &name) const
{
    const int i = columnIndex(name);
    if (i < 0)
        return QString();
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i));
    if (!data)
        return QString();
    return QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, i));
}

QString Statement::textAt(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return data ? QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column)) : QString();
}

QByteArrayView Statement::utf8At(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return data ? QByteArrayView(data, sqlite3_column_bytes(m_stmt, column)) : QByteArrayView();
}

double Statement::real(const QString &name) const
{
    const int i = columnIndex(name);
    return i < 0 ? 0.0 : sqlite3_column_double(m_stmt, i);
}

std::int64_t Statement::integer(const QString &name) const
{
    const int i = columnIndex(name);
    return i < 0 ? 0 : sqlite3_column_int64(m_stmt, i);
}

Database::Database(const QString &path, OpenMode mode)
    : m_path(path)
{
    int flags = SQLITE_OPEN_READWRITE;
    if (mode == OpenMode::Create)
        flags |= SQLITE_OPEN_CREATE;
    if (mode == OpenMode::ReadOnly)
        flags = SQLITE_OPEN_READONLY;
    // The program reaches its connection from one thread only: SQLite's
    // lock around every call (two per value read) is pure cost.
    flags |= SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(m_db);
        m_db = nullptr;
        throw DbError(rc, message, QStringLiteral("opening %1").arg(path));
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, 2000);
    try {
        const int defined = sqlite3_create_function_v2(
            m_db, "first_sight", 2, SQLITE_UTF8 | SQLITE_DIRECTONLY, nullptr, firstSight, nullptr, nullptr, nullptr);
        if (defined != SQLITE_OK)
            throwError(defined, QStringLiteral("defining first_sight()"));
        // A file that is not a database only shows itself at the first read.
        executeScript(QStringLiteral("PRAGMA foreign_keys = OFF; SELECT count(*) FROM sqlite_master;"));
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

Database::~Database()
{
    sqlite3_close_v2(m_db);
}

void Database::throwError(int rc, const QString &context) const
{
    const QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
    throw DbError(rc, message, context);
}

void Database::executeScript(const QString &sql)
{
    char *error = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString message = error ? QString::fromUtf8(error) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_free(error);
        throw DbError(rc, message, QStringLiteral("running SQL script"));
    }
}

int Database::changes() const
{
    return sqlite3_changes(m_db);
}

void Database::insertRow(const QString &table, const Row &row)
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    QStringList columns;
    QStringList marks;
    if (!identifier.match(table).hasMatch())
        throw DbError(SQLITE_MISUSE, QStringLiteral("bad table name"), table);
    for (const auto &[column, value] : row) {
        if (!identifier.match(column).hasMatch())
            throw DbError(SQLITE_MISUSE, QStringLiteral("bad column name"), column);
        columns << column;
        marks << QStringLiteral("?");
    }
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    Statement insert(*this, sql.toUtf8().constData());
    int index = 1;
    for (const auto &pair : row)
        insert.bind(index++, pair.second);
    insert.run();
}

Transaction::Transaction(Database &db)
    : m_db(db)
{
    m_db.executeScript(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (!m_done) {
        try {
            m_db.executeScript(QStringLiteral("ROLLBACK"));
        } catch (const DbError &) {
            // Nothing more can be done from a destructor; the failed write
            // has already been reported by whoever threw.
        }
    }
}

void Transaction::commit()
{
    m_db.executeScript(QStringLiteral("COMMIT"));
    m_done = true;
}

// --- Whole-file operations (backup and restore) ---

namespace {

// Why a file call failed, as the SQLite result code the rest of the
// program turns into a sentence.
int FileErrorCode(int error)
{
    return error == ENOSPC || error == EDQUOT ? SQLITE_FULL : SQLITE_IOERR;
}

// Writes all of `data` at the file's position; 0, or errno.
int WriteAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        data += written;
        size -= size_t(written);
    }
    return 0;
}

int SyncFile(int fd)
{
    return ::fsync(fd) == 0 ? 0 : errno;
}

// The open file behind the main database; null for one kept in memory.
sqlite3_file *MainFile(sqlite3 *db)
{
    sqlite3_file *file = nullptr;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file || !file->pMethods)
        return nullptr;
    return file;
}

// Closes a file descriptor when it goes out of scope.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {
    }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }
    // Closes now; 0, or errno (a network drive may report a failed write
    // only here).
    int close() { return ::close(std::exchange(m_fd, -1)) == 0 ? 0 : errno; }

private:
    int m_fd;
};

} // namespace

QString Database::journalMode()
{
    Statement mode = prepare("PRAGMA main.journal_mode");
    return mode.next() ? mode.textAt(0) : QString();
}

bool Database::whileFileSettled(const std::function<void()> &action)
{
    if (!m_db)
        throw DbError(SQLITE_MISUSE, QStringLiteral("connection closed"), m_path);
    if (!sqlite3_get_autocommit(m_db) || !MainFile(m_db))
        return false;
    // The read takes the shared lock (playing back a journal left by a
    // crashed writer first); until COMMIT no writer can change the file.
    executeScript(QStringLiteral("BEGIN; SELECT count(*) FROM sqlite_master;"));
    const auto endRead = [this] { executeScript(QStringLiteral("COMMIT")); };
    try {
        // Committed pages may still be in the -wal file only.
        if (journalMode().compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0) {
            endRead();
            return false;
        }
        action();
    } catch (...) {
        try {
            endRead();
        } catch (const DbError &) {
            // The first failure is the one to report.
        }
        throw;
    }
    endRead();
    return true;
}

bool Database::copyFileTo(int fd, const std::function<void()> &meanwhile, const QString &context)
{
    // Large reads and writes: through the backup API each page costs a read
    // and a write of its own.
    const bool settled = whileFileSettled([&] {
        sqlite3_file *file = MainFile(m_db);
        sqlite3_int64 size = 0;
        int rc = file->pMethods->xFileSize(file, &size);
        std::vector<char> chunk(1 << 20);
        for (sqlite3_int64 offset = 0; rc == SQLITE_OK && offset < size; offset += sqlite3_int64(chunk.size())) {
            const int length = int(std::min<sqlite3_int64>(sqlite3_int64(chunk.size()), size - offset));
            rc = file->pMethods->xRead(file, chunk.data(), length, offset);
            if (rc != SQLITE_OK)
                break;
            if (const int error = WriteAll(fd, chunk.data(), size_t(length)))
                throw DbError(FileErrorCode(error), QString::fromLocal8Bit(std::strerror(error)), context);
        }
        if (rc != SQLITE_OK)
            throw DbError(rc, QString::fromUtf8(sqlite3_errstr(rc)), context);
    });
    if (!settled)
        return false;
    // Forcing a large file to disk takes about as long as checking it: the
    // two run at once.
    std::future<int> synced;
    if (meanwhile) {
        try {
            synced = std::async(std::launch::async, SyncFile, fd);
        } catch (const std::system_error &) {
            // No thread to spare: one after the other.
        }
        try {
            meanwhile();
        } catch (...) {
            if (synced.valid())
                synced.wait();
            throw;
        }
    }
    const int error = synced.valid() ? synced.get() : SyncFile(fd);
    if (error != 0)
        throw DbError(FileErrorCode(error), QString::fromLocal8Bit(std::strerror(error)), context);
    return true;
}

void Database::backupTo(const QString &target, const QString &context) const
{
    sqlite3 *copy = nullptr;
    int rc = sqlite3_open_v2(target.toUtf8().constData(), &copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString message;
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(copy, 1);
        // One step copies every page while the source stays readable and
        // writable by this connection afterwards.
        sqlite3_backup *backup = sqlite3_backup_init(copy, "main", m_db, "main");
        if (!backup) {
            rc = sqlite3_errcode(copy);
        } else {
            rc = sqlite3_backup_step(backup, -1);
            const int finished = sqlite3_backup_finish(backup);
            if (rc == SQLITE_DONE)
                rc = finished;
        }
    }
    if (rc != SQLITE_OK)
        message = copy ? QString::fromUtf8(sqlite3_errmsg(copy)) : QString::fromUtf8(sqlite3_errstr(rc));
    const int closed = sqlite3_close(copy);
    if (rc == SQLITE_OK && closed != SQLITE_OK) {
        rc = closed;
        message = QString::fromUtf8(sqlite3_errstr(rc));
    }
    if (rc != SQLITE_OK)
        throw DbError(rc, message, context);
}

void Database::copyTo(const QString &target, const std::function<void()> &meanwhile)
{
    const QString context = QStringLiteral("copying %1 to %2").arg(m_path, target);
    if (!m_db)
        throw DbError(SQLITE_MISUSE, QStringLiteral("connection closed"), context);
    const QFileInfo existing(target);
    if (existing.exists() && (!existing.isFile() || existing.size() > 0))
        throw DbError(SQLITE_CANTOPEN, QStringLiteral("target file exists"), context);
    try {
        FileDescriptor copy(::open(QFile::encodeName(target).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
        if (copy.get() < 0)
            throw DbError(SQLITE_CANTOPEN, QString::fromLocal8Bit(std::strerror(errno)), context);
        const bool copied = copyFileTo(copy.get(), meanwhile, context);
        if (const int error = copy.close())
            throw DbError(FileErrorCode(error), QString::fromLocal8Bit(std::strerror(error)), context);
        if (!copied) {
            backupTo(target, context);
            if (meanwhile)
                meanwhile();
        }
    } catch (...) {
        // A half-written copy must never be mistaken for a good one.
        QFile::remove(target);
        QFile::remove(target + QStringLiteral("-journal"));
        throw;
    }
}

void Database::close()
{
    if (!m_db)
        return;
    const int rc = sqlite3_close(m_db);
    if (rc != SQLITE_OK)
        throwError(rc, QStringLiteral("closing %1").arg(m_path));
    m_db = nullptr;
}

void Database::reopen()
{
    close();
    // The constructor's opening and checks, then its handle moves here.
    Database fresh(m_path, OpenMode::ReadWrite);
    m_db = std::exchange(fresh.m_db, nullptr);
}
