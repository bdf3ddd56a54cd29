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

namespace {

PeriodRange resultOf(const CDlgPrtMonthSelDate& dialog)
{
    PeriodRange range;
    EXPECT_EQ(dialog.GetResult(range), 1);
    return range;
}

class PeriodDialog : public ::testing::TestWithParam<QLocale>
{
protected:
    void SetUp() override { QLocale::setDefault(GetParam()); }
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

    // A preset that is no date shows a valid one, and comes back as it was
    // given; an offered check box is reported.
    dialog.SetDateRange("2011-2-1", "2011-02-28");
    EXPECT_TRUE(dialog.findChild<QDateEdit*>("1007")->date().isValid());
    EXPECT_EQ(resultOf(dialog).StartDate, "2011-2-1");
    dialog.SetHideZeroOption(0);
    dialog.show();
    QTest::mouseClick(dialog.findChild<QCheckBox*>("1293"), Qt::LeftButton);
    clickButton(&dialog, "1294");
    EXPECT_EQ(resultOf(dialog).IncludeZero, 1);
}

INSTANTIATE_TEST_SUITE_P(Locales, PeriodDialog,
    ::testing::Values(QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::Arabic, QLocale::Egypt)),
    [](const auto& info) { return info.param.name().toStdString(); });

// The window names the program and its help, invents no contacts, and
// opens the README beside the program, or says where it is when nothing
// opens it.
TEST(OnlineService, NamesTheProgramAndOpensItsHelpWhichHoldsWhatItPromises)
{
    RecordingUser user;
    CDlgOnlineServiceDlg dialog;
    QString all;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        all += label->text() + "\n";
    for (const QString& expected : {QStringLiteral("汀岑进销存"), QStringLiteral("1.2"),
             CDlgOnlineServiceDlg::ReleaseDate(), QStringLiteral("README"), CDlgOnlineServiceDlg::HelpSentence()})
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
    dialog.setResult(7);
    clickButton(&dialog, "1308");
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_FALSE(dialog.isVisible());

    // The README holds what the window promises.
    QFile readme(path);
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    const qsizetype start = text.indexOf("## " + CDlgOnlineServiceDlg::HelpSectionTitle());
    ASSERT_GE(start, 0);
    // The section comes first and ends where the English part begins.
    EXPECT_LT(start, text.indexOf("## Two commands"));
    const QString section = text.mid(start, text.indexOf("\n## ", start + 1) - start);
    for (const char* topic : {"登录", "客户", "供应商", "仓库", "帐户", "设置", "db_duvavivada_12.mdb", "Varnholt",
             "备份数据", "常见问题", "store_productsearch_temp.xls"})
        EXPECT_TRUE(section.contains(topic)) << topic;
}

} // namespace
