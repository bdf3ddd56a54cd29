#pragma once

// Test pieces of the application frame that the other subsystems' tests may
// use too: a database another program holds locked, a cache folder of the
// test's own for exports, and the developer trace caught while it lives.

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

#include "Database.h"
#include "ScriptedInteraction.h"

// Another connection holds the file locked (BEGIN EXCLUSIVE) while this
// lives, and the program's connection stops waiting for it, so every read
// and write of the program fails at once with SQLite's "busy".
class DatabaseHeldElsewhere
{
public:
    DatabaseHeldElsewhere(Database &program, const QString &path)
        : m_program(program)
        , m_other(std::make_unique<Database>(path, Database::OpenMode::ReadWrite))
    {
        m_other->executeScript(QStringLiteral("BEGIN EXCLUSIVE"));
        m_program.executeScript(QStringLiteral("PRAGMA busy_timeout = 0"));
    }
    ~DatabaseHeldElsewhere()
    {
        m_other->executeScript(QStringLiteral("ROLLBACK"));
        m_program.executeScript(QStringLiteral("PRAGMA busy_timeout = 2000"));
    }

private:
    Database &m_program;
    std::unique_ptr<Database> m_other;
};

// The scripted user, who notes which window each message was given to.
using RecordingUser = ScriptedInteraction;

// The user's cache folder (where the export folder lives) is a fresh
// temporary folder while this lives.
class TemporaryCacheFolder
{
public:
    TemporaryCacheFolder()
        : m_previous(qgetenv("XDG_CACHE_HOME"))
    {
        qputenv("XDG_CACHE_HOME", m_folder.path().toUtf8());
    }
    ~TemporaryCacheFolder()
    {
        if (m_previous.isEmpty())
            qunsetenv("XDG_CACHE_HOME");
        else
            qputenv("XDG_CACHE_HOME", m_previous);
    }

    QString path() const { return m_folder.path(); }
    // The export folder the program makes inside it.
    QString exportFolder() const { return QDir(path()).filePath(QStringLiteral("tingcen-jxc/exports")); }

private:
    QTemporaryDir m_folder;
    QByteArray m_previous;
};

// Collects the program's trace (TraceLog) while it lives.
class TraceCapture
{
public:
    TraceCapture();
    ~TraceCapture();

    QStringList lines() const;
};
