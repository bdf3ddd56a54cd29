#pragma once

// Builders and readers shared by the finance tests: complete bills of
// either side, the stored figures read back, the two sides as test
// parameters, and the clicks and keys a person uses on the finance windows.

#include <QAbstractButton>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "BillFixtures.h"
#include "BillRowUpdates.h"
#include "ClickSupport.h"
#include "FinanceBillSide.h"
#include "GlobalFunctions.h"
#include "QStringPrinting.h"
#include "RecordPrinting.h"
#include "RecordTypes.h"
#include "ScriptedInteraction.h"
#include "TestDatabase.h"

inline QString u(const char *text)
{
    return QString::fromUtf8(text);
}

// The rows of a data-driven test over both sides.
struct SideCase
{
    const char *name;
    PartySide party;

    const FinanceBillSide &side() const { return FinanceBillSide::For(party); }
    const FinanceBillSide &otherSide() const
    {
        return FinanceBillSide::For(party == PartyClient ? PartyProvider : PartyClient);
    }
};

inline void PrintTo(const SideCase &c, std::ostream *os)
{
    *os << c.name;
}

inline const SideCase kSides[] = {{"sales", PartyClient}, {"purchase", PartyProvider}};

inline std::string sideCaseName(const ::testing::TestParamInfo<SideCase> &info)
{
    return info.param.name;
}

// A complete bill of the sales layout that no table holds yet.
inline struct_button_financebill makeBill(const QString &billType, const QString &party, const QString &account,
                                          const QString &date, const QString &amount)
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

// A stored bill of the side (AddFinanceBillRow) with every field the
// editor asks for, the voucher 收据 included.
inline struct_button_financebill addBill(TestDatabase &db, PartySide party, const QString &billType,
                                         const QString &name, const QString &account, const QString &date,
                                         const QString &amount)
{
    struct_button_financebill bill = AddFinanceBillRow(db.db(), party, billType, name, account, date, amount);
    bill.Voucher = u("收据");
    db.exec(QStringLiteral("UPDATE %1 SET Voucher = ? WHERE GUID = ?")
                .arg(QLatin1String(FinanceBillSide::For(party).table))
                .toUtf8()
                .constData(),
            {bill.Voucher, bill.GUID});
    return bill;
}

inline void addParty(TestDatabase &db, PartySide party, const QString &name)
{
    if (party == PartyClient)
        AddClientRow(db.db(), name);
    else
        AddProviderRow(db.db(), name);
}

inline QString storedSumIncome(TestDatabase &db, const FinanceBillSide &side, const QString &name)
{
    return db.scalar(QStringLiteral("SELECT SumIncome FROM %1 WHERE %2 = ?")
                         .arg(QLatin1String(side.partyTable), QLatin1String(side.partyNameColumn))
                         .toUtf8()
                         .constData(),
                     {name});
}

inline QString storedBalance(TestDatabase &db, const QString &account)
{
    return db.scalar("SELECT AccountBalance FROM tbl_AccountMgr WHERE AccountName = ?", {account});
}

// One column of the row with that GUID in the side's table.
inline QString storedColumn(TestDatabase &db, const FinanceBillSide &side, const char *column, const QString &guid)
{
    return db.scalar(QStringLiteral("SELECT %1 FROM %2 WHERE GUID = ?")
                         .arg(QLatin1String(column), QLatin1String(side.table))
                         .toUtf8()
                         .constData(),
                     {guid});
}

// The finance bill editor's controls, found by their ids.
struct EditorControls
{
    explicit EditorControls(QWidget *dialog)
        : dialog(dialog)
    {
    }

    QLineEdit *code() const { return dialog->findChild<QLineEdit *>(QStringLiteral("1134")); }
    QComboBox *account() const { return dialog->findChild<QComboBox *>(QStringLiteral("1135")); }
    QDateEdit *date() const { return dialog->findChild<QDateEdit *>(QStringLiteral("1136")); }
    QComboBox *name() const { return dialog->findChild<QComboBox *>(QStringLiteral("1137")); }
    QLabel *nameLabel() const { return dialog->findChild<QLabel *>(QStringLiteral("1404")); }
    QLineEdit *amount() const { return dialog->findChild<QLineEdit *>(QStringLiteral("1138")); }
    QComboBox *kind() const { return dialog->findChild<QComboBox *>(QStringLiteral("1139")); }
    QComboBox *moneyType() const { return dialog->findChild<QComboBox *>(QStringLiteral("1131")); }
    QComboBox *voucher() const { return dialog->findChild<QComboBox *>(QStringLiteral("1132")); }
    QLineEdit *seller() const { return dialog->findChild<QLineEdit *>(QStringLiteral("1140")); }
    QLineEdit *remark() const { return dialog->findChild<QLineEdit *>(QStringLiteral("1133")); }
    QLabel *picture() const { return dialog->findChild<QLabel *>(QStringLiteral("1254")); }
    QAbstractButton *deleteButton() const { return dialog->findChild<QAbstractButton *>(QStringLiteral("1143")); }

    // Replaces an edit's text as a person would: select all, type.
    static void retype(QLineEdit *edit, const QString &text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        typeText(edit, text);
    }
    void typeAmount(const QString &text) const { retype(amount(), text); }
    void typeName(const QString &text) const { retype(name()->lineEdit(), text); }
    void ok() const { clickButton(dialog, "1141"); }
    void cancel() const { clickButton(dialog, "1142"); }
    void remove() const { clickButton(dialog, "1143"); }

    QWidget *dialog;
};

// A report page as the editor sees it: it records the rows it is told of.
class RecordingReportPage : public BillRowUpdates
{
public:
    int UpdateBillRow(const struct_button_financebill &bill) override
    {
        updated.push_back(bill.GUID + u(" ") + bill.MoneyCount);
        return 1;
    }
    int UpdateBillRow(const struct_button_financebill_provider &bill) override
    {
        updated.push_back(bill.GUID + u(" ") + bill.MoneyCount);
        return 1;
    }
    int RemoveBillRow(const struct_button_financebill &bill) override
    {
        removed.push_back(bill.GUID);
        return 1;
    }
    int RemoveBillRow(const struct_button_financebill_provider &bill) override
    {
        removed.push_back(bill.GUID);
        return 1;
    }

    std::vector<QString> updated;
    std::vector<QString> removed;
};
