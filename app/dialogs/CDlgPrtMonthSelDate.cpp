#include "CDlgPrtMonthSelDate.h"

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "CardResources.h"
#include "DatePicker.h"
#include "GlobalFunctions.h"

namespace {

// The preset is read by position: year 0-3, month 5-6, day 8-9.
QDate presetDate(const QString &text)
{
    const QDate date(text.mid(0, 4).toInt(), text.mid(5, 2).toInt(), text.mid(8, 2).toInt());
    return date.isValid() ? date : WorkingDate();
}

QDateEdit *dateEdit(const char *objectName, QWidget *parent)
{
    QDateEdit *edit = MakeDatePicker(parent, QString::fromLatin1(objectName), WorkingDate());
    edit->setMinimumWidth(150);
    return edit;
}

} // namespace

CDlgPrtMonthSelDate::CDlgPrtMonthSelDate(QWidget *parent)
    : QDialog(parent)
    , m_startEdit(dateEdit("1007", this))
    , m_endEdit(dateEdit("1292", this))
    , m_includeZeroBox(new QCheckBox(QStringLiteral("包含进出数量为 0 的商品"), this))
    , m_okButton(new QPushButton(QStringLiteral("确定"), this))
    , m_cancelButton(new QPushButton(QStringLiteral("取消"), this))
{
    setWindowTitle(QStringLiteral("选择时间段"));
    setWindowIcon(ProgramIcon());
    m_includeZeroBox->setObjectName(QStringLiteral("1293"));
    m_okButton->setObjectName(QStringLiteral("1294"));
    m_cancelButton->setObjectName(QStringLiteral("1295"));
    m_okButton->setCursor(Qt::PointingHandCursor);
    m_cancelButton->setCursor(Qt::PointingHandCursor);
    m_okButton->setDefault(true);

    auto *fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("开始日期"), this), 0, 0);
    fields->addWidget(m_startEdit, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("结束日期"), this), 1, 0);
    fields->addWidget(m_endEdit, 1, 1);
    fields->addWidget(m_includeZeroBox, 2, 0, 1, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(m_okButton, &QPushButton::clicked, this, &CDlgPrtMonthSelDate::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &CDlgPrtMonthSelDate::cancel);

    // Until the caller presets them, the pickers show the working date and
    // the texts handed back stay empty.
    m_startEdit->setDate(WorkingDate());
    m_endEdit->setDate(WorkingDate());
}

void CDlgPrtMonthSelDate::SetOwnerPage(QWidget *page)
{
    m_ownerPage = page;
}

int CDlgPrtMonthSelDate::SetDateRange(const QString &start, const QString &end)
{
    m_start = start;
    m_end = end;
    m_startEdit->setDate(presetDate(start));
    m_endEdit->setDate(presetDate(end));
    return 1;
}

int CDlgPrtMonthSelDate::SetHideZeroOption(int hide)
{
    m_includeZeroBox->setVisible(hide != 1);
    return 1;
}

int CDlgPrtMonthSelDate::GetResult(PeriodRange &result) const
{
    result.StartDate = m_start;
    result.EndDate = m_end;
    result.IncludeZero = m_includeZero;
    return 1;
}

void CDlgPrtMonthSelDate::accept()
{
    m_start = DateText(m_startEdit->date());
    m_end = DateText(m_endEdit->date());
    m_includeZero = m_includeZeroBox->isChecked() ? 1 : 0;
    done(1);
}

void CDlgPrtMonthSelDate::cancel()
{
    done(0);
}

void CDlgPrtMonthSelDate::reject()
{
    done(2);
}
