#pragma once

// What the partners tests share: the two sides, a fixture with a page of the side and bills written straight
// into the tables.

#include <QDateEdit>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <set>

#include "BillFixtures.h"
#include "ClickSupport.h"
#include "GlobalFunctions.h"
#include "PartyPage.h"
#include "QStringPrinting.h"
#include "RecordPrinting.h"
#include "ReportDocument.h"
#include "ScriptedInteraction.h"
#include "TestDatabase.h"

// One side as the tests see it: its tables, its main goods-bill kind, the finance kinds that settle the
// party's account and that count against it, and the word for its parties.
struct SideCase
{
    const char* label;
    PartySide side;
    const char *partyTable, *nameColumn, *goodsTable, *financeTable, *priceListTable;
    const char *mainKind, *settling, *reducing, *word;

    const PartySideInfo& info() const { return PartySideInfo::For(side); }
    bool provider() const { return side == PartyProvider; }
    friend void PrintTo(const SideCase& side, std::ostream* out) { *out << side.label; }
};

inline const SideCase kSides[] = {
    {"client", PartyClient, "tbl_clientmgr", "ClientName", "tbl_GoodsBill_shipment", "tbl_FinanceBill_income",
        "tbl_ClientPriceList", "出货单", "收入单", "支出单", "客户"},
    {"provider", PartyProvider, "tbl_ProviderMgr", "ProviderName", "tbl_goodsbill_shipment_provider",
        "tbl_FinanceBill_income_provider", "tbl_ProviderPriceList", "进货单", "支出单", "收入单", "供应商"},
};

// A test of one side, run for both, on the working day 2011-05-17.
class PartnersTest : public ::testing::TestWithParam<SideCase>
{
protected:
    void SetUp() override { SetWorkingDate(QDate(2011, 5, 17)); }
    void TearDown() override { page.reset(); }
    const SideCase& side() const { return GetParam(); }
    const SideCase& otherSide() const { return kSides[side().provider() ? 0 : 1]; }

    // The side's page; 600 x 260 holds four cards (115 + 2 x 230, 100 + 2 x 77).
    void openPage(int width = 600, int height = 260, int poolSize = 4)
    {
        if (side().provider())
            page = std::make_unique<CDlgTabProviderMgr>(poolSize, nullptr);
        else
            page = std::make_unique<CDlgTabClient>(poolSize, nullptr);
        page->resize(width, height);
        page->show();
    }

    // A party of the side (or the other side), in the client layout.
    struct_button_data addParty(
        const QString& name, const QString& begin = "", const QString& area = "1", bool other = false)
    {
        return side().provider() != other ? ToClientLayout(AddProviderRow(db.db(), name, area, begin))
                                          : AddClientRow(db.db(), name, area, begin);
    }

    // Writes the party's bills "kind date amount; ..." and answers their codes. Goods bills: main, ret (退货单),
    // quote (报价单), near (main, of the name with a blank after it), other (the other side's main bill); an
    // amount "2x100+30" is a line each, count x unit price. Finance bills: pay (settling), cut (reducing),
    // transfer (转账单), otherpay (the other side's, of this side's settling kind); dep, a deposit paid with the
    // next goods bill. Register rows: owed (应收记录), owing (应付记录).
    QStringList addBills(const QString& party, const QString& spec)
    {
        QStringList codes, deposit;
        for (const QString& bill : spec.split(';', Qt::SkipEmptyParts)) {
            const QStringList f = bill.simplified().split(' ');
            const QString &kind = f[0], &date = f[1], &amount = f[2];
            const SideCase& s = kind.startsWith("other") ? otherSide() : side();
            if (kind.startsWith("ow")) {
                db.exec("INSERT INTO tbl_RevAccount (InputDate, ClientName, MoneyCount, Remark, GUID, RevPayType, "
                        "StatusTag) VALUES (?, ?, ?, '', ?, ?, '')",
                    {date, party, amount, GuidText(), kind == "owed" ? "应收记录" : "应付记录"});
                codes << QString();
            } else if (QStringList {"pay", "cut", "transfer", "otherpay", "dep"}.contains(kind)) {
                const QString type = kind == "cut" ? s.reducing : kind == "transfer" ? "转账单" : side().settling;
                const auto written = AddFinanceBillRow(db.db(), s.side, type, party, "现金", date, amount);
                codes << written.BillCode;
                if (kind == "dep")
                    deposit = {written.GUID, amount};
            } else {
                std::vector<FixtureLine> lines;
                for (const QString& line : amount.split('+')) {
                    const QStringList count = line.split('x');
                    lines.push_back({"LS-01", "螺栓", "M8", count.size() > 1 ? count[0] : "1", count.back()});
                }
                const QString type = kind == "ret" ? "退货单" : kind == "quote" ? "报价单" : s.mainKind;
                const auto rows = AddGoodsBillRows(
                    db.db(), s.side, type, kind == "near" ? party + ' ' : party, date, lines, deposit.value(0));
                codes << rows.front().BillCode;
                if (!deposit.isEmpty())
                    exec("UPDATE %1 SET Imprest = ?, EnableImprest = '启用预付款' WHERE GUID = ?", s.goodsTable,
                        {deposit[1], rows.front().GUID});
                deposit.clear();
            }
        }
        return codes;
    }

    // A statement whose text names a table as %1.
    void exec(const char* sql, const char* table, const QStringList& values = {})
    {
        db.exec(QString::fromUtf8(sql).arg(QLatin1String(table)).toUtf8().constData(), values);
    }
    int countWhere(const char* table, const char* column, const QString& value)
    {
        const QString sql = QString("SELECT COUNT(*) FROM %1 WHERE %2 = ?").arg(table, column);
        return db.scalar(sql.toUtf8().constData(), {value}).toInt();
    }
    int partyCount(const QString& name) { return countWhere(side().partyTable, side().nameColumn, name); }

    // The period dialog: May 2011 confirmed, or cancelled; preset gets the dates it offered.
    void choosePeriod(bool confirm = true, QStringList* preset = nullptr)
    {
        user.onNextModal([=](QDialog* dialog) {
            auto* start = dialog->findChild<QDateEdit*>("1007");
            auto* end = dialog->findChild<QDateEdit*>("1292");
            if (preset)
                *preset = {DateText(start->date()), DateText(end->date())};
            start->setDate(QDate(2011, 5, 1));
            end->setDate(QDate(2011, 5, 31));
            clickButton(dialog, confirm ? "1294" : "1295");
            return dialog->result();
        });
    }

    TestDatabase db;
    ScriptedInteraction user;
    std::unique_ptr<PartyPage> page;
};

// A printed report's rows, each with its cells joined by "|".
inline QStringList Printed(const ReportDocument& document)
{
    QStringList rows;
    for (const QStringList& row : document.records())
        rows << row.join('|');
    return rows;
}
