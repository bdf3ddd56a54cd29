#pragma once

// What both goods-bill benchmarks share: the shop they run on, the timing
// of a repeated action and the line printed per goal.

#include <QString>
#include <QStringList>

#include <functional>

class QTemporaryDir;

// The shop of the goods-bill goals: the generator's products and goods
// bills with 500 clients, 200 providers and 20,000 finance bills. Answers
// the file named by "--db FILE" in args (generated there first when it
// does not exist), else a shop generated into folder; throws what the
// generator throws.
QString GoodsBillBenchShop(const QStringList &args, QTemporaryDir &folder);

struct BenchTiming
{
    double median = 0.0;
    double max = 0.0;
};

// Runs the action runs times (given the run's index) and times each run.
BenchTiming MeasureRuns(int runs, const std::function<void(int)> &action);

// "<what>  median … ms  max … ms  (goal met)"; the median decides, the
// maximum is given beside it.
void PrintGoal(const QString &what, const BenchTiming &timing, double goalMs);
