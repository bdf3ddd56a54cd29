#include "CDlgValidatePassword.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "Database.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "PasswordStore.h"
#include "TypedLength.h"

CDlgValidatePassword::CDlgValidatePassword(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("输入密码"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));

    auto *picture = new QLabel(this);
    picture->setPixmap(QIcon(QStringLiteral(":/images/bmp257.svg")).pixmap(64, 64));
    auto *prompt = new QLabel(QStringLiteral("请输入密码："), this);
    prompt->setObjectName(QStringLiteral("1275"));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("1278"));
    m_edit->setEchoMode(QLineEdit::Password);
    LimitTypedLength(m_edit, 10);
    m_ok = new ImageButton(QStringLiteral("确定"), this);
    m_ok->setObjectName(QStringLiteral("1276"));
    m_ok->setImage(QStringLiteral(":/images/bmp130.svg"));
    m_ok->setDefault(true);
    m_cancel = new ImageButton(QStringLiteral("取消"), this);
    m_cancel->setObjectName(QStringLiteral("1277"));
    m_cancel->setImage(QStringLiteral(":/images/bmp129.svg"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 3, 1);
    layout->addWidget(prompt, 0, 1);
    layout->addWidget(m_edit, 1, 1);
    layout->addLayout(buttons, 2, 1);

    connect(m_ok, &QPushButton::clicked, this, &CDlgValidatePassword::OnOk);
    connect(m_cancel, &QPushButton::clicked, this, &CDlgValidatePassword::reject);
}

void CDlgValidatePassword::reject()
{
    done(2);
}

void CDlgValidatePassword::OnOk()
{
    bool matched = false;
    try {
        matched = PasswordMatches(connection(), m_nPasswordKind, m_edit->text());
    } catch (const DbError &error) {
        // A prompt that cannot read the stored password refuses the entry.
        ShowDbError(error, QStringLiteral("读取密码失败，无法核对。"));
    }
    done(matched ? 1 : 0);
}
