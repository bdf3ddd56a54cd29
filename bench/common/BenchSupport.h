#pragma once

// What the benchmarks on the generated shop share besides their timing
// (BenchTiming.h) and their user (UnattendedInteraction.h): the offscreen
// platform, their options and the shop they run on.

#include <QString>
#include <QStringList>

#include <functional>

#include "ShopGenerator.h"

class QDate;
class QDialog;
class QTemporaryDir;

// Qt's offscreen platform unless the environment names another; call
// before the application object is made.
void UseOffscreenPlatform();

// Drops the offscreen platform's warning about window hints it cannot
// honour, which every modal dialog and detail window would print.
void QuietOffscreenHints();

// The value after the option's name in args ("--db FILE"), or an empty
// text.
QString OptionValue(const QStringList& args, const QString& name);

// The shop of the partner, finance and goods-bill goals: the generator's
// products and goods bills with 500 clients, 200 providers and 20,000
// finance bills.
ShopProfile PartiesShopProfile();

// Tells what a generated shop holds and how long it took, in seconds.
using ShopReport = std::function<void(const ShopSummary& shop, double seconds)>;

// Writes a generated shop to path (which must not exist) and reports it;
// throws what the generator throws.
void GenerateBenchShop(const QString& path, const ShopProfile& profile, const ShopReport& report);

// The file named by "--db FILE" in args as it is, else a shop generated
// into folder.
QString BenchShopPath(
    const QStringList& args, const QTemporaryDir& folder, const ShopProfile& profile, const ShopReport& report);

// The period dialog (start 1007, end 1292) answered with start to end and
// accepted, answering its result; any other dialog is left alone and
// answered 0.
int AnswerPeriodDialog(QDialog* dialog, const QDate& start, const QDate& end);
