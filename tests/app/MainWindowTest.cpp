#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>

#include <gtest/gtest.h>

#include "CDlgTabAccountMgr.h"
#include "CDlgTabProductInfo.h"
#include "CDlgTabStore.h"
#include "FinanceBillPage.h"
#include "FrameFixture.h"
#include "GoodsBillPage.h"
#include "PartyPage.h"

namespace {

QString stepDay(FrameFixture &frame, const QDate &from, const char *button)
{
    frame.datePicker()->setDate(from);
    QTest::mouseClick(frame.mainButton(button), Qt::LeftButton);
    return frame.mainDlg->GetCurrentDate();
}

// The pages the main window may tell to recompute, with the date each
// last computed for.
QStringList computedDates(const CDlgMainDlg &main)
{
    return {main.m_pTabClient->ComputedDate(),      main.m_pTabGoods->ComputedDate(),
            main.m_pTabFina->ComputedDate(),        main.m_pTabStore->ComputedDate(),
            main.m_pTabAccountMgr->ComputedDate(),  main.m_pTabProviderMgr->ComputedDate(),
            main.m_pTabProviderGoods->ComputedDate(), main.m_pTabFinaProvider->ComputedDate()};
}

// What a page shows a person: its texts, its lists' sizes and which of its
// widgets are visible.
QStringList pageState(QWidget *page)
{
    QStringList state;
    for (QWidget *widget : page->findChildren<QWidget *>()) {
        QString text;
        if (auto *label = qobject_cast<QLabel *>(widget))
            text = label->text();
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            text = edit->text();
        else if (auto *combo = qobject_cast<QComboBox *>(widget))
            text = combo->currentText();
        else if (auto *spin = qobject_cast<QAbstractSpinBox *>(widget))
            text = spin->text();
        else if (auto *table = qobject_cast<QTableWidget *>(widget))
            text = QString::number(table->rowCount());
        state << widget->objectName() + QLatin1Char('=') + text + (widget->isVisible() ? QStringLiteral(" shown") : QString());
    }
    return state;
}

// The widgets of a page a person can give the focus to and press Enter in.
QList<QWidget *> fieldsOf(QWidget *root)
{
    QList<QWidget *> fields;
    for (QWidget *widget : root->findChildren<QWidget *>()) {
        const bool field = qobject_cast<QLineEdit *>(widget) || qobject_cast<QComboBox *>(widget)
            || qobject_cast<QAbstractSpinBox *>(widget) || qobject_cast<QAbstractItemView *>(widget)
            || qobject_cast<QPushButton *>(widget);
        if (field && widget->isVisible() && widget->isEnabled() && widget->focusPolicy() != Qt::NoFocus)
            fields << widget;
    }
    return fields;
}

} // namespace

TEST(MainWindow, EnterInAnyFieldOfAnyPageTriggersNothing)
{
    FrameFixture frame;
    for (const char *name : {"扳手", "钳子"})
        frame.db.exec("INSERT INTO tbl_StoreMgr (ProductCode, ProductName, ProductSpec, PromptCount, GUID) VALUES (?, ?, "
                      "'10寸', '0', ?)",
                      {QStringLiteral("K-%1").arg(QString::fromUtf8(name)), QString::fromUtf8(name), GuidText()});
    frame.mainDlg->m_pTabStore->FilterProducts(0);
    frame.mainDlg->m_pTabProductInfo->FillProductList({});
    frame.loginAsSupervisor();
    QTest::mouseClick(frame.menuButton("1019"), Qt::LeftButton);
    ASSERT_TRUE(frame.mainDlg->isVisible());
    ASSERT_FALSE(frame.menu->isVisible());
    frame.user.clear();

    int pressed = 0;
    for (int group = 0; group < CDlgMainDlg::GroupCount; ++group) {
        QTabWidget *tabs = frame.mainDlg->TabGroup(group);
        for (int tab = 0; tab < tabs->count(); ++tab) {
            frame.mainDlg->ShowTabGroup(group);
            frame.mainDlg->ActivateTab(group, tab);
            frame.mainDlg->SetCurrentPage(tab);
            QWidget *page = tabs->widget(tab);
            const QStringList before = pageState(page);
            // The page's fields, and the main window's own (the date box,
            // the side buttons).
            QList<QWidget *> fields = fieldsOf(page);
            fields << frame.datePicker() << frame.mainButton("1002") << frame.mainButton("1004");
            for (QWidget *field : std::as_const(fields)) {
                SCOPED_TRACE(QStringLiteral("group %1 tab %2 %3 %4")
                                 .arg(group)
                                 .arg(tab)
                                 .arg(QString::fromLatin1(field->metaObject()->className()), field->objectName())
                                 .toStdString());
                field->setFocus();
                QTest::keyClick(field, Qt::Key_Return);
                QTest::keyClick(field, Qt::Key_Enter, Qt::KeypadModifier);
                ++pressed;
                EXPECT_FALSE(frame.menu->isVisible());
                EXPECT_TRUE(frame.mainDlg->isVisible());
                EXPECT_TRUE(frame.user.messages.empty());
                EXPECT_TRUE(frame.user.modalDialogs.isEmpty());
                EXPECT_EQ(frame.mainDlg->VisibleGroup(), group);
                EXPECT_EQ(tabs->currentIndex(), tab);
            }
            EXPECT_EQ(pageState(page), before) << "group " << group << " tab " << tab;
        }
    }
    EXPECT_GT(pressed, 20);
    // No push button of the window or its pages is a default button.
    for (QPushButton *button : frame.mainDlg->findChildren<QPushButton *>()) {
        EXPECT_FALSE(button->isDefault()) << button->objectName().toStdString();
        EXPECT_FALSE(button->autoDefault()) << button->objectName().toStdString();
    }
}

