#include "BenchSupport.h"

#include <QDate>
#include <QDateEdit>
#include <QDialog>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtGlobal>

namespace {

QtMessageHandler s_defaultHandler = nullptr;

void FilterHints(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.contains(QLatin1String("propagateSizeHints")))
        s_defaultHandler(type, context, message);
}

} // namespace

void UseOffscreenPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void QuietOffscreenHints()
{
    s_defaultHandler = qInstallMessageHandler(FilterHints);
}

QString OptionValue(const QStringList& args, const QString& name)
{
    const qsizetype at = args.indexOf(name);
    return at > 0 && at + 1 < args.size() ? args[at + 1] : QString();
}

ShopProfile PartiesShopProfile()
{
    ShopProfile profile;
    profile.clients = 500;
    profile.providers = 200;
    profile.financeBills = 20000;
    return profile;
}

void GenerateBenchShop(const QString& path, const ShopProfile& profile, const ShopReport& report)
{
    QElapsedTimer timer;
    timer.start();
    const ShopSummary shop = WriteShopDatabase(path, profile);
    report(shop, timer.elapsed() / 1000.0);
}

QString BenchShopPath(
    const QStringList& args, const QTemporaryDir& folder, const ShopProfile& profile, const ShopReport& report)
{
    const QString named = OptionValue(args, QStringLiteral("--db"));
    if (!named.isEmpty())
        return named;
    const QString path = folder.filePath(QStringLiteral("shop.mdb"));
    GenerateBenchShop(path, profile, report);
    return path;
}

int AnswerPeriodDialog(QDialog* dialog, const QDate& start, const QDate& end)
{
    auto* startEdit = dialog->findChild<QDateEdit*>(QStringLiteral("1007"));
    auto* endEdit = dialog->findChild<QDateEdit*>(QStringLiteral("1292"));
    if (!startEdit || !endEdit)
        return 0;
    startEdit->setDate(start);
    endEdit->setDate(end);
    dialog->accept();
    return dialog->result();
}
