#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>

#include "CDlgOnlineServiceDlg.h"
#include "CDlgPrtMonthSelDate.h"
#include "ClickSupport.h"
#include "FrameTestSupport.h"
#include "PictureSupport.h"

namespace {

PeriodRange resultOf(const CDlgPrtMonthSelDate& dialog)
{
    PeriodRange range;
    EXPECT_EQ(dialog.GetResult(range), 1);
    return range;
}

// The desktop's language, by its locale name.
class PeriodDialog : public ::testing::TestWithParam<const char*>
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QString::fromLatin1(GetParam()))); }
    void TearDown() override { QLocale::setDefault(previous); }

    const QLocale previous;
};

// The desktop's language changes neither what the pickers show nor the
// texts the dialog hands back; 确定 ends it with 1, 取消 with 0 and Escape
// with 2, and these two keep the presets.
TEST_P(PeriodDialog, ShowsAndHandsBackIsoDates)
{
    CDlgPrtMonthSelDate dialog;
    dialog.SetDateRange("2011-02-01", "2011-02-28");
    dialog.SetHideZeroOption(1);
    dialog.show();
    auto* end = dialog.findChild<QDateEdit*>("1292");
    EXPECT_EQ(dialog.findChild<QDateEdit*>("1007")->text() + " " + end->text(), "2011-02-01 2011-02-28");
    EXPECT_FALSE(dialog.findChild<QCheckBox*>("1293")->isVisible());
    end->setDate(QDate(2012, 5, 5));
    clickButton(&dialog, "1295");
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(resultOf(dialog).EndDate, "2011-02-28");
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), 2);
    EXPECT_EQ(resultOf(dialog).EndDate, "2011-02-28");

    // The person steps the end date on by a month with the keyboard.
    dialog.show();
    end->setDate(QDate(2011, 2, 28));
    end->setFocus();
    end->setCurrentSection(QDateTimeEdit::MonthSection);
    QTest::keyClick(end, Qt::Key_Up);
    clickButton(&dialog, "1294");
    EXPECT_EQ(dialog.result(), 1);
    const PeriodRange range = resultOf(dialog);
    EXPECT_EQ(range.StartDate + " " + range.EndDate, "2011-02-01 2011-03-28");
    EXPECT_EQ(range.IncludeZero, 0);

    // A preset that is no date comes back as it was given; an offered check
    // box is reported.
    dialog.SetDateRange("2011-2-1", "2011-02-28");
    EXPECT_EQ(resultOf(dialog).StartDate, "2011-2-1");
    dialog.SetHideZeroOption(0);
    dialog.show();
    QTest::mouseClick(dialog.findChild<QCheckBox*>("1293"), Qt::LeftButton);
    clickButton(&dialog, "1294");
    EXPECT_EQ(resultOf(dialog).IncludeZero, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, PeriodDialog, ::testing::Values("de_DE", "en_US", "ar_EG"), [](const auto& info) { return info.param; });

// The window names the program and its help, invents no contacts, and
// opens the README beside the program, or says where it is when nothing
// opens it.
TEST(OnlineService, NamesTheProgramAndOpensItsHelp)
{
    RecordingUser user;
    CDlgOnlineServiceDlg dialog;
    QString all;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        all += label->text() + "\n";
    for (const QString& expected : QStringList {
             "汀岑进销存", "1.2", CDlgOnlineServiceDlg::ReleaseDate(), "README", CDlgOnlineServiceDlg::HelpSentence()})
        EXPECT_TRUE(all.contains(expected)) << expected.toStdString();
    EXPECT_FALSE(all.contains(QRegularExpression("@|://|QQ|\\d{5,}")));

    dialog.show();
    const QString path = CDlgOnlineServiceDlg::HelpFilePath();
    clickButton(&dialog, "1307");
    EXPECT_EQ(user.openedWithDesktop, QStringList {path});
    user.opensFiles = false;
    clickButton(&dialog, "1307");
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_TRUE(user.lastText().contains(QDir::toNativeSeparators(path))) << user.lastText().toStdString();
    // 确定 shows the program's picture of it, as the settings window's does.
    auto* ok = dialog.findChild<QAbstractButton*>("1308");
    EXPECT_TRUE(showsPicture(ok, ":/images/icon234.svg"));
    EXPECT_EQ(ok->cursor().shape(), Qt::PointingHandCursor);
    dialog.setResult(7);
    clickButton(&dialog, "1308");
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_FALSE(dialog.isVisible());

    // The README holds the help section the window names.
    QFile readme(path);
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    EXPECT_TRUE(readme.readAll().contains(("## " + CDlgOnlineServiceDlg::HelpSectionTitle()).toUtf8()));
}

} // namespace
