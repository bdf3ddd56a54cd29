// The client and provider pages as a person uses them: paging, layout, filters, the figures on the cards,
// adds and deletes, the record dialog (its checks, what it stores, its result codes; a change through it is in the
// detail window's tests), and the two reports.

#include <QComboBox>
#include <QLabel>

#include "CapturedReports.h"
#include "PartnersTestSupport.h"

namespace {

struct PageIds
{
    const char *prev, *next, *area, *report, *list, *nameEdit, *search, *pageLine, *newParty;
};

const PageIds kClientIds = {"1043", "1044", "1299", "1046", "1049", "1300", "1041", "1432", "1042"};
const PageIds kProviderIds = {"1356", "1358", "1386", "1042", "1043", "1438", "1384", "1425", "1357"};

class PartyPageTest : public PartnersTest
{
protected:
    const PageIds& ids() const { return side().provider() ? kProviderIds : kClientIds; }
    void addNamed(int n)
    {
        for (int i = 1; i <= n; ++i)
            addParty("单位" + QString::number(i));
    }
    // The names on the cards a person sees, then the page line.
    QString shown() const
    {
        QStringList names;
        for (int k = 0; k < page->PoolSize(); ++k) {
            if (page->IsCardShown(k))
                names << page->CardParty(k).ClientName;
        }
        return names.join(' ') + " | " + page->findChild<QLabel*>(ids().pageLine)->text();
    }
    void click(const char* id) { clickButton(page.get(), id); }
    QLineEdit* nameEdit() const { return page->findChild<QLineEdit*>(ids().nameEdit); }
    void search(const QString& typed)
    {
        nameEdit()->clear();
        typeText(nameEdit(), typed);
        click(ids().search);
    }
    // Opens the record dialog from the page; act types and clicks in it.
    void openDialog(const std::function<void(QDialog*)>& act)
    {
        user.onNextModal([act](QDialog* dialog) {
            act(dialog);
            return dialog->result();
        });
        click(ids().newParty);
    }
    // The finance sum of May, then the address list.
    void printBoth(QStringList* preset = nullptr)
    {
        choosePeriod(true, preset);
        click(ids().report);
        click(ids().list);
    }

    CapturedReports reports;
};

// Types the name, the opening arrears and the other fields in form order, the remark only when there is one.
void fill(QDialog* dialog, const QString& name, const QString& arrears = "120", const QString& remark = "x")
{
    const QStringList texts = {name, "王五", arrears, "1", "2", "3", "4", "5", "6", "苏州", remark};
    const QList<QLineEdit*> edits = dialog->findChildren<QLineEdit*>();
    for (int i = 0; i < texts.size(); ++i) {
        edits[i]->clear();
        typeText(edits[i], texts[i]);
    }
}

} // namespace

