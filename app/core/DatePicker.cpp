#include "DatePicker.h"

#include <QDateEdit>

QDateEdit *MakeDatePicker(QWidget *parent, const QString &objectName, const QDate &date)
{
    auto *picker = new QDateEdit(date, parent);
    picker->setObjectName(objectName);
    picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    // The program's language, not the desktop's: its digits are always
    // 0 to 9 and the calendar names the months in Chinese.
    picker->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    picker->setCalendarPopup(true);
    return picker;
}
