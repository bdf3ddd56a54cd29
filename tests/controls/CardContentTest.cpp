#include <gtest/gtest.h>

#include "CardContent.h"

namespace {

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

struct GoodsCase
{
    const char *name;
    bool purchase;
    const char *billType;
    bool red;
    std::optional<int> mode;
};
void PrintTo(const GoodsCase &c, std::ostream *out)
{
    *out << c.name;
}

class GoodsBillCards : public ::testing::TestWithParam<GoodsCase>
{
};

template<typename Line>
std::pair<CardContent, std::optional<int>> goodsCard(const char *billType)
{
    Line line;
    line.BillType = u(billType);
    line.CompanyName = u("宏达商行");
    line.SumMoney = u("1200.00");
    return {ContentOf(line), EditModeFor(line)};
}

TEST_P(GoodsBillCards, KindWordColourModeAndRows)
{
    const GoodsCase c = GetParam();
    const auto [content, mode] = c.purchase ? goodsCard<struct_button_provider_goodsbill>(c.billType)
                                            : goodsCard<struct_button_goodsbill>(c.billType);
    EXPECT_EQ(content.icon, kIconGoodsFolder);
    EXPECT_EQ(content.kindWord, u(c.billType));
    EXPECT_EQ(content.cardColor(), c.red ? QColor(255, 0, 0) : QColor(0, 0, 255));
    EXPECT_EQ(mode, c.mode);
    ASSERT_EQ(content.rows.size(), 3u);
    EXPECT_EQ(content.rows[0].label + content.rows[0].value, u("客户：宏达商行"));
    EXPECT_EQ(content.rows[1].value, u("1200.00 元")); // as stored
    EXPECT_EQ(content.rows[2].label + content.rows[2].value, u("订金：0 元")); // empty deposit
    EXPECT_EQ(content.kindRect, QRect(5, 50, 45, 20));
    EXPECT_EQ(content.rows[0].labelRect, QRect(50, 7, 50, 53));
    EXPECT_EQ(content.rows[2].valueRect, QRect(90, 53, 120, 37));
}

INSTANTIATE_TEST_SUITE_P(
    Sides, GoodsBillCards,
    ::testing::Values(GoodsCase{"sales_shipment", false, "出货单", false, 2},
                      GoodsCase{"sales_return", false, "退货单", true, 3},
                      GoodsCase{"sales_unknown", false, "进货单", false, std::nullopt},
                      GoodsCase{"purchase_stockin", true, "进货单", true, 12},
                      GoodsCase{"purchase_return", true, "退货单", false, 13},
                      GoodsCase{"purchase_empty", true, "", false, std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

template<typename Bill>
void checkFinanceCard(int incomeMode, int payoutMode)
{
    Bill bill;
    bill.MoneyType = u("现金");
    bill.Voucher = u("收据");
    bill.BillType = u("支出单");
    auto content = ContentOf(bill);
    EXPECT_EQ(content.icon, kIconFinanceFolder);
    EXPECT_TRUE(content.isRed);
    EXPECT_EQ(content.rows[1].label + content.rows[1].value, u("类型：现金 || 收据"));
    EXPECT_EQ(content.rows[2].valueRect, QRect(90, 53, 100, 37));
    EXPECT_EQ(EditModeFor(bill), payoutMode);
    EXPECT_FALSE(IsIncomeBill(bill));
    bill.BillType = u("收入单");
    EXPECT_FALSE(ContentOf(bill).isRed);
    EXPECT_EQ(EditModeFor(bill), incomeMode);
    EXPECT_TRUE(IsIncomeBill(bill));
    bill.BillType = u("收入");
    EXPECT_EQ(EditModeFor(bill), std::nullopt);
}

TEST(FinanceBillCards, PayoutIsRedAndModesFollowTheSide)
{
    checkFinanceCard<struct_button_financebill>(2, 3);
    checkFinanceCard<struct_button_financebill_provider>(12, 13);
}

template<typename Party>
void checkPartyCards(QString Party::*name, QString Party::*area)
{
    const std::tuple<const char *, const char *, int> areas[] = {{"1", "本地", kIconPartyFolder},
                                                                 {"2", "省内", kIconPartyFolder},
                                                                 {"3", "其它", kIconEmptyBox},
                                                                 {"", "", kIconNone},
                                                                 {"北京", "北京", kIconNone}};
    for (const auto &[code, word, icon] : areas) {
        Party party;
        party.*area = u(code);
        EXPECT_EQ(ContentOf(party).kindWord, u(word)) << code;
        EXPECT_EQ(ContentOf(party).icon, icon) << code;
    }
    Party party;
    party.*name = u("张三");
    party.ProductPriceSum = u("-0.01");
    const auto content = ContentOf(party);
    EXPECT_TRUE(content.isRed);
    EXPECT_EQ(content.rows[0].label + content.rows[0].value, u("名称：张三"));
    EXPECT_EQ(content.rows[1].label + content.rows[1].value, u("货款：-0.01 元"));
    EXPECT_EQ(content.rows[2].label + content.rows[2].value, u("欠款：0 元"));
}

TEST(PartyCards, RegionWordIconAndColour)
{
    checkPartyCards(&struct_button_data::ClientName, &struct_button_data::ClientArea);
    checkPartyCards(&struct_button_provider::ProviderName, &struct_button_provider::ProviderArea);
    EXPECT_EQ(EditModeFor(struct_button_data()), 0);
    EXPECT_EQ(EditModeFor(struct_button_provider()), 1);
}

TEST(AccountCards, EmptyBalanceIconAndNegativeColour)
{
    struct_button_account account;
    for (const auto &[balance, icon] : {std::pair{"0", kIconEmptyBox}, std::pair{"0.00", kIconEmptyBox},
                                        std::pair{"0.0", kIconAccountFolder}, std::pair{"", kIconAccountFolder}}) {
        account.AccountBalance = u(balance);
        EXPECT_EQ(ContentOf(account).icon, icon) << balance;
    }
    account.AccountBalance = u("-5.00");
    const auto content = ContentOf(account);
    EXPECT_TRUE(content.isRed);
    EXPECT_TRUE(content.kindWord.isEmpty());
    EXPECT_EQ(content.rows[1].valueRect, QRect(90, 30, 130, 30));
    EXPECT_EQ(content.rows[2].label + content.rows[2].value, u("当月：0 元"));
}

TEST(StoreCards, ShowTheWholeStockAndTheEmptyBoxForNoStock)
{
    const std::tuple<const char *, const char *, bool, int> cases[] = {
        {"12.7", "12", false, kIconProductFolder}, {"-3", "-3", true, kIconProductFolder},
        {"0", "0", false, kIconEmptyBox},          {"0.00", "0", false, kIconEmptyBox},
        {"", "0", false, kIconEmptyBox},           {"0.5", "0", false, kIconProductFolder},
        {" +7件", "7", false, kIconProductFolder}};
    for (const auto &[stored, shown, red, icon] : cases) {
        struct_button_storeproduct product;
        product.ProductStockCount = u(stored);
        const auto content = ContentOf(product);
        EXPECT_EQ(content.kindWord, u(shown)) << stored;
        EXPECT_EQ(content.isRed, red) << stored;
        EXPECT_EQ(content.icon, icon) << stored;
    }
    EXPECT_EQ(WholeNumber(u("99999999999999999999999")), std::numeric_limits<long long>::max());
    struct_button_storeproduct product;
    product.ProductSpec = u("M6");
    product.StockUnitPrice = u("0.35");
    EXPECT_EQ(ContentOf(product).rows[1].label + ContentOf(product).rows[1].value, u("型号：M6"));
    EXPECT_EQ(ContentOf(product).rows[2].value, u("0.35 元"));
    EXPECT_EQ(EditModeFor(product), 1);

    product.ProductName = u("螺丝");
    const auto entry = ProductPickerContent(product);
    EXPECT_EQ(entry.iconPos, QPoint(50, 35));
    EXPECT_EQ(entry.title, u("螺丝"));
    EXPECT_EQ(entry.titleRect, QRect(17, 10, 93, 30));
    EXPECT_TRUE(entry.rows.empty());
    EXPECT_EQ(SpecPickerContent(product).title, u("M6"));
}

} // namespace
