#pragma once

#include <QApplication>
#include <QFont>

// The program's application object. A database error or any other
// exception that escapes an event handler is shown to the user and the
// program goes on: no single failed operation ends the day's work. Every
// window is laid out in the program's own font (ProgramFont), whatever the
// desktop's font is.
class SafeApplication : public QApplication
{
public:
    SafeApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// A Chinese face at 12 pixels: the font the windows' sizes are made for.
QFont ProgramFont();
