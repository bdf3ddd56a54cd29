#include "FrameTestSupport.h"

#include <QLoggingCategory>
#include <QMutex>

#include "Trace.h"

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
