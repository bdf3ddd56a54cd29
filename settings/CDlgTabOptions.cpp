#include "CDlgTabOptions.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include "CDlgNewIncomeType.h"
#include "CDlgNewMoneyType.h"
#include "CDlgNewVoucher.h"
#include "CardResources.h"
#include "Database.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "Interaction.h"
#include "SettingsStore.h"
#include "SettingsWidgets.h"
#include "TypedLength.h"

namespace {

enum ListColumn { NameColumn = 0, GuidColumn = 1 };

// The password edits and the prompt that checks them take 10 characters.
constexpr int kPasswordLength = 10;

const QString kGoneMessage = QStringLiteral("该参数已不存在。");

} // namespace

CDlgTabOptions::CDlgTabOptions(QWidget *parent)
    : QWidget(parent)
{
    setWindowIcon(ProgramIcon());

    // Login passwords.
    QGroupBox *login = new QGroupBox(this);
    m_userType = new QComboBox(login);
    m_userType->setObjectName(QStringLiteral("1225"));
    m_userType->addItems({QStringLiteral("财务主管"), QStringLiteral("管理员")});
    m_userType->setCurrentIndex(0);
    m_loginPassword = new QLineEdit(login);
    m_loginPassword->setObjectName(QStringLiteral("1226"));
    ImageButton *loginOk = MakeSettingsButton(login, "1223", QStringLiteral("确定"));
    auto *loginLayout = new QGridLayout(login);
    loginLayout->addWidget(
        MakeHeading(login, QStringLiteral(":/images/icon263.svg"), QStringLiteral("修改用户登录密码")), 0, 0, 1, 2);
    loginLayout->addWidget(m_userType, 1, 0);
    loginLayout->addWidget(loginOk, 1, 1);
    loginLayout->addWidget(m_loginPassword, 2, 0);

    // The data-modification password.
    QGroupBox *modify = new QGroupBox(this);
    m_modifyPassword = new QLineEdit(modify);
    m_modifyPassword->setObjectName(QStringLiteral("1232"));
    ImageButton *modifyOk = MakeSettingsButton(modify, "1224", QStringLiteral("确定"));
    auto *modifyLayout = new QGridLayout(modify);
    modifyLayout->addWidget(
        MakeHeading(modify, QStringLiteral(":/images/icon184.svg"), QStringLiteral("资料修改密码")), 0, 0, 1, 2);
    modifyLayout->addWidget(m_modifyPassword, 1, 0);
    modifyLayout->addWidget(modifyOk, 1, 1);
    modifyLayout->setRowStretch(2, 1);

    // The three lists and the print option.
    QGroupBox *lists = new QGroupBox(this);
    auto *listsLayout = new QHBoxLayout(lists);
    const QString listImages[] = {QStringLiteral(":/images/icon205.svg"), QStringLiteral(":/images/icon206.svg"),
        QStringLiteral(":/images/icon207.svg")};
    for (const ParameterList *list : ParameterList::All())
        listsLayout->addWidget(MakeListColumn(*list, listImages[list->kind]));
    auto *print = new QWidget(lists);
    m_printFormat = new QComboBox(print);
    m_printFormat->setObjectName(QStringLiteral("1228"));
    m_printFormat->addItems({kPrintWithoutDeposit, kPrintWithDeposit});
    ImageButton *printOk = MakeSettingsButton(print, "1229", QStringLiteral("确定"));
    auto *printLayout = new QVBoxLayout(print);
    printLayout->addWidget(MakeHeading(print, QString(), QStringLiteral("出货单设置")));
    printLayout->addWidget(m_printFormat);
    printLayout->addWidget(printOk, 0, Qt::AlignHCenter);
    printLayout->addStretch();
    listsLayout->addWidget(print);

    auto *layout = new QGridLayout(this);
    layout->addWidget(login, 0, 0);
    layout->addWidget(modify, 0, 1);
    layout->addWidget(lists, 1, 0, 1, 2);
    layout->setRowStretch(1, 1);

    connect(loginOk, &QPushButton::clicked, this, &CDlgTabOptions::OnChangeLoginPassword);
    connect(modifyOk, &QPushButton::clicked, this, &CDlgTabOptions::OnChangeModifyPassword);
    connect(printOk, &QPushButton::clicked, this, &CDlgTabOptions::OnSetPrintFormat);
    connect(m_userType, &QComboBox::currentIndexChanged, this, &CDlgTabOptions::OnUserTypeChanged);

    for (const ParameterList *list : ParameterList::All())
        InitParameterList(list->kind);
    ShowStoredPrintFormat();
    LimitTypedLength(m_loginPassword, kPasswordLength);
    LimitTypedLength(m_modifyPassword, kPasswordLength);
}

