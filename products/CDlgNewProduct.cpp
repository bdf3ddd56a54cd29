#include "CDlgNewProduct.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "CDlgTabProductInfo.h"
#include "CDlgTabStore.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "NumberCheck.h"
#include "ProductWidgets.h"
#include "RecordButtons.h"
#include "TypedLength.h"

namespace {

struct FieldSpec
{
    const char *id;
    const char *label;
    int maxLength;
    QString struct_button_storeproduct::*field;
};

using Product = struct_button_storeproduct;
const FieldSpec kFields[] = {
    {"1188", "货品编号", 230, &Product::ProductCode},     {"1189", "货品名称", 230, &Product::ProductName},
    {"1190", "货品规格", 230, &Product::ProductSpec},     {"1175", "单位", 230, &Product::ProductUnit},
    {"1176", "进货单价", 12, &Product::StockUnitPrice},   {"1177", "出货单价", 12, &Product::ShipmentUnitPrice},
    {"1178", "报警设置", 12, &Product::PromptCount},      {"1179", "货品信息", 230, &Product::ProductRemark},
};

// The number fields and what each accepts: prices as unsigned decimals,
// the alarm count as a bill line's count takes it, since the two are
// compared.
struct NumberField
{
    std::size_t index; // into kFields
    NumberRule rule;
};
const NumberField kNumberFields[] = {
    {4, NumberRule{false, false}},
    {5, NumberRule{false, false}},
    {6, kGoodsCountRule},
};

const QString kNoStorePage = QStringLiteral("找不到仓库管理页面，货品没有保存。");
const QString kNoGuid = QStringLiteral("这个货品没有标识，无法修改或删除。");

} // namespace

CDlgNewProduct::CDlgNewProduct(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("新增货品"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));

    auto *layout = new QGridLayout(this);
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        const FieldSpec &spec = kFields[i];
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(spec.id));
        LimitTypedLength(edit, spec.maxLength);
        m_edits[i] = edit;
        const int row = static_cast<int>(i);
        layout->addWidget(new QLabel(QString::fromUtf8(spec.label), this), row, 0);
        layout->addWidget(edit, row, 1);
    }

    ImageButton *ok = MakeButton(this, "1", QStringLiteral("确定"));
    ok->setImage(QStringLiteral(":/images/bmp130.svg"));
    ok->setDefault(true);
    ImageButton *cancel = MakeButton(this, "2", QStringLiteral("取消"));
    cancel->setImage(QStringLiteral(":/images/bmp129.svg"));
    m_delete = MakeButton(this, "delete", QStringLiteral("删除"));
    m_delete->setImage(QStringLiteral(":/images/bmp273.svg"));
    m_delete->hide();

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_delete);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, static_cast<int>(m_edits.size()), 0, 1, 2);
    layout->setColumnMinimumWidth(1, 260);

    connect(ok, &QPushButton::clicked, this, &CDlgNewProduct::OnOk);
    connect(cancel, &QPushButton::clicked, this, &CDlgNewProduct::reject);
    connect(m_delete, &QPushButton::clicked, this, &CDlgNewProduct::OnDelete);
}

int CDlgNewProduct::SetMode(int mode)
{
    m_nMode = mode;
    m_delete->setVisible(mode != ProductEditNew);
    return 1;
}

int CDlgNewProduct::SetProduct(const struct_button_storeproduct &product)
{
    m_product = product;
    for (std::size_t i = 0; i < m_edits.size(); ++i)
        m_edits[i]->setText(product.*kFields[i].field);
    return 1;
}

int CDlgNewProduct::SetRecordButton(CBCGPStoreMgrButton *button)
{
    m_pRecordButton = button;
    return 1;
}

int CDlgNewProduct::SetStorePage(CDlgTabStore *page)
{
    m_pStorePage = page;
    return 1;
}

int CDlgNewProduct::SetProductInfoPage(CDlgTabProductInfo *page)
{
    m_pProductInfoPage = page;
    return 1;
}

