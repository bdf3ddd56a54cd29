#pragma once

// Builders and readers shared by the finance tests: complete bills of
// either side, the stored figures read back, the two sides as test
// parameters, and the clicks and keys a person uses on the finance windows.

#include <QAbstractButton>
#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include "BillFixtures.h"
#include "FinanceBillSide.h"
#include "GlobalFunctions.h"
#include "RecordTypes.h"
#include "ScriptedInteraction.h"
#include "TestDatabase.h"

inline QString u(const char* text)
{
    return QString::fromUtf8(text);
}

// The rows of a data-driven test over both sides.
struct SideCase
{
    const char* name;
    PartySide party;

    const FinanceBillSide& side() const { return FinanceBillSide::For(party); }
    const FinanceBillSide& otherSide() const
    {
        return FinanceBillSide::For(party == PartyClient ? PartyProvider : PartyClient);
    }
};

inline const SideCase kSides[] = {{"sales", PartyClient}, {"purchase", PartyProvider}};

inline std::string sideCaseName(const ::testing::TestParamInfo<SideCase>& info)
{
    return info.param.name;
}

// A complete bill of the sales layout that no table holds yet.
inline struct_button_financebill makeBill(
    const QString& billType, const QString& party, const QString& account, const QString& date, const QString& amount)
{
    struct_button_financebill bill;
    bill.BillCode = (billType == kIncomeBill ? u("SR_") : u("ZC_")) + date;
    bill.AccountName = account;
    bill.InputDate = date;
    bill.ClientName = party;
    bill.MoneyCount = amount;
    bill.IncomeType = u("货款");
    bill.MoneyType = u("现金");
    bill.Voucher = u("收据");
    bill.SellerName = u("小王");
    bill.BillRemark = u("备注");
    bill.GUID = GuidText();
    bill.BillType = billType;
    return bill;
}

inline void addParty(TestDatabase& db, PartySide party, const QString& name)
{
    if (party == PartyClient)
        AddClientRow(db.db(), name);
    else
        AddProviderRow(db.db(), name);
}

inline QString storedSumIncome(TestDatabase& db, const FinanceBillSide& side, const QString& name)
{
    return db.scalar(QStringLiteral("SELECT SumIncome FROM %1 WHERE %2 = ?")
                         .arg(QLatin1String(side.partyTable), QLatin1String(side.partyNameColumn))
                         .toUtf8()
                         .constData(),
        {name});
}

inline QString storedBalance(TestDatabase& db, const QString& account)
{
    return db.scalar("SELECT AccountBalance FROM tbl_AccountMgr WHERE AccountName = ?", {account});
}

inline int rowCount(TestDatabase& db, const char* table)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table)).toUtf8().constData()).toInt();
}

// One column of the row with that GUID in the side's table.
inline QString storedColumn(TestDatabase& db, const FinanceBillSide& side, const char* column, const QString& guid)
{
    return db.scalar(QStringLiteral("SELECT %1 FROM %2 WHERE GUID = ?")
                         .arg(QLatin1String(column), QLatin1String(side.table))
                         .toUtf8()
                         .constData(),
        {guid});
}

// Clicks the button with that control id, as a person would.
inline void clickButton(QWidget* parent, const char* id)
{
    auto* button = parent->findChild<QAbstractButton*>(QString::fromLatin1(id));
    if (!button) {
        ADD_FAILURE() << "no button " << id;
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
}