TEST(MainWindow, PreviousAndNextDayCrossMonthAndYearEnds)
{
    FrameFixture frame;
    EXPECT_EQ(stepDay(frame, QDate(2012, 3, 1), "1008"), QStringLiteral("2012-02-29"));
    EXPECT_EQ(stepDay(frame, QDate(2011, 3, 1), "1008"), QStringLiteral("2011-02-28"));
    EXPECT_EQ(stepDay(frame, QDate(2011, 1, 1), "1008"), QStringLiteral("2010-12-31"));
    EXPECT_EQ(stepDay(frame, QDate(2011, 5, 20), "1008"), QStringLiteral("2011-05-19"));
    EXPECT_EQ(stepDay(frame, QDate(2011, 12, 31), "1009"), QStringLiteral("2012-01-01"));
    EXPECT_EQ(stepDay(frame, QDate(2012, 2, 28), "1009"), QStringLiteral("2012-02-29"));
    EXPECT_EQ(stepDay(frame, QDate(2011, 4, 30), "1009"), QStringLiteral("2011-05-01"));
    // Every part of the program sees the picker's date.
    EXPECT_EQ(GetCurDateString(), QStringLiteral("2011-05-01"));
}

TEST(MainWindow, TheWorkingDateStartsAtTodaysLocalDate)
{
    FrameFixture frame;
    EXPECT_EQ(frame.mainDlg->GetCurrentDate(), DateText(QDate::currentDate()));
}

TEST(MainWindow, OnlyTheVisiblePageRecomputes)
{
    struct Case {
        int group;
        int page;
        int recomputed; // index into computedDates, -1 for none
    };
    const Case cases[] = {
        {0, 0, 0}, {0, 1, 1}, {0, 2, -1}, {0, 3, 2}, {0, 4, -1}, {1, 0, 3}, {1, 1, 3}, {2, 0, 4},
        {2, 1, 4}, {3, 0, -1}, {4, 0, 5}, {4, 1, 6}, {4, 2, -1}, {4, 3, 7}, {4, 4, -1},
    };
    for (const Case &c : cases) {
        FrameFixture frame;
        frame.mainDlg->show();
        frame.mainDlg->ShowTabGroup(c.group);
        frame.mainDlg->ActivateTab(c.group, c.page);
        frame.mainDlg->SetCurrentPage(c.page);
        frame.datePicker()->setDate(QDate(2011, 7, 9));
        const QStringList dates = computedDates(*frame.mainDlg);
        for (int i = 0; i < dates.size(); ++i) {
            const QString expected = i == c.recomputed ? QStringLiteral("2011-07-09") : QString();
            EXPECT_EQ(dates[i], expected) << "group " << c.group << " page " << c.page << " page index " << i;
        }
    }
}

TEST(MainWindow, ChangingTheTabRecomputesTheNewPage)
{
    FrameFixture frame;
    frame.mainDlg->show();
    frame.datePicker()->setDate(QDate(2011, 8, 1));
    frame.mainDlg->ShowTabGroup(4);
    frame.mainDlg->TabGroup(4)->setCurrentIndex(3); // as a click on the tab
    EXPECT_EQ(frame.mainDlg->CurrentPage(), 3);
    EXPECT_EQ(frame.mainDlg->m_pTabFinaProvider->ComputedDate(), QStringLiteral("2011-08-01"));
    // A hidden group's tab change neither moves the page index nor
    // recomputes anything.
    frame.mainDlg->TabGroup(0)->setCurrentIndex(1);
    EXPECT_EQ(frame.mainDlg->CurrentPage(), 3);
    EXPECT_TRUE(frame.mainDlg->m_pTabGoods->ComputedDate().isEmpty());
}

