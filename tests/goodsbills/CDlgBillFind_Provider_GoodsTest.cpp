#include "CDlgBillFind_Provider_Goods.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

#include <memory>

#include "GoodsBillTestSupport.h"
#include "ScriptedInteraction.h"

// The goods-bill search dialog: what it offers per side, the criteria it
// hands back, and the checks that keep a search from running.

namespace {

class CDlgBillFind_Provider_GoodsTest : public ::testing::TestWithParam<BillKind>
{
protected:
    void SetUp() override
    {
        SetWorkingDate(QDate(2012, 2, 10));
        AddClientRow(db.db(), QStringLiteral("客户甲"));
        AddClientRow(db.db(), QStringLiteral("客户乙"));
        AddProviderRow(db.db(), QStringLiteral("供应商甲"));
        // Made once the working date is set: it opens on the working month.
        dialog = std::make_unique<CDlgBillFind_Provider_Goods>();
        dialog->SetSide(listSide());
        dialog->show();
    }
    void TearDown() override { SetWorkingDateSource(nullptr); }

    bool isSales() const { return GetParam().party == PartyClient; }
    int listSide() const { return isSales() ? BillListClient : BillListProvider; }
    template<typename T> T *control(const char *id) { return dialog->findChild<T *>(QString::fromLatin1(id)); }
    void type(const char *id, const QString &text) { typeText(control<QLineEdit>(id), text); }
    // Clicks 确定: the dialog's result, or -1 when it stayed open.
    int find()
    {
        clickButton(dialog.get(), "1399");
        return dialog->isVisible() ? -1 : dialog->result();
    }
    GoodsBillQuery result()
    {
        GoodsBillQuery query;
        dialog->GetSearchResult(query);
        return query;
    }

    TestDatabase db;
    ScriptedInteraction user;
    std::unique_ptr<CDlgBillFind_Provider_Goods> dialog;
};

} // namespace

TEST_P(CDlgBillFind_Provider_GoodsTest, OffersTheSidesKindsAndCompaniesAndStartsOnTheWorkingMonth)
{
    auto *kinds = control<QComboBox>("1387");
    const QStringList expectedKinds = isSales()
        ? QStringList{QStringLiteral("所有"), QStringLiteral("销售退货单"), QStringLiteral("销售出货单")}
        : QStringList{QStringLiteral("所有"), QStringLiteral("采购退货单"), QStringLiteral("采购进货单")};
    QStringList offered;
    for (int i = 0; i < kinds->count(); ++i)
        offered << kinds->itemText(i);
    EXPECT_EQ(offered, expectedKinds);
    auto *companies = control<QComboBox>("1393");
    QStringList names;
    for (int i = 0; i < companies->count(); ++i)
        names << companies->itemText(i);
    EXPECT_EQ(names,
        isSales() ? QStringList({QStringLiteral("客户甲"), QStringLiteral("客户乙"), QStringLiteral("所有")})
                  : QStringList({QStringLiteral("供应商甲"), QStringLiteral("所有")}));
    EXPECT_EQ(companies->currentText(), QStringLiteral("所有"));
    EXPECT_EQ(control<QLabel>("1403")->text(), isSales() ? QStringLiteral("客户名称") : QStringLiteral("供应商名称"));
    EXPECT_EQ(control<QDateEdit>("1388")->date(), QDate(2012, 2, 1));
    EXPECT_EQ(control<QDateEdit>("1389")->date(), QDate(2012, 2, 29));
    EXPECT_FALSE(control<QDateEdit>("1388")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>("1390")->isEnabled());

    // Untouched, the criteria are the defaults: every bill of the side.
    EXPECT_EQ(find(), 1);
    EXPECT_EQ(result(), GoodsBillQuery());
}

TEST_P(CDlgBillFind_Provider_GoodsTest, HandsBackEveryFilterAsTyped)
{
    control<QComboBox>("1387")->setCurrentIndex(2);
    QTest::mouseClick(control<QCheckBox>("1401"), Qt::LeftButton);
    control<QDateEdit>("1388")->setDate(QDate(2011, 12, 31));
    control<QDateEdit>("1389")->setDate(QDate(2012, 1, 1));
    QTest::mouseClick(control<QCheckBox>("1402"), Qt::LeftButton);
    type("1390", QStringLiteral(" 99.5"));
    type("1391", QStringLiteral("100"));
    type("1392", QStringLiteral("XS_CH_20120101"));
    control<QComboBox>("1393")->setEditText(QStringLiteral("O'Neil 五金"));
    type("1394", QStringLiteral("王五"));
    type("1395", QStringLiteral("月结"));
    type("1396", QStringLiteral("A1"));
    type("1397", QStringLiteral("合页"));
    type("1398", QStringLiteral("4寸"));
    EXPECT_EQ(find(), 1);

    GoodsBillQuery expected;
    expected.billTypeChoice = GoodsBillQuery::MainBills;
    expected.hasDateRange = true;
    expected.firstDay = QStringLiteral("2011-12-31");
    expected.lastDay = QStringLiteral("2012-01-01");
    expected.hasAmountRange = true;
    expected.lowestAmount = 99.5;
    expected.highestAmount = 100;
    expected.billCode = QStringLiteral("XS_CH_20120101");
    expected.companyName = QStringLiteral("O'Neil 五金");
    expected.sellerName = QStringLiteral("王五");
    expected.billRemark = QStringLiteral("月结");
    expected.productCode = QStringLiteral("A1");
    expected.productName = QStringLiteral("合页");
    expected.productSpec = QStringLiteral("4寸");
    EXPECT_EQ(result(), expected);
    EXPECT_TRUE(user.texts().isEmpty());
}

TEST_P(CDlgBillFind_Provider_GoodsTest, AnEmptyOrNonNumericAmountOrAnEmptyCompanyRunsNoSearch)
{
    QTest::mouseClick(control<QCheckBox>("1402"), Qt::LeftButton);
    type("1390", QStringLiteral("10"));
    EXPECT_EQ(find(), -1);
    EXPECT_EQ(user.lastText(), QStringLiteral("请填写　“金额范围” 。"));
    type("1391", QStringLiteral("1万"));
    EXPECT_EQ(find(), -1);
    EXPECT_EQ(user.lastText(), QStringLiteral("“金额范围”只能填写数字。"));
    control<QLineEdit>("1391")->clear();
    type("1391", QStringLiteral("20"));
    control<QComboBox>("1393")->setEditText(QString());
    EXPECT_EQ(find(), -1);
    EXPECT_EQ(user.lastText(),
        isSales() ? QStringLiteral("请填写　“客户名称” 。") : QStringLiteral("请填写　“供应商名称” 。"));
    EXPECT_EQ(user.messages.size(), 3u);

    // Enter searches nothing; Esc closes with 0.
    control<QComboBox>("1393")->setEditText(QStringLiteral("所有"));
    QTest::keyClick(control<QLineEdit>("1391"), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 0);
}

INSTANTIATE_TEST_SUITE_P(Sides, CDlgBillFind_Provider_GoodsTest, ::testing::ValuesIn(kBillSides),
    [](const auto &info) { return info.param.party == PartyClient ? "sales" : "purchase"; });
