#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <vector>

#include "CardResources.h"
#include "RecordButtons.h"
#include "RecordCardPool.h"

namespace {

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

// A page as the cards see it: it records what they ask of it.
template<typename Card>
class FakeOwner : public Card::Owner
{
public:
    using Record = typename Card::Record;
    void ResetCardFaces() override
    {
        ++resets;
        if (pool)
            pool->ResetFaces();
    }
    int OpenCardRecord(Card &card, int mode) override
    {
        opened.push_back(&card);
        modes.push_back(mode);
        return 0;
    }
    bool DeleteCardRecord(const Record &record) override
    {
        deleted.push_back(record.GUID);
        if (whileDeleting)
            whileDeleting();
        return deleteSucceeds;
    }

    RecordCardPool<Card> *pool = nullptr;
    int resets = 0;
    std::vector<Card *> opened;
    std::vector<int> modes;
    bool deleteSucceeds = true;
    std::vector<QString> deleted;
    std::function<void()> whileDeleting;
};

void enter(QWidget *widget)
{
    const QPointF inside(20, 20);
    QEnterEvent event(inside, inside, widget->mapToGlobal(inside));
    QCoreApplication::sendEvent(widget, &event);
}

void leave(QWidget *widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &event);
}

void click(QWidget *widget)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(100, 40));
    QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(100, 40));
}

struct_button_goodsbill line(const char *guid, const char *billType = "出货单")
{
    struct_button_goodsbill record;
    record.GUID = u(guid);
    record.BillType = u(billType);
    return record;
}

template<typename Record>
std::vector<Record> records(int count)
{
    std::vector<Record> list(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        list[static_cast<std::size_t>(i)].GUID = QString::number(i);
    return list;
}

template<typename Card>
int visibleCards(const RecordCardPool<Card> &pool)
{
    int visible = 0;
    for (int i = 0; i < pool.size(); ++i)
        visible += pool.card(i)->isHidden() ? 0 : 1;
    return visible;
}

class CardPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        page.resize(1000, 700);
        page.show();
    }
    QWidget page;
};

