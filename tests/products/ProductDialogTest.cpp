#include "CDlgNewProduct.h"

#include <QLineEdit>

#include "CDlgTabStore.h"
#include "ProductTestSupport.h"

// The product dialog as the store page opens it: new from 新增商品 (mode
// 0) and from a product card (mode 1), typed into and clicked as a person
// would. The store page is the real one.

namespace {

// The edits in the order of the form: code, name, variant, unit,
// purchase price, sales price, alarm count, remark.
const char *const kEdits[] = {"1188", "1189", "1190", "1175", "1176", "1177", "1178", "1179"};

QLineEdit *edit(QDialog *dialog, int field)
{
    return dialog->findChild<QLineEdit *>(QString::fromLatin1(kEdits[field]));
}

void fill(QDialog *dialog, const QStringList &texts)
{
    for (int field = 0; field < texts.size(); ++field) {
        edit(dialog, field)->clear();
        typeText(edit(dialog, field), texts.at(field));
    }
}

QStringList editTexts(QDialog *dialog)
{
    QStringList texts;
    for (int field = 0; field < 8; ++field)
        texts << edit(dialog, field)->text();
    return texts;
}

class ProductDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        store.resize(1000, 700);
        store.show();
    }

    CBCGPStoreMgrButton *cardOf(const QString &guid)
    {
        for (int k = 0; k < store.PoolSize(); ++k) {
            if (store.ProductButton(k)->isVisible() && store.ProductButton(k)->record().GUID == guid)
                return store.ProductButton(k);
        }
        return nullptr;
    }

    TestDatabase db;
    ScriptedInteraction user;
    struct_button_storeproduct bolt = addProduct(db, QStringLiteral("LS-01"), QStringLiteral("螺栓"), QStringLiteral("M8"),
                                                 QStringLiteral("1.20"), QStringLiteral("1.80"), QStringLiteral("7"));
    struct_button_storeproduct nut = addProduct(db, QStringLiteral("LM-01"), QStringLiteral("螺母"), QStringLiteral("M8"));
    CDlgTabStore store{12, nullptr};
};

} // namespace

TEST_F(ProductDialogTest, NewProductNeedsEveryFieldButTheRemark)
{
    const QStringList typed = {QStringLiteral("DZ-9"), QStringLiteral("电钻"), QStringLiteral("500W"), QStringLiteral("台"),
                               QStringLiteral(" 120 "), QStringLiteral("168.5"), QStringLiteral("2"), QString()};
    user.onNextModal([&](QDialog *d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("新增货品"));
        EXPECT_FALSE(d->findChild<QWidget *>(QStringLiteral("delete"))->isVisible());
        EXPECT_EQ(edit(d, 0)->maxLength(), 230);
        EXPECT_EQ(edit(d, 4)->maxLength(), 12);
        for (int missing = 0; missing < 7; ++missing) {
            QStringList partial = typed;
            partial[missing].clear();
            fill(d, partial);
            user.clear();
            clickButton(d, "1");
            EXPECT_EQ(user.texts(), QStringList{QStringLiteral("请将产品信息填写完整。")}) << missing;
            EXPECT_TRUE(d->isVisible()) << missing;
        }
        EXPECT_EQ(rowCount(db, "tbl_StoreMgr"), 2);
        fill(d, typed);
        user.clear();
        clickButton(d, "1");
        return d->result();
    });
    clickButton(&store, "1184");

    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("新增货品成功。")});
    ASSERT_EQ(rowCount(db, "tbl_StoreMgr"), 3);
    const QString guid = db.scalar("SELECT GUID FROM tbl_StoreMgr WHERE ProductCode = 'DZ-9'");
    EXPECT_EQ(guid.size(), 36);
    // Prices are stored as typed, without the blanks around them; a new
    // product starts at stock 0.
    EXPECT_EQ(storedColumn(db, "StockUnitPrice", guid), QStringLiteral("120"));
    EXPECT_EQ(storedColumn(db, "ShipmentUnitPrice", guid), QStringLiteral("168.5"));
    EXPECT_EQ(storedColumn(db, "ProductStockCount", guid), QStringLiteral("0"));
    EXPECT_EQ(storedColumn(db, "ProductRemark", guid), QString());
    ASSERT_NE(cardOf(guid), nullptr);
    EXPECT_EQ(cardOf(guid)->record().ProductName, QStringLiteral("电钻"));
}

TEST_F(ProductDialogTest, AFailedWriteKeepsTheDialogOpenAndAnnouncesNothing)
{
    db.exec("CREATE TRIGGER refuse BEFORE INSERT ON tbl_StoreMgr BEGIN SELECT RAISE(ABORT, '磁盘已满'); END");
    user.onNextModal([&](QDialog *d) {
        fill(d, {QStringLiteral("DZ-9"), QStringLiteral("电钻"), QStringLiteral("500W"), QStringLiteral("台"),
                 QStringLiteral("120"), QStringLiteral("168"), QStringLiteral("2"), QStringLiteral("备注")});
        clickButton(d, "1");
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(editTexts(d).at(1), QStringLiteral("电钻"));
        clickButton(d, "2");
        return d->result();
    });
    clickButton(&store, "1184");

    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(user.messages[0].text.contains(QStringLiteral("没有写入")));
    EXPECT_EQ(rowCount(db, "tbl_StoreMgr"), 2);
    EXPECT_EQ(store.RecordCount(), 2);
}

