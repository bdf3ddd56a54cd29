#pragma once

#include <QString>

class QWidget;
class FinanceBillPage;

// The parties' detail window's 收入 / 支出: runs the finance bill editor in
// mode 6/7 (side 0, a client) or 24/25 (side 1, a provider) with a bill made
// out to the party, written through page (the main window's finance page of
// the side). Answers 1 when a bill was saved, 0 otherwise (also, without
// running anything, for a mode that is not the side's).
int RunFinanceBillForParty(QWidget *parent, FinanceBillPage *page, int side, int mode, const QString &partyName);
