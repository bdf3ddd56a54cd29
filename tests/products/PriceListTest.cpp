#include "PriceListStore.h"

#include "CDlgPriceListDlg.h"
#include "Database.h"
#include "PictureSupport.h"
#include "ProductTestSupport.h"

// The price list of either side, the all-products list and the price entry,
// driven by clicks and typing, and the rows they leave in the store. Which
// party's price a bill gets is tested through the variant picker
// (PickerTest).

namespace {

const QString kOwner = "O'Neil 宏达建材";

class PriceListDialogTest : public ::testing::TestWithParam<PartySide>
{
protected:
    void SetUp() override
    {
        const auto nut = addProduct(db, "LM-01", "螺母", "M8", "0.30", "0.50");
        store.AddPrice(kOwner, nut.GUID, "0.45");
        store.AddPrice("别家", nut.GUID, "9");
        // Another variant of the same name: its price stays when the first's changes.
        store.AddPrice(kOwner, addProduct(db, "LM-02", "螺母", "M10", "0.40", "0.70").GUID, "0.60");
        // Another product of the first's name and variant: picked, it changes the first's price row.
        addProduct(db, "LM-09", "螺母", "M8", "0.35", "0.55");
        dialog.SetSide(GetParam());
        if (GetParam() == PartyClient)
            dialog.SetClientName(kOwner);
        else
            dialog.SetOwnerName(kOwner);
        dialog.show();
    }
    // The owner's stored rows: code, name, variant, unit, agreed price and
    // purchase price.
    QStringList stored(const QString& owner)
    {
        QStringList rows;
        for (const PriceListRow& r : store.Load(owner))
            rows << QStringList {r.ProductCode, r.ProductName, r.ProductSpec, r.ProductUnit, r.ShipmentUnitPrice,
                r.StockUnitPrice}
                        .join('|');
        return rows;
    }

    TestDatabase db;
    PriceListStore store {db.db(), GetParam()};
    ScriptedInteraction user;
    struct_button_storeproduct bolt = addProduct(db, "LS-01", "螺栓", "M8", "1.20", "1.80");
    CDlgPriceListDlg dialog;
    QTableWidget* list = dialog.findChild<QTableWidget*>("1284");
};

} // namespace

TEST_P(PriceListDialogTest, AddsANewPriceChangesAListedOneInPlaceAndRefusesWhatCannotBeAdded)
{
    // The heading: the price-list picture, left of the title and level with it, then the party's name.
    const auto* picture = dialog.findChild<QLabel*>("titlePicture");
    const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
    const auto title = std::find_if(labels.begin(), labels.end(), [](auto* l) { return l->text() == "客户价目列表"; });
    ASSERT_TRUE(picture && title != labels.end());
    EXPECT_TRUE(showsPicture(picture, ":/images/icon213.svg"));
    const QRect shown = picture->geometry(), titled = (*title)->geometry();
    EXPECT_LT(shown.right(), titled.left());
    EXPECT_TRUE(shown.top() <= titled.center().y() && titled.center().y() <= shown.bottom()) << titled.center().y();
    EXPECT_LT(titled.right(), dialog.findChild<QLabel*>("1282")->geometry().left());
    EXPECT_EQ(dialog.findChild<QLabel*>("1282")->text(), kOwner);
    EXPECT_EQ(columnTexts(list, 2) + columnTexts(list, 3), QStringList({"M8", "M10", "0.45", "0.60"}));
    // Each price typed and confirmed; the last one is confirmed by the
    // handler's own click.
    const auto typePrices = [](const QStringList& typed) {
        return [=](QDialog* d) {
            for (qsizetype i = 0; i < typed.size(); ++i) {
                d->findChild<QLineEdit*>("1290")->clear();
                typeText(d->findChild<QLineEdit*>("1290"), typed[i]);
                if (i + 1 < typed.size())
                    clickButton(d, "1288");
            }
        };
    };
    // A product of the all-products list picked by a double-click and priced.
    const auto pickAndPrice = [&](int row, const char* price, const std::function<void()>& meanwhile = {}) {
        user.onNextModal([=](QDialog* d) {
            if (meanwhile) // while the list shows it
                meanwhile();
            doubleClickRow(d->findChild<QTableWidget*>("1287"), row);
            return d->result();
        });
        onNextDialog(user, "1288", typePrices({price}));
        doubleClickRow(list, 0);
    };

    // Picked by a click and 新增, after 新增 without a pick; priced after an
    // empty price, a unit and a grouping mark.
    QStringList offered;
    onNextDialog(user, "1286", [&](QDialog* d) {
        auto* products = d->findChild<QTableWidget*>("1287");
        clickButton(d, "1286");
        offered = columnTexts(products, 0) + columnTexts(products, 3);
        clickRow(products, 0);
    });
    onNextDialog(user, "1288", typePrices({"", "1.5元", "1,000", " 1.5 "}));
    clickButton(&dialog, "1283");
    // Numbered from 0; the client side offers the sales price, the provider
    // side the purchase price.
    const bool client = GetParam() == PartyClient;
    EXPECT_EQ(offered,
        client ? QStringList({"0", "1", "2", "3", "1.80", "0.50", "0.70", "0.55"})
               : QStringList({"0", "1", "2", "3", "1.20", "0.30", "0.40", "0.35"}));
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(rowTexts(list, 2).mid(0, 4), QStringList({"2", "螺栓", "M8", "1.5"}));

    // A listed key changes in place; a product deleted meanwhile gets none.
    pickAndPrice(3, "0.40");
    pickAndPrice(0, "2", [&] { db.exec("DELETE FROM tbl_StoreMgr WHERE GUID = ?", {bolt.GUID}); });
    EXPECT_EQ(columnTexts(list, 3), QStringList({"0.40", "0.60", "1.5"}));
    // The rows copy the product picked last; another variant's, another
    // owner's and the other side's stay as they were.
    EXPECT_EQ(stored(kOwner) + stored("别家"),
        QStringList({"LM-09|螺母|M8|个|0.40|0.35", "LM-02|螺母|M10|个|0.60|0.40", "LS-01|螺栓|M8|个|1.5|1.20",
            "LM-01|螺母|M8|个|9|0.30"}));
    EXPECT_EQ(rowCount(db, client ? "tbl_ProviderPriceList" : "tbl_ClientPriceList"), 0);

    // A failed write says why and changes nothing; the next write is taken.
    const QString table = client ? "tbl_ClientPriceList" : "tbl_ProviderPriceList";
    db.exec(QString("CREATE TRIGGER refuse BEFORE UPDATE ON %1 BEGIN SELECT RAISE(ABORT, 'disk full'); END")
                .arg(table)
                .toUtf8());
    pickAndPrice(1, "0.65");
    EXPECT_EQ(stored(kOwner).value(1), "LM-02|螺母|M10|个|0.60|0.40");
    db.exec("DROP TRIGGER refuse");
    pickAndPrice(1, "0.65");
    EXPECT_EQ(columnTexts(list, 3), QStringList({"0.40", "0.65", "1.5"}));
    EXPECT_EQ(user.texts(),
        (QStringList {"请选择要填加报价的货品。", "请输入 ‘产品价格’。", "“产品价格”只能填写数字。",
            "“产品价格”只能填写数字。", "找不到这个货品，它可能已被删除。",
            "保存报价失败。\n数据与已有记录冲突，没有写入。"}));

    clickButton(&dialog, "1001");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sides, PriceListDialogTest, ::testing::Values(PartyClient, PartyProvider), ::testing::PrintToStringParamName());
