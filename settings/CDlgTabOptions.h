#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

#include "ParameterEntry.h"
#include "ParameterList.h"

class QComboBox;
class QLineEdit;
class QTableWidget;
class CDlgParameterName;
class SettingsStore;

// The options page of the settings window ("软件设置"): the three parameter
// lists, the two login passwords, the data-modification password and the
// print option. Every button writes its change at once through
// SettingsStore; a list changes only after its table did. The page is
// built anew at each opening of the window, so it always shows what the
// database holds.
class CDlgTabOptions : public QWidget
{
    Q_OBJECT

public:
    explicit CDlgTabOptions(QWidget *parent = nullptr);

    // Called by the name dialog with an entry whose name the user
    // confirmed (a new one already has its GUID). True when the dialog may
    // close: the entry was written, or it no longer exists and the list was
    // reloaded; false after a failed write, which was shown.
    bool AddParameter(ParameterListKind kind, ParameterEntry &entry);
    bool UpdateParameter(ParameterListKind kind, ParameterEntry &entry);

    bool AddIncomePayType(ParameterEntry &entry) { return AddParameter(IncomePayTypeList, entry); }
    bool AddMoneyType(ParameterEntry &entry) { return AddParameter(MoneyTypeList, entry); }
    bool AddVoucher(ParameterEntry &entry) { return AddParameter(VoucherList, entry); }
    bool UpdateIncomePayType(ParameterEntry &entry) { return UpdateParameter(IncomePayTypeList, entry); }
    bool UpdateMoneyType(ParameterEntry &entry) { return UpdateParameter(MoneyTypeList, entry); }
    bool UpdateVoucher(ParameterEntry &entry) { return UpdateParameter(VoucherList, entry); }

private:
    QWidget *MakeListColumn(const ParameterList &list, const QString &image);
    void InitParameterList(ParameterListKind kind);
    void AppendParameterRow(ParameterListKind kind, const ParameterEntry &entry);
    // The row the user last selected, -1 when none is selected.
    int MarkedRow(ParameterListKind kind) const;
    ParameterEntry RowEntry(ParameterListKind kind, int row) const;
    std::unique_ptr<CDlgParameterName> MakeNameDialog(ParameterListKind kind);

    void OnNewParameter(ParameterListKind kind);
    void OnModifyParameter(ParameterListKind kind);
    void OnDblClkParameterList(ParameterListKind kind, int row);
    void OnDeleteParameter(ParameterListKind kind);
    void ModifyRow(ParameterListKind kind, int row);
    // Says that the entry is gone and shows the table as it is.
    void ReportEntryGone(ParameterListKind kind);

    void OnChangeLoginPassword();
    void OnChangeModifyPassword();
    // Asks, writes, and says so only once the write succeeded.
    void ChangePassword(const QString &password, const std::function<void(SettingsStore &, const QString &)> &write);
    void OnSetPrintFormat();
    void ShowStoredPrintFormat();
    void OnUserTypeChanged();

    std::array<QTableWidget *, 3> m_lists{};
    QComboBox *m_userType = nullptr;
    QLineEdit *m_loginPassword = nullptr;
    QLineEdit *m_modifyPassword = nullptr;
    QComboBox *m_printFormat = nullptr;
};
