#include "PriceListStore.h"

#include <ostream>

#include "Database.h"
#include "ProductTestSupport.h"

// Both sides run through the same cases: rows named "client" and
// "provider" feed one body.

namespace {

struct SideCase
{
    const char *label;
    PartySide side;
    const char *table;
    const char *otherTable;
};

// Names the side in test output instead of dumping the struct's bytes.
void PrintTo(const SideCase &side, std::ostream *out)
{
    *out << side.label;
}

const SideCase kSides[] = {
    {"client", PartyClient, "tbl_ClientPriceList", "tbl_ProviderPriceList"},
    {"provider", PartyProvider, "tbl_ProviderPriceList", "tbl_ClientPriceList"},
};

class PriceListStoreTest : public ::testing::TestWithParam<SideCase>
{
protected:
    // Every row as "code/name/variant/unit/agreed/purchase/remark".
    QString rows()
    {
        const QString sql = QStringLiteral("SELECT group_concat(ProductCode || '/' || ProductName || '/' || ProductSpec "
                                           "|| '/' || ProductUnit || '/' || ShipmentUnitPrice || '/' || StockUnitPrice, "
                                           "';') FROM (SELECT * FROM %1 ORDER BY RowNo)")
                                .arg(QLatin1String(GetParam().table));
        return db.scalar(sql.toUtf8().constData());
    }

    TestDatabase db;
    PriceListStore store{db.db(), GetParam().side};
};

} // namespace

TEST_P(PriceListStoreTest, NewPriceCopiesTheProductAndOnlyThatPartySeesIt)
{
    const QString owner = QStringLiteral("O'Neil's 五金商行");
    const auto bolt = addProduct(db, QStringLiteral("LS-01"), QStringLiteral("螺栓' OR '1'='1"), QStringLiteral("M8"),
                                 QStringLiteral("1.20"), QStringLiteral("1.80"));
    const auto result = store.AddPrice(owner, bolt.GUID, QStringLiteral("1.55元"));

    EXPECT_EQ(result.outcome, PriceListStore::AddOutcome::Added);
    // The agreed price goes to ShipmentUnitPrice on both sides, exactly as
    // typed; StockUnitPrice keeps the product's purchase price.
    EXPECT_EQ(rows(), QStringLiteral("LS-01/螺栓' OR '1'='1/M8/个/1.55元/1.20"));
    EXPECT_EQ(rowCount(db, GetParam().otherTable), 0);
    EXPECT_EQ(result.row.GUID.size(), 36);
    EXPECT_EQ(store.Load(owner), QList<PriceListRow>{result.row});

    EXPECT_EQ(store.PartyPrice(owner, bolt.ProductName, QStringLiteral("M8")), QStringLiteral("1.55元"));
    EXPECT_EQ(store.PartyPrice(QStringLiteral("O"), bolt.ProductName, QStringLiteral("M8")), QString());
    EXPECT_EQ(store.PartyPrice(owner, bolt.ProductName, QStringLiteral("M10")), QString());
    const PartySide other = GetParam().side == PartyClient ? PartyProvider : PartyClient;
    EXPECT_EQ(PriceListStore(db.db(), other).PartyPrice(owner, bolt.ProductName, QStringLiteral("M8")), QString());
}

TEST_P(PriceListStoreTest, SameNameAndVariantUpdatesEveryRowOfTheKey)
{
    const QString owner = QStringLiteral("恒信");
    const auto first = addProduct(db, QStringLiteral("A-1"), QStringLiteral("扳手"), QStringLiteral("12寸"));
    const auto second = addProduct(db, QStringLiteral("B-9"), QStringLiteral("扳手"), QStringLiteral("12寸"),
                                   QStringLiteral("30.00"));
    ASSERT_EQ(store.AddPrice(owner, first.GUID, QStringLiteral("40")).outcome, PriceListStore::AddOutcome::Added);
    ASSERT_EQ(store.AddPrice(QStringLiteral("别家"), first.GUID, QStringLiteral("41")).outcome,
              PriceListStore::AddOutcome::Added);

    const auto result = store.AddPrice(owner, second.GUID, QStringLiteral("42.50"));
    EXPECT_EQ(result.outcome, PriceListStore::AddOutcome::Updated);
    EXPECT_EQ(rows(), QStringLiteral("B-9/扳手/12寸/个/42.50/30.00;A-1/扳手/12寸/个/41/8.00"));
    EXPECT_EQ(result.row.ShipmentUnitPrice, QStringLiteral("42.50"));
}

TEST_P(PriceListStoreTest, NothingIsWrittenForAMissingProductOrAFailedWrite)
{
    const auto bolt = addProduct(db, QStringLiteral("LS-01"), QStringLiteral("螺栓"), QStringLiteral("M8"));
    for (const QString &guid : {QString(), QStringLiteral("00000000-0000-0000-0000-000000000000")})
        EXPECT_EQ(store.AddPrice(QStringLiteral("恒信"), guid, QStringLiteral("1")).outcome,
                  PriceListStore::AddOutcome::ProductMissing);

    db.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, '磁盘已满'); END")
                .arg(QLatin1String(GetParam().table))
                .toUtf8()
                .constData());
    EXPECT_THROW(store.AddPrice(QStringLiteral("恒信"), bolt.GUID, QStringLiteral("2")), DbError);
    EXPECT_EQ(rowCount(db, GetParam().table), 0);
    // The transaction was rolled back: the connection takes the next write.
    db.exec("DROP TRIGGER refuse");
    EXPECT_EQ(store.AddPrice(QStringLiteral("恒信"), bolt.GUID, QStringLiteral("2")).outcome,
              PriceListStore::AddOutcome::Added);
}

INSTANTIATE_TEST_SUITE_P(Sides, PriceListStoreTest, ::testing::ValuesIn(kSides),
                         [](const ::testing::TestParamInfo<SideCase> &info) { return info.param.label; });
