#include "SafeApplication.h"

#include <QFont>

#include <exception>

#include "Database.h"
#include "GlobalFunctions.h"

SafeApplication::SafeApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setFont(ProgramFont());
}

QFont ProgramFont()
{
    QFont font;
    // The first face installed carries the texts; Latin letters and digits
    // come from the same face as the Chinese ones.
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Microsoft YaHei"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("SimSun"), QStringLiteral("sans-serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    return font;
}

bool SafeApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const DbError &error) {
        ShowDbError(error);
    } catch (const std::exception &error) {
        // The exception's own text is a developer's English: it goes to
        // the trace, the person gets a sentence.
        TraceLog(QStringLiteral("uncaught exception: %1").arg(QString::fromLocal8Bit(error.what())));
        ShowErrorMessage(QStringLiteral("程序内部出错，刚才的操作没有完成。"));
    }
    return false;
}
