#include "CDlgSelProductDlg.h"
#include "CDlgSelProductSpecDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "PriceListStore.h"
#include "ProductTestSupport.h"

// The two pickers page their entries 15 at a time (3 rows of 5); the
// variant picker prices every entry from the party's price list, on
// every page.

namespace {

// The shown entries, each as its name, or as "variant=purchase/sales".
template<typename Picker>
QStringList shown(Picker &picker, bool withPrices = false)
{
    QStringList texts;
    for (int i = 0; i < Picker::kEntries; ++i) {
        if (!picker.Entry(i)->isVisible())
            continue;
        const struct_button_storeproduct &p = picker.Entry(i)->record();
        texts << (withPrices ? p.ProductSpec + QLatin1Char('=') + p.StockUnitPrice + QLatin1Char('/') + p.ShipmentUnitPrice
                             : p.ProductName);
    }
    return texts;
}

} // namespace

TEST(PickerTest, ProductPickerPagesDistinctNamesAndFiltersByCodeAndName)
{
    TestDatabase db;
    ScriptedInteraction user;
    QStringList names;
    for (int i = 1; i <= 16; ++i) {
        names << QString::asprintf("货品%02d", i);
        addProduct(db, i == 16 ? QStringLiteral("X1") : QStringLiteral("C%1").arg(i), names.last(), QStringLiteral("甲"));
    }
    addProduct(db, QStringLiteral("X1"), names[0], QStringLiteral("乙")); // a second variant: no new entry

    CDlgSelProductDlg picker;
    picker.show();
    EXPECT_EQ(shown(picker), names.mid(0, 15));
    EXPECT_EQ(picker.Entry(6)->geometry(), QRect(142 + 30, 92 + 73, 135, 87)); // row 1, column 1
    clickButton(&picker, "1269");
    EXPECT_EQ(shown(picker), QStringList{names[15]});
    clickButton(&picker, "1269"); // the last page stays
    EXPECT_EQ(shown(picker), QStringList{names[15]});
    clickButton(&picker, "1268");
    clickButton(&picker, "1268"); // so does the first
    EXPECT_EQ(shown(picker), names.mid(0, 15));

    // Each name once, latest first; every code; nothing chosen at first.
    auto *code = picker.findChild<QComboBox *>(QStringLiteral("1270"));
    auto *name = picker.findChild<QComboBox *>(QStringLiteral("1265"));
    EXPECT_EQ(name->count(), 16);
    EXPECT_EQ(name->itemText(0), names[15]);
    EXPECT_EQ(code->count(), 17);
    EXPECT_TRUE(code->currentText().isEmpty() && name->currentText().isEmpty());

    typeText(code->lineEdit(), QStringLiteral("X1"));
    clickButton(&picker, "1272");
    EXPECT_EQ(shown(picker), QStringList({names[15], names[0]})); // in the order the matches first appear
    typeText(name->lineEdit(), names[15]);
    clickButton(&picker, "1272");
    EXPECT_EQ(shown(picker), QStringList{names[15]});
    code->lineEdit()->clear();
    typeText(code->lineEdit(), QStringLiteral("C2"));
    clickButton(&picker, "1272");
    EXPECT_TRUE(shown(picker).isEmpty());

    code->lineEdit()->clear();
    clickButton(&picker, "1272");
    QTest::mousePress(picker.Entry(0), Qt::LeftButton);
    EXPECT_EQ(picker.result(), 1);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(picker.GetSelProductName(), names[15]);
    EXPECT_TRUE(user.texts().isEmpty());
}

TEST(PickerTest, VariantPickerPricesEveryEntryOfEveryPageForItsSide)
{
    TestDatabase db;
    ScriptedInteraction user;
    // 17 variants of one name: a page of 15 and a page of 2.
    QList<struct_button_storeproduct> specs;
    for (int i = 1; i <= 17; ++i)
        specs << addProduct(db, QStringLiteral("LS%1").arg(i), QStringLiteral("螺丝"), QString::asprintf("M%02d", i),
                            QStringLiteral("1.00"), QStringLiteral("2.00"));
    addProduct(db, QStringLiteral("LM"), QStringLiteral("螺母"), QStringLiteral("M02"));
    PriceListStore clients(db.db(), PartyClient);
    clients.AddPrice(QStringLiteral("恒信"), specs[1].GUID, QStringLiteral("1.75"));
    clients.AddPrice(QStringLiteral("恒信"), specs[15].GUID, QStringLiteral("1.60"));
    clients.AddPrice(QStringLiteral("恒信"), specs[3].GUID, QString()); // an empty agreed price counts as none
    clients.AddPrice(QStringLiteral("别家"), specs[2].GUID, QStringLiteral("9.99"));
    PriceListStore(db.db(), PartyProvider).AddPrice(QStringLiteral("恒信"), specs[2].GUID, QStringLiteral("0.90"));

    CDlgSelProductSpecDlg client;
    client.SetPriceSource(PartyClient);
    client.SetPartyName(QStringLiteral("恒信"));
    client.SetProductName(QStringLiteral("螺丝"));
    client.show();
    EXPECT_EQ(client.findChild<QLabel *>(QStringLiteral("1273"))->text(), QStringLiteral("请选择（螺丝）的规格"));
    const QStringList first = shown(client, true);
    ASSERT_EQ(first.size(), 15);
    EXPECT_EQ(first.mid(0, 4), QStringList({QStringLiteral("M01=1.00/2.00"), QStringLiteral("M02=1.75/1.75"),
                                            QStringLiteral("M03=1.00/2.00"), QStringLiteral("M04=1.00/2.00")}));
    clickButton(&client, "1263");
    EXPECT_EQ(shown(client, true), QStringList({QStringLiteral("M16=1.60/1.60"), QStringLiteral("M17=1.00/2.00")}));
    clickButton(&client, "1262");
    EXPECT_EQ(shown(client, true), first);
    QTest::mousePress(client.Entry(1), Qt::LeftButton);
    EXPECT_EQ(client.result(), 1);
    struct_button_storeproduct chosen;
    client.GetSelSpec(chosen);
    EXPECT_EQ(chosen.GUID, specs[1].GUID);
    EXPECT_EQ(chosen.ShipmentUnitPrice, QStringLiteral("1.75"));

    CDlgSelProductSpecDlg provider;
    provider.SetPriceSource(PartyProvider);
    provider.SetPartyName(QStringLiteral("恒信"));
    provider.SetProductName(QStringLiteral("螺丝"));
    provider.show();
    EXPECT_EQ(shown(provider, true).mid(1, 2), QStringList({QStringLiteral("M02=1.00/2.00"), QStringLiteral("M03=0.90/0.90")}));

    CDlgSelProductSpecDlg noParty; // a bill begun without a party
    noParty.SetProductName(QStringLiteral("螺丝"));
    noParty.show();
    EXPECT_EQ(shown(noParty, true).filter(QStringLiteral("=1.00/2.00")).size(), 15);
    noParty.close();
    EXPECT_EQ(noParty.result(), 0);
}
