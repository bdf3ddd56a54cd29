#pragma once

#include <QString>

#include "GoodsBillSide.h"
#include "SharedTypes.h"

// What differs between the client side and the provider side of the party
// subsystem. The two sides are one design over different tables; the
// store, the figures, the pages and the statements take this descriptor
// and hold no side test of their own.
struct PartySideInfo
{
    PartySide party;
    // The party table and its name and area columns.
    const char *partyTable;
    const char *nameColumn;
    const char *areaColumn;
    // The side's bills: goods-bill lines (GoodsBillSide: table and kinds)
    // and the finance-bill table, whose party column is ClientName on both
    // sides.
    const GoodsBillSide &goods;
    const char *financeTable;
    // The finance bill that settles the party's account, which counts as a
    // payment ("收入单" from a client, "支出单" to a provider), and the one
    // that counts against it.
    QString settlingFinanceType;
    QString reducingFinanceType;
    // "客户" / "供应商", as the messages and captions name the party.
    QString partyWord;

    // "该客户名称已存在，请重新输入。"
    QString DuplicateNameMessage() const;
    // "该客户已不存在，可能已被删除。"
    QString GoneMessage() const;

    // A finance bill's amount as counted: its number for the settling kind,
    // the negated number for the reducing kind, 0 for any other kind.
    double SignedFinanceAmount(const QString &billType, const QString &moneyCount) const;
    // The amount text a statement row shows for a finance bill: the stored
    // text, negated as text for the reducing kind ("30" shows "-30", a
    // stored "-30" shows "30"), empty for any other kind.
    QString SignedFinanceText(const QString &billType, const QString &moneyCount) const;

    static const PartySideInfo &Client();
    static const PartySideInfo &Provider();
    static const PartySideInfo &For(PartySide party);
    const PartySideInfo &Other() const;
};

// A stored amount negated as text, so that it reads back as the negated
// number: "30" gives "-30", "-30" gives "30", "+30" gives "-30".
QString NegatedAmountText(const QString &amount);
