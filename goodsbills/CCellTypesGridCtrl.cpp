#include "CCellTypesGridCtrl.h"

#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QToolButton>

#include <array>

#include "CDlgNewShipment.h"
#include "CDlgSelProductDlg.h"
#include "CDlgSelProductSpecDlg.h"
#include "CapitalNumerals.h"
#include "Database.h"
#include "DatePicker.h"
#include "GlobalFunctions.h"
#include "GoodsBillChoiceLists.h"
#include "GoodsBillModeInfo.h"
#include "Interaction.h"
#include "TypedLength.h"

namespace {

constexpr std::array<int, CCellTypesGridCtrl::ColumnCount> kColumnWidths {70, 150, 100, 50, 70, 90, 100, 120};
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");

// The in-cell edit of a name or variant cell: the text and the
// button that opens the picker.
class PickerCellEditor : public QWidget
{
public:
    explicit PickerCellEditor(QWidget* parent)
        : QWidget(parent)
        , m_edit(new QLineEdit(this))
        , m_button(new QToolButton(this))
    {
        m_button->setObjectName(QStringLiteral("pickerButton"));
        m_button->setText(QStringLiteral("…"));
        // The edit keeps the focus, so that the delegate does not take a
        // press on the button for leaving the cell.
        m_button->setFocusPolicy(Qt::NoFocus);
        m_edit->setFrame(false);
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(m_edit, 1);
        layout->addWidget(m_button);
        setFocusProxy(m_edit);
        setAutoFillBackground(true);
    }

    QLineEdit* edit() const { return m_edit; }
    QToolButton* button() const { return m_button; }

private:
    QLineEdit* m_edit;
    QToolButton* m_button;
};

constexpr Qt::ItemFlags kFixedFlags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
constexpr Qt::ItemFlags kEditableFlags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;

// The amount of a line: empty until a count or a unit price is there.
QString LineAmount(const QString& count, const QString& price)
{
    if (count.isEmpty() && price.isEmpty())
        return QString();
    return DoubleToStr(StrToDouble(count) * StrToDouble(price));
}

} // namespace

// Makes the in-cell edit of each kind of cell and moves its text in and
// out; remembers the open edit for the grid.
class CCellTypesGridCtrl::CellDelegate : public QStyledItemDelegate
{
public:
    explicit CellDelegate(CCellTypesGridCtrl* grid)
        : QStyledItemDelegate(grid)
        , m_grid(grid)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = MakeEditor(parent, option, index);
        m_grid->m_openEditor = editor;
        m_grid->m_openIndex = index;
        return editor;
    }

    QWidget* MakeEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
    {
        const int row = index.row();
        const int column = index.column();
        if (row == CCellTypesGridCtrl::HeadRow && column == CCellTypesGridCtrl::CompanyColumn) {
            auto* combo = new QComboBox(parent);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->addItems(m_grid->CompanyNames());
            return combo;
        }
        if (row == CCellTypesGridCtrl::HeadRow && column == CCellTypesGridCtrl::DateColumn) {
            return MakeDatePicker(parent, QStringLiteral("billDate"), WorkingDate());
        }
        if (m_grid->IsLineRow(row)
            && (column == CCellTypesGridCtrl::NameCol || column == CCellTypesGridCtrl::SpecCol)) {
            auto* editor = new PickerCellEditor(parent);
            CCellTypesGridCtrl* grid = m_grid;
            QObject::connect(editor->button(), &QToolButton::clicked, grid, [grid, row, column] {
                if (column == CCellTypesGridCtrl::NameCol)
                    grid->OnClickProductButton(row);
                else
                    grid->OnClickSpecButton(row);
            });
            return editor;
        }
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        auto* edit = qobject_cast<QLineEdit*>(editor);
        if (edit && m_grid->IsLineRow(row)
            && (column == CCellTypesGridCtrl::CountCol || column == CCellTypesGridCtrl::PriceCol)) {
            LimitTypedLength(edit, CCellTypesGridCtrl::kNumberLength);
            CCellTypesGridCtrl* grid = m_grid;
            QObject::connect(edit, &QLineEdit::textEdited, grid,
                [grid, row, column](const QString& text) { grid->OnNumberEdited(row, column, text); });
        }
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        const QString text = index.data(Qt::DisplayRole).toString();
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentText(text);
        } else if (auto* date = qobject_cast<QDateEdit*>(editor)) {
            const QDate value = QDate::fromString(text.left(10), kDateFormat);
            date->setDate(value.isValid() ? value : WorkingDate());
        } else if (auto* picker = dynamic_cast<PickerCellEditor*>(editor)) {
            picker->edit()->setText(text);
        } else {
            QStyledItemDelegate::setEditorData(editor, index);
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            model->setData(index, combo->currentText());
        else if (auto* date = qobject_cast<QDateEdit*>(editor))
            model->setData(index, date->date().toString(kDateFormat));
        else if (auto* picker = dynamic_cast<PickerCellEditor*>(editor))
            model->setData(index, picker->edit()->text());
        else
            QStyledItemDelegate::setModelData(editor, model, index);
    }

