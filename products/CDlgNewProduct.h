#pragma once

#include <QDialog>
#include <QString>

#include <array>

#include "RecordTypes.h"

class QLineEdit;
class ImageButton;
class CBCGPStoreMgrButton;
class CDlgTabStore;
class CDlgTabProductInfo;

// What the product record dialog was opened for.
enum ProductEditMode : int { ProductEditNew = 0, ProductEditFromCard = 1, ProductEditFromList = 2 };

// The product record dialog: enters, changes or deletes one product. It
// checks the fields and hands the record to the store page, which writes
// the table; the opener's card (mode 1) or product-information row (mode
// 2) follows only after the store page reports success. Ends with 1 after
// a save or a delete and 0 after 取消.
class CDlgNewProduct : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgNewProduct(QWidget *parent = nullptr);

    int SetMode(int mode);
    int SetProduct(const struct_button_storeproduct &product);
    int SetRecordButton(CBCGPStoreMgrButton *button);
    int SetStorePage(CDlgTabStore *page);
    int SetProductInfoPage(CDlgTabProductInfo *page);

    int Mode() const { return m_nMode; }

    // Every field but the remark is filled in.
    static bool IsComplete(const struct_button_storeproduct &product);

    void reject() override { done(0); }

private:
    struct_button_storeproduct RecordFromEdits() const;
    // The prices and the alarm count as numbers, each kept as typed without
    // the blanks around it; false after naming the first field that is no
    // number.
    bool CheckNumbers(struct_button_storeproduct &product);
    void OnOk();
    void OnDelete();
    bool SaveNew(struct_button_storeproduct product);
    bool SaveChanged(struct_button_storeproduct product);
    bool DeleteProduct();

    int m_nMode = ProductEditNew;
    CDlgTabStore *m_pStorePage = nullptr;
    CDlgTabProductInfo *m_pProductInfoPage = nullptr;
    struct_button_storeproduct m_product;
    CBCGPStoreMgrButton *m_pRecordButton = nullptr;

    // 货品编号, 货品名称, 货品规格, 单位, 进货单价, 出货单价, 报警设置, 货品信息.
    std::array<QLineEdit *, 8> m_edits{};
    ImageButton *m_delete = nullptr;
};
