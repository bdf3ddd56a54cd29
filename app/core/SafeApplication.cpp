#include "SafeApplication.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFont>
#include <QScreen>

#include <exception>

#include "Database.h"
#include "GlobalFunctions.h"

namespace {

// A combo box's popup opens as wide as the box, and the style draws its
// items after room for a check mark: a box that just fits its texts cuts
// them in the popup. The popup, as it shows, widens to its widest item.
void widenComboPopup(QObject *receiver)
{
    auto *popup = qobject_cast<QWidget *>(receiver);
    auto *combo = popup && popup->isWindow() ? qobject_cast<QComboBox *>(popup->parentWidget()) : nullptr;
    if (!combo || combo->view()->window() != popup)
        return;
    const QAbstractItemView *list = combo->view();
    const int frame = popup->width() - list->viewport()->width();
    const int needed = list->sizeHintForColumn(combo->modelColumn()) + frame;
    if (popup->width() >= needed)
        return;
    // Widened to the right, or to the left at the screen's edge.
    QRect geometry = popup->geometry();
    geometry.setWidth(needed);
    if (const QScreen *screen = popup->screen(); screen && geometry.right() > screen->availableGeometry().right())
        geometry.moveRight(screen->availableGeometry().right());
    popup->setGeometry(geometry);
}

} // namespace

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
    if (event->type() == QEvent::Show)
        widenComboPopup(receiver);
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
