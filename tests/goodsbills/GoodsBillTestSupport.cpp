#include "GoodsBillTestSupport.h"

#include "GlobalFunctions.h"

const BillKind kBillKinds[4] = {
    {"sales_shipment", PartyClient, "出货单", -1},
    {"sales_return", PartyClient, "退货单", 1},
    {"purchase_stockin", PartyProvider, "进货单", 1},
    {"purchase_return", PartyProvider, "退货单", -1},
};

const BillKind kBillSides[2] = {kBillKinds[0], kBillKinds[2]};

GoodsBillLines MakeBill(
    const BillKind &kind, const QString &company, const QString &date, const std::vector<FixtureLine> &lines)
{
    double total = 0.0;
    for (const FixtureLine &line : lines)
        total += StrToDouble(line.amount) * StrToDouble(line.unitPrice);
    const QString guid = GuidText();
    GoodsBillLines bill;
    for (const FixtureLine &fixture : lines) {
        struct_button_goodsbill line;
        line.BillRemark = QStringLiteral("备注");
        line.Imprest = QStringLiteral("0");
        line.AccountName = QStringLiteral("现金");
        line.IncomeType = QStringLiteral("货款");
        line.FundType = QStringLiteral("现金");
        line.voucher = QStringLiteral("收据");
        line.SellerName = QStringLiteral("王五");
        line.CompanyName = company;
        line.BillCode = (kind.party == PartyClient ? QStringLiteral("XS_") : QStringLiteral("CG_")) + date;
        line.CapMoney = QStringLiteral("壹");
        line.SumMoney = DoubleToStr(total);
        line.InputDate = date;
        line.GUID = guid;
        line.ProductCode = fixture.code;
        line.ProductName = fixture.name;
        line.ProductSpec = fixture.spec;
        line.ProductUnit = QStringLiteral("个");
        line.ProductAmount = fixture.amount;
        line.ProductUnitPrice = fixture.unitPrice;
        line.ProductPrice = DoubleToStr(StrToDouble(fixture.amount) * StrToDouble(fixture.unitPrice));
        line.EnableImprest = QStringLiteral("禁用预付款");
        line.BillType = kind.type();
        bill.push_back(line);
    }
    return bill;
}

QString StockOf(TestDatabase &db, const QString &code)
{
    return db.scalar("SELECT ProductStockCount FROM tbl_StoreMgr WHERE ProductCode = ? ORDER BY RowNo", {code});
}

int RowCount(TestDatabase &db, const char *table)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table)).toUtf8().constData()).toInt();
}

QStringList StoredLines(TestDatabase &db, const GoodsBillSide &side, const QString &guid)
{
    const QString sql = QStringLiteral("SELECT group_concat(ProductCode || ':' || ProductAmount, ' ') FROM "
                                       "(SELECT * FROM %1 WHERE GUID = ? ORDER BY RowNo)")
                            .arg(QLatin1String(side.table));
    const QString joined = db.scalar(sql.toUtf8().constData(), {guid});
    return joined.isEmpty() ? QStringList() : joined.split(QLatin1Char(' '));
}

void FailWrites(TestDatabase &db, const char *table, const char *event, const char *condition)
{
    db.db().executeScript(QStringLiteral("CREATE TEMP TRIGGER fail_%1_%2 BEFORE %2 ON main.%1 WHEN %3 "
                                         "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END;")
                              .arg(QLatin1String(table), QLatin1String(event), QLatin1String(condition)));
}

GoodsBillLines AddBillRows(TestDatabase &db, const BillKind &kind, const QString &date, const QStringList &codes,
    const QString &company, const QString &depositGuid)
{
    std::vector<FixtureLine> lines;
    for (const QString &code : codes)
        lines.push_back(
            {code, QStringLiteral("货品") + code, QStringLiteral("规格"), QStringLiteral("1"), QStringLiteral("10")});
    return AddGoodsBillRows(db.db(), kind.party, kind.type(), company, date, lines, depositGuid);
}
