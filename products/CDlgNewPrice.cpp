#include "CDlgNewPrice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "NumberCheck.h"
#include "ProductWidgets.h"
#include "TypedLength.h"

CDlgNewPrice::CDlgNewPrice(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("增加报价"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));

    auto *prompt = new QLabel(QStringLiteral("请输入产品的价格"), this);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("1290"));
    LimitTypedLength(m_edit, 12);
    ImageButton *ok = MakeButton(this, "1288", QStringLiteral("确定"));
    ok->setImage(QStringLiteral(":/images/bmp130.svg"));
    ok->setDefault(true);
    ImageButton *cancel = MakeButton(this, "1289", QStringLiteral("取消"));
    cancel->setImage(QStringLiteral(":/images/bmp129.svg"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_edit);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &CDlgNewPrice::OnOk);
    connect(cancel, &QPushButton::clicked, this, &CDlgNewPrice::reject);
}

void CDlgNewPrice::OnOk()
{
    const QString price = m_edit->text();
    if (price.isEmpty()) {
        ShowInfoMessage(QStringLiteral("请输入 ‘产品价格’。"));
        return;
    }
    QString checked;
    if (!CheckTypedNumber(price, QStringLiteral("产品价格"), NumberRule{}, &checked))
        return;
    m_strPrice = checked;
    done(1);
}
