// The client and provider pages as a person uses them: paging, layout,
// filters, the figures on the cards, adds and deletes, and the two reports.

#include <QComboBox>
#include <QLabel>

#include "CapturedReports.h"
#include "PartnersTestSupport.h"
#include "PartyPage.h"
#include "ReportDocument.h"

namespace {

// Two rows of two cards: 115 + 2 x 230 wide, 100 + 2 x 77 high.
const QSize kFourCards(600, 260);
// Three rows of five.
const QSize kFifteenCards(1265, 331);

struct PageIds
{
    const char *prev;
    const char *newParty;
    const char *next;
    const char *area;
    const char *report;
    const char *list;
    const char *nameEdit;
    const char *search;
    const char *picture;
    const char *pageLine;
};

const PageIds kClientIds = {"1043", "1042", "1044", "1299", "1046", "1049", "1300", "1041", "1048", "1432"};
const PageIds kProviderIds = {"1356", "1357", "1358", "1386", "1042", "1043", "1438", "1384", "1359", "1425"};

class PartyPageTest : public ::testing::TestWithParam<SideCase>
{
protected:
    void SetUp() override { SetWorkingDate(QDate(2011, 5, 17)); }
    void TearDown() override { page.reset(); }

    const SideCase &side() const { return GetParam(); }
    const PageIds &ids() const { return side().side == PartyClient ? kClientIds : kProviderIds; }

    void open(const QSize &size = kFourCards, int poolSize = 4)
    {
        if (side().side == PartyClient)
            page = std::make_unique<CDlgTabClient>(poolSize, nullptr);
        else
            page = std::make_unique<CDlgTabProviderMgr>(poolSize, nullptr);
        page->resize(size);
        page->show();
    }
    void addNamed(int n, int from = 1)
    {
        for (int i = from; i < from + n; ++i)
            AddParty(db, side(), QStringLiteral("单位%1").arg(i));
    }
    // The names on the cards a person sees, in pool order.
    QStringList shownNames() const
    {
        QStringList names;
        for (int k = 0; k < page->PoolSize(); ++k) {
            if (page->IsCardShown(k))
                names << page->CardParty(k).ClientName;
        }
        return names;
    }
    QString pageLine() const { return page->findChild<QLabel *>(QString::fromLatin1(ids().pageLine))->text(); }
    void click(const char *id) { clickButton(page.get(), id); }

    TestDatabase db;
    ScriptedInteraction user;
    CapturedReports reports;
    std::unique_ptr<PartyPage> page;
};

} // namespace

TEST_P(PartyPageTest, PagingStopsAtTheFirstAndTheLastPage)
{
    addNamed(10);
    open();
    ASSERT_EQ(page->PageCapacity(), 4);
    EXPECT_EQ(pageLine(), QStringLiteral("共 10 条记录，第 1 / 3 页。"));
    EXPECT_EQ(shownNames(), (QStringList{"单位1", "单位2", "单位3", "单位4"}));

    click(ids().next);
    click(ids().next);
    EXPECT_EQ(shownNames(), (QStringList{"单位9", "单位10"}));
    EXPECT_EQ(pageLine(), QStringLiteral("共 10 条记录，第 3 / 3 页。"));
    EXPECT_EQ(page->CardAt(0)->geometry().topLeft(), QPoint(15, 13));
    click(ids().next);
    EXPECT_EQ(shownNames(), (QStringList{"单位9", "单位10"}));

    for (int i = 0; i < 3; ++i)
        click(ids().prev);
    EXPECT_EQ(page->PageIndex(), 0);
    EXPECT_EQ(shownNames().first(), QStringLiteral("单位1"));
    EXPECT_FALSE(page->IsEmptyStateShown());
    EXPECT_TRUE(user.messages.empty());
}

TEST_P(PartyPageTest, AnEmptyTableShowsThePictureAndNoCard)
{
    open();
    EXPECT_TRUE(shownNames().isEmpty());
    EXPECT_FALSE(page->findChild<QLabel *>(QString::fromLatin1(ids().picture))->isHidden());
    EXPECT_EQ(pageLine(), QStringLiteral("共 0 条记录，第 1 / 0 页。"));
    click(ids().next);
    click(ids().prev);
    EXPECT_EQ(pageLine(), QStringLiteral("共 0 条记录，第 1 / 0 页。"));
}