QWidget *CDlgTabOptions::MakeListColumn(const ParameterList &list, const QString &image)
{
    auto *column = new QWidget(this);
    auto *table = new QTableWidget(0, 2, column);
    table->setObjectName(QString::fromLatin1(list.listId));
    table->setHorizontalHeaderLabels({list.columnTitle, QStringLiteral("guid")});
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->setColumnWidth(NameColumn, 150);
    table->setColumnHidden(GuidColumn, true);
    table->horizontalHeader()->setStretchLastSection(false);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setShowGrid(false);
    table->setMinimumSize(150, 150);
    m_lists[list.kind] = table;

    ImageButton *add = MakeSettingsButton(column, list.newId, QStringLiteral("新增"));
    ImageButton *change = MakeSettingsButton(column, list.modifyId, QStringLiteral("修改"));
    ImageButton *remove = MakeSettingsButton(column, list.deleteId, QStringLiteral("删除"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(change);
    buttons->addWidget(remove);
    auto *layout = new QVBoxLayout(column);
    layout->addWidget(MakeHeading(column, image, list.heading));
    layout->addWidget(table);
    layout->addLayout(buttons);

    const ParameterListKind kind = list.kind;
    connect(add, &QPushButton::clicked, this, [this, kind] { OnNewParameter(kind); });
    connect(change, &QPushButton::clicked, this, [this, kind] { OnModifyParameter(kind); });
    connect(remove, &QPushButton::clicked, this, [this, kind] { OnDeleteParameter(kind); });
    connect(table, &QTableWidget::cellDoubleClicked, this,
        [this, kind](int row, int) { OnDblClkParameterList(kind, row); });
    return column;
}

void CDlgTabOptions::InitParameterList(ParameterListKind kind)
{
    m_lists[kind]->setRowCount(0);
    try {
        const QList<ParameterEntry> entries = SettingsStore(connection()).Parameters(ParameterList::For(kind));
        for (const ParameterEntry &entry : entries)
            AppendParameterRow(kind, entry);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取参数失败。"));
    }
}

void CDlgTabOptions::AppendParameterRow(ParameterListKind kind, const ParameterEntry &entry)
{
    QTableWidget *table = m_lists[kind];
    const int row = table->rowCount();
    table->insertRow(row);
    table->setItem(row, NameColumn, new QTableWidgetItem(entry.Name));
    table->setItem(row, GuidColumn, new QTableWidgetItem(entry.Guid));
}

int CDlgTabOptions::MarkedRow(ParameterListKind kind) const
{
    const QTableWidget *table = m_lists[kind];
    const int row = table->currentRow();
    return row >= 0 && table->selectionModel()->isRowSelected(row, QModelIndex()) ? row : -1;
}

ParameterEntry CDlgTabOptions::RowEntry(ParameterListKind kind, int row) const
{
    const QTableWidget *table = m_lists[kind];
    return {table->item(row, NameColumn)->text(), table->item(row, GuidColumn)->text()};
}

std::unique_ptr<CDlgParameterName> CDlgTabOptions::MakeNameDialog(ParameterListKind kind)
{
    std::unique_ptr<CDlgParameterName> dialog;
    switch (kind) {
    case IncomePayTypeList:
        dialog = std::make_unique<CDlgNewIncomeType>(this);
        break;
    case MoneyTypeList:
        dialog = std::make_unique<CDlgNewMoneyType>(this);
        break;
    case VoucherList:
        dialog = std::make_unique<CDlgNewVoucher>(this);
        break;
    }
    dialog->SetOwnerPage(this);
    return dialog;
}

bool CDlgTabOptions::AddParameter(ParameterListKind kind, ParameterEntry &entry)
{
    try {
        SettingsStore(connection()).AddParameter(ParameterList::For(kind), entry);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("新增参数失败。"));
        return false;
    }
    AppendParameterRow(kind, entry);
    return true;
}

bool CDlgTabOptions::UpdateParameter(ParameterListKind kind, ParameterEntry &entry)
{
    bool renamed = false;
    try {
        renamed = SettingsStore(connection()).RenameParameter(ParameterList::For(kind), entry);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("修改参数失败。"));
        return false;
    }
    if (!renamed) {
        ReportEntryGone(kind);
        return true;
    }
    QTableWidget *table = m_lists[kind];
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, GuidColumn)->text() == entry.Guid)
            table->item(row, NameColumn)->setText(entry.Name);
    }
    return true;
}

