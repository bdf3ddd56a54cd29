#include "CDlgProductSearch.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QScreen>
#include <QLineEdit>

#include "CDlgTabProductInfo.h"
#include "ProductCatalog.h"
#include "ProductTestSupport.h"

// The search dialog hands back what was typed or chosen; the catalogue
// matches every given text exactly and all of them together.

namespace {

class ProductSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        addProduct(db, QStringLiteral("A1"), QStringLiteral("螺丝"), QStringLiteral("M4"));
        addProduct(db, QStringLiteral("A2"), QStringLiteral("螺丝"), QStringLiteral("M5"));
        addProduct(db, QStringLiteral("A1"), QStringLiteral("螺母"), QStringLiteral("M4"));
        addProduct(db, QStringLiteral("A10"), QStringLiteral("螺丝"), QStringLiteral("M4"));
        addProduct(db, QStringLiteral("Q'1"), QStringLiteral("3' 水管"), QStringLiteral("x' OR '1'='1"));
    }

    QStringList codesFor(const ProductSearchCriteria &criteria)
    {
        QStringList codes;
        for (const auto &product : ProductCatalog(db.db()).Search(criteria))
            codes << product.ProductCode + QLatin1Char('/') + product.ProductName + QLatin1Char('/') + product.ProductSpec;
        return codes;
    }

    TestDatabase db;
    ScriptedInteraction user;
};

} // namespace

TEST_F(ProductSearchTest, CriteriaMatchExactlyAndTogether)
{
    EXPECT_EQ(codesFor({}).size(), 5);
    EXPECT_EQ(codesFor({QStringLiteral("A1"), QString(), QString()}),
              QStringList({QStringLiteral("A1/螺丝/M4"), QStringLiteral("A1/螺母/M4")}));
    EXPECT_EQ(codesFor({QStringLiteral("A1"), QString(), QStringLiteral("M4")}),
              QStringList({QStringLiteral("A1/螺丝/M4"), QStringLiteral("A1/螺母/M4")}));
    EXPECT_EQ(codesFor({QString(), QStringLiteral("螺丝"), QStringLiteral("M4")}),
              QStringList({QStringLiteral("A1/螺丝/M4"), QStringLiteral("A10/螺丝/M4")}));
    EXPECT_EQ(codesFor({QStringLiteral("A2"), QStringLiteral("螺丝"), QStringLiteral("M4")}), QStringList());
    EXPECT_EQ(codesFor({QStringLiteral("A"), QString(), QString()}), QStringList());
    EXPECT_EQ(codesFor({QString(), QStringLiteral("3' 水管"), QStringLiteral("x' OR '1'='1")}),
              QStringList{QStringLiteral("Q'1/3' 水管/x' OR '1'='1")});
    EXPECT_EQ(codesFor({QString(), QStringLiteral("x' OR '1'='1"), QString()}), QStringList());
}

TEST_F(ProductSearchTest, DialogOffersTheStoredTextsAndHandsBackWhatWasTyped)
{
    CDlgProductSearch dialog;
    auto *code = dialog.findChild<QComboBox *>(QStringLiteral("1193"));
    auto *name = dialog.findChild<QComboBox *>(QStringLiteral("1194"));
    auto *spec = dialog.findChild<QComboBox *>(QStringLiteral("1195"));
    user.onNextModal([&](QDialog *d) {
        // Names once, the latest first; codes and variants every time.
        EXPECT_EQ(name->count(), 3);
        EXPECT_EQ(name->itemText(0), QStringLiteral("3' 水管"));
        EXPECT_EQ(name->itemText(2), QStringLiteral("螺丝"));
        EXPECT_EQ(code->count(), 5);
        EXPECT_EQ(spec->count(), 5);
        for (QComboBox *box : {code, name, spec})
            EXPECT_TRUE(box->currentText().isEmpty());
        // "A1" is also the start of "A10": what was typed stays as typed.
        typeText(code->lineEdit(), QStringLiteral("A1"));
        spec->setCurrentIndex(spec->findText(QStringLiteral("M4")));
        clickButton(d, "1196");
        return d->result();
    });
    EXPECT_EQ(Interaction::current().runModal(&dialog), 1);
    const ProductSearchCriteria criteria = dialog.GetCriteria();
    EXPECT_EQ(criteria, (ProductSearchCriteria{QStringLiteral("A1"), QString(), QStringLiteral("M4")}));
}

TEST_F(ProductSearchTest, PageListsTheMatchesCancelKeepsThemNoMatchEmptiesThem)
{
    CDlgTabProductInfo page;
    page.show();
    auto *list = page.findChild<QTableWidget *>(QStringLiteral("1198"));
    const auto search = [&](const char *box, const QString &text, const char *button) {
        user.onNextModal([=](QDialog *d) {
            typeText(d->findChild<QComboBox *>(QString::fromLatin1(box))->lineEdit(), text);
            clickButton(d, button);
            return d->result();
        });
        clickButton(&page, "1185");
    };

    search("1194", QStringLiteral("螺丝"), "1196");
    EXPECT_EQ(columnTexts(list, 0), QStringList({QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A10")}));
    EXPECT_EQ(rowTexts(list, 1).mid(0, 6), QStringList({QStringLiteral("A2"), QStringLiteral("螺丝"), QStringLiteral("M5"),
                                                         QStringLiteral("8.00"), QStringLiteral("10.00"),
                                                         QStringLiteral("0")}));
    EXPECT_TRUE(list->isColumnHidden(6));
    search("1193", QStringLiteral("A2"), "1197");
    EXPECT_EQ(list->rowCount(), 3);
    search("1193", QStringLiteral("无此编号"), "1196");
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_TRUE(user.texts().isEmpty());
}

TEST_F(ProductSearchTest, ALongNameKeepsTheDialogNarrowAndShowsWholeInTheList)
{
    const QString longName = QStringLiteral("加长型不锈钢内六角圆柱头螺钉").repeated(8);
    addProduct(db, QStringLiteral("L1"), longName, QStringLiteral("M8"));
    CDlgProductSearch dialog;
    dialog.show();
    QApplication::processEvents();
    auto *name = dialog.findChild<QComboBox *>(QStringLiteral("1194"));
    // The window asks for the width of its boxes, not of the longest name.
    EXPECT_LE(dialog.sizeHint().width(), 500);
    EXPECT_LE(name->sizeHint().width(), 320);
    const int wanted = QFontMetrics(name->view()->font()).horizontalAdvance(longName);
    const int screenLimit = dialog.screen()->availableGeometry().width() * 3 / 4;
    EXPECT_GE(name->view()->minimumWidth(), std::min(wanted, screenLimit));
    EXPECT_LE(name->view()->minimumWidth(), screenLimit);
}
