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
#include <vector>

#include "BenchSupport.h"
#include "BenchTiming.h"
#include "Database.h"
#include "DatabaseCopy.h"
#include "ProgramDatabase.h"

namespace {

// A goal is met when both the median and the slowest run are under it.
constexpr BenchLineLayout kLine{44, 7, 1, true, true, " "};

void print(const char *what, const BenchTiming &t, double goal)
{
    PrintTiming(what, t, goal, kLine);
}

double megabytes(const QString &path)
{
    return QFileInfo(path).size() / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenPlatform();
    QApplication app(argc, argv);
    InitAppResources();

    const QStringList args = app.arguments();
    auto option = [&](const char *name) { return OptionValue(args, QLatin1String(name)); };
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
            GenerateBenchShop(live, PartiesShopProfile(), [](const ShopSummary &s, double seconds) {
                std::printf("generated %d clients, %d providers, %d products, %d + %d goods-bill lines, %d finance "
                            "bills in %.1f s\n",
                    s.clients, s.providers, s.products, s.salesLines, s.purchaseLines, s.financeBills, seconds);
            });
        }
        std::printf("database file: %.1f MB\n", megabytes(live));

        Database db(live, Database::OpenMode::ReadWrite);
        g_pConnection = &db;
        DatabaseCopy copy(db);
        const QString backup = QDir(backupFolder).filePath(QStringLiteral("汀岑进销存2011-12-31.mdb"));

        // Backup: the program's connection stays open; each run replaces
        // the previous backup, as a daily backup to one name does.
        QString error;
        const BenchTiming backupTime = MeasureRuns(runs, [&](int) { error = copy.Backup(backup); });
        if (!error.isEmpty()) {
            std::fprintf(stderr, "backup failed: %s\n", qPrintable(error));
            return 1;
        }
        print("backup (copy and atomic replace)", backupTime, 1000);

        // Restore from that backup: checks, side copy, copy into the data
        // folder, close, rename, reopen and check. The side copies of
        // earlier runs are removed between runs, untimed.
        DatabaseCopy::RestoreOutcome outcome;
        const BenchTiming restoreTime = MeasureRuns(
            runs, [&](int) { outcome = copy.Restore(backup); },
            [&](int) {
                if (!outcome.sideCopy.isEmpty())
                    QFile::remove(outcome.sideCopy);
            });
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
