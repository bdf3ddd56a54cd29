#pragma once

// What the goods-bill benchmarks share: the shop they run on and the line
// printed per goal.

#include <QString>
#include <QStringList>

#include "BenchTiming.h"

class QTemporaryDir;

// The shop of the goods-bill goals (PartiesShopProfile). Answers the file
// named by "--db FILE" in args (generated there first when it does not
// exist), else a shop generated into folder; throws what the generator
// throws.
QString GoodsBillBenchShop(const QStringList &args, const QTemporaryDir &folder);

// "<what>  median … ms  max … ms  goal < N ms  (goal met)"; the median
// decides, the maximum is given beside it.
void PrintGoal(const QString &what, const BenchTiming &timing, double goalMs);
