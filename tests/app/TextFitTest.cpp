#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolTip>

#include <gtest/gtest.h>

#include <vector>

#include "BillFixtures.h"
#include "CDlgSelProductDlg.h"
#include "CDlgSelProductSpecDlg.h"
#include "CDlgTabData_Fina_Provider.h"
#include "CDlgTabData_Provider.h"
#include "ClickSupport.h"
#include "FinanceBillMode.h"
#include "FrameFixture.h"
#include "GoodsBillModeInfo.h"
#include "ListColumnFitter.h"
#include "RecordCard.h"
#include "SafeApplication.h"

// Every page of the main window and every window the program opens, shown
// offscreen at the size it opens in, over a shop with a few hundred records:
// each visible button and label shows its whole text in the program's font,
// each list its titles and codes, each combo box's popup its items; the
// report pages before and after a search of all their bills. Texts a card
// cuts with "…" on purpose are left alone. On the way, Enter in any field of
// a page triggers nothing.

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

// A text a control shows and the room the control gives it.
struct Shown
{
    QString control;
    QString text;
    int width = 0;
    int needed = 0;
};

// The width a cell of the list needs for a text: its margins and the grid
// line beside it.
int cellWidth(const QTableView* view, const QString& text)
{
    const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    return view->fontMetrics().horizontalAdvance(text) + margins + (view->showGrid() ? 1 : 0);
}

// A list's titles, each with the room a cell would give it and inside the
// view, not past its right edge; in a column of codes ("…编号") every code.
void listTexts(const QHeaderView* header, std::vector<Shown>& shown)
{
    const auto* view = qobject_cast<const QTableView*>(header->parentWidget());
    if (!view || header->orientation() != Qt::Horizontal)
        return;
    const QAbstractItemModel* model = view->model();
    for (int column = 0; column < header->count(); ++column) {
        if (header->isSectionHidden(column))
            continue;
        const QString title = model->headerData(column, Qt::Horizontal).toString();
        const int width = header->sectionSize(column);
        const int room = header->viewport()->width() - header->sectionViewportPosition(column);
        shown.push_back({view->objectName() + QStringLiteral(" title"), title, width,
            std::max(header->sectionSizeHint(column), cellWidth(view, title))});
        shown.push_back({view->objectName() + QStringLiteral(" title in view"), title, room, width});
        // The widest code stands for the others.
        QModelIndex widest;
        for (int row = 0; title.endsWith(QStringLiteral("编号")) && row < model->rowCount(); ++row) {
            const QModelIndex cell = model->index(row, column);
            if (!widest.isValid() || view->sizeHintForIndex(cell).width() > view->sizeHintForIndex(widest).width())
                widest = cell;
        }
        if (widest.isValid())
            shown.push_back({view->objectName() + QStringLiteral(" code"), widest.data().toString(), width,
                view->sizeHintForIndex(widest).width() + (view->showGrid() ? 1 : 0)});
    }
}

// A combo box's popup, opened, against the width its items take.
void popupTexts(QComboBox* combo, std::vector<Shown>& shown)
{
    QString longest;
    for (int row = 0; row < combo->count(); ++row)
        longest = std::max(longest, combo->itemText(row), [](auto& a, auto& b) { return a.size() < b.size(); });
    QAbstractItemView* popup = combo->view();
    combo->showPopup();
    shown.push_back({combo->objectName() + QStringLiteral(" popup"), longest, popup->viewport()->width(),
        popup->sizeHintForColumn(combo->modelColumn())});
    combo->hidePopup();
}

