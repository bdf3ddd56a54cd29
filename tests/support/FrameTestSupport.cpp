#include "FrameTestSupport.h"

#include <QDir>
#include <QLoggingCategory>
#include <QMutex>

#include "Trace.h"

DatabaseHeldElsewhere::DatabaseHeldElsewhere(Database &program, const QString &path)
    : m_program(program)
    , m_other(std::make_unique<Database>(path, Database::OpenMode::ReadWrite))
{
    m_other->executeScript(QStringLiteral("BEGIN EXCLUSIVE"));
    m_program.executeScript(QStringLiteral("PRAGMA busy_timeout = 0"));
}

DatabaseHeldElsewhere::~DatabaseHeldElsewhere()
{
    m_other->executeScript(QStringLiteral("ROLLBACK"));
    m_program.executeScript(QStringLiteral("PRAGMA busy_timeout = 2000"));
}

void RecordingUser::information(QWidget *parent, const QString &caption, const QString &text)
{
    owners.emplace_back(parent);
    ScriptedInteraction::information(parent, caption, text);
}

bool RecordingUser::question(QWidget *parent, const QString &caption, const QString &text)
{
    owners.emplace_back(parent);
    return ScriptedInteraction::question(parent, caption, text);
}

void RecordingUser::error(QWidget *parent, const QString &caption, const QString &text)
{
    owners.emplace_back(parent);
    ScriptedInteraction::error(parent, caption, text);
}

TemporaryCacheFolder::TemporaryCacheFolder()
    : m_previous(qgetenv("XDG_CACHE_HOME"))
{
    qputenv("XDG_CACHE_HOME", m_folder.path().toUtf8());
}

TemporaryCacheFolder::~TemporaryCacheFolder()
{
    if (m_previous.isEmpty())
        qunsetenv("XDG_CACHE_HOME");
    else
        qputenv("XDG_CACHE_HOME", m_previous);
}

QString TemporaryCacheFolder::exportFolder() const
{
    return QDir(m_folder.path()).filePath(QStringLiteral("tingcen-jxc/exports"));
}

namespace {
QMutex s_traceMutex;
QStringList s_trace;
QtMessageHandler s_previousHandler = nullptr;

void collect(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (context.category && QLatin1String(context.category) == QLatin1String("jxc.trace")) {
        const QMutexLocker lock(&s_traceMutex);
        s_trace << message;
        return;
    }
    if (s_previousHandler)
        s_previousHandler(type, context, message);
}
} // namespace

TraceCapture::TraceCapture()
{
    s_trace.clear();
    s_previousHandler = qInstallMessageHandler(collect);
    QLoggingCategory::setFilterRules(QStringLiteral("jxc.trace.debug=true"));
}

TraceCapture::~TraceCapture()
{
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(s_previousHandler);
    s_previousHandler = nullptr;
}

QStringList TraceCapture::lines() const
{
    const QMutexLocker lock(&s_traceMutex);
    return s_trace;
}
