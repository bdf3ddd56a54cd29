#pragma once

// Small enumerations that several subsystems exchange.

// Which side a bill-report page or its search serves.
enum BillListSide : int { BillListProvider = 0, BillListClient = 1, BillListBoth = 2 };

// Which party a dialog works for.
enum PartySide : int { PartyClient = 0, PartyProvider = 1 };

// Which bills a bill page lists: all, the working day's or the working
// month's.
enum BillDateFilter : int { BillDateAll = 0, BillDateDay = 1, BillDateMonth = 2 };

// Region of a client or provider as stored in ClientArea / ProviderArea.
enum AreaCode : int { AreaLocal = 1, AreaProvince = 2, AreaOther = 3 };
