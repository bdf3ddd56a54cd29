#include "CDlgPriceListDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "CDlgAllProductDlg.h"
#include "Database.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "Interaction.h"
#include "PageWidgets.h"
#include "PriceListStore.h"
#include "ProductWidgets.h"

CDlgPriceListDlg::CDlgPriceListDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("客户价目列表"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));
    resize(560, 440);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("titlePicture"));
    picture->setPixmap(QIcon(QStringLiteral(":/images/icon213.svg")).pixmap(QSize(32, 32)));
    auto *title = new QLabel(QStringLiteral("客户价目列表"), this);
    m_nameLabel = MakeIdLabel(this, "1282", QString());
    m_list = new QTableWidget(0, PriceColumnCount, this);
    m_list->setObjectName(QStringLiteral("1284"));
    auto *add = MakeButton(this, "1283", QStringLiteral("填加报价"));
    auto *close = MakeButton(this, "1001", QStringLiteral("关闭"));

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(close);
    buttons->addStretch();
    auto *heading = new QHBoxLayout;
    heading->addWidget(picture);
    heading->addWidget(title);
    heading->addSpacing(12);
    heading->addWidget(m_nameLabel, 1);
    auto *layout = new QGridLayout(this);
    layout->addLayout(heading, 0, 0);
    layout->addWidget(m_list, 1, 0);
    layout->addLayout(buttons, 1, 1);

    SetUpPriceList(m_list);
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
        ShowDbError(error, QStringLiteral("读取价格表失败。"));
    }
}

int CDlgPriceListDlg::AddPriceRow(const PriceListRow &row)
{
    AppendPriceRow(m_list, row.ProductName, row.ProductSpec, row.ShipmentUnitPrice, row.GUID);
    return 1;
}

int CDlgPriceListDlg::UpdatePriceRow(const PriceListRow &row)
{
    for (int i = 0; i < m_list->rowCount(); ++i) {
        if (m_list->item(i, PriceColumnName)->text() == row.ProductName
            && m_list->item(i, PriceColumnSpec)->text() == row.ProductSpec)
            m_list->item(i, PriceColumnPrice)->setText(row.ShipmentUnitPrice);
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
        ShowDbError(error, QStringLiteral("保存报价失败。"));
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