void CDlgTabOptions::ReportEntryGone(ParameterListKind kind)
{
    ShowInfoMessage(kGoneMessage);
    InitParameterList(kind);
}

void CDlgTabOptions::OnNewParameter(ParameterListKind kind)
{
    std::unique_ptr<CDlgParameterName> dialog = MakeNameDialog(kind);
    Interaction::current().runModal(dialog.get());
}

void CDlgTabOptions::OnModifyParameter(ParameterListKind kind)
{
    const int row = MarkedRow(kind);
    if (row < 0)
        return;
    ModifyRow(kind, row);
}

void CDlgTabOptions::OnDblClkParameterList(ParameterListKind kind, int row)
{
    ModifyRow(kind, row);
    QTableWidget *table = m_lists[kind];
    if (row < table->rowCount())
        table->selectRow(row);
    table->setFocus();
}

void CDlgTabOptions::ModifyRow(ParameterListKind kind, int row)
{
    std::unique_ptr<CDlgParameterName> dialog = MakeNameDialog(kind);
    dialog->SetEditMode(CDlgParameterName::ChangeEntry);
    dialog->SetEntry(RowEntry(kind, row));
    Interaction::current().runModal(dialog.get());
}

void CDlgTabOptions::OnDeleteParameter(ParameterListKind kind)
{
    const int row = MarkedRow(kind);
    if (row < 0) {
        ShowInfoMessage(QStringLiteral("请选择要删除的参数。"));
        return;
    }
    QTableWidget *table = m_lists[kind];
    if (table->rowCount() <= 1) {
        ShowInfoMessage(QStringLiteral("至少要保留一个参数。"));
        return;
    }
    if (AskYesNo(QStringLiteral("确定要删除这个参数吗？")) != IDYES)
        return;
    bool deleted = false;
    try {
        deleted = SettingsStore(connection()).DeleteParameter(ParameterList::For(kind), RowEntry(kind, row).Guid);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("删除参数失败。"));
        return;
    }
    if (!deleted) {
        ReportEntryGone(kind);
        return;
    }
    table->removeRow(row);
}

void CDlgTabOptions::OnChangeLoginPassword()
{
    const QString userType = m_userType->currentText();
    ChangePassword(m_loginPassword->text(),
        [&](SettingsStore &store, const QString &password) { store.SetLoginPassword(userType, password); });
}

void CDlgTabOptions::OnChangeModifyPassword()
{
    ChangePassword(m_modifyPassword->text(),
        [](SettingsStore &store, const QString &password) { store.SetModifyPassword(password); });
}

void CDlgTabOptions::ChangePassword(
    const QString &password, const std::function<void(SettingsStore &, const QString &)> &write)
{
    if (AskYesNo(QStringLiteral("确定要把密码改为 %1 吗？").arg(password)) != IDYES)
        return;
    try {
        SettingsStore store(connection());
        write(store, password);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("修改密码失败。"));
        return;
    }
    ShowInfoMessage(QStringLiteral("密码修改成功。"));
}

void CDlgTabOptions::OnSetPrintFormat()
{
    const QString format = m_printFormat->currentText();
    try {
        SettingsStore(connection()).SetPrintFormat(format);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("设置单据打印格式失败。"));
        // The box shows what the printed bills will use.
        ShowStoredPrintFormat();
        return;
    }
    ShowInfoMessage(QStringLiteral("单据打印格式设置为：%1").arg(format));
}

void CDlgTabOptions::ShowStoredPrintFormat()
{
    m_printFormat->setCurrentText(IsReturnBillPrintWithDeposit() ? kPrintWithDeposit : kPrintWithoutDeposit);
}

void CDlgTabOptions::OnUserTypeChanged()
{
    m_loginPassword->clear();
}
