#include <QLabel>
#include <QTabWidget>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <vector>

#include "BillFixtures.h"
#include "CDlgSelProductDlg.h"
#include "CDlgSelProductSpecDlg.h"
#include "ClickSupport.h"
#include "FrameFixture.h"
#include "RecordCard.h"
#include "SafeApplication.h"

// Every page of the main window and every window the program opens, shown
// offscreen at the size it opens in, over a shop with a few hundred records:
// each visible button and label shows its whole text in the program's font.
// Texts a card cuts with "…" on purpose are left alone. On the way, Enter in
// any field of a page triggers nothing.

namespace {

// The width a label's text takes without wrapping, in the label's font.
int textWidth(const QLabel* label)
{
    const QString text = label->text();
    const bool rich
        = label->textFormat() == Qt::RichText || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    if (!rich)
        return label->fontMetrics().size(0, text).width();
    QTextDocument document;
    document.setDefaultFont(label->font());
    document.setHtml(text);
    document.setDocumentMargin(0);
    return qCeil(document.idealWidth());
}

// One line for each button or label of the window whose text does not fit
// its width: the window, the control, its text, its width and the width it
// needs.
QStringList tooNarrow(QWidget* window, const QString& name)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QStringList found;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        QString text;
        int width = widget->width();
        int needed = 0;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            text = button->text();
            needed = button->sizeHint().width();
        } else if (auto* label = qobject_cast<QLabel*>(widget); label && !label->wordWrap()) {
            text = label->text();
            width = label->contentsRect().width() - 2 * label->margin() - std::max(label->indent(), 0);
            needed = textWidth(label);
        }
        if (!widget->isVisible() || text.isEmpty() || text.contains(u'…') || width >= needed)
            continue;
        found << QStringLiteral("%1: %2 “%3” is %4 wide, needs %5")
                     .arg(name, widget->objectName(), text)
                     .arg(width)
                     .arg(needed);
    }
    return found;
}

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

QString windowName(QWidget* window)
{
    return QStringLiteral("%1 “%2”").arg(QString::fromLatin1(window->metaObject()->className()), window->windowTitle());
}

// Presses a control as a person would: a button by its id, the first record
// card shown ("card"), or a double-click on the first row of the list
// ("row").
void press(QWidget* window, const QString& step)
{
    if (step == QLatin1String("row")) {
        auto* list = window->findChild<QTableWidget*>();
        ASSERT_TRUE(list && list->rowCount() > 0) << windowName(window).toStdString() << " lists nothing";
        doubleClickRow(list, 0);
        return;
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        const bool card = step == QLatin1String("card") && qobject_cast<RecordCard*>(button);
        if (button->isVisible() && (card || button->objectName() == step))
            return QTest::mouseClick(button, Qt::LeftButton);
    }
    ADD_FAILURE() << windowName(window).toStdString() << ": nothing to press for " << step.toStdString();
}

// Where a window is opened from: a page of the main window (group and tab;
// group -1 is the function menu) and the controls pressed there and then in
// each window that opens, one after the other; "" presses nothing in the
// last one, which is then closed.
struct Walk
{
    int group;
    int tab;
    std::vector<const char*> steps;
};

const Walk kWalks[] = {
    {-1, 0, {"1015", "1276", ""}}, // password prompt, then the stock alarm
    {-1, 0, {"1013", ""}}, // online service
    {0, 0, {"1042", ""}},
    {0, 0, {"1046", ""}},
    {0, 0, {"card", "1078", "1283", "row", ""}}, // price list, all products, price
    {0, 0, {"card", "1074", "1276", ""}}, // the data password, then the client
    {0, 1, {"card", ""}},
    {0, 1, {"1107", "1095", "1429", ""}},
    {0, 2, {"1366", ""}},
    {0, 3, {"1128", "1125", ""}},
    {0, 3, {"card", ""}},
    {0, 4, {"1378", ""}},
    {1, 0, {"1184", ""}},
    {1, 0, {"1181", ""}},
    {1, 0, {"card", ""}},
    {1, 1, {"1185", ""}},
    {2, 0, {"1095", ""}},
    {2, 0, {"card", "1208", ""}},
    {2, 1, {"1378", ""}},
    {3, 0, {"1353", "1231", ""}},
    {3, 0, {"1353", "1106", ""}},
    {3, 0, {"1353", "1107", ""}},
    {4, 0, {"1357", ""}},
    {4, 0, {"card", "1078", "1283", "row", ""}},
    {4, 0, {"card", "1074", "1276", ""}},
    {4, 1, {"card", ""}},
    {4, 1, {"1361", "1096", "1429", ""}},
    {4, 2, {"1366", ""}},
    {4, 3, {"1374", "1126", ""}},
    {4, 3, {"card", ""}},
    {4, 4, {"1378", ""}},
};

} // namespace

