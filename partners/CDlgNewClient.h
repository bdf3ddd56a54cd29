#pragma once

#include <QDialog>
#include <QString>

#include <array>

#include "RecordTypes.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class CBCGPDataButton;
class CBCGPProviderButton;
class CDlgTabClient;
class CDlgTabProviderMgr;
class PartyPage;

// What the record dialog was opened for.
enum ClientEditMode : int {
    ClientEditNewClient = 0,
    ClientEditModifyClient = 1,
    ClientEditNewProvider = 2,
    ClientEditModifyProvider = 3,
};

// The record dialog "客户资料输入" of a client or a provider: enters a new
// party or changes one. It checks the fields and hands the record to the
// page of its side, which writes the row; the opener's card changes and
// the success message shows only after the write succeeded, and a failed
// write leaves the dialog open with the texts as typed. Ends with 1 after
// an add, 2 after a change, 0 after 取消, Escape or the close box.
class CDlgNewClient : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgNewClient(QWidget *parent = nullptr);

    int SetMode(int mode);
    int SetClientPage(CDlgTabClient *page);
    int SetProviderPage(CDlgTabProviderMgr *page);
    // The page of either side, as the pages hand themselves over.
    int SetPage(PartyPage *page);
    int SetClientButton(CBCGPDataButton *button);
    int SetProviderButton(CBCGPProviderButton *button);
    // The party changed in the modify modes, in the client layout on both
    // sides; the dialog shows it and keeps its key.
    int SetRecord(const struct_button_data &record);

    int Mode() const { return m_nMode; }

    void reject() override { done(0); }

private:
    bool IsProviderMode() const { return m_nMode == ClientEditNewProvider || m_nMode == ClientEditModifyProvider; }
    bool IsNewMode() const { return m_nMode == ClientEditNewClient || m_nMode == ClientEditNewProvider; }
    void SelectArea(const QString &code);
    void OnAreaClicked(QRadioButton *clicked);
    void OnOk();

    int m_nMode = ClientEditNewClient;
    PartyPage *m_pPage = nullptr;
    CBCGPDataButton *m_pClientButton = nullptr;
    CBCGPProviderButton *m_pProviderButton = nullptr;
    struct_button_data m_record;
    QString m_strArea;

    // 名称, 联系人, 起初欠款, 电话, 手机, 传真, 网址, E-Mail, QQ/MSN, 地址, 备注.
    std::array<QLineEdit *, 11> m_edits{};
    // 本地, 省内, 其它.
    std::array<QRadioButton *, 3> m_areas{};
    QLabel *m_nameLabel = nullptr;
    QLabel *m_areaLabel = nullptr;
};
