#include "CDlgPriceListDlg.h"

#include <ostream>

#include <QLabel>
#include <QLineEdit>

#include "PriceListStore.h"
#include "ProductTestSupport.h"

// The price list, the all-products list and the price entry, driven by
// clicks and typing; both sides through one body.

namespace {

struct SideCase
{
    const char *label;
    PartySide side;
    const char *table;
};

// Names the side in test output instead of dumping the struct's bytes.
void PrintTo(const SideCase &side, std::ostream *out)
{
    *out << side.label;
}

const SideCase kSides[] = {
    {"client", PartyClient, "tbl_ClientPriceList"},
    {"provider", PartyProvider, "tbl_ProviderPriceList"},
};

const QString kOwner = QStringLiteral("苏州宏达建材");

class PriceListDialogTest : public ::testing::TestWithParam<SideCase>
{
protected:
    void SetUp() override
    {
        bolt = addProduct(db, QStringLiteral("LS-01"), QStringLiteral("螺栓"), QStringLiteral("M8"),
                          QStringLiteral("1.20"), QStringLiteral("1.80"));
        const auto nut = addProduct(db, QStringLiteral("LM-01"), QStringLiteral("螺母"), QStringLiteral("M8"),
                                    QStringLiteral("0.30"), QStringLiteral("0.50"));
        PriceListStore(db.db(), GetParam().side).AddPrice(kOwner, nut.GUID, QStringLiteral("0.45"));
        PriceListStore(db.db(), GetParam().side).AddPrice(QStringLiteral("别家"), bolt.GUID, QStringLiteral("9"));
        dialog.SetSide(GetParam().side);
        if (GetParam().side == PartyClient)
            dialog.SetClientName(kOwner);
        else
            dialog.SetOwnerName(kOwner);
        dialog.show();
        list = dialog.findChild<QTableWidget *>(QStringLiteral("1284"));
    }

    // The product list picks the row (double-click or click and 新增); the
    // price entry gets the typed price.
    void queuePick(int row, const QString &price, bool doubleClick, QStringList *referencePrices = nullptr)
    {
        user.onNextModal([=](QDialog *d) {
            auto *products = d->findChild<QTableWidget *>(QStringLiteral("1287"));
            if (referencePrices)
                *referencePrices = columnTexts(products, 0) + columnTexts(products, 3);
            if (doubleClick) {
                doubleClickRow(products, row);
            } else {
                clickRow(products, row);
                clickButton(d, "1286");
            }
            return d->result();
        });
        user.onNextModal([=](QDialog *d) {
            typeText(d->findChild<QLineEdit *>(QStringLiteral("1290")), price);
            clickButton(d, "1288");
            return d->result();
        });
    }

    TestDatabase db;
    ScriptedInteraction user;
    CDlgPriceListDlg dialog;
    QTableWidget *list = nullptr;
    struct_button_storeproduct bolt;
};

} // namespace

TEST_P(PriceListDialogTest, AddsANewPriceAndChangesAListedOneInPlace)
{
    EXPECT_EQ(dialog.findChild<QLabel *>(QStringLiteral("1282"))->text(), kOwner);
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(rowTexts(list, 0).mid(0, 4),
              QStringList({QStringLiteral("0"), QStringLiteral("螺母"), QStringLiteral("M8"), QStringLiteral("0.45")}));

    QStringList offered;
    queuePick(0, QStringLiteral(" 1.5 "), false, &offered);
    clickButton(&dialog, "1283");
    // Numbered from 0; the client side offers the sales price, the provider
    // side the purchase price.
    const bool client = GetParam().side == PartyClient;
    EXPECT_EQ(offered, QStringList({QStringLiteral("0"), QStringLiteral("1"), client ? QStringLiteral("1.80") : QStringLiteral("1.20"),
                                    client ? QStringLiteral("0.50") : QStringLiteral("0.30")}));
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(rowTexts(list, 1).mid(0, 4),
              QStringList({QStringLiteral("1"), QStringLiteral("螺栓"), QStringLiteral("M8"), QStringLiteral("1.5")}));

    queuePick(1, QStringLiteral("0.40"), true);
    doubleClickRow(list, 0);
    EXPECT_EQ(columnTexts(list, 3), QStringList({QStringLiteral("0.40"), QStringLiteral("1.5")}));
    EXPECT_EQ(rowCount(db, GetParam().table), 3); // with the other party's row
    EXPECT_TRUE(user.texts().isEmpty());

    clickButton(&dialog, "1001");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

TEST_P(PriceListDialogTest, EmptyPriceNoSelectionOrAVanishedProductAddNothing)
{
    user.onNextModal([&](QDialog *d) {
        clickButton(d, "1286");
        EXPECT_EQ(user.lastText(), QStringLiteral("请选择要填加报价的货品。"));
        db.exec("DELETE FROM tbl_StoreMgr WHERE GUID = ?", {bolt.GUID}); // meanwhile
        clickRow(d->findChild<QTableWidget *>(QStringLiteral("1287")), 0);
        clickButton(d, "1286");
        EXPECT_TRUE(d->isVisible());
        clickButton(d, "1285");
        return d->result();
    });
    user.onNextModal([&](QDialog *d) {
        clickButton(d, "1288");
        EXPECT_EQ(user.lastText(), QStringLiteral("请输入 ‘产品价格’。"));
        EXPECT_TRUE(d->isVisible());
        // A price is a number: no unit, no grouping.
        auto *price = d->findChild<QLineEdit *>(QStringLiteral("1290"));
        for (const QString &typed : {QStringLiteral("1.5元"), QStringLiteral("1,000")}) {
            price->clear();
            typeText(price, typed);
            clickButton(d, "1288");
            EXPECT_EQ(user.lastText(), QStringLiteral("“产品价格”只能填写数字。"));
            EXPECT_TRUE(d->isVisible());
        }
        price->clear();
        typeText(price, QStringLiteral("2"));
        clickButton(d, "1288");
        return d->result();
    });
    clickButton(&dialog, "1283");

    EXPECT_EQ(user.lastText(), QStringLiteral("找不到这个货品，它可能已被删除。"));
    EXPECT_EQ(list->rowCount(), 1);
    EXPECT_EQ(rowCount(db, GetParam().table), 2);
}

INSTANTIATE_TEST_SUITE_P(Sides, PriceListDialogTest, ::testing::ValuesIn(kSides),
                         [](const ::testing::TestParamInfo<SideCase> &info) { return info.param.label; });
