#include "GlobalFunctions.h"

#include <QApplication>
#include <QPointer>
#include <QUuid>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "Database.h"
#include "Interaction.h"
#include "Trace.h"

CDlgMainDlg *g_pMainDlg = nullptr;

namespace {
std::function<QDate()> s_workingDateSource;
QPointer<QWidget> s_messageOwner;
} // namespace

QDate WorkingDate()
{
    const QDate date = s_workingDateSource ? s_workingDateSource() : QDate();
    return date.isValid() ? date : QDate::currentDate();
}

void SetWorkingDateSource(std::function<QDate()> source)
{
    s_workingDateSource = std::move(source);
}

void SetWorkingDate(const QDate &date)
{
    SetWorkingDateSource([date] { return date; });
}

QString DateText(int year, int month, int day)
{
    return QString::asprintf("%04d-%02d-%02d", year, month, day);
}

QString DateText(const QDate &date)
{
    return DateText(date.year(), date.month(), date.day());
}

int GetCurDateString(QString &date)
{
    date = DateText(WorkingDate());
    return 1;
}

QString GetCurDateString()
{
    return DateText(WorkingDate());
}

QString MonthFirstDay(const QString &date)
{
    YmdInfo ymd;
    GetYmdByDate(date, ymd);
    return DateText(ymd.nYear, ymd.nMonth, 1);
}

QString MonthLastDay(const QString &date)
{
    YmdInfo ymd;
    GetYmdByDate(date, ymd);
    return DateText(ymd.nYear, ymd.nMonth, GetMonthDays(ymd.nYear, ymd.nMonth));
}

int GetYmdByDate(const QString &date, YmdInfo &info)
{
    TraceLog(QStringLiteral("GetYmdByDate"));
    TraceLog(date);
    const qsizetype p1 = date.indexOf(QLatin1Char('-'));
    const qsizetype p2 = p1 < 0 ? -1 : date.indexOf(QLatin1Char('-'), p1 + 1);
    info.strYear = date.left(4);
    info.strMonth = p1 < 0 ? QString() : (p2 < 0 ? date.mid(p1 + 1) : date.mid(p1 + 1, p2 - p1 - 1));
    info.strDay = p2 < 0 ? QString() : date.mid(p2 + 1);
    TraceLog(info.strYear);
    TraceLog(info.strMonth);
    TraceLog(info.strDay);
    info.nYear = std::atoi(info.strYear.toLatin1().constData());
    info.nMonth = std::atoi(info.strMonth.toLatin1().constData());
    info.nDay = std::atoi(info.strDay.toLatin1().constData());
    return 1;
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int GetMonthDays(int year, int month)
{
    static constexpr std::array<int, 13> days = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && IsLeapYear(year))
        return 29;
    return days[month];
}

double StrToDouble(const QString &text)
{
    // strtod follows the process's C locale, which a desktop may set to a
    // decimal comma; from_chars always reads a decimal point. Reports read
    // tens of thousands of these short texts: they are copied to the stack,
    // any character beyond ASCII as a byte that ends a number.
    std::array<char, 64> buffer{};
    QByteArray longText;
    const char *first = buffer.data();
    const char *last = first;
    if (text.size() <= qsizetype(buffer.size())) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text.at(i).unicode();
            buffer[std::size_t(i)] = c < 0x80 ? char(c) : '\x7f';
        }
        last = first + text.size();
    } else {
        longText = text.toUtf8();
        first = longText.constData();
        last = first + longText.size();
    }
    while (first != last && std::isspace(static_cast<unsigned char>(*first)))
        ++first;
    bool negative = false;
    if (first != last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    // A number begins with a digit or a point: from_chars would also take a
    // minus of its own (after our sign, "--5" as 5) and read "inf", "nan"
    // and "infinity", which are no amounts.
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (first == last || !(isDigit(*first) || (*first == '.' && last - first > 1 && isDigit(first[1]))))
        return 0.0;
    double value = 0.0;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec != std::errc())
        return 0.0;
    return negative ? -value : value;
}

namespace {

// Below this a double's 15 significant digits reach past the cents: the
// rounding to cents then works on the decimal value the figure stands for.
constexpr double kMeantDigitsLimit = 1e12;

// The magnitude in cents, half a cent rounded up, of a value below
// kMeantDigitsLimit. Every decimal of 15 significant digits comes back
// from its double when rounded to 15 digits again, and the error of a
// product or a sum of a few such figures stays far below the 15th digit:
// so rounded, 3 x 1.115 (a hair below 3.345 in binary) reads 3.345 and
// 229.125 stays 229.125. The half cent is decided on those digits, not on
// the binary value (which to_chars rounds half to even).
std::uint64_t meantCents(double magnitude)
{
    // Most figures lie far from a half cent: then the product in cents,
    // off by far less than the distance, rounds the same way as the
    // 15 digits do, and the slower decimal conversion is not needed.
    const double hundredths = magnitude * 100;
    const double whole = std::floor(hundredths);
    const double fraction = hundredths - whole;
    if (std::fabs(fraction - 0.5) > hundredths * 1e-13)
        return std::uint64_t(whole) + (fraction > 0.5 ? 1 : 0);

    std::array<char, 32> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, 14);
    // "d.ddddddddddddddde+XX": 15 digits, then the power of ten of the first.
    constexpr int kDigits = 15;
    const auto digit = [&buffer](int i) { return std::uint64_t(buffer[std::size_t(i == 0 ? 0 : i + 1)] - '0'); };
    const char *exponentText = buffer.data() + kDigits + 2;
    int exponent = 0;
    for (const char *c = exponentText + 1; c != result.ptr; ++c)
        exponent = exponent * 10 + (*c - '0');
    if (*exponentText == '-')
        exponent = -exponent;
    // The digits down to the cents, and the one after them that decides.
    const int kept = exponent + 3;
    if (kept < 0)
        return 0;
    std::uint64_t cents = 0;
    for (int i = 0; i < kept; ++i)
        cents = cents * 10 + (i < kDigits ? digit(i) : 0);
    if (kept < kDigits && digit(kept) >= 5)
        ++cents;
    return cents;
}

