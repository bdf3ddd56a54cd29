#pragma once

#include <QDate>

class QDateEdit;
class QWidget;

// A date picker as every window of the program shows one: the date as
// yyyy-MM-dd, the form stored dates have, whatever the desktop's language
// (an English desktop would show "1 Dec 2026", a Chinese one "2026/12/1"),
// in digits 0 to 9, with a Chinese calendar to drop down.
QDateEdit *MakeDatePicker(QWidget *parent, const QString &objectName, const QDate &date);