TEST(TextFit, EveryButtonAndLabelOfEveryWindowShowsItsWholeTextAndEnterTriggersNothing)
{
    // The tests run in the program's font, which the machine has.
    ASSERT_TRUE(QApplication::font() == ProgramFont());
    ASSERT_EQ(QFontInfo(ProgramFont()).family(), QStringLiteral("Noto Sans CJK SC"));
    FrameFixture frame;
    Database& db = frame.db.db();
    // Two hundred records of each kind: pages of cards.
    const QString today = DateText(QDate::currentDate()), account = QStringLiteral("中国工商银行苏州分行");
    const QString client = QStringLiteral("苏州宏达建材有限公司"), provider = QStringLiteral("无锡恒通五金制品厂");
    frame.db.exec("UPDATE tbl_AccountMgr SET AccountName = ?", {account});
    for (int i = 0; i < 200; ++i) {
        const QString n = QString::number(i + 1);
        AddClientRow(db, i ? client + n : client, QStringLiteral("1"), QStringLiteral("1200.00"));
        AddProviderRow(db, i ? provider + n : provider, QStringLiteral("2"), QStringLiteral("860.00"));
        const FixtureLine line {QStringLiteral("LS-08%1").arg(i, 2, 10, QLatin1Char('0')),
            QStringLiteral("不锈钢内六角螺丝"), QStringLiteral("M8×%1").arg(40 + i), QStringLiteral("120"),
            QStringLiteral("10.50")};
        AddProductRow(db, line.code, line.name, line.spec, QStringLiteral("3"));
        AddGoodsBillRows(db, PartyClient, QStringLiteral("出货单"), client, today, {line});
        AddGoodsBillRows(db, PartyProvider, QStringLiteral("进货单"), provider, today, {line});
        AddFinanceBillRow(db, PartyClient, QStringLiteral("收入单"), client, account, today, QStringLiteral("1260.00"));
        AddFinanceBillRow(
            db, PartyProvider, QStringLiteral("支出单"), provider, account, today, QStringLiteral("960.00"));
    }

    QStringList found;
    CDlgMainDlg& main = *frame.mainDlg;
    // A dialog is measured on each of its tabs.
    const auto measure = [&](QWidget* window, const QString& name) {
        found << tooNarrow(window, name);
        for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
            for (int i = 1; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                found << tooNarrow(window, name);
            }
            tabs->setCurrentIndex(0);
        }
    };
    main.show();
    for (const Walk& walk : kWalks) {
        QWidget* from = frame.menu.get();
        if (walk.group >= 0) {
            main.show(); // as a function chosen after the login that hid it
            main.ShowTabGroup(walk.group);
            main.ActivateTab(walk.group, walk.tab);
            main.SetCurrentPage(walk.tab);
            main.RefreshPages(QString());
            from = main.TabGroup(walk.group)->widget(walk.tab);
            const QString name = windowName(&main) + QLatin1Char('/') + main.TabGroup(walk.group)->tabText(walk.tab);
            found << tooNarrow(&main, name);
            // Enter in the page's fields and the main window's own (the date
            // box, the side buttons) leaves everything as it was.
            frame.menu->hide();
            frame.user.clear();
            const QStringList before = pageState(from);
            const QList<QWidget*> fields = from->findChildren<QWidget*>()
                + QList<QWidget*> {frame.datePicker(), frame.mainButton("1002"), frame.mainButton("1004")};
            for (QWidget* field : fields) {
                if (!field->isVisible() || !field->isEnabled() || field->focusPolicy() == Qt::NoFocus)
                    continue;
                field->setFocus();
                QTest::keyClick(field, Qt::Key_Return);
                QTest::keyClick(field, Qt::Key_Enter, Qt::KeypadModifier);
                EXPECT_TRUE(!frame.menu->isVisible() && main.VisibleGroup() == walk.group
                    && main.TabGroup(walk.group)->currentIndex() == walk.tab && frame.user.messages.empty()
                    && frame.user.modalDialogs.isEmpty())
                    << name.toStdString() << ": " << field->objectName().toStdString();
            }
            EXPECT_EQ(pageState(from), before) << name.toStdString();
        } else {
            frame.menu->show();
            measure(frame.menu.get(), windowName(frame.menu.get()));
        }
        frame.user.clear();
        bool walking = true;
        for (size_t i = 1; i < walk.steps.size(); ++i) {
            const QString next = QString::fromLatin1(walk.steps[i]);
            frame.user.onNextModal([&, next](QDialog* dialog) {
                if (walking) {
                    measure(dialog, windowName(dialog));
                    if (!next.isEmpty())
                        press(dialog, next);
                }
                return dialog->result();
            });
        }
        press(from, QString::fromLatin1(walk.steps.front()));
        const qsizetype opened = frame.user.modalDialogs.size();
        EXPECT_EQ(opened, qsizetype(walk.steps.size() - 1))
            << walk.group << '/' << walk.tab << ' ' << walk.steps.front() << ": "
            << frame.user.modalDialogs.join(' ').toStdString() << " / " << frame.user.texts().join(' ').toStdString();
        // What a walk did not open must not be taken for the next walk's windows.
        walking = false;
        for (qsizetype i = opened; i < qsizetype(walk.steps.size() - 1); ++i) {
            QDialog unused;
            frame.user.runModal(&unused);
        }
    }
    // The bill editor's pickers, opened from its grid cells.
    CDlgSelProductDlg products;
    CDlgSelProductSpecDlg specs;
    specs.SetPriceSource(PartyClient);
    specs.SetPartyName(client);
    specs.SetProductName(QStringLiteral("不锈钢内六角螺丝"));
    for (QDialog* picker : {static_cast<QDialog*>(&products), static_cast<QDialog*>(&specs)}) {
        picker->show();
        measure(picker, windowName(picker));
    }
    found.removeDuplicates();
    for (const QString& line : std::as_const(found))
        ADD_FAILURE() << line.toStdString();
    // No push button of the main window or its pages is a default button;
    // Escape does not close the main window; a group outside 0 to 4 is
    // stored and shows or hides nothing.
    for (QPushButton* button : main.findChildren<QPushButton*>())
        EXPECT_FALSE(button->isDefault() || button->autoDefault()) << button->objectName().toStdString();
    QTest::keyClick(&main, Qt::Key_Escape);
    EXPECT_TRUE(main.isVisible());
    main.ShowTabGroup(9);
    EXPECT_EQ(main.VisibleGroup(), 9);
    EXPECT_TRUE(main.TabGroup(4)->isVisible());
}
