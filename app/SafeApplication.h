#pragma once

#include <QApplication>

// The program's application object. A database error or any other
// exception that escapes an event handler is shown to the user and the
// program goes on: no single failed operation ends the day's work.
class SafeApplication : public QApplication
{
public:
    SafeApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
