#include "CDlgSelProductDlg.h"
#include "CDlgSelProductSpecDlg.h"

#include "PriceListStore.h"
#include "ProductTestSupport.h"

// The two pickers page their entries 15 at a time (3 rows of 5); the
// variant picker prices every entry from the party's price list, on
// every page.

namespace {

// The shown entries, each as its name, or as "variant=purchase/sales".
template <typename Picker> QStringList shown(Picker& picker, bool withPrices = false)
{
    QStringList texts;
    for (int i = 0; i < Picker::kEntries; ++i) {
        const struct_button_storeproduct& p = picker.Entry(i)->record();
        if (picker.Entry(i)->isVisible())
            texts << (withPrices ? p.ProductSpec + "=" + p.StockUnitPrice + "/" + p.ShipmentUnitPrice : p.ProductName);
    }
    return texts;
}

} // namespace

TEST(PickerTest, TheProductPickerPagesNamesTheVariantPickerPricesEveryEntryForItsSide)
{
    TestDatabase db;
    ScriptedInteraction user;
    QStringList names;
    for (int i = 1; i <= 16; ++i) {
        names << QString::asprintf("货品%02d", i);
        addProduct(db, i == 16 ? "X1" : QStringLiteral("C%1").arg(i), names.last(), "甲");
    }
    addProduct(db, "X1", names[0], "乙"); // a second variant: no new entry

    CDlgSelProductDlg picker;
    picker.show();
    EXPECT_EQ(shown(picker), names.mid(0, 15));
    EXPECT_EQ(picker.Entry(6)->geometry(), QRect(142 + 30, 92 + 73, 135, 87)); // row 1, column 1
    clickButton(&picker, "1269");
    clickButton(&picker, "1269"); // the last page stays
    EXPECT_EQ(shown(picker), QStringList {names[15]});
    clickButton(&picker, "1268");
    clickButton(&picker, "1268"); // so does the first
    EXPECT_EQ(shown(picker), names.mid(0, 15));

    // Filtered by the code, then by code and name, in the order the matches
    // first appear; an unknown code lists nothing.
    auto* code = picker.findChild<QComboBox*>("1270");
    typeText(code->lineEdit(), "X1");
    clickButton(&picker, "1272");
    EXPECT_EQ(shown(picker), QStringList({names[15], names[0]}));
    typeText(picker.findChild<QComboBox*>("1265")->lineEdit(), names[15]);
    clickButton(&picker, "1272");
    EXPECT_EQ(shown(picker), QStringList {names[15]});
    code->setEditText("C2");
    clickButton(&picker, "1272");
    EXPECT_TRUE(shown(picker).isEmpty());

    code->clearEditText();
    clickButton(&picker, "1272");
    QTest::mousePress(picker.Entry(0), Qt::LeftButton);
    EXPECT_EQ(picker.result(), 1);
    EXPECT_EQ(picker.GetSelProductName(), names[15]);

    // The variant picker: 17 variants of one name: a page of 15 and a page of 2.
    QList<struct_button_storeproduct> specs;
    for (int i = 1; i <= 17; ++i)
        specs << addProduct(db, QStringLiteral("LS%1").arg(i), "螺丝", QString::asprintf("M%02d", i), "1.00", "2.00");
    addProduct(db, "LM", "螺母", "M02");
    PriceListStore clients(db.db(), PartyClient);
    clients.AddPrice("恒信", specs[1].GUID, "1.75");
    clients.AddPrice("恒信", specs[15].GUID, "1.60");
    clients.AddPrice("恒信", specs[3].GUID, ""); // an empty agreed price counts as none
    clients.AddPrice("别家", specs[2].GUID, "9.99");
    PriceListStore(db.db(), PartyProvider).AddPrice("恒信", specs[2].GUID, "0.90");

    // A bill begun without a party (none) and one of each side.
    CDlgSelProductSpecDlg pickers[3];
    for (int k = 0; k < 3; ++k) {
        if (k > 0) {
            pickers[k].SetPriceSource(k == 1 ? PartyClient : PartyProvider);
            pickers[k].SetPartyName("恒信");
        }
        pickers[k].SetProductName("螺丝");
        pickers[k].show();
    }
    CDlgSelProductSpecDlg& client = pickers[1];
    const QStringList first = shown(client, true);
    ASSERT_EQ(first.size(), 15);
    EXPECT_EQ(first.mid(0, 4), QStringList({"M01=1.00/2.00", "M02=1.75/1.75", "M03=1.00/2.00", "M04=1.00/2.00"}));
    clickButton(&client, "1263");
    EXPECT_EQ(shown(client, true), QStringList({"M16=1.60/1.60", "M17=1.00/2.00"}));
    clickButton(&client, "1262");
    EXPECT_EQ(shown(client, true), first);
    QTest::mousePress(client.Entry(1), Qt::LeftButton);
    EXPECT_EQ(client.result(), 1);
    struct_button_storeproduct chosen;
    client.GetSelSpec(chosen);
    EXPECT_EQ(chosen.GUID + "/" + chosen.ShipmentUnitPrice, specs[1].GUID + "/1.75");

    EXPECT_EQ(shown(pickers[2], true).mid(1, 2), QStringList({"M02=1.00/2.00", "M03=0.90/0.90"}));
    EXPECT_EQ(shown(pickers[0], true).filter("=1.00/2.00").size(), 15);
    pickers[0].close();
    EXPECT_EQ(pickers[0].result(), 0);
}
