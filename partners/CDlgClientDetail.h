#pragma once

#include <QDialog>
#include <QHash>
#include <QString>

#include <memory>
#include <vector>

#include "CDlgPrtMonthSelDate.h"
#include "PartyBillCommands.h"
#include "RecordTypes.h"
#include "SharedTypes.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class CBCGPDataButton;
class CBCGPProviderButton;
class CDlgTabClient;
class CDlgTabProviderMgr;
class CClientMonthReportEvent;
class CProductShipmentDetailReportEvent;
class CProductStockDetailReportEvent;
class CShipmentSurveyReportEvent;
class CStockSurveyReportEvent;
class GridReport;
class ImageButton;
class PartyPage;
struct PartySideInfo;

// The detail window of one client or provider, opened by its card: the
// party's contact data and figures, and the commands on it: new goods and
// finance bills made out to it, its bills of the working month or of all
// time on the report pages, change (after the data-modification password)
// and delete, its price list, and its survey and product detail over a
// period (and the month statement, whose button stays hidden). It writes
// nothing itself: the bill commands belong to the main window, the record
// changes to the page.
//
// Ends with 1 after a command that changed or showed something elsewhere,
// 0 after the party was deleted, 2 from Escape or the close box.
class CDlgClientDetail : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgClientDetail(QWidget *parent = nullptr);
    ~CDlgClientDetail() override;

    int SetClientRecord(const struct_button_data &record);
    int SetProviderRecord(const struct_button_provider &record);
    int SetClientButton(CBCGPDataButton *button);
    int SetProviderButton(CBCGPProviderButton *button);
    int SetClientTab(CDlgTabClient *page);
    int SetProviderTab(CDlgTabProviderMgr *page);
    // The PartySide: 0 client, 1 provider.
    int SetMode(int side);
    // The bill commands; the buttons of a command it does not offer (or of
    // every command, without one) are disabled.
    int SetBillCommands(PartyBillCommands *commands);

    // The provider record in the client layout; Loan takes its opening
    // arrears.
    static struct_button_data ConvertProviderRecord(const struct_button_provider &provider);

    int Side() const { return m_nSide; }

    // The reports and the rows they last showed.
    GridReport *SurveyReport() const;
    GridReport *ProductDetailReport() const;
    // The survey and the product detail of the window's side, in the sales
    // layout.

    // The commands, one per button.
    void OnNewOutgoingGoodsBill();
    void OnNewIncomingGoodsBill();
    void OnNewIncomeBill();
    void OnNewPayoutBill();
    void OnGoodsBillsOfMonth();
    void OnAllGoodsBills();
    void OnFinanceBillsOfMonth();
    void OnAllFinanceBills();
    void OnModifyParty();
    void OnDeleteParty();
    void OnPriceList();
    void OnSurveyReport();
    void OnProductDetailReport();
    void OnMonthStatement();

    void reject() override { done(2); }

private:
    using Command = PartyBillCommands::Command;

    const PartySideInfo &SideInfo() const;
    bool IsProvider() const { return m_nSide == PartyProvider; }
    PartyPage *Page() const;
    void CreateControls();
    void CreateReports();
    void SetModeCaptions();
    void ShowRecord();
    void EnableCommands();
    void NewGoodsBill(int clientMode, int providerMode);
    void NewFinanceBill(int clientMode, int providerMode);
    void ShowBills(Command command, bool workingMonthOnly);
    bool AskPeriod(PeriodRange &period);
    void SetReportParameters(GridReport *report, const QString &dateRange);
    void ShowReport(GridReport *report);

    int m_nSide = PartyClient;
    struct_button_data m_party;
    struct_button_provider m_provider;
    CBCGPDataButton *m_pClientButton = nullptr;
    CBCGPProviderButton *m_pProviderButton = nullptr;
    CDlgTabClient *m_pClientPage = nullptr;
    CDlgTabProviderMgr *m_pProviderPage = nullptr;
    PartyBillCommands *m_commands = nullptr;

    std::unique_ptr<GridReport> m_monthReport;
    std::unique_ptr<GridReport> m_stockSurveyReport;
    std::unique_ptr<GridReport> m_shipmentSurveyReport;
    std::unique_ptr<GridReport> m_stockDetailReport;
    std::unique_ptr<GridReport> m_shipmentDetailReport;
    // After the reports: a sink disconnects before its report goes.
    std::unique_ptr<CClientMonthReportEvent> m_monthEvent;
    std::unique_ptr<CStockSurveyReportEvent> m_stockSurveyEvent;
    std::unique_ptr<CShipmentSurveyReportEvent> m_shipmentSurveyEvent;
    std::unique_ptr<CProductStockDetailReportEvent> m_stockDetailEvent;
    std::unique_ptr<CProductShipmentDetailReportEvent> m_shipmentDetailEvent;
    std::vector<struct_button_goodsbill> m_monthRows;
    std::vector<struct_button_goodsbill> m_surveyRows;
    std::vector<struct_button_goodsbill> m_detailRows;

    QHash<QString, QLineEdit *> m_fields;
    QPlainTextEdit *m_remark = nullptr;
    QPlainTextEdit *m_address = nullptr;
    QHash<QString, ImageButton *> m_buttons;
    QHash<QString, QLabel *> m_labels;
};