bool CDlgNewProduct::IsComplete(const struct_button_storeproduct &product)
{
    // Every field but the last, the remark.
    for (std::size_t i = 0; i + 1 < std::size(kFields); ++i) {
        if ((product.*kFields[i].field).isEmpty())
            return false;
    }
    return true;
}

struct_button_storeproduct CDlgNewProduct::RecordFromEdits() const
{
    struct_button_storeproduct product;
    for (std::size_t i = 0; i < m_edits.size(); ++i)
        product.*kFields[i].field = m_edits[i]->text();
    product.ProductStockCount = QStringLiteral("0");
    return product;
}

bool CDlgNewProduct::CheckNumbers(struct_button_storeproduct &product)
{
    for (const NumberField &number : kNumberFields) {
        const FieldSpec &spec = kFields[number.index];
        QString &text = product.*spec.field;
        if (!CheckTypedNumber(text, QString::fromUtf8(spec.label), number.rule, &text)) {
            m_edits[number.index]->setFocus();
            return false;
        }
    }
    return true;
}

void CDlgNewProduct::OnOk()
{
    struct_button_storeproduct product = RecordFromEdits();
    if (!IsComplete(product)) {
        ShowInfoMessage(QStringLiteral("请将产品信息填写完整。"));
        return;
    }
    // Reports and cards read these as numbers: "abc" or "1,000" would be
    // stored as typed and counted as 0.
    if (!CheckNumbers(product))
        return;
    const bool saved = m_nMode == ProductEditNew ? SaveNew(product) : SaveChanged(product);
    if (saved)
        done(1);
}

bool CDlgNewProduct::SaveNew(struct_button_storeproduct product)
{
    if (!m_pStorePage) {
        ShowErrorMessage(kNoStorePage);
        return false;
    }
    product.GUID = GuidText();
    // The store page reports its own failure; the dialog stays open with
    // the texts as typed.
    if (!m_pStorePage->AddProduct(product))
        return false;
    m_product = product;
    ShowInfoMessage(QStringLiteral("新增货品成功。"));
    return true;
}

bool CDlgNewProduct::SaveChanged(struct_button_storeproduct product)
{
    // The key and the stock count are the opened product's: the dialog
    // never changes either.
    product.GUID = m_product.GUID;
    product.ProductStockCount = m_product.ProductStockCount;
    if (product.GUID.isEmpty()) {
        ShowErrorMessage(kNoGuid);
        return false;
    }
    if (!m_pStorePage) {
        ShowErrorMessage(kNoStorePage);
        return false;
    }
    if (!m_pStorePage->UpdateProduct(product))
        return false;
    if (m_pRecordButton)
        m_pRecordButton->UpdateRecord(product);
    if (m_nMode == ProductEditFromList && m_pProductInfoPage)
        m_pProductInfoPage->SetProductRow(product);
    m_product = product;
    ShowInfoMessage(QStringLiteral("修改货品成功。"));
    return true;
}

void CDlgNewProduct::OnDelete()
{
    if (AskYesNo(QStringLiteral("确定要删除这个货品吗？")) != IDYES)
        return;
    if (DeleteProduct())
        done(1);
}

bool CDlgNewProduct::DeleteProduct()
{
    // The product as it was opened, not as edited.
    if (m_product.GUID.isEmpty()) {
        ShowErrorMessage(kNoGuid);
        return false;
    }
    if (m_nMode == ProductEditFromCard && m_pRecordButton)
        return m_pRecordButton->RemoveRecordButton();
    if (!m_pStorePage) {
        ShowErrorMessage(kNoStorePage);
        return false;
    }
    if (!m_pStorePage->DeleteProduct(m_product))
        return false;
    m_pStorePage->FilterProducts(0);
    if (m_nMode == ProductEditFromList && m_pProductInfoPage)
        m_pProductInfoPage->RemoveProductRow(m_product);
    return true;
}