TEST_P(PartyPageTest, TheLayoutFollowsThePageSizeFromATinyOneUpToThePool)
{
    addNamed(10);
    open();
    click(ids().next);
    // Smaller than one card: still one card a page, never a division by 0.
    page->resize(10, 10);
    EXPECT_EQ(page->PageCapacity(), 1);
    EXPECT_EQ(page->PageIndex(), 0);
    EXPECT_EQ(shownNames(), QStringList{"单位1"});
    EXPECT_EQ(pageLine(), QStringLiteral("共 10 条记录，第 1 / 10 页。"));
    // Larger than the pool: no more cards than were made.
    page->resize(3000, 2000);
    EXPECT_EQ(page->PageCapacity(), 4);
    EXPECT_EQ(shownNames().size(), 4);
    EXPECT_EQ(pageLine(), QStringLiteral("共 10 条记录，第 1 / 3 页。"));
    // A resize that keeps the page size keeps the page.
    click(ids().next);
    page->resize(3100, 2100);
    EXPECT_EQ(page->PageIndex(), 1);
    EXPECT_EQ(shownNames(), (QStringList{"单位5", "单位6", "单位7", "单位8"}));
}

TEST_P(PartyPageTest, TheThirtyFirstPartyIsShownAloneOnTheThirdPageWithTheNameFilterCleared)
{
    addNamed(30);
    open(kFifteenCards, 20);
    ASSERT_EQ(page->PageCapacity(), 15);
    typeText(page->findChild<QLineEdit *>(QString::fromLatin1(ids().nameEdit)), QStringLiteral("单位2"));
    click(ids().search);
    EXPECT_EQ(page->RecordCount(), 11);

    struct_button_data party;
    party.ClientName = QStringLiteral("新单位");
    party.ClientArea = QStringLiteral("2");
    party.GUID = GuidText();
    ASSERT_TRUE(page->AddParty(party));
    EXPECT_EQ(shownNames(), QStringList{"新单位"});
    EXPECT_EQ(pageLine(), QStringLiteral("共 31 条记录，第 3 / 3 页。"));
    EXPECT_TRUE(page->findChild<QLineEdit *>(QString::fromLatin1(ids().nameEdit))->text().isEmpty());
    EXPECT_TRUE(page->Filter().namePart.isEmpty());

    // A second party of that name is refused and nothing changes.
    party.GUID = GuidText();
    EXPECT_FALSE(page->AddParty(party));
    EXPECT_EQ(user.lastText(), side().info().DuplicateNameMessage());
    EXPECT_EQ(pageLine(), QStringLiteral("共 31 条记录，第 3 / 3 页。"));
}

TEST_P(PartyPageTest, DeletingTheLastCardOfAPageShowsTheLastPageThatIsLeft)
{
    addNamed(9);
    open();
    click(ids().next);
    click(ids().next);
    ASSERT_EQ(shownNames(), QStringList{"单位9"});

    const struct_button_data gone = page->CardParty(0);
    ASSERT_TRUE(page->DeleteParty(gone));
    EXPECT_EQ(shownNames(), (QStringList{"单位5", "单位6", "单位7", "单位8"}));
    EXPECT_EQ(pageLine(), QStringLiteral("共 8 条记录，第 2 / 2 页。"));

    // Deleting it again: it is gone, nothing on screen changes.
    EXPECT_FALSE(page->DeleteParty(gone));
    EXPECT_EQ(user.lastText(), side().info().GoneMessage());
    EXPECT_EQ(pageLine(), QStringLiteral("共 8 条记录，第 2 / 2 页。"));
}

TEST_P(PartyPageTest, AreaAndNameFilterTheCards)
{
    AddParty(db, side(), QStringLiteral("本地甲"), QString(), QStringLiteral("1"));
    AddParty(db, side(), QStringLiteral("省内甲"), QString(), QStringLiteral("2"));
    AddParty(db, side(), QStringLiteral("本地乙"), QString(), QStringLiteral("1"));
    AddParty(db, side(), QStringLiteral("100%_其它"), QString(), QStringLiteral("3"));
    open();
    auto *area = page->findChild<QComboBox *>(QString::fromLatin1(ids().area));
    EXPECT_EQ(area->currentText(), QStringLiteral("所有"));

    area->setCurrentIndex(1);
    EXPECT_EQ(shownNames(), (QStringList{"本地甲", "本地乙"}));
    typeText(page->findChild<QLineEdit *>(QString::fromLatin1(ids().nameEdit)), QStringLiteral("甲"));
    click(ids().search);
    EXPECT_EQ(shownNames(), QStringList{"本地甲"});
    area->setCurrentIndex(0);
    EXPECT_EQ(shownNames(), (QStringList{"本地甲", "省内甲"}));

    auto *name = page->findChild<QLineEdit *>(QString::fromLatin1(ids().nameEdit));
    name->clear();
    typeText(name, QStringLiteral("%_"));
    click(ids().search);
    EXPECT_EQ(shownNames(), QStringList{"100%_其它"});
    name->clear();
    typeText(name, QStringLiteral("无此单位"));
    click(ids().search);
    EXPECT_TRUE(shownNames().isEmpty());
    EXPECT_TRUE(page->IsEmptyStateShown());
    EXPECT_EQ(pageLine(), QStringLiteral("共 0 条记录，第 1 / 0 页。"));
}

