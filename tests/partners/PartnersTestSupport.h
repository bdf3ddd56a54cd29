#pragma once

// What the partners tests share: the two sides as test rows, parties and
// register rows put straight into the database, a scripted set of bill
// commands, and the period a person picks.

#include <QAbstractButton>
#include <QDateEdit>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <set>
#include <vector>

#include "BillFixtures.h"
#include "ClickSupport.h"
#include "GlobalFunctions.h"
#include "PartyBillCommands.h"
#include "PartySideInfo.h"
#include "QStringPrinting.h"
#include "ScriptedInteraction.h"
#include "TestDatabase.h"

// One side of the business as the tests see it.
struct SideCase
{
    const char *label;
    PartySide side;
    const char *partyTable;
    const char *nameColumn;
    const char *goodsTable;
    const char *financeTable;
    const char *priceListTable;
    const char *priceListOwner;
    // The main goods-bill kind, and the finance kinds that settle the
    // party's account and that count against it.
    const char *mainKind;
    const char *settling;
    const char *reducing;
    const char *word; // "客户" / "供应商"

    const PartySideInfo &info() const { return PartySideInfo::For(side); }
    QString main() const { return QString::fromUtf8(mainKind); }
    QString settle() const { return QString::fromUtf8(settling); }
    QString reduce() const { return QString::fromUtf8(reducing); }
};

// Names the side in test output instead of dumping the struct's bytes.
inline void PrintTo(const SideCase &side, std::ostream *out)
{
    *out << side.label;
}

inline const SideCase kSides[] = {
    {"client", PartyClient, "tbl_clientmgr", "ClientName", "tbl_GoodsBill_shipment", "tbl_FinanceBill_income",
        "tbl_ClientPriceList", "ClientName", "出货单", "收入单", "支出单", "客户"},
    {"provider", PartyProvider, "tbl_ProviderMgr", "ProviderName", "tbl_goodsbill_shipment_provider",
        "tbl_FinanceBill_income_provider", "tbl_ProviderPriceList", "ProviderName", "进货单", "支出单", "收入单",
        "供应商"},
};

inline std::string SideLabel(const ::testing::TestParamInfo<SideCase> &info)
{
    return info.param.label;
}

// A party of the side with its name, area and opening arrears, in the
// client layout.
struct_button_data AddParty(TestDatabase &db, const SideCase &side, const QString &name,
    const QString &beginArrears = QString(), const QString &area = QStringLiteral("1"));

// One product line, `amount` at `unitPrice` each (the bill's total is
// the sum of its lines).
inline FixtureLine Line(const QString &amount, const QString &unitPrice, const QString &name = QStringLiteral("螺栓"))
{
    return FixtureLine{QStringLiteral("LS-01"), name, QStringLiteral("M8"), amount, unitPrice};
}

// A goods bill of one line whose total is `total`.
inline std::vector<struct_button_goodsbill> AddBill(TestDatabase &db, const SideCase &side, const QString &kind,
    const QString &company, const QString &date, const QString &total)
{
    return AddGoodsBillRows(db.db(), side.side, kind, company, date, {Line(QStringLiteral("1"), total)});
}

inline struct_button_financebill AddPayment(TestDatabase &db, const SideCase &side, const QString &kind,
    const QString &party, const QString &date, const QString &amount)
{
    return AddFinanceBillRow(db.db(), side.side, kind, party, QStringLiteral("现金"), date, amount);
}

// A row of the receivables and payables register.
void AddRegisterRow(TestDatabase &db, const QString &party, const QString &date, const QString &amount,
    const QString &kind = QStringLiteral("应收记录"));

// How many rows of a table hold the text in the column.
int CountWhere(TestDatabase &db, const char *table, const char *column, const QString &value);

// Bill commands as a test scripts them: each call is recorded; the new-bill
// commands answer `saved`.
class ScriptedBillCommands : public PartyBillCommands
{
public:
    struct Call
    {
        QString what;
        int side = -1;
        int mode = -1; // or the page of ActivatePage
        QString name;
        QString firstDay;
        QString lastDay;

        bool operator==(const Call &) const = default;
    };

    bool Offers(Command command) const override { return offered.count(command) > 0; }
    int NewGoodsBill(int side, int mode, const QString &partyName) override
    {
        calls.push_back({QStringLiteral("NewGoodsBill"), side, mode, partyName, {}, {}});
        if (onNewBill)
            onNewBill();
        return saved;
    }
    int NewFinanceBill(int side, int mode, const QString &partyName) override
    {
        calls.push_back({QStringLiteral("NewFinanceBill"), side, mode, partyName, {}, {}});
        return saved;
    }
    void ShowGoodsBills(int side, const QString &partyName, const QString &firstDay, const QString &lastDay) override
    {
        calls.push_back({QStringLiteral("ShowGoodsBills"), side, -1, partyName, firstDay, lastDay});
    }
    void ShowFinanceBills(int side, const QString &partyName, const QString &firstDay, const QString &lastDay) override
    {
        calls.push_back({QStringLiteral("ShowFinanceBills"), side, -1, partyName, firstDay, lastDay});
    }
    void ActivatePage(int side, int page) override
    {
        calls.push_back({QStringLiteral("ActivatePage"), side, page, {}, {}, {}});
    }

    std::set<Command> offered = {Command::NewGoodsBill, Command::NewFinanceBill, Command::ShowGoodsBills,
        Command::ShowFinanceBills, Command::ActivatePage};
    int saved = 1;
    // What the editor writes meanwhile.
    std::function<void()> onNewBill;
    std::vector<Call> calls;
};

inline std::ostream &operator<<(std::ostream &out, const ScriptedBillCommands::Call &call)
{
    return out << call.what.toStdString() << "(" << call.side << ", " << call.mode << ", " << call.name.toStdString()
               << ", " << call.firstDay.toStdString() << ", " << call.lastDay.toStdString() << ")";
}

// The period dialog: the person picks the dates and confirms, or cancels.
inline void choosePeriod(
    ScriptedInteraction &user, const QDate &start, const QDate &end, bool confirm = true, QStringList *preset = nullptr)
{
    user.onNextModal([=](QDialog *dialog) {
        auto *startEdit = dialog->findChild<QDateEdit *>(QStringLiteral("1007"));
        auto *endEdit = dialog->findChild<QDateEdit *>(QStringLiteral("1292"));
        if (preset)
            *preset = {DateText(startEdit->date()), DateText(endEdit->date())};
        startEdit->setDate(start);
        endEdit->setDate(end);
        clickButton(dialog, confirm ? "1294" : "1295");
        return dialog->result();
    });
}
