#pragma once

#include <QDate>
#include <QString>

#include <functional>

class QWidget;
class CDlgMainDlg;
class DbError;

// The main window, set once it exists; pages reach each other through it.
extern CDlgMainDlg *g_pMainDlg;

// The program's free functions for the working date, date texts, number
// texts, messages, trace and the program folder. Every window calls them.

// Year, month and day of a date text, as cut from it and as numbers.
struct YmdInfo
{
    QString strYear;
    QString strMonth;
    QString strDay;
    int nYear = 0;
    int nMonth = 0;
    int nDay = 0;
};

// The main window's working date as "%04d-%02d-%02d".
int GetCurDateString(QString &date);
QString GetCurDateString();
// The working date itself: the main window's date picker once it exists,
// before that today's local date.
QDate WorkingDate();
// Where the working date comes from; the main window installs its picker.
void SetWorkingDateSource(std::function<QDate()> source);
// A fixed working date (tests, tools).
void SetWorkingDate(const QDate &date);

// Formats a date as a stored date text.
QString DateText(const QDate &date);
QString DateText(int year, int month, int day);
// First and last day of the month of a date text, as date texts.
QString MonthFirstDay(const QString &date);
QString MonthLastDay(const QString &date);

int GetYmdByDate(const QString &date, YmdInfo &info);
bool IsLeapYear(int year);
// Days of the month; 0 for a month outside 1 to 12.
int GetMonthDays(int year, int month);

// The number at the start of the text, 0 when there is none. Ignores the
// user's locale: stored amounts always use a decimal point.
double StrToDouble(const QString &text);
// The value with two decimals and no grouping, whatever the locale. A half
// cent is rounded away from zero, as a shop rounds (四舍五入), on the
// decimal value the double stands for: 229.125 gives 229.13, 3 x 1.115
// 3.35 and -1.125 -1.13. A value that rounds to zero is "0.00", never
// "-0.00". The one writer of amount, price and count texts.
QString DoubleToStr(double value);

// Message boxes captioned "汀岑进销存", owned by the main window once it exists.
int ShowInfoMessage(const QString &text);
int AskYesNo(const QString &text);
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
// The plain error box used where a database call failed.
void ShowErrorMessage(const QString &text);
// Shows a failed database call: what could not be done (action, such as
// "保存货品失败。"; a general sentence when empty) and, on the next line,
// why. The SQL and SQLite's own text go to the trace log only.
void ShowDbError(const DbError &error, const QString &action = QString());
// The window that owns the program's message boxes: the main window once
// it is shown, before that the window the person works in (null when no
// window is shown).
QWidget *MessageOwner();
void SetMessageOwner(QWidget *owner);

int TraceLog(const QString &text);

bool IsReturnBillPrintWithDeposit();

// The folder of the running program, without a trailing separator. The
// case of the path is kept: file names on this system are case-sensitive.
QString GetAppDirectory();

// A new row key: 36 characters, the third group in lower-case hexadecimal.
QString GuidText();

inline const QString kAppTitle = QStringLiteral("汀岑进销存");
