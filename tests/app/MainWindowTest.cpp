#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QTabWidget>

#include <gtest/gtest.h>

#include "CDlgTabAccountMgr.h"
#include "CDlgTabProductInfo.h"
#include "CDlgTabStore.h"
#include "FinanceBillPage.h"
#include "FrameFixture.h"
#include "GoodsBillPage.h"
#include "PartyPage.h"

namespace {

// What a page shows a person: every widget's text, current entry or row
// count, and whether it is visible.
QStringList pageState(QWidget* page)
{
    QStringList state;
    for (QWidget* w : page->findChildren<QWidget*>())
        state << QStringLiteral("%1=%2|%3|%4|%5")
                     .arg(w->objectName(), w->property("text").toString(), w->property("currentText").toString(),
                         w->property("rowCount").toString())
                     .arg(w->isVisible());
    return state;
}

// The widgets of a page a person can give the focus to and press Enter in.
QList<QWidget*> fieldsOf(QWidget* root)
{
    QList<QWidget*> fields;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        const bool field = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)
            || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QAbstractItemView*>(w)
            || qobject_cast<QPushButton*>(w);
        if (field && w->isVisible() && w->isEnabled() && w->focusPolicy() != Qt::NoFocus)
            fields << w;
    }
    return fields;
}

void showPage(CDlgMainDlg& main, int group, int page)
{
    main.show();
    main.ShowTabGroup(group);
    main.ActivateTab(group, page);
    main.SetCurrentPage(page);
}

} // namespace

TEST(MainWindow, EnterInAnyFieldOfAnyPageAndEscapeTriggerNothing)
{
    FrameFixture frame;
    for (const char* name : {"扳手", "钳子"})
        frame.db.exec("INSERT INTO tbl_StoreMgr (ProductCode, ProductName, ProductSpec, PromptCount, GUID) VALUES (?, "
                      "?, '10寸', '0', ?)",
            {QStringLiteral("K-%1").arg(QString::fromUtf8(name)), QString::fromUtf8(name), GuidText()});
    frame.mainDlg->m_pTabStore->FilterProducts(0);
    frame.mainDlg->m_pTabProductInfo->FillProductList({});
    frame.loginAsSupervisor();
    QTest::mouseClick(frame.menuButton("1019"), Qt::LeftButton);
    ASSERT_FALSE(frame.menu->isVisible());
    frame.user.clear();

    int pressed = 0;
    for (int group = 0; group < CDlgMainDlg::GroupCount; ++group) {
        QTabWidget* tabs = frame.mainDlg->TabGroup(group);
        for (int tab = 0; tab < tabs->count(); ++tab) {
            showPage(*frame.mainDlg, group, tab);
            QWidget* page = tabs->widget(tab);
            const QStringList before = pageState(page);
            // The page's fields, and the main window's own (the date box,
            // the side buttons).
            QList<QWidget*> fields = fieldsOf(page);
            fields << frame.datePicker() << frame.mainButton("1002") << frame.mainButton("1004");
            for (QWidget* field : std::as_const(fields)) {
                SCOPED_TRACE(QStringLiteral("group %1 tab %2 %3 %4")
                                 .arg(group)
                                 .arg(tab)
                                 .arg(QString::fromLatin1(field->metaObject()->className()), field->objectName())
                                 .toStdString());
                field->setFocus();
                QTest::keyClick(field, Qt::Key_Return);
                QTest::keyClick(field, Qt::Key_Enter, Qt::KeypadModifier);
                ++pressed;
                EXPECT_TRUE(!frame.menu->isVisible() && frame.mainDlg->isVisible());
                EXPECT_TRUE(frame.user.messages.empty() && frame.user.modalDialogs.isEmpty());
                EXPECT_EQ(frame.mainDlg->VisibleGroup(), group);
                EXPECT_EQ(tabs->currentIndex(), tab);
            }
            EXPECT_EQ(pageState(page), before) << "group " << group << " tab " << tab;
        }
    }
    EXPECT_GT(pressed, 20);
    // No push button of the window or its pages is a default button.
    for (QPushButton* button : frame.mainDlg->findChildren<QPushButton*>())
        EXPECT_FALSE(button->isDefault() || button->autoDefault()) << button->objectName().toStdString();
    QTest::keyClick(frame.mainDlg.get(), Qt::Key_Escape);
    EXPECT_TRUE(frame.mainDlg->isVisible());
    // A group outside 0 to 4 is stored and shows or hides nothing.
    frame.mainDlg->ShowTabGroup(9);
    EXPECT_EQ(frame.mainDlg->VisibleGroup(), 9);
    EXPECT_TRUE(frame.mainDlg->TabGroup(4)->isVisible());
}

