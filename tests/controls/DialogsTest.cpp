#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "CDlgOnlineServiceDlg.h"
#include "CDlgPrtMonthSelDate.h"
#include "FrameTestSupport.h"

namespace {

struct LocaleCase
{
    const char *name;
    QLocale::Language language;
    QLocale::Territory territory;
};
void PrintTo(const LocaleCase &c, std::ostream *out)
{
    *out << c.name;
}

void press(QWidget *dialog, const char *objectName)
{
    auto *button = dialog->findChild<QAbstractButton *>(QString::fromLatin1(objectName));
    ASSERT_TRUE(button) << objectName;
    QTest::mouseClick(button, Qt::LeftButton);
}

PeriodRange resultOf(const CDlgPrtMonthSelDate &dialog)
{
    PeriodRange range;
    EXPECT_EQ(dialog.GetResult(range), 1);
    return range;
}

// The desktop's locale for the life of a test.
class DefaultLocale
{
public:
    explicit DefaultLocale(const QLocale &locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

// The desktop's language changes neither what the pickers show nor the
// texts the dialog hands back.
class PeriodDialog : public ::testing::TestWithParam<LocaleCase>
{
protected:
    void SetUp() override
    {
        dialog.SetDateRange(QStringLiteral("2011-02-01"), QStringLiteral("2011-02-28"));
        dialog.SetHideZeroOption(1);
        dialog.show();
        end = dialog.findChild<QDateEdit *>(QStringLiteral("1292"));
        ASSERT_TRUE(end);
    }

    const QLocale locale{GetParam().language, GetParam().territory};
    DefaultLocale desktop{locale};
    CDlgPrtMonthSelDate dialog;
    QDateEdit *end = nullptr;
};

TEST_P(PeriodDialog, ShowsThePresetsAndHandsBackIsoDates)
{
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("选择时间段"));
    EXPECT_EQ(dialog.findChild<QDateEdit *>(QStringLiteral("1007"))->date(), QDate(2011, 2, 1));
    EXPECT_EQ(end->date(), QDate(2011, 2, 28));
    // As every date of the program, whatever the desktop's language.
    EXPECT_EQ(end->locale(), QLocale(QLocale::Chinese, QLocale::China));
    EXPECT_EQ(end->text(), QStringLiteral("2011-02-28"));
    EXPECT_EQ(dialog.findChild<QDateEdit *>(QStringLiteral("1007"))->text(), QStringLiteral("2011-02-01"));
    EXPECT_FALSE(dialog.findChild<QCheckBox *>(QStringLiteral("1293"))->isVisible());

    // The person steps the end date on by a month with the keyboard.
    end->setFocus();
    end->setCurrentSection(QDateTimeEdit::MonthSection);
    QTest::keyClick(end, Qt::Key_Up);
    ASSERT_EQ(end->date(), QDate(2011, 3, 28));
    press(&dialog, "1294");
    EXPECT_EQ(dialog.result(), 1);
    const PeriodRange range = resultOf(dialog);
    EXPECT_EQ(range.StartDate, QStringLiteral("2011-02-01"));
    EXPECT_EQ(range.EndDate, QStringLiteral("2011-03-28"));
    EXPECT_EQ(range.IncludeZero, 0);
}

TEST_P(PeriodDialog, CancelAndEscapeKeepThePresets)
{
    end->setDate(QDate(2012, 5, 5));
    press(&dialog, "1295");
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(resultOf(dialog).EndDate, QStringLiteral("2011-02-28"));
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), 2);
    EXPECT_EQ(resultOf(dialog).EndDate, QStringLiteral("2011-02-28"));
}

INSTANTIATE_TEST_SUITE_P(Locales, PeriodDialog,
                         ::testing::Values(LocaleCase{"German", QLocale::German, QLocale::Germany},
                                           LocaleCase{"English_US", QLocale::English, QLocale::UnitedStates},
                                           LocaleCase{"Chinese", QLocale::Chinese, QLocale::China},
                                           LocaleCase{"Arabic_Egypt", QLocale::Arabic, QLocale::Egypt}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(PeriodDialogOption, AnOfferedCheckBoxIsReported)
{
    CDlgPrtMonthSelDate dialog;
    // A preset that is no date still shows a valid date, and comes back as
    // it was given when the person cancels.
    dialog.SetDateRange(QStringLiteral("2011-2-1"), QStringLiteral("2011-02-28"));
    EXPECT_TRUE(dialog.findChild<QDateEdit *>(QStringLiteral("1007"))->date().isValid());
    EXPECT_EQ(resultOf(dialog).StartDate, QStringLiteral("2011-2-1"));
    dialog.SetHideZeroOption(0);
    dialog.show();
    auto *box = dialog.findChild<QCheckBox *>(QStringLiteral("1293"));
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), QStringLiteral("包含进出数量为 0 的商品"));
    QTest::mouseClick(box, Qt::LeftButton);
    press(&dialog, "1294");
    EXPECT_EQ(resultOf(dialog).IncludeZero, 1);
}

TEST(OnlineService, NamesTheProgramAndItsHelpWithoutInventedContacts)
{
    CDlgOnlineServiceDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("汀岑进销存 - 在线服务"));
    QString all;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        all += label->text() + QLatin1Char('\n');
    for (const QString &expected : {QStringLiteral("汀岑进销存"), QStringLiteral("1.2"), CDlgOnlineServiceDlg::ReleaseDate(),
                                    QStringLiteral("README"), CDlgOnlineServiceDlg::HelpSentence()})
        EXPECT_TRUE(all.contains(expected)) << expected.toStdString();
    EXPECT_FALSE(all.contains(QRegularExpression(QStringLiteral("@|://|QQ|\\d{5,}"))));
    dialog.show();
    dialog.setResult(7);
    press(&dialog, "1308");
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(OnlineService, TheReadmeHoldsWhatTheWindowPromises)
{
    QFile readme(CDlgOnlineServiceDlg::HelpFilePath());
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    const QString title = QStringLiteral("## ") + CDlgOnlineServiceDlg::HelpSectionTitle();
    const qsizetype start = text.indexOf(title);
    ASSERT_GE(start, 0);
    // The section comes first and ends where the English part begins.
    EXPECT_LT(start, text.indexOf(QStringLiteral("## Two commands")));
    const QString section = text.mid(start, text.indexOf(QStringLiteral("\n## "), start + 1) - start);
    for (const char *topic : {"登录", "客户", "供应商", "仓库", "帐户", "设置", "db_duvavivada_12.mdb", "Varnholt",
                              "备份数据", "常见问题", "store_productsearch_temp.xls"})
        EXPECT_TRUE(section.contains(QString::fromUtf8(topic))) << topic;
}

TEST(OnlineService, OpeningTheHelpFileTellsWhereItIsWhenNothingOpensIt)
{
    // The build puts the README beside this test, as beside the program.
    const QString path = CDlgOnlineServiceDlg::HelpFilePath();
    ASSERT_FALSE(path.isEmpty());
    RecordingUser user;
    CDlgOnlineServiceDlg dialog;
    dialog.show();
    press(&dialog, "1307");
    EXPECT_EQ(user.openedWithDesktop, QStringList{path});
    EXPECT_TRUE(user.messages.empty());
    user.opensFiles = false;
    press(&dialog, "1307");
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_TRUE(user.messages[0].text.contains(QDir::toNativeSeparators(path))) << user.messages[0].text.toStdString();
}

} // namespace
