#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

class Database;

// Whole-file copies of the database in use: a backup into a file the user
// names, and the restore of such a file in place of the database. Both copy
// through Database::copyTo(), so the copy is consistent while the
// connection stays open, and both write a new file first and rename it
// into place, so that a failure never leaves a half-written file where a
// good one was. Never opens a window: failures come back as sentences that
// say why, for the caller to show after "数据库备份失败：" or
// "数据库恢复失败：".
class DatabaseCopy
{
public:
    // The steps of a restore, in order, as the step observer sees them.
    enum class RestoreStep { CheckSource, SideCopy, CopySource, Close, Replace, Reopen };
    // Told the step about to run and the file it works on.
    using StepObserver = std::function<void(RestoreStep step, const QString &file)>;

    struct RestoreOutcome
    {
        bool restored = false;
        // Why it failed; empty after a restore.
        QString error;
        // The copy of the data as it was before, kept in the data folder
        // (empty when none is left: a restore that fails before the
        // database file was replaced removes the copy it made).
        QString sideCopy;
    };

    explicit DatabaseCopy(Database &live);

    // Copies the database into `target`, replacing a file of that name only
    // once the copy is complete. Empty on success, else why it failed.
    QString Backup(const QString &target);

    // Puts the database file `source` in place of the database in use:
    // opens it, keeps a side copy of the data in use, copies `source` into
    // the data folder and checks that copy, closes the connection, renames
    // the copy over the database file and reopens the connection on it. On
    // failure the connection is open on the old data again wherever that
    // was possible (see Database::isOpen()).
    RestoreOutcome Restore(const QString &source, const QDateTime &now = QDateTime::currentDateTime());

    // Lets a caller watch (or, in tests, disturb) each step of a restore.
    void SetStepObserver(StepObserver observer) { m_observer = std::move(observer); }

    // "汀岑进销存恢复前-yyyyMMdd-HHmmss.mdb" from the local time.
    static QString SideCopyFileName(const QDateTime &when);
    // Every table the program's schema creates: what a database of this
    // program holds.
    static const QStringList &RequiredTables();
    // The first required table the database lacks; empty when it has all.
    static QString MissingTable(Database &db);

private:
    // Puts the old data back after the connection was closed: reopens the
    // old file, or, once it was replaced, renames the side copy back first.
    // Adds to the outcome's error what could not be done.
    void TakeBackOldData(bool replaced, RestoreOutcome &outcome);
    void Notify(RestoreStep step, const QString &file) const;

    Database &m_live;
    StepObserver m_observer;
};