TEST_P(PartyPageTest, CardsShowTheFiguresComputedUpToTheEndOfTheWorkingMonth)
{
    const struct_button_data party = AddParty(db, side(), QStringLiteral("甲"), QStringLiteral("500"));
    AddParty(db, side(), QStringLiteral("乙"));
    AddBill(db, side(), side().main(), QStringLiteral("甲"), QStringLiteral("2011-05-03"), QStringLiteral("1000"));
    AddBill(db, side(), QStringLiteral("退货单"), QStringLiteral("甲"), QStringLiteral("2011-04-03"),
        QStringLiteral("200"));
    AddPayment(db, side(), side().settle(), QStringLiteral("甲"), QStringLiteral("2011-05-31"), QStringLiteral("500"));
    AddPayment(db, side(), side().reduce(), QStringLiteral("甲"), QStringLiteral("2011-01-31"), QStringLiteral("100"));
    AddBill(db, side(), side().main(), QStringLiteral("甲"), QStringLiteral("2011-06-01"), QStringLiteral("50"));
    // What the table caches is never shown.
    db.exec(QStringLiteral("UPDATE %1 SET ProductPriceSum = '12345', ClientSumArrears = '12345'")
                .arg(side().partyTable)
                .toUtf8()
                .constData());
    open();
    const auto figures = [&](int k) {
        const struct_button_data shown = page->CardParty(k);
        return QStringList{shown.ProductPriceSum, shown.SumIncome, shown.ClientSumArrears};
    };
    EXPECT_EQ(figures(0), (QStringList{"800.00", "400.00", "900.00"}));
    EXPECT_EQ(figures(1), (QStringList{"0.00", "0.00", "0.00"}));
    EXPECT_TRUE(page->ComputedDate().isEmpty());

    page->RecomputeMonth(QStringLiteral("2011-06-10"));
    EXPECT_EQ(figures(0), (QStringList{"850.00", "400.00", "950.00"}));
    EXPECT_EQ(page->ComputedDate(), QStringLiteral("2011-06-10"));
    // A listing computes for the working date again.
    click(ids().search);
    EXPECT_EQ(figures(0), (QStringList{"800.00", "400.00", "900.00"}));
    EXPECT_EQ(page->CardParty(0).GUID, party.GUID);
}

TEST_P(PartyPageTest, AFailedReadSaysSoAndLeavesThePageAsItWas)
{
    addNamed(6);
    open();
    // The figures cannot be computed: the cards keep the page they show.
    db.exec(QStringLiteral("ALTER TABLE %1 RENAME TO gone_bills").arg(side().financeTable).toUtf8().constData());
    click(ids().next);
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_TRUE(user.messages[0].text.startsWith(QStringLiteral("计算%1欠款失败。").arg(side().word)))
        << user.messages[0].text.toStdString();
    EXPECT_EQ(shownNames(), (QStringList{"单位1", "单位2", "单位3", "单位4"}));
    EXPECT_EQ(pageLine(), QStringLiteral("共 6 条记录，第 1 / 2 页。"));
    db.exec(QStringLiteral("ALTER TABLE gone_bills RENAME TO %1").arg(side().financeTable).toUtf8().constData());
    user.clear();

    db.exec(QStringLiteral("ALTER TABLE %1 RENAME TO gone").arg(side().partyTable).toUtf8().constData());
    click(ids().next);
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(user.messages[0].text.startsWith(QStringLiteral("读取%1列表失败。").arg(side().word)))
        << user.messages[0].text.toStdString();
    EXPECT_FALSE(user.messages[0].text.contains(QStringLiteral("no such table")));
    EXPECT_EQ(shownNames(), (QStringList{"单位1", "单位2", "单位3", "单位4"}));
    EXPECT_EQ(pageLine(), QStringLiteral("共 6 条记录，第 1 / 2 页。"));

    // No report from a failed read either.
    choosePeriod(user, QDate(2011, 5, 1), QDate(2011, 5, 31));
    click(ids().report);
    click(ids().list);
    EXPECT_TRUE(reports.documents.empty());
    EXPECT_EQ(user.messages.size(), 3u);
}