TEST_P(PartyPageTest, PagingResizesAddsDeletesFailedReadsAndFiltersKeepThePageLineWithTheCards)
{
    addNamed(9);
    openPage();
    EXPECT_EQ(shown(), "单位1 单位2 单位3 单位4 | 共 9 条记录，第 1 / 3 页。");
    for (int i = 0; i < 3; ++i)
        click(ids().next);
    EXPECT_EQ(shown(), "单位9 | 共 9 条记录，第 3 / 3 页。");
    // The last card of a page deleted: the last page left; deleted or changed again: said to be gone, nothing
    // changes.
    const struct_button_data gone = page->CardParty(0);
    ASSERT_TRUE(page->DeleteParty(gone));
    EXPECT_EQ(shown(), "单位5 单位6 单位7 单位8 | 共 8 条记录，第 2 / 2 页。");
    EXPECT_FALSE(page->DeleteParty(gone));
    EXPECT_FALSE(page->UpdateParty(gone));
    EXPECT_EQ(user.texts(), QStringList(2, side().info().GoneMessage()));
    EXPECT_EQ(shown(), "单位5 单位6 单位7 单位8 | 共 8 条记录，第 2 / 2 页。");
    for (int i = 0; i < 3; ++i)
        click(ids().prev);
    EXPECT_EQ(shown(), "单位1 单位2 单位3 单位4 | 共 8 条记录，第 1 / 2 页。");
    // Smaller than one card: one card a page from page 0, never a division by 0; larger than the pool: no
    // more cards than were made.
    click(ids().next);
    page->resize(10, 10);
    EXPECT_EQ(shown(), "单位1 | 共 8 条记录，第 1 / 8 页。");
    page->resize(3000, 2000);
    EXPECT_EQ(shown(), "单位1 单位2 单位3 单位4 | 共 8 条记录，第 1 / 2 页。");
    // A resize that keeps the page size keeps the page.
    click(ids().next);
    page->resize(3100, 2100);
    EXPECT_EQ(shown(), "单位5 单位6 单位7 单位8 | 共 8 条记录，第 2 / 2 页。");
    // An add recounts under the filters, the name cleared, and shows the last page: the ninth party alone on
    // the third.
    search("单位2");
    struct_button_data party;
    party.ClientName = "新单位";
    party.GUID = GuidText();
    ASSERT_TRUE(page->AddParty(party));
    EXPECT_EQ(shown(), "新单位 | 共 9 条记录，第 3 / 3 页。");
    EXPECT_TRUE(nameEdit()->text().isEmpty());

    // The figures cannot be computed, then the parties cannot be read: each says so and leaves the page as it was;
    // no report from a failed read either.
    user.clear();
    exec("ALTER TABLE %1 RENAME TO gone_bills", side().financeTable);
    click(ids().prev);
    exec("ALTER TABLE gone_bills RENAME TO %1", side().financeTable);
    exec("ALTER TABLE %1 RENAME TO gone", side().partyTable);
    click(ids().prev);
    printBoth();
    EXPECT_EQ(shown(), "新单位 | 共 9 条记录，第 3 / 3 页。");
    EXPECT_TRUE(reports.documents.empty());
    ASSERT_EQ(user.messages.size(), 4u);
    EXPECT_EQ(user.messages[1].kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(user.messages[0].text.startsWith(QString("计算%1欠款失败。").arg(side().word)));
    EXPECT_TRUE(user.messages[1].text.startsWith(QString("读取%1列表失败。").arg(side().word)));
    EXPECT_FALSE(user.messages[1].text.contains("no such table"));
    exec("ALTER TABLE gone RENAME TO %1", side().partyTable);

    // The area and a part of the name filter the cards literally; the name is searched first, then the area
    // chosen: each keeps the other.
    for (const char* name : {"百分之100%", "1000元", "a_b", "axb", "O'Neil", "back\\slash", "backslash", "本地甲"})
        addParty(name);
    addParty("外地甲", "", "3");
    page->ListPage(0);
    const struct
    {
        const char* typed;
        int area;
        const char* names;
    } cases[] = {{"%", 0, "百分之100%"}, {"_", 0, "a_b"}, {"'N", 0, "O'Neil"}, {"\\", 0, "back\\slash"},
        {"00", 0, "百分之100% 1000元"}, {"甲", 0, "本地甲 外地甲"}, {"甲", 3, "外地甲"}, {"甲", 1, "本地甲"},
        {"", 2, ""}};
    for (const auto& c : cases) {
        search(c.typed);
        page->findChild<QComboBox*>(ids().area)->setCurrentIndex(c.area);
        EXPECT_EQ(shown().split(" | ")[0], c.names) << c.typed << " in " << c.area;
    }
}

TEST_P(PartyPageTest, CardsAndReportsShowTheFiguresComputedFromTheBills)
{
    // An empty table: the picture, a page line that paging keeps, and a totals row alone.
    openPage();
    click(ids().next);
    click(ids().prev);
    EXPECT_TRUE(page->IsEmptyStateShown());
    EXPECT_EQ(shown(), " | 共 0 条记录，第 1 / 0 页。");
    printBoth();
    ASSERT_EQ(reports.documents.size(), 2u);
    EXPECT_EQ(Printed(*reports.documents[0]), QStringList {"总合计|0.00|0.00|0.00|0.00|0.00|0.00"});
    EXPECT_TRUE(reports.documents[1]->records().isEmpty());
    addParty("甲", "500");
    addParty("乙", "1.004", "9");
    addParty("丙", "1.004", "3");
    addParty("甲", "20");
    addBills(
        "甲", "main 2011-05-03 1000; ret 2011-04-03 200; pay 2011-05-31 500; cut 2011-01-31 100; main 2011-06-01 50");
    // What the table caches is never shown.
    exec("UPDATE %1 SET ProductPriceSum = '12345', ClientSumArrears = '12345', ContactName = '王五', Tel = '0512', "
         "Remark = '老客户'",
        side().partyTable);
    // The cards: goods less returns, payments and total arrears to the end of the working month, at the first
    // listing and every later one.
    openPage();
    const auto figures = [&](int k) {
        const struct_button_data shown = page->CardParty(k);
        return QStringList {shown.ProductPriceSum, shown.SumIncome, shown.ClientSumArrears}.join(' ');
    };
    EXPECT_EQ(figures(0) + " / " + figures(1), "800.00 400.00 900.00 / 0.00 0.00 1.00");
    page->RecomputeMonth("2011-06-10");
    EXPECT_EQ(figures(0), "850.00 400.00 950.00");
    click(ids().search);
    EXPECT_EQ(figures(0), "800.00 400.00 900.00");
    // The reports cover every party whatever the filters; the totals add the unrounded figures, a namesake's
    // (old data) shared bills once and its opening arrears; 取消 shows nothing.
    page->findChild<QComboBox*>(ids().area)->setCurrentIndex(2);
    QStringList preset;
    printBoth(&preset);
    choosePeriod(false);
    click(ids().report);
    EXPECT_EQ(preset, (QStringList {"2011-05-01", "2011-05-31"}));
    ASSERT_EQ(reports.documents.size(), 4u);
    EXPECT_EQ(reports.documents[2]->title(), side().word + QString("财务统计表"));
    EXPECT_EQ(reports.documents[2]->parameterText("TitleMonth"), "统计时间段：2011-05-01 到 2011-05-31");
    EXPECT_EQ(Printed(*reports.documents[2]),
        (QStringList {"甲|1000.00|0.00|500.00|500.00|400.00|900.00", "乙|0.00|0.00|0.00|0.00|1.00|1.00",
            "丙|0.00|0.00|0.00|0.00|1.00|1.00", "甲|1000.00|0.00|500.00|500.00|-80.00|420.00",
            "总合计|1000.00|0.00|500.00|500.00|422.01|922.01"}));
    // The address list names a known area by its word.
    EXPECT_EQ(reports.documents[3]->title(), side().word + QString("列表"));
    EXPECT_EQ(Printed(*reports.documents[3]),
        (QStringList {"甲|本地|王五||0512|||老客户", "乙||王五||0512|||老客户", "丙|其它|王五||0512|||老客户",
            "甲|本地|王五||0512|||老客户"}));
    EXPECT_TRUE(user.messages.empty());
}

// 取消, Escape and the close box end with 0, and Enter in a field saves nothing; a refused write says why and keeps
// the dialog open with what was typed; every check passed, the party is stored once.
TEST_P(PartyPageTest, TheRecordDialogStoresANewPartyOnceEveryCheckPassesAndNotOtherwise)
{
    addParty("甲");
    openPage();
    for (int way = 0; way < 4; ++way) {
        openDialog([way](QDialog* dialog) {
            fill(dialog, "乙");
            if (way == 0)
                clickButton(dialog, "1052");
            else if (way == 1)
                QTest::keyClick(dialog, Qt::Key_Escape);
            else if (way == 2)
                dialog->close();
            else
                QTest::keyClick(dialog->findChild<QLineEdit*>("1063"), Qt::Key_Return);
            EXPECT_EQ(dialog->isVisible(), way == 3) << way;
            EXPECT_EQ(dialog->result(), 0) << way;
        });
    }
    EXPECT_TRUE(user.messages.empty());
    exec("CREATE TRIGGER refuse BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, 'disk full'); END", side().partyTable);
    openDialog([](QDialog* dialog) {
        fill(dialog, "乙");
        clickButton(dialog, "1064");
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->findChild<QLineEdit*>("1065")->text(), "乙");
    });
    EXPECT_EQ(partyCount("乙"), 0);
    db.exec("DROP TRIGGER refuse");

    openDialog([](QDialog* dialog) {
        for (const char* typed : {"12元", "1,000", "+5", "1e3", "--3", "."}) {
            fill(dialog, "O'Neil 新单位", typed);
            clickButton(dialog, "1064");
        }
        fill(dialog, "甲");
        clickButton(dialog, "1064");
        fill(dialog, "O'Neil 新单位", " -12.50 ", "");
        clickButton(dialog, "1068");
        clickButton(dialog, "1064");
        typeText(dialog->findChild<QLineEdit*>("1063"), "备注");
        clickButton(dialog, "1064");
        EXPECT_EQ(dialog->result(), 1);
    });
    const QString number = "起初欠款必须是数字，请重新输入。";
    EXPECT_EQ(user.texts(),
        (QStringList {QString("保存%1资料失败。\n数据与已有记录冲突，没有写入。").arg(side().word), number, number,
            number, number, number, number, side().info().DuplicateNameMessage(), "请填写完整信息。",
            QString("新增%1成功。").arg(side().word)}));
    // Stored as typed, without the blanks around the number.
    const QString stored
        = QString("SELECT %1 || '|' || Loan || '|' || BeginArrears || '|' || Remark || '|' || "
                  "length(GUID) FROM %2 WHERE %3 = ?")
              .arg(side().provider() ? "ProviderArea" : "ClientArea", side().partyTable, side().nameColumn);
    EXPECT_EQ(db.scalar(stored.toUtf8().constData(), {"O'Neil 新单位"}), "2|-12.50|-12.50|备注|36");
    EXPECT_EQ(page->RecordCount(), 2);
    EXPECT_EQ(page->CardParty(1).ClientName, "O'Neil 新单位");
}

INSTANTIATE_TEST_SUITE_P(Sides, PartyPageTest, ::testing::ValuesIn(kSides), ::testing::PrintToStringParamName());