TEST_F(CardPage, HoverLightsTheCardAndLeavingResetsEveryFace)
{
    FakeOwner<CBCGPGoodsBillButton> owner;
    RecordCardPool<CBCGPGoodsBillButton> pool(&page, &owner, 3);
    owner.pool = &pool;
    pool.layout(page.size());
    pool.showRecords(std::vector{line("a"), line("b"), line("c")});
    enter(pool.card(0));
    enter(pool.card(1));
    EXPECT_EQ(pool.card(0)->faceColor(), QColor(166, 202, 240));
    EXPECT_EQ(pool.card(1)->faceColor(), QColor(166, 202, 240));
    EXPECT_EQ(owner.resets, 0);
    leave(pool.card(0));
    EXPECT_EQ(owner.resets, 1);
    for (int i = 0; i < pool.size(); ++i)
        EXPECT_EQ(pool.card(i)->faceColor(), QColor(240, 240, 240)) << i;
    EXPECT_EQ(pool.card(0)->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(CardPage, PressAndReleaseOpenTheRecordInItsMode)
{
    FakeOwner<CBCGPGoodsBillButton> owner;
    CBCGPGoodsBillButton card(&page);
    card.SetOwner(&owner);
    card.SetRecord(line("a", "退货单"));
    card.show();
    QSignalSpy clicked(&card, &QAbstractButton::clicked);
    click(&card);
    ASSERT_EQ(owner.modes, std::vector<int>{3});
    EXPECT_EQ(owner.opened.front(), &card);
    EXPECT_EQ(clicked.count(), 0);

    // A release without a press, a right click and a press dragged off the
    // card open nothing.
    QTest::mouseRelease(&card, Qt::LeftButton, {}, QPoint(100, 40));
    QTest::mouseClick(&card, Qt::RightButton, {}, QPoint(100, 40));
    QTest::mousePress(&card, Qt::LeftButton, {}, QPoint(100, 40));
    QTest::mouseRelease(&card, Qt::LeftButton, {}, QPoint(400, 300));
    QTest::mouseRelease(&card, Qt::LeftButton, {}, QPoint(100, 40));
    EXPECT_EQ(owner.modes.size(), 1u);

    // A bill of neither kind of its side opens no editor.
    card.SetRecord(line("b", "进货单"));
    click(&card);
    EXPECT_EQ(owner.modes.size(), 1u);

    FakeOwner<CBCGPFinanceBillButton> finance;
    CBCGPFinanceBillButton bill(&page);
    bill.SetOwner(&finance);
    bill.GetRecord()->BillType = u("转帐单");
    click(&bill);
    bill.GetRecord()->BillType = u("支出单");
    click(&bill);
    EXPECT_EQ(finance.modes, std::vector<int>{3});

    FakeOwner<CBCGPProviderButton> providers;
    CBCGPProviderButton provider(&page);
    provider.SetOwner(&providers);
    click(&provider);
    EXPECT_EQ(providers.modes, std::vector<int>{1});
}

TEST_F(CardPage, ACardHidesOnlyAfterItsRecordWasDeleted)
{
    FakeOwner<CBCGPGoodsBillButton> owner;
    CBCGPGoodsBillButton card(&page);
    card.SetOwner(&owner);
    card.SetRecord(line("a"));
    card.show();
    owner.deleteSucceeds = false;
    EXPECT_FALSE(card.RemoveRecordButton());
    EXPECT_FALSE(card.isHidden());
    EXPECT_EQ(owner.deleted, std::vector<QString>{u("a")});

    owner.deleteSucceeds = true;
    EXPECT_TRUE(card.RemoveRecordButton());
    EXPECT_TRUE(card.isHidden());

    // A page that relists while deleting may give the card another bill.
    card.show();
    owner.whileDeleting = [&] { card.UpdateRecord(line("b")); };
    EXPECT_TRUE(card.RemoveRecordButton());
    EXPECT_FALSE(card.isHidden());

    CBCGPAccountMgrButton orphan(&page);
    EXPECT_FALSE(orphan.RemoveRecordButton());
}

class FakePicker : public ProductPickerOwner
{
public:
    void PickCardRecord(const struct_button_storeproduct &product) override { picked.push_back(product.ProductName); }
    std::vector<QString> picked;
};

TEST_F(CardPage, APickerEntryChoosesOnThePressAndHasNoHover)
{
    FakePicker picker;
    CBCGPSelProductButton entry(&page);
    entry.SetOwner(&picker);
    struct_button_storeproduct product;
    product.ProductName = u("螺丝");
    entry.SetRecord(product);
    struct_button_storeproduct out;
    entry.GetRecord(out);
    EXPECT_EQ(out, product);
    const QColor before = entry.faceColor();
    enter(&entry);
    EXPECT_EQ(entry.faceColor(), before);
    QTest::mousePress(&entry, Qt::LeftButton, {}, QPoint(50, 40));
    QTest::mouseRelease(&entry, Qt::LeftButton, {}, QPoint(50, 40));
    EXPECT_EQ(picker.picked, std::vector<QString>{u("螺丝")});
}

// Whether any pixel in the rectangle is close to the colour.
bool hasPixelNear(const QImage &image, const QRect &area, const QColor &color)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - color.red()) + std::abs(p.green() - color.green())
                    + std::abs(p.blue() - color.blue()) < 120)
                return true;
        }
    return false;
}

TEST_F(CardPage, PaintsTheFaceIconAndColouredTexts)
{
    CBCGPGoodsBillButton card(&page);
    card.SetRecord(line("a", "退货单"));
    card.GetRecord()->CompanyName = u("宏达商行");
    card.setFaceColor(QColor(166, 202, 240));
    const QImage returned = card.grab().toImage();
    const CardContent content = card.content();
    EXPECT_EQ(returned.pixelColor(225, 5), QColor(166, 202, 240));
    EXPECT_NE(returned.pixelColor(26, 26), QColor(166, 202, 240)); // the icon
    EXPECT_TRUE(hasPixelNear(returned, content.kindRect, QColor(255, 0, 0)));
    EXPECT_TRUE(hasPixelNear(returned, content.rows[0].labelRect, QColor(0, 0, 0)));
    card.SetRecord(line("a", "出货单"));
    const QImage shipped = card.grab().toImage();
    EXPECT_FALSE(hasPixelNear(shipped, content.kindRect, QColor(255, 0, 0)));
    EXPECT_TRUE(hasPixelNear(shipped, content.kindRect, QColor(0, 0, 255)));

    EXPECT_EQ(CardFont().pixelSize(), 15);
    EXPECT_EQ(CardFont().families().front(), u("Arial"));
    EXPECT_TRUE(CardFont().families().contains(u("Noto Sans CJK SC")));
    for (const int id : {128, 176, 265, 266, 268, 269, 279, 281}) {
        const QImage icon = IconImage(id);
        ASSERT_EQ(icon.size(), QSize(32, 32)) << id;
        EXPECT_GT(qAlpha(icon.pixel(16, 20)), 200) << id;
    }
    EXPECT_TRUE(IconImage(999).isNull());
}