TEST_F(ProductDialogTest, ChangeFromACardKeepsKeyAndStoredStockAndRefreshesTheCard)
{
    CBCGPStoreMgrButton *card = cardOf(bolt.GUID);
    ASSERT_NE(card, nullptr);
    const QString figure = card->record().ProductStockCount; // worked out from the bills, not the stored 7
    user.onNextModal([&](QDialog *d) {
        EXPECT_TRUE(d->findChild<QWidget *>(QStringLiteral("delete"))->isVisible());
        EXPECT_EQ(editTexts(d), QStringList({QStringLiteral("LS-01"), QStringLiteral("螺栓"), QStringLiteral("M8"),
                                             QStringLiteral("个"), QStringLiteral("1.20"), QStringLiteral("1.80"),
                                             QStringLiteral("5"), QString()}));
        edit(d, 1)->clear();
        typeText(edit(d, 1), QStringLiteral("高强螺栓"));
        edit(d, 7)->clear();
        typeText(edit(d, 7), QStringLiteral("8.8级"));
        clickButton(d, "1");
        return d->result();
    });
    QTest::mouseClick(card, Qt::LeftButton);

    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("修改货品成功。")});
    EXPECT_EQ(storedColumn(db, "ProductName", bolt.GUID), QStringLiteral("高强螺栓"));
    EXPECT_EQ(storedColumn(db, "ProductRemark", bolt.GUID), QStringLiteral("8.8级"));
    EXPECT_EQ(storedColumn(db, "ProductStockCount", bolt.GUID), QStringLiteral("7"));
    EXPECT_EQ(rowCount(db, "tbl_StoreMgr"), 2);
    EXPECT_EQ(card->record().ProductName, QStringLiteral("高强螺栓"));
    EXPECT_EQ(card->record().ProductStockCount, figure);
}

TEST_F(ProductDialogTest, DeleteFromACardAsksFirst)
{
    CBCGPStoreMgrButton *card = cardOf(nut.GUID);
    ASSERT_NE(card, nullptr);
    int result = -1;
    user.answerQuestion(false);
    user.answerQuestion(true);
    user.onNextModal([&](QDialog *d) {
        edit(d, 1)->clear(); // the edited texts do not matter to a delete
        clickButton(d, "delete");
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(rowCount(db, "tbl_StoreMgr"), 2);
        clickButton(d, "delete");
        result = d->result();
        return result;
    });
    QTest::mouseClick(card, Qt::LeftButton);

    EXPECT_EQ(user.texts(), QStringList({QStringLiteral("确定要删除这个货品吗？"), QStringLiteral("确定要删除这个货品吗？")}));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(rowCount(db, "tbl_StoreMgr"), 1);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM tbl_StoreMgr WHERE GUID = ?", {nut.GUID}), QStringLiteral("0"));
    EXPECT_TRUE(card->isHidden());
}

namespace {

// A number field typed wrong: which field, what was typed.
struct WrongNumber
{
    const char *name;
    int field;
    const char *typed;
    const char *label;
};

void PrintTo(const WrongNumber &c, std::ostream *out)
{
    *out << c.name;
}

class ProductNumberFields : public ProductDialogTest, public ::testing::WithParamInterface<WrongNumber>
{
};

} // namespace

// Prices are unsigned decimals, the alarm count a whole number of at least
// 0; anything else is refused with the field's name and nothing is saved,
// neither a new product nor a change.
TEST_P(ProductNumberFields, AreCheckedBeforeAnythingIsSaved)
{
    const WrongNumber &c = GetParam();
    const QString message = QStringLiteral("“%1”只能填写数字。").arg(QString::fromUtf8(c.label));
    QStringList typed = {QStringLiteral("DZ-9"), QStringLiteral("电钻"), QStringLiteral("500W"), QStringLiteral("台"),
                         QStringLiteral("120"),  QStringLiteral("168.5"), QStringLiteral("2"), QString()};
    typed[c.field] = QString::fromUtf8(c.typed);
    user.onNextModal([&](QDialog *d) {
        fill(d, typed);
        clickButton(d, "1");
        EXPECT_EQ(user.texts(), QStringList{message});
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(edit(d, c.field)->text(), QString::fromUtf8(c.typed));
        clickButton(d, "2");
        return d->result();
    });
    clickButton(&store, "1184");
    EXPECT_EQ(rowCount(db, "tbl_StoreMgr"), 2);
    EXPECT_EQ(store.RecordCount(), 2);

    user.clear();
    CBCGPStoreMgrButton *card = cardOf(bolt.GUID);
    ASSERT_NE(card, nullptr);
    user.onNextModal([&](QDialog *d) {
        edit(d, c.field)->clear();
        typeText(edit(d, c.field), QString::fromUtf8(c.typed));
        clickButton(d, "1");
        EXPECT_EQ(user.texts(), QStringList{message});
        clickButton(d, "2");
        return d->result();
    });
    QTest::mouseClick(card, Qt::LeftButton);
    EXPECT_EQ(storedColumn(db, "StockUnitPrice", bolt.GUID), QStringLiteral("1.20"));
    EXPECT_EQ(storedColumn(db, "PromptCount", bolt.GUID), QStringLiteral("5"));
    EXPECT_EQ(card->record().StockUnitPrice, QStringLiteral("1.20"));
}

INSTANTIATE_TEST_SUITE_P(
    Typed, ProductNumberFields,
    ::testing::Values(WrongNumber{"letters", 4, "abc", "进货单价"}, WrongNumber{"grouping", 4, "1,000", "进货单价"},
                      WrongNumber{"unit", 5, "12元", "出货单价"}, WrongNumber{"negative_price", 5, "-5", "出货单价"},
                      WrongNumber{"fraction_count", 6, "2.5", "报警设置"}, WrongNumber{"negative_count", 6, "-1", "报警设置"}),
    [](const auto &info) { return std::string(info.param.name); });
