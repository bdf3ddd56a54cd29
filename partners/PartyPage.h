#pragma once

#include "PageBase.h"

class CDlgMainDlg;

// The client or provider page: party cards with their figures for the
// working month.
class PartyPage : public PageBase
{
    Q_OBJECT

public:
    enum class Side { Client, Provider };
    PartyPage(Side side, QWidget *parent = nullptr);

    Side PartySide() const { return m_side; }

protected:
    // Recomputes the visible cards' figures over the date's month.
    void RecomputeMonth(const QString &date);

private:
    Side m_side;
};

class CDlgTabClient : public PartyPage
{
    Q_OBJECT

public:
    explicit CDlgTabClient(QWidget *parent = nullptr);

    int SetMainDlg(CDlgMainDlg *mainDlg);
    void RefreshClientTotals(const QString &date) { RecomputeMonth(date); }

private:
    CDlgMainDlg *m_pMainDlg = nullptr;
};

class CDlgTabProviderMgr : public PartyPage
{
    Q_OBJECT

public:
    explicit CDlgTabProviderMgr(QWidget *parent = nullptr);

    void UpdateProviderBalances(const QString &date) { RecomputeMonth(date); }
};