TEST_F(CardPage, TextsTooLongForTheirPlaceEndInAnEllipsis)
{
    CBCGPStoreMgrButton card(&page);
    struct_button_storeproduct product;
    product.ProductName = u("特别长的不锈钢内六角圆柱头螺钉全螺纹");
    product.ProductSpec = u("M8");
    product.StockUnitPrice = u("12.50");
    product.ProductStockCount = u("3");
    card.SetRecord(product);
    const QFontMetrics metrics(card.font());
    const std::vector<RecordCard::DrawnText> texts = card.drawnTexts();
    QStringList shown;
    for (const RecordCard::DrawnText &text : texts) {
        shown << text.text;
        EXPECT_LE(metrics.horizontalAdvance(text.text), text.rect.width()) << text.text.toStdString();
    }
    // Kind word, then label and value of name, variant and price.
    ASSERT_EQ(shown.size(), 7);
    EXPECT_TRUE(shown[2].endsWith(u("…"))) << shown[2].toStdString();
    EXPECT_TRUE(product.ProductName.startsWith(shown[2].chopped(1)));
    EXPECT_GT(shown[2].size(), 3);
    // Texts that fit stay whole.
    EXPECT_EQ(shown[1], u("名称："));
    EXPECT_EQ(shown[4], u("M8"));
    EXPECT_EQ(shown[6], u("12.50 元"));
    EXPECT_FALSE(card.grab().isNull());
}

TEST_F(CardPage, APoolSmallerThanThePageFillsWhatItHas)
{
    FakeOwner<CBCGPStoreMgrButton> owner;
    RecordCardPool<CBCGPStoreMgrButton> pool(&page, &owner, 4);
    ASSERT_TRUE(pool.layout(QSize(1000, 700)));
    EXPECT_EQ(pool.grid().capacity(), 4);
    const auto all = records<struct_button_storeproduct>(6);
    pool.grid().setRecordCount(6);
    pool.showRecords(all);
    EXPECT_EQ(visibleCards(pool), 4);
    ASSERT_TRUE(pool.grid().nextPage());
    pool.showRecords(std::vector(all.begin() + pool.grid().firstRecordOfPage(), all.end()));
    EXPECT_EQ(visibleCards(pool), 2);
    EXPECT_EQ(pool.card(1)->GetRecord()->GUID, u("5"));
}

TEST_F(CardPage, APoolLargerThanThePageHidesTheRestAndFollowsResizes)
{
    FakeOwner<CBCGPStoreMgrButton> owner;
    RecordCardPool<CBCGPStoreMgrButton> pool(&page, &owner, 40);
    ASSERT_TRUE(pool.layout(QSize(1000, 700)));
    ASSERT_EQ(pool.grid().capacity(), 21);
    auto list = records<struct_button_storeproduct>(25);
    list[3].EmptySlot = 1;
    pool.showRecords(list);
    EXPECT_EQ(pool.shownCount(), 21);
    EXPECT_EQ(visibleCards(pool), 20);
    EXPECT_TRUE(pool.card(3)->isHidden());
    EXPECT_EQ(pool.card(20)->geometry(), pool.grid().slotRect(20));
    ASSERT_TRUE(pool.layout(QSize(400, 200)));
    EXPECT_EQ(visibleCards(pool), 1);
    EXPECT_FALSE(pool.layout(QSize(0, 0)));
    EXPECT_EQ(visibleCards(pool), 1);
    ASSERT_TRUE(pool.layout(QSize(1000, 700)));
    EXPECT_EQ(visibleCards(pool), 20);
    EXPECT_EQ(pool.card(4)->geometry(), pool.grid().slotRect(4));
}

} // namespace
