// Times the whole-file operations on the five-year shop (500 clients, 200
// providers, 20,000 finance bills, 200,000 goods-bill lines): a backup of
// the open database (goal < 1 s), and a restore of such a backup from its
// checks to the reopened and checked database (goal < 1 s).
//   settings_bench [--db FILE] [--runs N]
// Without --db the shop is generated into a temporary folder first; a
// given file is copied there, never changed.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <vector>

#include "Database.h"
#include "DatabaseCopy.h"
#include "ProgramDatabase.h"
#include "ShopGenerator.h"

namespace {

struct Timing
{
    double median = 0;
    double min = 0;
    double max = 0;
};

// Runs `prepare` untimed, then `run` timed, `runs` times.
Timing measure(int runs, const std::function<void()> &prepare, const std::function<void()> &run)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        run();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return Timing{ms[ms.size() / 2], ms.front(), ms.back()};
}

void print(const char *what, const Timing &t, double goal)
{
    const bool met = t.median < goal && t.max < goal;
    std::printf("%-44s median %7.1f ms  min %7.1f  max %7.1f  goal < %.0f ms (goal %s)\n", what, t.median, t.min, t.max,
        goal, met ? "met" : "missed");
}

double megabytes(const QString &path)
{
    return QFileInfo(path).size() / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InitAppResources();

    const QStringList args = app.arguments();
    auto option = [&](const char *name) {
        const qsizetype at = args.indexOf(QLatin1String(name));
        return at > 0 && at + 1 < args.size() ? args[at + 1] : QString();
    };
    const int runs = std::max(3, option("--runs").isEmpty() ? 9 : option("--runs").toInt());

    QTemporaryDir folder;
    const QString dataFolder = folder.filePath(QStringLiteral("Varnholt"));
    const QString backupFolder = folder.filePath(QStringLiteral("backups"));
    QDir().mkpath(dataFolder);
    QDir().mkpath(backupFolder);
    const QString live = QDir(dataFolder).filePath(kDatabaseFileName);
    try {
        if (!option("--db").isEmpty()) {
            if (!QFile::copy(option("--db"), live)) {
                std::fprintf(stderr, "cannot copy %s\n", qPrintable(option("--db")));
                return 1;
            }
        } else {
            ShopProfile profile;
            profile.clients = 500;
            profile.providers = 200;
            profile.financeBills = 20000;
            QElapsedTimer timer;
            timer.start();
            const ShopSummary s = WriteShopDatabase(live, profile);
            std::printf("generated %d clients, %d providers, %d products, %d + %d goods-bill lines, %d finance bills "
                        "in %.1f s\n",
                s.clients, s.providers, s.products, s.salesLines, s.purchaseLines, s.financeBills,
                timer.elapsed() / 1000.0);
        }
        std::printf("database file: %.1f MB\n", megabytes(live));

        Database db(live, Database::OpenMode::ReadWrite);
        g_pConnection = &db;
        DatabaseCopy copy(db);
        const QString backup = QDir(backupFolder).filePath(QStringLiteral("汀岑进销存2011-12-31.mdb"));

        // Backup: the program's connection stays open; each run replaces
        // the previous backup, as a daily backup to one name does.
        QString error;
        const Timing backupTime = measure(
            runs, [] {}, [&] { error = copy.Backup(backup); });
        if (!error.isEmpty()) {
            std::fprintf(stderr, "backup failed: %s\n", qPrintable(error));
            return 1;
        }
        print("backup (copy and atomic replace)", backupTime, 1000);

        // Restore from that backup: checks, side copy, copy into the data
        // folder, close, rename, reopen and check. The side copies of
        // earlier runs are removed between runs, untimed.
        DatabaseCopy::RestoreOutcome outcome;
        const Timing restoreTime = measure(
            runs,
            [&] {
                if (!outcome.sideCopy.isEmpty())
                    QFile::remove(outcome.sideCopy);
            },
            [&] { outcome = copy.Restore(backup); });
        if (!outcome.restored) {
            std::fprintf(stderr, "restore failed: %s\n", qPrintable(outcome.error));
            return 1;
        }
        print("restore (checks to reopened, checked file)", restoreTime, 1000);

        // Where a restore spends its time, step by step (one more run).
        QFile::remove(outcome.sideCopy);
        const char *const stepNames[]
            = {"checks", "side copy", "copy of the chosen file", "close", "rename", "reopen and check"};
        std::vector<double> stepStart;
        QElapsedTimer clock;
        copy.SetStepObserver(
            [&](DatabaseCopy::RestoreStep, const QString &) { stepStart.push_back(clock.nsecsElapsed() / 1e6); });
        clock.start();
        outcome = copy.Restore(backup);
        stepStart.push_back(clock.nsecsElapsed() / 1e6);
        for (size_t i = 0; i + 1 < stepStart.size() && i < std::size(stepNames); ++i)
            std::printf("  %-24s %7.1f ms\n", stepNames[i], stepStart[i + 1] - stepStart[i]);
        g_pConnection = nullptr;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "failed: %s\n", error.what());
        return 1;
    }
    return 0;
}