TEST_P(PartyPageTest, TheFinanceSumAddsTheUnroundedFiguresOfEveryParty)
{
    AddParty(db, side(), QStringLiteral("甲"), QStringLiteral("1.004"), QStringLiteral("1"));
    AddParty(db, side(), QStringLiteral("乙"), QStringLiteral("1.004"), QStringLiteral("3"));
    AddBill(db, side(), side().main(), QStringLiteral("乙"), QStringLiteral("2011-05-09"), QStringLiteral("30"));
    open();
    // The filters of the page do not narrow the report.
    page->findChild<QComboBox *>(QString::fromLatin1(ids().area))->setCurrentIndex(2);

    QStringList preset;
    choosePeriod(user, QDate(2011, 5, 1), QDate(2011, 5, 31), true, &preset);
    click(ids().report);
    EXPECT_EQ(preset, (QStringList{"2011-05-01", "2011-05-31"}));
    ASSERT_EQ(reports.documents.size(), 1u);
    const QList<QStringList> printed = reports.documents[0]->records();
    EXPECT_EQ(printed,
        (QList<QStringList>{{"甲", "0.00", "0.00", "0.00", "0.00", "1.00", "1.00"},
            {"乙", "30.00", "0.00", "0.00", "30.00", "1.00", "31.00"},
            {"总合计", "30.00", "0.00", "0.00", "30.00", "2.01", "32.01"}}));
    EXPECT_EQ(reports.documents[0]->parameterText(QStringLiteral("TitleMonth")),
        QStringLiteral("统计时间段：2011-05-01 到 2011-05-31"));
    const QString text = reports.lastPdfText();
    for (const QString &expected :
        {QStringLiteral("%1财务统计表").arg(side().word), QStringLiteral("统计时间段：2011-05-01 到 2011-05-31"),
            QStringLiteral("总合计"), QStringLiteral("32.01"), QStringLiteral("前累计欠款")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();

    // 取消 shows nothing and keeps the rows.
    choosePeriod(user, QDate(2011, 1, 1), QDate(2011, 1, 31), false);
    click(ids().report);
    EXPECT_EQ(reports.documents.size(), 1u);
    EXPECT_EQ(page->FinanceSumRows().size(), 3);
    EXPECT_TRUE(user.messages.empty());
}

TEST_P(PartyPageTest, AnEmptyTablesFinanceSumIsItsTotalsRow)
{
    open();
    choosePeriod(user, QDate(2011, 5, 1), QDate(2011, 5, 31));
    click(ids().report);
    ASSERT_EQ(reports.documents.size(), 1u);
    EXPECT_EQ(reports.documents[0]->records(),
        (QList<QStringList>{{"总合计", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00"}}));
    click(ids().list);
    ASSERT_EQ(reports.documents.size(), 2u);
    EXPECT_TRUE(reports.documents[1]->records().isEmpty());
}

TEST_P(PartyPageTest, TheAddressListPrintsEveryPartyWithItsAreaWord)
{
    AddParty(db, side(), QStringLiteral("甲"), QString(), QStringLiteral("1"));
    AddParty(db, side(), QStringLiteral("乙"), QString(), QStringLiteral("9"));
    db.exec(QStringLiteral("UPDATE %1 SET ContactName = '王五', Mobile = '139', Tel = '0512', Fax = '0513', "
                           "Address = '苏州', Remark = '老客户'")
                .arg(side().partyTable)
                .toUtf8()
                .constData());
    open();
    click(ids().list);
    ASSERT_EQ(reports.documents.size(), 1u);
    EXPECT_EQ(reports.documents[0]->records(),
        (QList<QStringList>{{"甲", "本地", "王五", "139", "0512", "0513", "苏州", "老客户"},
            {"乙", "", "王五", "139", "0512", "0513", "苏州", "老客户"}}));
    const QString text = reports.lastPdfText();
    for (const QString &expected : {QStringLiteral("%1列表").arg(side().word),
             QStringLiteral("%1名称").arg(side().word), QStringLiteral("老客户"), QStringLiteral("本地")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Sides, PartyPageTest, ::testing::ValuesIn(kSides), SideLabel);