TEST(MainWindow, PreviousAndNextDayCrossMonthAndYearEnds)
{
    FrameFixture frame;
    EXPECT_EQ(frame.mainDlg->GetCurrentDate(), DateText(QDate::currentDate())); // the local date at start
    const char* const steps[][3] = {{"2012-03-01", "1008", "2012-02-29"}, {"2011-03-01", "1008", "2011-02-28"},
        {"2011-01-01", "1008", "2010-12-31"}, {"2011-12-31", "1009", "2012-01-01"},
        {"2012-02-28", "1009", "2012-02-29"}, {"2011-04-30", "1009", "2011-05-01"}};
    for (const auto& [from, button, to] : steps) {
        frame.datePicker()->setDate(QDate::fromString(QString::fromLatin1(from), Qt::ISODate));
        QTest::mouseClick(frame.mainButton(button), Qt::LeftButton);
        EXPECT_EQ(frame.mainDlg->GetCurrentDate(), QString::fromLatin1(to));
    }
}

// A click on a tab shows its page; a date change recomputes the visible
// page only and brings a bill page back to its first page; a tab change in
// a hidden group neither moves the page index nor recomputes anything.
TEST(MainWindow, OnlyTheVisiblePageRecomputes)
{
    // {group, page, recomputed page: index into the list below, -1 for none}
    const int cases[][3] = {{0, 0, 0}, {0, 1, 1}, {0, 2, -1}, {0, 3, 2}, {0, 4, -1}, {1, 0, 3}, {1, 1, 3}, {2, 0, 4},
        {2, 1, 4}, {3, 0, -1}, {4, 0, 5}, {4, 1, 6}, {4, 2, -1}, {4, 3, 7}, {4, 4, -1}};
    for (const auto& c : cases) {
        FrameFixture frame;
        CDlgMainDlg& main = *frame.mainDlg;
        main.show();
        main.ShowTabGroup(c[0]);
        main.TabGroup(c[0])->setCurrentIndex(c[1]);
        PageBase* pages[] = {main.m_pTabClient, main.m_pTabGoods, main.m_pTabFina, main.m_pTabStore,
            main.m_pTabAccountMgr, main.m_pTabProviderMgr, main.m_pTabProviderGoods, main.m_pTabFinaProvider};
        auto* bill = c[2] < 0 ? nullptr : dynamic_cast<BillPageBase*>(pages[c[2]]);
        if (bill)
            bill->m_nCurPage = 2;
        frame.datePicker()->setDate(QDate(2011, 7, 9));
        main.TabGroup(c[0] == 0 ? 4 : 0)->setCurrentIndex(1);
        EXPECT_EQ(main.CurrentPage(), c[1]);
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(pages[i]->ComputedDate(), i == c[2] ? QStringLiteral("2011-07-09") : QString())
                << "group " << c[0] << " page " << c[1] << " page index " << i;
        if (bill) {
            EXPECT_EQ(bill->m_nCurPage, 0) << c[0] << ' ' << c[1];
        }
    }
}

TEST(MainWindow, TheDatePickerShowsIsoDatesAndAGoneWindowLeavesNoWorkingDateBehind)
{
    const QLocale previous;
    for (const QLocale& desktop :
        {QLocale(QLocale::English, QLocale::UnitedKingdom), QLocale(QLocale::Chinese, QLocale::China)}) {
        QLocale::setDefault(desktop);
        {
            FrameFixture frame;
            g_pMainDlg = frame.mainDlg.get();
            frame.datePicker()->setDate(QDate(2026, 12, 1));
            EXPECT_EQ(frame.datePicker()->text(), QStringLiteral("2026-12-01")) << desktop.name().toStdString();
            EXPECT_EQ(GetCurDateString(), QStringLiteral("2026-12-01"));
        }
        // Whatever still asks for the date gets today's, not the gone picker's.
        EXPECT_EQ(g_pMainDlg, nullptr);
        EXPECT_EQ(GetCurDateString(), DateText(QDate::currentDate()));
    }
    QLocale::setDefault(previous);
}
