#pragma once

#include <QString>

// What the client/provider detail window asks of the bill subsystems: new
// bills made out to its party, its party's bills listed on a report page,
// and a page of its side's group made active. The main window implements
// it and hands it to both party pages; tests use a scripted one.
//
// side is a PartySide (0 client, 1 provider) throughout.
class PartyBillCommands
{
public:
    enum class Command { NewGoodsBill, NewFinanceBill, ShowGoodsBills, ShowFinanceBills, ActivatePage };

    virtual ~PartyBillCommands() = default;

    // Whether a command is wired; the window disables the buttons of a
    // command that is not.
    virtual bool Offers(Command command) const = 0;

    // Runs the goods bill editor in the given GoodsBillMode with one line
    // made out to the party; 1 when a bill was saved, 0 otherwise.
    virtual int NewGoodsBill(int side, int mode, const QString &partyName) = 0;
    // Runs the finance bill editor in the given FinanceBillMode with a
    // record made out to the party; 1 when a bill was saved, 0 otherwise.
    virtual int NewFinanceBill(int side, int mode, const QString &partyName) = 0;

    // Makes the side's goods-bill / finance-bill report page active and
    // lists the party's bills dated firstDay to lastDay ("%04d-%02d-%02d",
    // both included), or all of them when both are empty.
    virtual void ShowGoodsBills(int side, const QString &partyName, const QString &firstDay,
                                const QString &lastDay) = 0;
    virtual void ShowFinanceBills(int side, const QString &partyName, const QString &firstDay,
                                  const QString &lastDay) = 0;

    // Makes a page of the side's tab group active and refreshes it as a
    // click on its tab does.
    virtual void ActivatePage(int side, int page) = 0;

protected:
    PartyBillCommands() = default;
    PartyBillCommands(const PartyBillCommands &) = default;
    PartyBillCommands &operator=(const PartyBillCommands &) = default;
};
