#include "CDlgParameterName.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>

#include "CDlgTabOptions.h"
#include "CardResources.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "TypedLength.h"

CDlgParameterName::CDlgParameterName(const ParameterList &list, QWidget *parent)
    : QDialog(parent)
    , m_list(list)
{
    setWindowTitle(QStringLiteral("参数设置"));
    setWindowIcon(ProgramIcon());

    auto *picture = new QLabel(this);
    picture->setPixmap(QIcon(QStringLiteral(":/images/bmp257.svg")).pixmap(64, 64));
    auto *prompt = new QLabel(list.prompt, this);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QString::fromLatin1(list.editId));
    // The name is stored as typed; 20 characters as the bill pages show it.
    LimitTypedLength(m_edit, 20);
    m_edit->setMinimumWidth(240);

    auto *ok = new ImageButton(QStringLiteral("确定"), this);
    ok->setObjectName(QString::fromLatin1(list.okId));
    ok->setImage(QStringLiteral(":/images/bmp130.svg"));
    auto *cancel = new ImageButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QString::fromLatin1(list.cancelId));
    cancel->setImage(QStringLiteral(":/images/bmp129.svg"));
    // Enter in the edit confirms nothing: neither button is the default.
    for (ImageButton *button : {ok, cancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setMinimumSize(100, 32);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(prompt, 0, 1);
    layout->addWidget(m_edit, 1, 1);
    layout->addLayout(buttons, 2, 1);

    connect(ok, &QPushButton::clicked, this, &CDlgParameterName::OnConfirm);
    connect(cancel, &QPushButton::clicked, this, &CDlgParameterName::reject);
}

int CDlgParameterName::SetEditMode(int mode)
{
    m_nEditMode = mode;
    ShowEntryName();
    return 1;
}

int CDlgParameterName::SetEntry(const ParameterEntry &entry)
{
    m_entry = entry;
    ShowEntryName();
    return 1;
}

int CDlgParameterName::SetOwnerPage(CDlgTabOptions *page)
{
    m_pOwnerPage = page;
    return 1;
}

void CDlgParameterName::ShowEntryName()
{
    if (m_nEditMode == ChangeEntry)
        m_edit->setText(m_entry.Name);
}

void CDlgParameterName::OnConfirm()
{
    const QString name = m_edit->text();
    if (name.isEmpty()) {
        ShowInfoMessage(m_list.emptyNameMessage);
        return;
    }
    // Blanks are kept: the name is stored exactly as typed.
    m_entry.Name = name;
    if (m_nEditMode != ChangeEntry)
        m_entry.Guid = GuidText();
    if (m_pOwnerPage) {
        const bool taken = m_nEditMode == ChangeEntry ? m_pOwnerPage->UpdateParameter(m_list.kind, m_entry)
                                                      : m_pOwnerPage->AddParameter(m_list.kind, m_entry);
        if (!taken)
            return;
    }
    done(1);
}