private:
    CCellTypesGridCtrl* m_grid;
};

CCellTypesGridCtrl::CCellTypesGridCtrl(QWidget* parent)
    : QTableWidget(parent)
{
    setItemDelegate(new CellDelegate(this));
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setWordWrap(false);
    connect(this, &QTableWidget::itemChanged, this, &CCellTypesGridCtrl::OnItemChanged);
}

CCellTypesGridCtrl::~CCellTypesGridCtrl() = default;

int CCellTypesGridCtrl::SetBillType(int mode)
{
    m_nBillType = mode;
    return 1;
}

int CCellTypesGridCtrl::SetBillDlg(CDlgNewShipment* dialog)
{
    m_pBillDlg = dialog;
    return 1;
}

void CCellTypesGridCtrl::Create(int lineRows)
{
    const QSignalBlocker blocker(this);
    clear();
    m_lineRows = std::max(lineRows, kLineRows);
    setColumnCount(ColumnCount);
    setRowCount(TotalsRow() + 1);
    for (int column = 0; column < ColumnCount; ++column)
        setColumnWidth(column, kColumnWidths[static_cast<std::size_t>(column)]);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);

    // Every cell read-only at first; the ones the person fills are then
    // made editable.
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < ColumnCount; ++column)
            SetFixedText(row, column, QString());
    }

    SetFixedText(HeadRow, 0, QStringLiteral("单位名称"));
    SetEditableText(HeadRow, CompanyColumn, QString());
    SetFixedText(HeadRow, 4, QStringLiteral("日期"));
    SetEditableText(HeadRow, DateColumn, QString());
    SetBillDate(QDate::currentDate());
    SetFixedText(HeadRow, 6, QStringLiteral("单据编号"));
    SetEditableText(HeadRow, CodeColumn, MakeBillNumber());

    const std::array<QString, ColumnCount> titles {QStringLiteral("货品编号"), QStringLiteral("货品名称"),
        QStringLiteral("货品规格"), QStringLiteral("单位"), QStringLiteral("数量"), QStringLiteral("单价"),
        QStringLiteral("金额/元"), QStringLiteral("备注")};
    for (int column = 0; column < ColumnCount; ++column)
        SetFixedText(TitleRow, column, titles[static_cast<std::size_t>(column)]);

    for (int row = FirstLineRow; row < TotalsRow(); ++row)
        AddRowCells(row);

    SetFixedText(TotalsRow(), 0, QStringLiteral("大写金额"));
    SetFixedText(TotalsRow(), 5, QStringLiteral("合计"));
    setSpan(TotalsRow(), CapitalColumn, 1, 4);
    item(TotalsRow(), TotalColumn)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);

    LoadCompanyNames();
}

