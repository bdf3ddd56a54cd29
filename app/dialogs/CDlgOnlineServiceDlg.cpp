#include "CDlgOnlineServiceDlg.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "CardResources.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "Interaction.h"

CDlgOnlineServiceDlg::CDlgOnlineServiceDlg(QWidget *parent)
    : QDialog(parent)
    , m_helpButton(new QPushButton(QStringLiteral("打开说明文件"), this))
{
    setWindowTitle(QStringLiteral("汀岑进销存 - 在线服务"));
    setWindowIcon(ProgramIcon());

    auto *intro = new QLabel(QStringLiteral("软件使用过程中有任何问题，可以通过以下途径与我们联系，我们会尽快为您解决。"), this);
    intro->setWordWrap(true);
    auto *name = new QLabel(QStringLiteral("软件名称：%1").arg(kAppTitle), this);
    name->setObjectName(QStringLiteral("programName"));
    auto *version = new QLabel(QStringLiteral("软件版本：%1").arg(ProgramVersion()), this);
    version->setObjectName(QStringLiteral("programVersion"));
    auto *date = new QLabel(QStringLiteral("发布日期：%1").arg(ReleaseDate()), this);
    date->setObjectName(QStringLiteral("releaseDate"));
    auto *help = new QLabel(HelpSentence(), this);
    help->setObjectName(QStringLiteral("helpLine"));
    help->setWordWrap(true);

    const QString helpPath = HelpFilePath();
    m_helpButton->setObjectName(QStringLiteral("1307"));
    m_helpButton->setCursor(Qt::PointingHandCursor);
    m_helpButton->setEnabled(!helpPath.isEmpty());
    m_helpButton->setToolTip(helpPath.isEmpty() ? QStringLiteral("未找到说明文件") : helpPath);
    connect(m_helpButton, &QPushButton::clicked, this, &CDlgOnlineServiceDlg::openHelp);

    auto *ok = new ImageButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("1308"));
    ok->setImage(QStringLiteral(":/images/icon234.svg"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { done(0); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_helpButton);
    buttons->addStretch();
    buttons->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addSpacing(8);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(date);
    layout->addSpacing(8);
    layout->addWidget(help);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(560, 300);
}

QString CDlgOnlineServiceDlg::HelpFilePath()
{
    const QDir programDir(GetAppDirectory());
    for (const QString &folder : {programDir.absolutePath(), programDir.absoluteFilePath(QStringLiteral(".."))}) {
        for (const char *name : {"README.md", "README"}) {
            const QFileInfo file(QDir(folder), QString::fromLatin1(name));
            if (file.isFile())
                return QDir::cleanPath(file.absoluteFilePath());
        }
    }
    return QString();
}

QString CDlgOnlineServiceDlg::HelpSectionTitle()
{
    return QStringLiteral("给店里的使用者");
}

QString CDlgOnlineServiceDlg::HelpSentence()
{
    return QStringLiteral("使用帮助：程序随附的说明文件 README.md 开头的中文部分“%1”介绍了登录、各组功能的用途、"
                          "数据库文件和备份放在哪里，以及常见问题。")
        .arg(HelpSectionTitle());
}

void CDlgOnlineServiceDlg::openHelp()
{
    const QString path = HelpFilePath();
    if (path.isEmpty()) {
        ShowInfoMessage(QStringLiteral("找不到说明文件 README.md，它应当在程序所在的文件夹 %1 中。")
                            .arg(QDir::toNativeSeparators(GetAppDirectory())));
        return;
    }
    // When nothing opens it the person still learns where it is.
    Interaction::current().openWithDesktop(path, [path] {
        ShowInfoMessage(QStringLiteral("没能打开说明文件。说明文件在 %1，可以用任何文本编辑器打开。")
                            .arg(QDir::toNativeSeparators(path)));
    });
}
