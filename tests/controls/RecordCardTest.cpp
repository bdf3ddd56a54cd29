#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QTest>

#include <functional>
#include <vector>

#include "CardContent.h"
#include "CardResources.h"
#include "QStringPrinting.h"
#include "RecordButtons.h"
#include "RecordCardPool.h"

// What each card shows of its record (icon, kind word, colour, labelled
// values, the mode its dialog opens in), and the cards on an offscreen page
// as a person uses them: hover, click, delete, painting, and the pool that
// pages them.

namespace {

// What the card shows as one text: icon, kind word, colour and rows.
QString shown(const CardContent& content)
{
    QStringList parts {QString::number(content.icon), content.kindWord, content.isRed ? "red" : "blue"};
    for (const CardRow& row : content.rows)
        parts << row.label + row.value;
    return parts.join(" ");
}

// Amounts as stored; an empty one reads 0. A bill of neither kind of its
// side opens no editor.
TEST(CardContent, EveryKindOfRecordShowsItsIconWordColourRowsAndEditMode)
{
    const auto goods = [](auto line, const char* type, const char* colour, std::optional<int> mode) {
        line.BillType = type;
        line.CompanyName = "宏达商行";
        line.SumMoney = "1200.00";
        EXPECT_EQ(shown(ContentOf(line)),
            QStringLiteral("268 %1 %2 客户：宏达商行 金额：1200.00 元 订金：0 元").arg(type, colour));
        EXPECT_EQ(EditModeFor(line), mode) << type;
    };
    goods(struct_button_goodsbill(), "出货单", "blue", 2);
    goods(struct_button_goodsbill(), "退货单", "red", 3);
    goods(struct_button_goodsbill(), "进货单", "blue", std::nullopt);
    goods(struct_button_provider_goodsbill(), "进货单", "red", 12);
    goods(struct_button_provider_goodsbill(), "退货单", "blue", 13);
    goods(struct_button_provider_goodsbill(), "", "blue", std::nullopt);

    const auto finance = [](auto bill, int incomeMode, int payoutMode) {
        bill.MoneyType = "现金";
        bill.Voucher = "收据";
        bill.BillType = "支出单";
        EXPECT_EQ(shown(ContentOf(bill)), "266 支出单 red 客户： 类型：现金 || 收据 金额：0 元");
        EXPECT_EQ(EditModeFor(bill), payoutMode);
        bill.BillType = "收入单";
        EXPECT_FALSE(ContentOf(bill).isRed);
        EXPECT_EQ(EditModeFor(bill), incomeMode);
        bill.BillType = "收入";
        EXPECT_EQ(EditModeFor(bill), std::nullopt);
    };
    finance(struct_button_financebill(), 2, 3);
    finance(struct_button_financebill_provider(), 12, 13);

    // The region word and icon of a party; 其它 has the empty box.
    const auto party = [](auto record, auto name, auto area, int mode) {
        QStringList regions;
        for (const char* code : {"1", "2", "3", "", "北京"}) {
            record.*area = code;
            regions << shown(ContentOf(record)).section(' ', 0, 1);
        }
        EXPECT_EQ(regions.join(", "), "269 本地, 269 省内, 176 其它, 0 , 0 北京");
        record.*name = "张三";
        record.ProductPriceSum = "-0.01";
        EXPECT_EQ(shown(ContentOf(record)), "0 北京 red 名称：张三 货款：-0.01 元 欠款：0 元");
        EXPECT_EQ(EditModeFor(record), mode);
    };
    party(struct_button_data(), &struct_button_data::ClientName, &struct_button_data::ClientArea, 0);
    party(struct_button_provider(), &struct_button_provider::ProviderName, &struct_button_provider::ProviderArea, 1);

    // The empty box stands for the number 0, however it is written.
    struct_button_account account;
    for (const auto& [balance, icon] : {std::pair {"0", kIconEmptyBox}, std::pair {"0.00", kIconEmptyBox},
             std::pair {"0.0", kIconAccountFolder}, std::pair {"", kIconAccountFolder}}) {
        account.AccountBalance = balance;
        EXPECT_EQ(ContentOf(account).icon, icon) << balance;
    }
    account.AccountBalance = "-5.00";
    EXPECT_EQ(shown(ContentOf(account)), "279  red 名称： 金额：-5.00 元 当月：0 元");

    struct_button_storeproduct product;
    product.ProductName = "螺丝";
    product.ProductSpec = "M6";
    product.StockUnitPrice = "0.35";
    // The count as the store holds it: whole without decimals, else with
    // its two; red below 0. A text without a number reads 0.
    QStringList stocks;
    for (const char* stored : {"12.7", "-3", "0", "0.00", "", "0.5", "20.00", "5.50", "-0.50", "-0.00", "abc",
             "100000000000000000000", " +7件"}) {
        product.ProductStockCount = stored;
        stocks << shown(ContentOf(product)).section(' ', 0, 2);
    }
    EXPECT_EQ(stocks.join(", "),
        "265 12.70 blue, 265 -3 red, 176 0 blue, 176 0 blue, 176 0 blue, 265 0.50 blue, 265 20 blue, 265 5.50 blue, "
        "265 -0.50 red, 176 0 blue, 176 0 blue, 265 100000000000000000000 blue, 265 7 blue");
    EXPECT_EQ(shown(ContentOf(product)), "265 7 blue 名称：螺丝 型号：M6 单价：0.35 元");
    EXPECT_EQ(EditModeFor(product), 1);
    EXPECT_EQ(shown(ProductPickerContent(product)) + ProductPickerContent(product).title, "281  blue螺丝");
    EXPECT_EQ(SpecPickerContent(product).title, "M6");
}

// A page as the cards see it: it records what they ask of it.
template <typename Card> class FakeOwner : public Card::Owner
{
public:
    void ResetCardFaces() override
    {
        ++resets;
        if (pool)
            pool->ResetFaces();
    }
    int OpenCardRecord(Card&, int mode) override
    {
        modes.push_back(mode);
        return 0;
    }
    bool DeleteCardRecord(const typename Card::Record& record) override
    {
        deleted.push_back(record.GUID);
        whileDeleting();
        return deleteSucceeds;
    }

    RecordCardPool<Card>* pool = nullptr;
    int resets = 0;
    std::vector<int> modes;
    std::vector<QString> deleted;
    bool deleteSucceeds = true;
    std::function<void()> whileDeleting = [] {};
};

void enter(QWidget* widget)
{
    QEnterEvent event(QPointF(20, 20), QPointF(20, 20), widget->mapToGlobal(QPointF(20, 20)));
    QCoreApplication::sendEvent(widget, &event);
}

struct_button_goodsbill line(const char* guid, const char* billType = "出货单")
{
    struct_button_goodsbill record;
    record.GUID = guid;
    record.BillType = billType;
    return record;
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

// Hovering lights a card and leaving resets every face; a press and release
// on a card opens its record in its mode; a card hides only after its
// delete succeeded.
TEST_F(CardPage, HoverPressAndDeleteAsAPersonDoes)
{
    FakeOwner<CBCGPGoodsBillButton> owner;
    RecordCardPool<CBCGPGoodsBillButton> pool(&page, &owner, 3);
    owner.pool = &pool;
    pool.layout(page.size());
    pool.showRecords(std::vector {line("a"), line("b", "退货单"), line("c", "进货单")});
    enter(pool.card(0));
    enter(pool.card(1));
    EXPECT_EQ(pool.card(0)->faceColor(), QColor(166, 202, 240));
    EXPECT_EQ(pool.card(1)->faceColor(), QColor(166, 202, 240));
    EXPECT_EQ(owner.resets, 0);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(pool.card(0), &leave);
    EXPECT_EQ(owner.resets, 1);
    for (int i = 0; i < pool.size(); ++i)
        EXPECT_EQ(pool.card(i)->faceColor(), QColor(240, 240, 240)) << i;

    CBCGPGoodsBillButton* returned = pool.card(1);
    QTest::mouseClick(returned, Qt::LeftButton, {}, QPoint(100, 40));
    EXPECT_EQ(owner.modes, std::vector<int> {3});
    // A release without a press, a right click and a press dragged off the
    // card open nothing; nor does a bill of neither kind of its side.
    QTest::mouseRelease(returned, Qt::LeftButton, {}, QPoint(100, 40));
    QTest::mouseClick(returned, Qt::RightButton, {}, QPoint(100, 40));
    QTest::mousePress(returned, Qt::LeftButton, {}, QPoint(100, 40));
    QTest::mouseRelease(returned, Qt::LeftButton, {}, QPoint(400, 300));
    QTest::mouseRelease(returned, Qt::LeftButton, {}, QPoint(100, 40));
    QTest::mouseClick(pool.card(2), Qt::LeftButton, {}, QPoint(100, 40));
    EXPECT_EQ(owner.modes.size(), 1u);

    CBCGPGoodsBillButton* card = pool.card(0);
    owner.deleteSucceeds = false;
    EXPECT_FALSE(card->RemoveRecordButton());
    EXPECT_FALSE(card->isHidden());
    EXPECT_EQ(owner.deleted, std::vector<QString> {"a"});
    owner.deleteSucceeds = true;
    EXPECT_TRUE(card->RemoveRecordButton());
    EXPECT_TRUE(card->isHidden());
    // A page that relists while deleting may give the card another bill.
    card->show();
    owner.whileDeleting = [&] { card->UpdateRecord(line("d")); };
    EXPECT_TRUE(card->RemoveRecordButton());
    EXPECT_FALSE(card->isHidden());
    EXPECT_FALSE(CBCGPAccountMgrButton(&page).RemoveRecordButton()); // no page to delete it
}

// A card paints its face, its icon and its texts in their colours; a text
// too long for its place ends in an ellipsis, and every row shows whole.
TEST_F(CardPage, PaintsTheFaceTheIconAndTheTextsWhereTheyShowWhole)
{
    // Whether any pixel in the rectangle is of the colour, give or take.
    const auto painted = [](const QImage& image, const QRect& area, const QColor& color) {
        const QImage part = image.copy(area);
        for (int i = 0; i < part.width() * part.height(); ++i) {
            const QColor p = part.pixelColor(i % part.width(), i / part.width());
            if (qAbs(p.red() - color.red()) + qAbs(p.green() - color.green()) + qAbs(p.blue() - color.blue()) < 120)
                return true;
        }
        return false;
    };
    CBCGPGoodsBillButton tile(&page);
    tile.SetRecord(line("a", "退货单"));
    tile.GetRecord()->CompanyName = "宏达商行";
    tile.setFaceColor(QColor(166, 202, 240));
    const QImage returned = tile.grab().toImage();
    const CardContent content = tile.content();
    EXPECT_EQ(returned.pixelColor(225, 5), QColor(166, 202, 240));
    EXPECT_NE(returned.pixelColor(26, 26), QColor(166, 202, 240)); // the icon
    EXPECT_TRUE(painted(returned, content.kindRect, QColor(255, 0, 0)));
    EXPECT_TRUE(painted(returned, content.rows[0].labelRect, QColor(0, 0, 0)));
    tile.SetRecord(line("a", "出货单"));
    const QImage shipped = tile.grab().toImage();
    EXPECT_FALSE(painted(shipped, content.kindRect, QColor(255, 0, 0)));
    EXPECT_TRUE(painted(shipped, content.kindRect, QColor(0, 0, 255)));
    // Every icon the cards use is drawn.
    for (const int id : {128, 176, 265, 266, 268, 269, 279, 281}) {
        const QImage icon = IconImage(id);
        ASSERT_EQ(icon.size(), QSize(32, 32)) << id;
        EXPECT_GT(qAlpha(icon.pixel(16, 20)), 200) << id;
    }

    CBCGPStoreMgrButton card(&page);
    struct_button_storeproduct product;
    product.ProductName = "特别长的不锈钢内六角圆柱头螺钉全螺纹";
    product.ProductSpec = "M8";
    product.StockUnitPrice = "12.50";
    product.ProductStockCount = "-1234.50";
    card.SetRecord(product);
    QStringList shown;
    for (const RecordCard::DrawnText& text : card.drawnTexts())
        shown << text.text;
    // Kind word, then label and value of name, variant and price; texts
    // that fit stay whole.
    ASSERT_EQ(shown.size(), 7);
    // A stock count is drawn whole, in a smaller face where it must be.
    EXPECT_EQ(shown[0], "-1234.50");
    EXPECT_TRUE(shown[2].endsWith("…") && shown[2].size() > 3) << shown[2].toStdString();
    EXPECT_EQ(QStringList({shown[1], shown[4], shown[6]}), QStringList({"名称：", "M8", "12.50 元"}));

    // Every text fits its place and has a whole line of the card's font
    // inside the card, clear of the other rows' texts.
    for (const RecordCard* drawn : std::initializer_list<const RecordCard*> {&card, &tile}) {
        const std::vector<RecordCard::DrawnText> texts = drawn->drawnTexts();
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const QRect& rect = texts[i].rect;
            EXPECT_LE(QFontMetrics(texts[i].font).horizontalAdvance(texts[i].text), rect.width());
            EXPECT_GE(texts[i].font.pixelSize(), drawn->font().pixelSize() * 3 / 5);
            EXPECT_TRUE(drawn->rect().contains(rect)) << texts[i].text.toStdString();
            EXPECT_GE(rect.height(), QFontMetrics(drawn->font()).boundingRect(texts[i].text).height());
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_TRUE(texts[j].rect.top() == rect.top() || !texts[j].rect.intersects(rect))
                    << texts[j].text.toStdString() << " / " << texts[i].text.toStdString();
        }
    }
}

// A pool larger than the page shows a page of records, hides the rest,
// keeps empty slots hidden and follows resizes.
TEST_F(CardPage, APoolShowsAtMostItsCardsAndFollowsResizes)
{
    std::vector<struct_button_storeproduct> all(25); // records "0", "1", …
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i].GUID = QString::number(i);
    const auto visibleCards = [](const RecordCardPool<CBCGPStoreMgrButton>& pool) {
        int visible = 0;
        for (int i = 0; i < pool.size(); ++i)
            visible += pool.card(i)->isHidden() ? 0 : 1;
        return visible;
    };
    FakeOwner<CBCGPStoreMgrButton> owner;
    RecordCardPool<CBCGPStoreMgrButton> large(&page, &owner, 40);
    ASSERT_TRUE(large.layout(QSize(1000, 700)));
    all[3].EmptySlot = 1;
    large.showRecords(all);
    EXPECT_EQ(large.shownCount(), 21);
    EXPECT_EQ(visibleCards(large), 20);
    EXPECT_TRUE(large.card(3)->isHidden());
    ASSERT_TRUE(large.layout(QSize(400, 200)));
    EXPECT_EQ(visibleCards(large), 1);
    EXPECT_FALSE(large.layout(QSize(0, 0)));
    EXPECT_EQ(visibleCards(large), 1);
    ASSERT_TRUE(large.layout(QSize(1000, 700)));
    EXPECT_EQ(visibleCards(large), 20);
    EXPECT_EQ(large.card(20)->geometry(), large.grid().slotRect(20));
}

} // namespace