void CCellTypesGridCtrl::AddRowCells(int row)
{
    for (int column : {CodeCol, NameCol, SpecCol, UnitCol, CountCol, PriceCol, RemarkCol})
        SetEditableText(row, column, QString());
    // The amount follows count and unit price; nobody types it.
    auto* amount = new QTableWidgetItem;
    amount->setFlags(Qt::ItemIsSelectable);
    amount->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setItem(row, AmountCol, amount);
    item(row, CountCol)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item(row, PriceCol)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void CCellTypesGridCtrl::SetFixedText(int row, int column, const QString& text)
{
    auto* cell = new QTableWidgetItem(text);
    cell->setFlags(kFixedFlags);
    setItem(row, column, cell);
}

void CCellTypesGridCtrl::SetEditableText(int row, int column, const QString& text)
{
    auto* cell = new QTableWidgetItem(text);
    cell->setFlags(kEditableFlags);
    setItem(row, column, cell);
}

void CCellTypesGridCtrl::LoadCompanyNames()
{
    const PartySide side = GoodsBillSide::ForMode(m_nBillType).party;
    try {
        m_companyNames = GoodsBillChoiceLists(connection()).CompanyNames(side);
    } catch (const DbError& error) {
        m_companyNames.clear();
        ShowDbError(error,
            side == PartyProvider ? QStringLiteral("读取供应商名称失败。") : QStringLiteral("读取客户名称失败。"));
    }
}

QString CCellTypesGridCtrl::CellText(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void CCellTypesGridCtrl::CommitOpenEdit()
{
    if (!m_openEditor || state() != EditingState)
        return;
    QWidget* editor = m_openEditor;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void CCellTypesGridCtrl::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const QPersistentModelIndex edited = editor == m_openEditor ? m_openIndex : QPersistentModelIndex();
    QTableWidget::closeEditor(editor, hint);
    // Every key of a count or a price recomputed the line with the typed
    // text; an edit left without keeping it (Esc) leaves the cell as it
    // was, and the line, the total and the capital text follow the cell.
    if (edited.isValid() && (edited.column() == CountCol || edited.column() == PriceCol))
        RecomputeLine(edited.row());
}

void CCellTypesGridCtrl::SetCellText(int row, int column, const QString& text)
{
    QTableWidgetItem* cell = item(row, column);
    if (!cell)
        return;
    const QSignalBlocker blocker(this);
    cell->setText(text);
    viewport()->update();
}

QDate CCellTypesGridCtrl::BillDate() const
{
    return QDate::fromString(BillDateText(), kDateFormat);
}

void CCellTypesGridCtrl::SetBillDate(const QDate& date)
{
    SetCellText(HeadRow, DateColumn, date.toString(kDateFormat));
}

void CCellTypesGridCtrl::SetBillDateText(const QString& text)
{
    const QDate date = QDate::fromString(text.left(10), kDateFormat);
    SetCellText(HeadRow, DateColumn, date.isValid() ? date.toString(kDateFormat) : text);
}

QString CCellTypesGridCtrl::BillDateText() const
{
    return CellText(HeadRow, DateColumn).left(10);
}

void CCellTypesGridCtrl::SetReadOnly(bool readOnly)
{
    m_isReadOnly = readOnly;
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers : QAbstractItemView::AllEditTriggers);
}

void CCellTypesGridCtrl::LockCompany()
{
    if (QTableWidgetItem* company = item(HeadRow, CompanyColumn))
        company->setFlags(Qt::ItemIsSelectable);
}

bool CCellTypesGridCtrl::IsCompanyLocked() const
{
    const QTableWidgetItem* company = item(HeadRow, CompanyColumn);
    return company && !(company->flags() & Qt::ItemIsEditable);
}

QString CCellTypesGridCtrl::MakeBillNumber()
{
    if (m_pBillDlg)
        m_nBillType = m_pBillDlg->Mode();
    return ::MakeBillNumber(m_nBillType, GetCurDateString());
}

int CCellTypesGridCtrl::UpdateTotals()
{
    double sum = 0.0;
    // Every line with a code counts, also one below a gap: the person sees
    // its amount, and the save refuses the gap rather than dropping it.
    for (int row = FirstLineRow; row < TotalsRow(); ++row) {
        if (!CellText(row, CodeCol).isEmpty())
            sum += StrToDouble(CellText(row, AmountCol));
    }
    SetCellText(TotalsRow(), TotalColumn, DoubleToStr(sum));
    return 1;
}

int CCellTypesGridCtrl::FormatAmountInCapitals()
{
    SetCellText(TotalsRow(), CapitalColumn, CapitalNumerals::Format(CellText(TotalsRow(), TotalColumn)));
    return 1;
}

void CCellTypesGridCtrl::RecomputeLine(int row)
{
    Recompute(row, CellText(row, CountCol), CellText(row, PriceCol));
}

void CCellTypesGridCtrl::RecomputeAll()
{
    for (int row = FirstLineRow; row < TotalsRow(); ++row)
        SetCellText(row, AmountCol, LineAmount(CellText(row, CountCol), CellText(row, PriceCol)));
    UpdateTotals();
    FormatAmountInCapitals();
}

void CCellTypesGridCtrl::Recompute(int row, const QString& count, const QString& price)
{
    if (!IsLineRow(row))
        return;
    SetCellText(row, AmountCol, LineAmount(count, price));
    UpdateTotals();
    FormatAmountInCapitals();
}

void CCellTypesGridCtrl::OnNumberEdited(int row, int column, const QString& text)
{
    if (column == CountCol)
        Recompute(row, text, CellText(row, PriceCol));
    else if (column == PriceCol)
        Recompute(row, CellText(row, CountCol), text);
}

void CCellTypesGridCtrl::OnItemChanged(QTableWidgetItem* changed)
{
    if (!IsLineRow(changed->row()))
        return;
    // A count or price decides the amount; a code decides whether the
    // amount counts in the total.
    const int column = changed->column();
    if (column == CountCol || column == PriceCol || column == CodeCol)
        RecomputeLine(changed->row());
}

QString CCellTypesGridCtrl::PriceParty() const
{
    return m_pBillDlg ? m_pBillDlg->PriceParty() : CellText(HeadRow, CompanyColumn);
}

void CCellTypesGridCtrl::OnClickProductButton(int row)
{
    if (!IsLineRow(row))
        return;
    // The open cell is closed with what the person typed before the picker
    // opens, so that no edit is left pointing at a cell the picker changes.
    CommitOpenEdit();
    CDlgSelProductDlg picker(this);
    if (Interaction::current().runModal(&picker) != 1)
        return;
    QTableWidgetItem* name = item(row, NameCol);
    name->setText(picker.GetSelProductName());
    setCurrentItem(name, QItemSelectionModel::NoUpdate);
    setFocus();
}

void CCellTypesGridCtrl::OnClickSpecButton(int row)
{
    if (!IsLineRow(row))
        return;
    CommitOpenEdit();
    const QString productName = CellText(row, NameCol);
    if (productName.isEmpty())
        return;
    const GoodsBillModeInfo mode = GoodsBillModeInfo::For(m_nBillType);
    const PartySide side = mode.side().party;
    CDlgSelProductSpecDlg picker(this);
    picker.SetPriceSource(side);
    picker.SetPartyName(PriceParty());
    picker.SetProductName(productName);
    if (Interaction::current().runModal(&picker) != 1)
        return;
    struct_button_storeproduct product;
    picker.GetSelSpec(product);
    {
        const QSignalBlocker blocker(this);
        item(row, SpecCol)->setText(product.ProductSpec);
        item(row, CodeCol)->setText(product.ProductCode);
        item(row, UnitCol)->setText(product.ProductUnit);
        item(row, PriceCol)->setText(side == PartyProvider ? product.StockUnitPrice : product.ShipmentUnitPrice);
    }
    RecomputeLine(row);
    setCurrentItem(item(row, SpecCol), QItemSelectionModel::NoUpdate);
    setFocus();
}

void CCellTypesGridCtrl::keyPressEvent(QKeyEvent* event)
{
    QTableWidgetItem* current = currentItem();
    const bool isTextCell = !m_isReadOnly && current && (current->flags() & Qt::ItemIsEditable)
        && !(current->row() == HeadRow && current->column() == DateColumn);
    if (state() != EditingState && isTextCell) {
        if (event->key() == Qt::Key_Delete) {
            current->setText(QString());
            event->accept();
            return;
        }
        if (event->matches(QKeySequence::Paste)) {
            QString text = QGuiApplication::clipboard()->text().section(QLatin1Char('\n'), 0, 0);
            text.remove(QLatin1Char('\r'));
            if (IsLineRow(current->row()) && (current->column() == CountCol || current->column() == PriceCol))
                text = LeftCharacters(text, kNumberLength);
            current->setText(text);
            event->accept();
            return;
        }
    }
    QTableWidget::keyPressEvent(event);
}