TEST(MainWindow, ADateChangeBringsTheBillPagesBackToTheirFirstPage)
{
    FrameFixture frame;
    frame.mainDlg->show();
    frame.mainDlg->ShowTabGroup(0);
    frame.mainDlg->ActivateTab(0, 1);
    frame.mainDlg->SetCurrentPage(1);
    frame.mainDlg->m_pTabGoods->m_nCurPage = 2;
    frame.mainDlg->m_pTabGoods->m_nLastPage = 5;
    QTest::mouseClick(frame.mainButton("1009"), Qt::LeftButton);
    EXPECT_EQ(frame.mainDlg->m_pTabGoods->m_nCurPage, 0);
    EXPECT_EQ(frame.mainDlg->m_pTabGoods->m_nLastPage, 0);
    EXPECT_EQ(frame.mainDlg->m_pTabGoods->ComputedDate(), frame.mainDlg->GetCurrentDate());

    frame.mainDlg->ShowTabGroup(4);
    frame.mainDlg->ActivateTab(4, 3);
    frame.mainDlg->SetCurrentPage(3);
    frame.mainDlg->m_pTabFinaProvider->m_nCurPage = 4;
    QTest::mouseClick(frame.mainButton("1008"), Qt::LeftButton);
    EXPECT_EQ(frame.mainDlg->m_pTabFinaProvider->m_nCurPage, 0);
}

TEST(MainWindow, GroupsHoldTheirPagesInOrder)
{
    FrameFixture frame;
    const QStringList expected[] = {
        {QStringLiteral("客户管理"), QStringLiteral("货品单据"), QStringLiteral("货品单据报表"), QStringLiteral("财务单据"), QStringLiteral("财务单据报表")},
        {QStringLiteral("仓库管理"), QStringLiteral("商品信息")},
        {QStringLiteral("帐户管理"), QStringLiteral("财务单据报表")},
        {QStringLiteral("软件设置")},
        {QStringLiteral("供应商管理"), QStringLiteral("货品单据"), QStringLiteral("货品单据报表"), QStringLiteral("财务单据"), QStringLiteral("财务单据报表")},
    };
    for (int group = 0; group < 5; ++group) {
        QStringList captions;
        for (int i = 0; i < frame.mainDlg->TabGroup(group)->count(); ++i)
            captions << frame.mainDlg->TabGroup(group)->tabText(i);
        EXPECT_EQ(captions, expected[group]) << group;
    }
    // A group outside 0 to 4 is stored and shows or hides nothing.
    frame.mainDlg->show();
    frame.mainDlg->ShowTabGroup(2);
    frame.mainDlg->ShowTabGroup(9);
    EXPECT_EQ(frame.mainDlg->VisibleGroup(), 9);
    EXPECT_TRUE(frame.mainDlg->TabGroup(2)->isVisible());
}

TEST(MainWindow, EscapeKeepsTheWindowOpen)
{
    FrameFixture frame;
    frame.mainDlg->show();
    QTest::keyClick(frame.mainDlg.get(), Qt::Key_Escape);
    EXPECT_TRUE(frame.mainDlg->isVisible());
}

TEST(MainWindow, AGoneMainWindowLeavesNoWorkingDateBehind)
{
    TestDatabase db;
    {
        CDlgMainDlg mainDlg;
        g_pMainDlg = &mainDlg;
        mainDlg.findChild<QDateEdit *>(QStringLiteral("1007"))->setDate(QDate(2011, 7, 9));
        ASSERT_EQ(GetCurDateString(), QStringLiteral("2011-07-09"));
    }
    // Whatever still asks for the date gets today's, not the gone picker's.
    EXPECT_EQ(g_pMainDlg, nullptr);
    EXPECT_EQ(GetCurDateString(), DateText(QDate::currentDate()));
}

TEST(MainWindow, TheDatePickerShowsIsoDatesWhateverTheDesktopsLanguage)
{
    const QLocale previous;
    for (const QLocale &desktop : {QLocale(QLocale::English, QLocale::UnitedKingdom), QLocale(QLocale::Chinese, QLocale::China)}) {
        QLocale::setDefault(desktop);
        FrameFixture frame;
        frame.datePicker()->setDate(QDate(2026, 12, 1));
        EXPECT_EQ(frame.datePicker()->text(), QStringLiteral("2026-12-01")) << desktop.name().toStdString();
    }
    QLocale::setDefault(previous);
}
