#include "SafeApplication.h"

#include <exception>

#include "Database.h"
#include "GlobalFunctions.h"

SafeApplication::SafeApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool SafeApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const DbError &error) {
        ShowErrorMessage(error.displayText());
    } catch (const std::exception &error) {
        ShowErrorMessage(QString::fromLocal8Bit(error.what()));
    }
    return false;
}
