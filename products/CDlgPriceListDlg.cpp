#include "CDlgPriceListDlg.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "CDlgAllProductDlg.h"
#include "Database.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "Interaction.h"
#include "PriceListStore.h"

namespace {
enum Column { ColumnNumber = 0, ColumnName = 1, ColumnSpec = 2, ColumnPrice = 3, ColumnGuid = 4 };
}

CDlgPriceListDlg::CDlgPriceListDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("客户价目列表"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));
    resize(560, 440);

    auto *title = new QLabel(QStringLiteral("客户价目列表"), this);
    m_nameLabel = new QLabel(this);
    m_nameLabel->setObjectName(QStringLiteral("1282"));
    m_list = new QTableWidget(0, 5, this);
    m_list->setObjectName(QStringLiteral("1284"));
    auto *add = new ImageButton(QStringLiteral("填加报价"), this);
    add->setObjectName(QStringLiteral("1283"));
    auto *close = new ImageButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("1001"));

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(close);
    buttons->addStretch();
    auto *layout = new QGridLayout(this);
    layout->addWidget(title, 0, 0);
    layout->addWidget(m_nameLabel, 0, 1);
    layout->addWidget(m_list, 1, 0, 1, 2);
    layout->addLayout(buttons, 1, 2);

    InitPriceListColumns();
    connect(add, &QPushButton::clicked, this, &CDlgPriceListDlg::OnAddPrice);
    connect(close, &QPushButton::clicked, this, &CDlgPriceListDlg::reject);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { OnDblclkPriceList(row); });
}

int CDlgPriceListDlg::SetSide(int side)
{
    m_nSide = side;
    return 1;
}

int CDlgPriceListDlg::SetClientName(const QString &name)
{
    m_strClientName = name;
    return 1;
}

int CDlgPriceListDlg::SetOwnerName(const QString &name)
{
    m_strProviderName = name;
    return 1;
}

void CDlgPriceListDlg::showEvent(QShowEvent *event)
{
    // The side and the name are set between construction and the run.
    if (!m_bLoaded) {
        m_bLoaded = true;
        m_nameLabel->setText(m_nSide == PartyProvider ? m_strProviderName : m_strClientName);
        LoadPriceList();
    }
    QDialog::showEvent(event);
}

void CDlgPriceListDlg::InitPriceListColumns()
{
    m_list->setHorizontalHeaderLabels({QStringLiteral("编号"), QStringLiteral("货品名称"), QStringLiteral("货品规格"),
                                       QStringLiteral("参考价"), QStringLiteral("guid")});
    m_list->setColumnWidth(ColumnNumber, 50);
    m_list->setColumnWidth(ColumnName, 140);
    m_list->setColumnWidth(ColumnSpec, 130);
    m_list->setColumnWidth(ColumnPrice, 80);
    m_list->setColumnHidden(ColumnGuid, true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setShowGrid(true);
    m_list->verticalHeader()->hide();
}

void CDlgPriceListDlg::LoadPriceList()
{
    if (m_nSide != PartyClient && m_nSide != PartyProvider)
        return;
    const bool isProvider = m_nSide == PartyProvider;
    try {
        PriceListStore store(connection(), isProvider ? PartyProvider : PartyClient);
        for (const PriceListRow &row : store.Load(isProvider ? m_strProviderName : m_strClientName))
            AddPriceRow(row);
    } catch (const DbError &error) {
        ShowErrorMessage(error.displayText());
    }
}

int CDlgPriceListDlg::AddPriceRow(const PriceListRow &row)
{
    const int index = m_list->rowCount();
    m_list->insertRow(index);
    m_list->setItem(index, ColumnNumber, new QTableWidgetItem(QString::number(index)));
    m_list->setItem(index, ColumnName, new QTableWidgetItem(row.ProductName));
    m_list->setItem(index, ColumnSpec, new QTableWidgetItem(row.ProductSpec));
    m_list->setItem(index, ColumnPrice, new QTableWidgetItem(row.ShipmentUnitPrice));
    m_list->setItem(index, ColumnGuid, new QTableWidgetItem(row.GUID));
    return 1;
}

int CDlgPriceListDlg::UpdatePriceRow(const PriceListRow &row)
{
    for (int i = 0; i < m_list->rowCount(); ++i) {
        if (m_list->item(i, ColumnName)->text() == row.ProductName
            && m_list->item(i, ColumnSpec)->text() == row.ProductSpec)
            m_list->item(i, ColumnPrice)->setText(row.ShipmentUnitPrice);
    }
    return 1;
}

int CDlgPriceListDlg::AddToClientPriceList(const QString &productGuid, const QString &price)
{
    return AddToPriceList(PartyClient, m_strClientName, productGuid, price);
}

int CDlgPriceListDlg::AddToProviderPriceList(const QString &productGuid, const QString &price)
{
    return AddToPriceList(PartyProvider, m_strProviderName, productGuid, price);
}

int CDlgPriceListDlg::AddToPriceList(PartySide side, const QString &owner, const QString &productGuid,
                                     const QString &price)
{
    PriceListStore::AddResult result;
    try {
        result = PriceListStore(connection(), side).AddPrice(owner, productGuid, price);
    } catch (const DbError &error) {
        ShowErrorMessage(error.displayText());
        return 0;
    }
    switch (result.outcome) {
    case PriceListStore::AddOutcome::ProductMissing:
        ShowInfoMessage(QStringLiteral("找不到这个货品，它可能已被删除。"));
        return 0;
    case PriceListStore::AddOutcome::Added:
        AddPriceRow(result.row);
        return 1;
    case PriceListStore::AddOutcome::Updated:
        UpdatePriceRow(result.row);
        return 1;
    }
    return 0;
}

void CDlgPriceListDlg::OnAddPrice()
{
    CDlgAllProductDlg dialog(this);
    dialog.SetSide(m_nSide);
    dialog.SetOwner(this);
    dialog.SetClientName(m_strClientName);
    Interaction::current().runModal(&dialog);
}

void CDlgPriceListDlg::OnDblclkPriceList(int row)
{
    if (row < 0 || row >= m_list->rowCount())
        return;
    OnAddPrice();
    if (row < m_list->rowCount())
        m_list->selectRow(row);
    m_list->setFocus();
}