// One line for each text of the window that does not fit its room: a
// button's or label's, a list's title or code, a combo box's item in its
// popup; the window, the control, its text, its room and the room it
// needs.
QStringList tooNarrow(QWidget* window, const QString& name)
{
    // A list lays out its rows, then its scroll bars, then its stretched
    // column, each on a later turn of the event loop.
    for (int turn = 0; turn < 3; ++turn)
        QCoreApplication::processEvents();
    QStringList found;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        std::vector<Shown> shown;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            shown.push_back({widget->objectName(), button->text(), widget->width(), button->sizeHint().width()});
        } else if (auto* label = qobject_cast<QLabel*>(widget); label && !label->wordWrap()) {
            shown.push_back({widget->objectName(), label->text(),
                label->contentsRect().width() - 2 * label->margin() - std::max(label->indent(), 0), textWidth(label)});
        } else if (auto* header = qobject_cast<QHeaderView*>(widget)) {
            listTexts(header, shown);
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            popupTexts(combo, shown);
        }
        for (const Shown& text : shown) {
            if (text.text.isEmpty() || text.text.contains(u'…') || text.width >= text.needed)
                continue;
            found << QStringLiteral("%1: %2 “%3” is %4 wide, needs %5")
                         .arg(name, text.control, text.text)
                         .arg(text.width)
                         .arg(text.needed);
        }
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

// The widths of a page's list columns, which a search leaves as they are;
// a report list's columns follow what it lists (tested below).
QList<int> columnWidths(QWidget* page)
{
    QList<int> widths;
    for (const QHeaderView* header : page->findChildren<QHeaderView*>()) {
        const bool fitted = header->parentWidget()->findChild<ListColumnFitter*>();
        for (int column = 0; !fitted && header->orientation() == Qt::Horizontal && column < header->count(); ++column)
            widths << header->sectionSize(column);
    }
    return widths;
}

