#include "SettingsTestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <csignal>

#include <sys/resource.h>

#include "BillFixtures.h"

void FillSmallShop(Database &db, int clients, const QString &marker)
{
    Transaction transaction(db);
    AddClientRow(db, marker);
    AddAccountRow(db, QStringLiteral("工行 O'Neil"));
    for (int i = 0; i < clients; ++i) {
        const QString client = QStringLiteral("客户%1号 五金商行").arg(i);
        AddClientRow(db, client);
        AddFinanceBillRow(db, PartyClient, QStringLiteral("收入单"), client, QStringLiteral("现金"),
            QStringLiteral("2011-06-%1").arg(1 + i % 28, 2, 10, QLatin1Char('0')),
            QStringLiteral("%1.50").arg(100 + i));
        AddFinanceBillRow(db, PartyProvider, QStringLiteral("支出单"), client, QStringLiteral("现金"),
            QStringLiteral("2011-07-%1").arg(1 + i % 28, 2, 10, QLatin1Char('0')), QStringLiteral("%1.25").arg(20 + i));
    }
    transaction.commit();
}

namespace {

bool AcceptsNewFiles(const QString &folder)
{
    QFile probe(QDir(folder).filePath(QStringLiteral(".probe")));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();
    probe.remove();
    return true;
}

} // namespace

bool MakeUnwritable(const QString &folder)
{
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (!AcceptsNewFiles(folder))
        return true;
    QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder});
    return !AcceptsNewFiles(folder);
}

QString WithFileSizeLimit(long bytes, const std::function<QString()> &call)
{
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit lowered = old;
    lowered.rlim_cur = static_cast<rlim_t>(bytes);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &lowered);
    const QString result = call();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    return result;
}

void MakeWritable(const QString &folder)
{
    QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder});
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QStringList FolderEntries(const QString &folder)
{
    return QDir(folder).entryList(
        QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}
