#pragma once

// Test pieces of the application frame that the other subsystems' tests may
// use too: a database another program holds locked, a scripted user who
// also notes each message's owner window and may have no program to open
// files with, a cache folder of the test's own for exports, and the
// developer trace caught while it lives.

#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>
#include <vector>

#include "Database.h"
#include "ScriptedInteraction.h"

// Another connection holds the file locked (BEGIN EXCLUSIVE) while this
// lives, and the program's connection stops waiting for it, so every read
// and write of the program fails at once with SQLite's "busy".
class DatabaseHeldElsewhere
{
public:
    DatabaseHeldElsewhere(Database &program, const QString &path);
    ~DatabaseHeldElsewhere();

private:
    Database &m_program;
    std::unique_ptr<Database> m_other;
};

// The scripted user, noting which window each message was given to.
class RecordingUser : public ScriptedInteraction
{
public:
    void information(QWidget *parent, const QString &caption, const QString &text) override;
    bool question(QWidget *parent, const QString &caption, const QString &text) override;
    void error(QWidget *parent, const QString &caption, const QString &text) override;
    // One per message, in order; null for a box without an owner.
    std::vector<QPointer<QWidget>> owners;
};

// The user's cache folder (where the export folder lives) is a fresh
// temporary folder while this lives.
class TemporaryCacheFolder
{
public:
    TemporaryCacheFolder();
    ~TemporaryCacheFolder();

    QString path() const { return m_folder.path(); }
    // The export folder the program makes inside it.
    QString exportFolder() const;

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
