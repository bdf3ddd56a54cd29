#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "CDlgToolTipsApp.h"
#include "Database.h"
#include "GlobalFunctions.h"
#include "SafeApplication.h"

int main(int argc, char **argv)
{
    SafeApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("汀岑进销存"));
    QApplication::setApplicationVersion(QStringLiteral("1.2"));
    // Closing the menu while the main window is still hidden must not end
    // the program by itself; the windows decide when to quit.
    QApplication::setQuitOnLastWindowClosed(false);

    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    CDlgToolTipsApp theApp;
    if (!theApp.InitInstance(QApplication::applicationDirPath()))
        return 1;
    return QApplication::exec();
}
