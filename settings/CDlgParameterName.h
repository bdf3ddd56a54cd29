#pragma once

#include <QDialog>

#include "ParameterEntry.h"
#include "ParameterList.h"

class QLineEdit;
class CDlgTabOptions;

// The name dialog of one parameter list ("参数设置"): asks for a new name
// or a changed one, makes the key of a new entry and hands the entry to
// the options page, which writes it. The three lists' dialogs are this one
// design, configured by their list (CDlgNewIncomeType, CDlgNewMoneyType,
// CDlgNewVoucher). Ends with 1 once the page took the entry, 0 on 取消; a
// failed write leaves it open with the name as typed.
class CDlgParameterName : public QDialog
{
    Q_OBJECT

public:
    enum EditMode : int { NewEntry = 0, ChangeEntry = 1 };

    CDlgParameterName(const ParameterList &list, QWidget *parent = nullptr);

    int SetEditMode(int mode);
    int SetEntry(const ParameterEntry &entry);
    int SetOwnerPage(CDlgTabOptions *page);
    ParameterEntry Entry() const { return m_entry; }

    void reject() override { done(0); }

private:
    void ShowEntryName();
    void OnConfirm();

    const ParameterList &m_list;
    int m_nEditMode = NewEntry;
    CDlgTabOptions *m_pOwnerPage = nullptr;
    ParameterEntry m_entry;
    QLineEdit *m_edit = nullptr;
};
