#include "PriceListStore.h"

#include "CDlgPriceListDlg.h"
#include "Database.h"
#include "ProductTestSupport.h"

// The price lists: the store, and the price list, the all-products list and
// the price entry driven by clicks and typing. Both sides run through one
// body: rows named "client" and "provider". Which party's price a bill gets
// is tested through the variant picker (PickerTest).

namespace {

class PriceListStoreTest : public ::testing::TestWithParam<PartySide>
{
protected:
    QString table() const { return GetParam() == PartyClient ? "tbl_ClientPriceList" : "tbl_ProviderPriceList"; }
    QByteArray sql(const char* text) const { return QString::fromUtf8(text).arg(table()).toUtf8(); }

    TestDatabase db;
    PriceListStore store {db.db(), GetParam()};
};

} // namespace

TEST_P(PriceListStoreTest, ANewPriceCopiesTheProductAndTheSameNameAndVariantUpdatesEveryRowOfTheKey)
{
    const auto first = addProduct(db, "A-1", "扳手' OR '1'='1", "12寸", "20.00");
    const auto second = addProduct(db, "B-9", "扳手' OR '1'='1", "12寸", "30.00");
    const auto added = store.AddPrice("O'Neil's 五金商行", first.GUID, "40元");
    EXPECT_EQ(added.outcome, PriceListStore::AddOutcome::Added);
    EXPECT_EQ(store.Load("O'Neil's 五金商行"), QList<PriceListRow> {added.row});
    EXPECT_EQ(db.scalar(sql("SELECT ShipmentUnitPrice FROM %1")), "40元"); // as given
    ASSERT_EQ(store.AddPrice("别家", first.GUID, "41").outcome, PriceListStore::AddOutcome::Added);

    const auto updated = store.AddPrice("O'Neil's 五金商行", second.GUID, "42.50");
    EXPECT_EQ(updated.outcome, PriceListStore::AddOutcome::Updated);
    // The agreed price goes to ShipmentUnitPrice on both sides, as given;
    // StockUnitPrice keeps the product's purchase price; the other side's
    // list stays empty.
    EXPECT_EQ(db.scalar(sql("SELECT group_concat(ProductCode || '/' || ProductName || '/' || ProductSpec || '/' || "
                            "ProductUnit || '/' || ShipmentUnitPrice || '/' || StockUnitPrice, ';') FROM (SELECT * "
                            "FROM %1 ORDER BY RowNo)")),
        "B-9/扳手' OR '1'='1/12寸/个/42.50/30.00;A-1/扳手' OR '1'='1/12寸/个/41/20.00");
    EXPECT_EQ(rowCount(db, GetParam() == PartyClient ? "tbl_ProviderPriceList" : "tbl_ClientPriceList"), 0);
}

TEST_P(PriceListStoreTest, NothingIsWrittenForAMissingProductOrAFailedWrite)
{
    const auto bolt = addProduct(db, "LS-01", "螺栓", "M8");
    for (const QString guid : {"", "00000000-0000-0000-0000-000000000000"})
        EXPECT_EQ(store.AddPrice("恒信", guid, "1").outcome, PriceListStore::AddOutcome::ProductMissing);

    db.exec(sql("CREATE TRIGGER refuse BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, '磁盘已满'); END"));
    EXPECT_THROW(store.AddPrice("恒信", bolt.GUID, "2"), DbError);
    EXPECT_EQ(db.scalar(sql("SELECT COUNT(*) FROM %1")), "0");
    // The transaction was rolled back: the connection takes the next write.
    db.exec("DROP TRIGGER refuse");
    EXPECT_EQ(store.AddPrice("恒信", bolt.GUID, "2").outcome, PriceListStore::AddOutcome::Added);
}

INSTANTIATE_TEST_SUITE_P(Sides, PriceListStoreTest, ::testing::Values(PartyClient, PartyProvider),
    [](const auto& info) { return info.param == PartyClient ? "client" : "provider"; });

namespace {

const QString kOwner = "苏州宏达建材";

class PriceListDialogTest : public PriceListStoreTest
{
protected:
    void SetUp() override
    {
        store.AddPrice(kOwner, addProduct(db, "LM-01", "螺母", "M8", "0.30", "0.50").GUID, "0.45");
        store.AddPrice("别家", bolt.GUID, "9");
        dialog.SetSide(GetParam());
        if (GetParam() == PartyClient)
            dialog.SetClientName(kOwner);
        else
            dialog.SetOwnerName(kOwner);
        dialog.show();
    }

    ScriptedInteraction user;
    struct_button_storeproduct bolt = addProduct(db, "LS-01", "螺栓", "M8", "1.20", "1.80");
    CDlgPriceListDlg dialog;
    QTableWidget* list = dialog.findChild<QTableWidget*>("1284");
};

} // namespace

TEST_P(PriceListDialogTest, AddsANewPriceChangesAListedOneInPlaceAndRefusesWhatCannotBeAdded)
{
    EXPECT_EQ(dialog.findChild<QLabel*>("1282")->text(), kOwner);
    EXPECT_EQ(columnTexts(list, 1) + columnTexts(list, 3), QStringList({"螺母", "0.45"}));
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
    EXPECT_EQ(offered, QStringList({"0", "1", client ? "1.80" : "1.20", client ? "0.50" : "0.30"}));
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(rowTexts(list, 1).mid(0, 4), QStringList({"1", "螺栓", "M8", "1.5"}));

    // Picked by double-clicks: a listed price changes in place; a product
    // deleted meanwhile gets none.
    for (const bool vanishes : {false, true}) {
        user.onNextModal([&](QDialog* d) {
            if (vanishes) // while the list shows it
                db.exec("DELETE FROM tbl_StoreMgr WHERE GUID = ?", {bolt.GUID});
            doubleClickRow(d->findChild<QTableWidget*>("1287"), vanishes ? 0 : 1);
            return d->result();
        });
        onNextDialog(user, "1288", typePrices({vanishes ? "2" : "0.40"}));
        doubleClickRow(list, 0);
    }
    EXPECT_EQ(columnTexts(list, 3), QStringList({"0.40", "1.5"}));
    EXPECT_EQ(store.Load(kOwner).size(), 2);
    EXPECT_EQ(user.texts(),
        (QStringList {"请选择要填加报价的货品。", "请输入 ‘产品价格’。", "“产品价格”只能填写数字。",
            "“产品价格”只能填写数字。", "找不到这个货品，它可能已被删除。"}));

    clickButton(&dialog, "1001");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

INSTANTIATE_TEST_SUITE_P(Sides, PriceListDialogTest, ::testing::Values(PartyClient, PartyProvider),
    [](const auto& info) { return info.param == PartyClient ? "client" : "provider"; });