// A larger value carries fewer than 15 digits after the cents, or none: it
// is rounded as it is held. Its binary fraction ends within 13 decimals,
// so these digits are exact and the third decimal decides.
QString exactCentText(double magnitude, bool negative)
{
    std::array<char, 400> buffer;
    char *first = buffer.data() + 2; // room for a carry into a new digit and a sign
    const auto result = std::to_chars(first, buffer.data() + buffer.size(), magnitude, std::chars_format::fixed, 13);
    char *last = std::find(first, result.ptr, '.') + 3;
    if (last[0] >= '5') {
        char *digit = last;
        do {
            --digit;
            if (*digit == '.')
                continue;
            if (*digit != '9') {
                ++*digit;
                break;
            }
            *digit = '0';
        } while (digit != first);
        if (digit == first && *first == '0')
            *--first = '1';
    }
    if (negative)
        *--first = '-';
    return QString::fromLatin1(first, last - first);
}

} // namespace

QString DoubleToStr(double value)
{
    if (!std::isfinite(value)) {
        std::array<char, 8> buffer;
        const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
        return QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
    }
    const double magnitude = std::fabs(value);
    if (magnitude >= kMeantDigitsLimit)
        return exactCentText(magnitude, value < 0);
    const std::uint64_t cents = meantCents(magnitude);
    // A difference that should be 0 but lies a hair below it in binary
    // (3.30 less 1.10 x 3) must not be stored or shown as "-0.00". The
    // zeros that fill most report rows share one text.
    if (cents == 0)
        return QStringLiteral("0.00");
    std::array<char, 24> text;
    char *first = text.data() + text.size();
    std::uint64_t rest = cents;
    for (int place = 0; place < 3 || rest != 0; ++place) {
        if (place == 2)
            *--first = '.';
        *--first = char('0' + rest % 10);
        rest /= 10;
    }
    if (value < 0)
        *--first = '-';
    return QString::fromLatin1(first, text.data() + text.size() - first);
}

QWidget *MessageOwner()
{
    // A box is centred on its owner. A hidden owner (the main window
    // before a function was first chosen) would put the box off to one
    // side of the window the person works in: then that window owns it.
    QWidget *owner = s_messageOwner.data();
    if (owner && owner->isVisible())
        return owner;
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        const Qt::WindowType type = window->windowType();
        if (window->isVisible() && (type == Qt::Window || type == Qt::Dialog))
            return window;
    }
    return nullptr;
}

void SetMessageOwner(QWidget *owner)
{
    s_messageOwner = owner;
}

int ShowInfoMessage(const QString &text)
{
    Interaction::current().information(MessageOwner(), kAppTitle, text);
    return 1;
}

int AskYesNo(const QString &text)
{
    return Interaction::current().question(MessageOwner(), kAppTitle, text) ? IDYES : IDNO;
}

void ShowErrorMessage(const QString &text)
{
    Interaction::current().error(MessageOwner(), kAppTitle, text);
}

void ShowDbError(const DbError &error, const QString &action)
{
    TraceLog(QStringLiteral("database error %1: %2").arg(error.code()).arg(error.detail()));
    const QString what = action.isEmpty() ? QStringLiteral("数据库操作失败。") : action;
    ShowErrorMessage(what + QLatin1Char('\n') + error.displayText());
}

int TraceLog(const QString &text)
{
    qCDebug(lcTrace).noquote() << text;
    return 1;
}

bool IsReturnBillPrintWithDeposit()
{
    try {
        Statement query = connection().prepare("SELECT OptionValue FROM tbl_MiscOption WHERE OptionName = ? ORDER BY RowNo");
        query.bind(1, QStringLiteral("退货单打印格式设置"));
        if (!query.next())
            return false;
        return query.text(QStringLiteral("OptionValue")) == QStringLiteral("含订金");
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取退货单打印格式设置失败。"));
        return false;
    }
}

QString GetAppDirectory()
{
    return QCoreApplication::applicationDirPath();
}

QString GuidText()
{
    const QUuid uuid = QUuid::createUuid();
    return QString::asprintf("%08X-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X", uuid.data1, uuid.data2, uuid.data3,
                             uuid.data4[0], uuid.data4[1], uuid.data4[2], uuid.data4[3], uuid.data4[4], uuid.data4[5],
                             uuid.data4[6], uuid.data4[7]);
}
