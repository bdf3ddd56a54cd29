#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// Any failure of the database layer: SQLite's result code, its message and
// what the program was doing when it happened.
class DbError : public std::runtime_error
{
public:
    DbError(int code, const QString &message, const QString &context);

    int code() const { return m_code; }
    QString message() const { return m_message; }
    QString context() const { return m_context; }
    // Why it failed, as a sentence the shop's staff understand, e.g.
    // "数据库正被其他程序使用，请稍后再试。". Never holds SQL or SQLite's text.
    QString displayText() const;
    // What happened in the developer's terms: the context (often the SQL)
    // and SQLite's message; for the trace log only.
    QString detail() const;

private:
    int m_code;
    QString m_message;
    QString m_context;
};

class Database;

// The keys one run of a statement has met, for the program's SQL function
// first_sight(key, seen): true (1) the first time a key is passed with the
// set, false (0) after; NULL counts as the empty key. Bound to a statement
// with Statement::bind. A WHERE with first_sight keeps one row per key, and
// SQLite never reads the other rows' columns: a bill's first line out of
// all its lines. SQLite tests a WHERE's parts in an order of its own: a
// condition that must hold before a key counts as seen goes in a CASE
// around first_sight.
class SeenKeys
{
public:
    // Adds the key; true when it was not held yet.
    bool Add(QByteArrayView key);

private:
    // Open addressing: a key's number (from 1; 0 for a free slot) and its
    // hash, so that a search compares a key only where the hash matches.
    struct Slot
    {
        std::uint32_t number = 0;
        std::uint32_t hash = 0;
    };
    QByteArrayView keyAt(std::uint32_t number) const;
    Slot &slotFor(QByteArrayView key, std::uint32_t hash);

    // Every key held, end to end, and where each one ends.
    std::string m_keys;
    std::vector<std::size_t> m_ends;
    std::vector<Slot> m_slots;
    // The key met last: rows of one key mostly come together.
    std::uint32_t m_last = 0;
};

// One prepared statement with bound values. It owns its sqlite3_stmt and
// finalizes it; rows are read by column name, never by position.
class Statement
{
public:
    Statement(Database &db, const char *sql);
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&) = delete;
    Statement(const Statement &) = delete;
    ~Statement();

    // Binds are 1-based, in the order of the '?' placeholders.
    Statement &bind(int index, const QString &value);
    Statement &bind(int index, const char *value) { return bind(index, QString::fromUtf8(value)); }
    Statement &bind(int index, double value);
    Statement &bind(int index, std::int64_t value);
    Statement &bind(int index, int value) { return bind(index, static_cast<std::int64_t>(value)); }
    // The set a first_sight(key, ?) of the statement fills; it must outlive
    // the run.
    Statement &bind(int index, SeenKeys &seen);

    // Binds every argument in order, starting at placeholder 1.
    template<typename... Args>
    Statement &bindAll(const Args &...args)
    {
        int index = 1;
        (bind(index++, args), ...);
        return *this;
    }

    // Steps once; true while a row is available.
    bool next();
    // Runs a statement that yields no rows (or ignores them).
    void run();
    // Ready to run again with new values.
    void reset();

    bool hasColumn(const QString &name) const;
    // A NULL or missing column reads as an empty text.
    QString text(const QString &name) const;
    double real(const QString &name) const;
    std::int64_t integer(const QString &name) const;
    // For aggregates whose column has no useful name.
    QString textAt(int column) const;
    // The column's UTF-8 text as SQLite holds it, valid until the next step
    // or reset; NULL reads as empty. For reading many rows without making
    // a QString of every value.
    QByteArrayView utf8At(int column) const;

private:
    int columnIndex(const QString &name) const;
    [[noreturn]] void fail(int rc) const;

    Database &m_db;
    sqlite3_stmt *m_stmt = nullptr;
    QString m_sql;
    mutable QHash<QString, int> m_columns;
};

// The program's one connection. Everything that reaches the database goes
// through an instance of this class; `g_pConnection` points at the
// program's own.
class Database
{
public:
    enum class OpenMode { ReadWrite, Create, ReadOnly };

    // Opens the file; ReadWrite and ReadOnly never create it. Throws DbError.
    Database(const QString &path, OpenMode mode);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    QString path() const { return m_path; }
    sqlite3 *handle() const { return m_db; }

    Statement prepare(const char *sql) { return Statement(*this, sql); }
    // Runs SQL text without values (schema scripts, pragmas).
    void executeScript(const QString &sql);
    int changes() const;

    // Adds one row from column/value pairs. Column names come from the
    // program, never from the user; values are bound.
    using Row = std::vector<std::pair<QString, QString>>;
    void insertRow(const QString &table, const Row &row);

    [[noreturn]] void throwError(int rc, const QString &context) const;

    // --- Whole-file operations (backup and restore) ---
    // Runs `action` while the file at path() holds exactly the committed
    // data and nobody can write to it: inside a read transaction of this
    // connection, in a rollback-journal mode. Returns false without running
    // it where the file alone does not hold the data: in WAL mode, inside a
    // transaction of this connection, for a database without a file.
    // Throws DbError, and passes on what `action` throws.
    bool whileFileSettled(const std::function<void()> &action);
    // Copies the whole database into a new file at `target`: one that does
    // not exist yet, or an empty one the caller just made. The copy is
    // consistent while the connection stays open and usable: the file's
    // bytes read while it is settled (see whileFileSettled()), else a copy
    // through SQLite's online backup API. `meanwhile`, when given, runs once
    // the copy is complete and readable, while it is still being forced to
    // disk (e.g. a check of the copy); what it throws fails the copy. The
    // copy is on disk when copyTo() returns; on failure no file is left
    // behind. Throws DbError.
    void copyTo(const QString &target, const std::function<void()> &meanwhile = {});
    // Closes the connection for real; fails (DbError, still open) while a
    // statement is unfinished. Every later call fails until reopen().
    void close();
    bool isOpen() const { return m_db != nullptr; }
    // Opens path() again for reading and writing, closing first when open.
    // The object stays the same, so `g_pConnection` keeps pointing at it.
    // Throws DbError; the connection is then closed.
    void reopen();

private:
    // "delete", "wal", ... as PRAGMA journal_mode says.
    QString journalMode();
    // The file's bytes into the file open as `fd`; false when the file alone
    // does not hold the data.
    bool copyFileTo(int fd, const std::function<void()> &meanwhile, const QString &context);
    void backupTo(const QString &target, const QString &context) const;

    sqlite3 *m_db = nullptr;
    QString m_path;
};

// A write that spans several statements. Commits explicitly; rolls back in
// its destructor when commit() was not reached.
class Transaction
{
public:
    explicit Transaction(Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    Database &m_db;
    bool m_done = false;
};

extern Database *g_pConnection;

// The program's connection; throws DbError when there is none.
Database &connection();
