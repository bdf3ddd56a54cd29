#pragma once

#include <QDialog>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

#include "GoodsBillForm.h"
#include "GoodsBillLines.h"
#include "GoodsBillModeInfo.h"
#include "GoodsBillWriter.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class ImageButton;
class GridReport;
class CBCGPGoodsBillButton;
class CBCGPProviderGoodsBillButton;
class CCellTypesGridCtrl;
class CDlgTabData_Provider;
class CDlgTabGoods;
class CDlgTabProviderGoods;
class CDlgTabStore;
class CTradeBillReportEvent;
class GoodsBillPage;

// The goods bill editor: the one window in which a goods bill of either
// side is written, changed, deleted and printed, in the GoodsBillMode its
// opener sets. A new bill can be saved at once; a stored bill takes no
// typing and is printed as stored until 修改 was answered with the
// data-modification password, and only then saved. Every write goes
// through GoodsBillWriter, the bill's rows and stock counts in one
// transaction; only after the commit does the editor say so and update
// the page, the tile and the report row that opened it. A failed write
// changes nothing on screen. Ends with 1 after a save or a delete, 0 after
// 取消 or when the bill was gone already, and 2 after Esc or the close box;
// Enter ends nothing.
class CDlgNewShipment : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgNewShipment(QWidget* parent = nullptr);
    ~CDlgNewShipment() override;

    // Set before the window is shown; each answers 1.
    int SetMode(int mode);
    // The pages' name for SetMode.
    int SetIntMember(int mode) { return SetMode(mode); }
    // The bill as stored (change modes), or one line made out to a party
    // (modes 6, 7, 16, 17).
    int SetBillRows(const GoodsBillLines& lines);
    int SetProviderBillRows(const std::vector<struct_button_provider_goodsbill>& lines);
    // The tile that opened the bill, or null.
    int SetBillButton(CBCGPGoodsBillButton* button);
    int SetProviderBillButton(CBCGPProviderGoodsBillButton* button);
    // The page of the side that lists the bill.
    int SetGoodsTab(CDlgTabGoods* page);
    int SetProviderGoodsTab(CDlgTabProviderGoods* page);
    // The report page that opened the bill (modes 8, 9, 14, 15).
    int SetReportPage(CDlgTabData_Provider* page);
    // The main window's store page, through which 新增货品 enters a
    // product.
    int SetStorePage(CDlgTabStore* page);

    int Mode() const { return m_nMode; }
    CCellTypesGridCtrl* Grid() const { return m_grid; }
    // The party whose price list prices the lines: the company cell, else
    // the company of the first line the editor was given.
    QString PriceParty() const;
    // The deposit as the editor holds it.
    QString DepositGuid() const { return m_strDepositGuid; }
    // The lines of the last build (save, delete or print) and the printed
    // bill's lines.

    // The editor's input as it stands, read from the controls.
    GoodsBillForm ReadForm() const;
    // Checks the input; shows the first problem and takes the person to it.
    bool ValidateBill();
    // Recomputes the amounts and totals and builds the bill's lines and
    // the printed bill's lines from the grid and the header.
    void BuildBill();

    // Esc and the close box: 2, nothing saved.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void InitDialog();
    void FillLists();
    void FillFromLoadedBill();
    void FillGridFromBill();
    void ApplyModeLayout();
    void SelectStoredText(QComboBox* list, const QString& text);
    void EnablePrepaidFields(bool enabled);
    // A stored bill takes no typing, picking or deposit until 修改 was
    // answered with the password.
    void LockStoredBill(bool locked);

    void OnSaveBill();
    void OnDelete();
    void OnUnlockModify();
    void OnAddProduct();
    void OnAddUnitPrice();
    void OnPrepaidClicked();
    void OnPrint();
    void OnSetDeposit();
    void OnCancel();
    // What every way of leaving without saving does first.
    void SayDepositStaysRecorded();

    // Says how the write went and ends the window: 1 when the bill was
    // written or deleted, 0 when it was gone already.
    void FinishWrite(const GoodsBillWriter::Outcome& outcome, const QString& success, bool wasDelete);
    void AfterWrite(bool wasDelete);
    GoodsBillPage* SidePage() const;
    GoodsBillBuildContext BuildContext() const;
    QString LoadedGuid() const;
    // The deposit bill's GUID: the stored bill's link, else the one written
    // through 设置订金 in this window.
    QString DepositLink() const;
    // Reads that deposit bill: true when it exists, false when there is
    // none or it is gone; nothing (the error shown) when the read failed.
    std::optional<bool> ReadDepositBill(struct_button_financebill& record) const;

    GoodsBillModeInfo m_modeInfo;
    int m_nMode = 0;
    bool m_isInitialized = false;
    bool m_isUnlocked = false;
    GoodsBillLines m_loadedLines;
    std::vector<struct_button_provider_goodsbill> m_loadedProviderLines;
    GoodsBillLines m_builtLines;
    GoodsBillLines m_printLines;
    QString m_strNewGuid;
    QString m_strDepositGuid;
    QString m_strDepositAmount = QStringLiteral("0");
    // The deposit bill written through 设置订金 while this window was open.
    bool m_hasWrittenDeposit = false;

    CBCGPGoodsBillButton* m_pBillButton = nullptr;
    CBCGPProviderGoodsBillButton* m_pProviderBillButton = nullptr;
    CDlgTabGoods* m_pGoodsTab = nullptr;
    CDlgTabProviderGoods* m_pProviderGoodsTab = nullptr;
    CDlgTabData_Provider* m_pReportPage = nullptr;
    CDlgTabStore* m_pStorePage = nullptr;

    std::unique_ptr<GridReport> m_report;
    std::unique_ptr<CTradeBillReportEvent> m_reportEvent;

    QLabel* m_banner = nullptr;
    QFrame* m_gridFrame = nullptr;
    CCellTypesGridCtrl* m_grid = nullptr;
    QLineEdit* m_deposit = nullptr;
    ImageButton* m_setDeposit = nullptr;
    QLineEdit* m_seller = nullptr;
    QLineEdit* m_remark = nullptr;
    ImageButton* m_addProduct = nullptr;
    ImageButton* m_addUnitPrice = nullptr;
    ImageButton* m_delete = nullptr;
    ImageButton* m_save = nullptr;
    ImageButton* m_cancel = nullptr;
    ImageButton* m_modify = nullptr;
    ImageButton* m_print = nullptr;
    QCheckBox* m_prepaid = nullptr;
    QComboBox* m_account = nullptr;
    QComboBox* m_incomeType = nullptr;
    QComboBox* m_fundType = nullptr;
    QComboBox* m_voucher = nullptr;
};