// What a report list shows wrong: a column of codes, dates, amounts, kinds
// or numbers not exactly as wide as its title and widest text, a cell cut
// while a column holds room it does not need, a cut cell whose tooltip is
// not its whole text, columns that end short of the view's right edge or
// past it. The texts shown cut go to `cut`.
QStringList reportListFaults(QTableView* view, QStringList& cut)
{
    const QString whole = QStringLiteral("记录号 单据编号 单据类型 录入时间 收入 支出 合计 单据金额 单据订金");
    const QHeaderView* header = view->horizontalHeader();
    QStringList faults;
    cut.clear();
    bool spare = false;
    for (int column = 0; column < header->count(); ++column) {
        const QString title = view->model()->headerData(column, Qt::Horizontal).toString();
        const int width = header->sectionSize(column);
        int need = std::max(header->sectionSizeHint(column), cellWidth(view, title));
        for (int row = 0; !header->isSectionHidden(column) && row < view->model()->rowCount(); ++row) {
            const QModelIndex cell = view->model()->index(row, column);
            need = std::max(need, view->sizeHintForIndex(cell).width() + 1);
            if (view->sizeHintForIndex(cell).width() + 1 <= width)
                continue;
            cut << cell.data().toString();
            const QPoint at = view->visualRect(cell).center();
            QHelpEvent help(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
            QCoreApplication::sendEvent(view->viewport(), &help);
            if (QToolTip::text() != cut.last())
                faults << QStringLiteral("“%1” is cut, its tooltip is “%2”").arg(cut.last(), QToolTip::text());
        }
        spare = spare || (!header->isSectionHidden(column) && width > need);
        if (whole.split(u' ').contains(title) && width != need)
            faults << QStringLiteral("%1 is %2 wide, its texts need %3").arg(title).arg(width).arg(need);
    }
    if (header->length() != view->viewport()->width())
        faults << QStringLiteral("the columns end at %1, the view at %2")
                      .arg(header->length())
                      .arg(view->viewport()->width());
    if (spare && !cut.isEmpty())
        faults << QStringLiteral("texts are cut while a column holds spare room");
    return faults;
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
// last one, which is then closed. A page is measured again after the walk:
// the report pages then list what their search (1399, 1420) found.
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
    {0, 2, {"1366", "1399"}},
    {0, 3, {"1128", "1125", ""}},
    {0, 3, {"card", ""}},
    {0, 4, {"1378", "1420"}},
    {1, 0, {"1184", ""}},
    {1, 0, {"1181", ""}},
    {1, 0, {"card", ""}},
    {1, 1, {"1185", ""}},
    {2, 0, {"1095", ""}},
    {2, 0, {"card", "1208", ""}},
    {2, 1, {"1378", "1420"}},
    {3, 0, {"1353", "1231", ""}},
    {3, 0, {"1353", "1106", ""}},
    {3, 0, {"1353", "1107", ""}},
    {4, 0, {"1357", ""}},
    {4, 0, {"card", "1078", "1283", "row", ""}},
    {4, 0, {"card", "1074", "1276", ""}},
    {4, 1, {"card", ""}},
    {4, 1, {"1361", "1096", "1429", ""}},
    {4, 2, {"1366", "1399"}},
    {4, 3, {"1374", "1126", ""}},
    {4, 3, {"card", ""}},
    {4, 4, {"1378", "1420"}},
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
    Transaction records(db);
    for (int i = 0; i < 200; ++i) {
        const QString n = QString::number(i + 1);
        AddClientRow(db, i ? client + n : client, QStringLiteral("1"), QStringLiteral("1200.00"));
        AddProviderRow(db, i ? provider + n : provider, QStringLiteral("2"), QStringLiteral("860.00"));
        const FixtureLine line {QStringLiteral("LS-08%1").arg(i, 2, 10, QLatin1Char('0')),
            QStringLiteral("不锈钢内六角螺丝"), QStringLiteral("M8×%1").arg(40 + i), QStringLiteral("120"),
            QStringLiteral("10.50")};
        AddProductRow(db, line.code, line.name, line.spec, QStringLiteral("3"));
        // The codes the editors propose, numbered through the day as the
        // shop does: "XS_CH_20261207-001", "SR_XS_DJ_20261207-001".
        const QString number = QStringLiteral("-%1").arg(i + 1, 3, 10, QLatin1Char('0'));
        const QString day = QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + number;
        const QString codes[] = {MakeBillNumber(0, today) + number, MakeBillNumber(10, today) + number,
            FinanceBillModeFor(20)->codePrefix + day, FinanceBillModeFor(17)->codePrefix + day};
        const QString guids[]
            = {AddGoodsBillRows(db, PartyClient, QStringLiteral("出货单"), client, today, {line})[0].GUID,
                AddGoodsBillRows(db, PartyProvider, QStringLiteral("进货单"), provider, today, {line})[0].GUID,
                AddFinanceBillRow(
                    db, PartyClient, QStringLiteral("收入单"), client, account, today, QStringLiteral("1260.00"))
                    .GUID,
                AddFinanceBillRow(
                    db, PartyProvider, QStringLiteral("支出单"), provider, account, today, QStringLiteral("960.00"))
                    .GUID};
        const char* updates[] = {"UPDATE tbl_GoodsBill_shipment SET BillCode = ? WHERE GUID = ?",
            "UPDATE tbl_goodsbill_shipment_provider SET BillCode = ? WHERE GUID = ?",
            "UPDATE tbl_FinanceBill_income SET BillCode = ? WHERE GUID = ?",
            "UPDATE tbl_FinanceBill_income_provider SET BillCode = ? WHERE GUID = ?"};
        for (int table = 0; table < 4; ++table)
            frame.db.exec(updates[table], {codes[table], guids[table]});
    }
    records.commit();

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
        QString name;
        QList<int> columns;
        if (walk.group >= 0) {
            main.show(); // as a function chosen after the login that hid it
            main.ShowTabGroup(walk.group);
            main.ActivateTab(walk.group, walk.tab);
            main.SetCurrentPage(walk.tab);
            main.RefreshPages(QString());
            from = main.TabGroup(walk.group)->widget(walk.tab);
            name = windowName(&main) + QLatin1Char('/') + main.TabGroup(walk.group)->tabText(walk.tab);
            found << tooNarrow(&main, name);
            columns = columnWidths(from);
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
        if (walk.group >= 0) {
            found << tooNarrow(&main, name);
            EXPECT_EQ(columnWidths(from), columns) << name.toStdString();
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

TEST(TextFit, ReportListsFitCodesDatesAndAmountsAndShareTheRestAmongNamesAndRemarks)
{
    FrameFixture frame;
    const QString today = DateText(QDate::currentDate());
    const QString longName = QStringLiteral("义乌佳乐装饰材料有限公司"), shortName = QStringLiteral("华东五金厂");
    const QString longRemark = QStringLiteral("付华东五金厂七月全部货款及运费，另扣退货两箱，余款八月底以前结清");
    const QString shortRemark = QStringLiteral("付华东货款");
    const FixtureLine line {
        QStringLiteral("A1"), QStringLiteral("合页"), QString(), QStringLiteral("1"), QStringLiteral("12345.60")};
    // More bills than the lists lay out the texts of; codes are typed
    // freely.
    const char* updates[] = {"UPDATE tbl_GoodsBill_shipment SET BillCode = ?, BillRemark = ? WHERE GUID = ?",
        "UPDATE tbl_goodsbill_shipment_provider SET BillCode = ?, BillRemark = ? WHERE GUID = ?",
        "UPDATE tbl_FinanceBill_income SET BillCode = ?, BillRemark = ? WHERE GUID = ?",
        "UPDATE tbl_FinanceBill_income_provider SET BillCode = ?, BillRemark = ? WHERE GUID = ?"};
    Database& db = frame.db.db();
    Transaction bills(db);
    for (int i = 0; i < 140; ++i) {
        const PartySide side = i % 2 ? PartyProvider : PartyClient;
        const QString& name = i > 1 ? shortName : longName;
        const QStringList texts
            = {i > 1 ? QStringLiteral("XS-%1").arg(i / 2 + 100) : QStringLiteral("XS_CH_20070722-001-补开"),
                i > 1 ? shortRemark : longRemark};
        const QString type = side == PartyClient ? QStringLiteral("出货单") : QStringLiteral("进货单");
        const QString goods = AddGoodsBillRows(db, side, type, name, today, {line})[0].GUID;
        const QString finance
            = AddFinanceBillRow(db, side, QStringLiteral("支出单"), name, QStringLiteral("现金"), today, line.unitPrice)
                  .GUID;
        frame.db.exec(updates[i % 2], texts + QStringList {goods});
        frame.db.exec(updates[2 + i % 2], texts + QStringList {finance});
    }
    bills.commit();
    // Every report page at the main window's size, after a search of all
    // its bills (the walks that run one) and after listing one party's.
    CDlgMainDlg& main = *frame.mainDlg;
    main.show();
    ASSERT_EQ(main.size(), QSize(1100, 700));
    for (const Walk& walk : kWalks) {
        const QString run = QString::fromLatin1(walk.steps.back());
        if (run != QLatin1String("1399") && run != QLatin1String("1420"))
            continue;
        main.ShowTabGroup(walk.group);
        main.ActivateTab(walk.group, walk.tab);
        QWidget* shown = main.TabGroup(walk.group)->widget(walk.tab);
        auto* view = shown->findChild<QTableView*>();
        auto* goods = qobject_cast<CDlgTabData_Provider*>(shown);
        SCOPED_TRACE(QStringLiteral("%1/%2").arg(walk.group).arg(walk.tab).toStdString());
        frame.user.onNextModal([&](QDialog* dialog) {
            press(dialog, run);
            return dialog->result();
        });
        press(shown, QString::fromLatin1(walk.steps.front()));
        QStringList cut;
        EXPECT_EQ(reportListFaults(view, cut), QStringList());
        // The goods lists have room for every name; the fourteen columns of
        // the finance lists not for the long one.
        cut.removeDuplicates();
        EXPECT_EQ(cut, goods ? QStringList({longRemark}) : QStringList({longName, longRemark}));
        main.resize(1300, 700);
        QCoreApplication::processEvents();
        EXPECT_EQ(reportListFaults(view, cut), QStringList());
        main.resize(1100, 700);
        QCoreApplication::processEvents();
        if (goods)
            goods->ShowPartyBills(shortName, QString(), QString());
        else
            qobject_cast<CDlgTabData_Fina_Provider*>(shown)->ShowPartyBills(shortName, QString(), QString());
        EXPECT_EQ(reportListFaults(view, cut), QStringList());
        EXPECT_EQ(cut, QStringList());
    }
}
