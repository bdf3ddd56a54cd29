// Times what a person waits for when a goods-bill tile is clicked: the
// stored six-line bill read with its deposit (LoadBill) and the goods bill
// editor opened on it, its lists, grid and buttons filled and the window
// shown (goal < 100 ms, both sides).
//   editor_bench [--db FILE]
// Without --db the shop is generated into a temporary folder first; the
// bench writes nothing.

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>

#include <cstdio>
#include <exception>
#include <vector>

#include "BenchSupport.h"
#include "CCellTypesGridCtrl.h"
#include "CDlgNewShipment.h"
#include "Database.h"
#include "GlobalFunctions.h"
#include "GoodsBillBenchSupport.h"
#include "GoodsBillStore.h"
#include "ProgramDatabase.h"
#include "UnattendedInteraction.h"

namespace {

constexpr int kRuns = 40;
constexpr double kGoalMs = 100.0;

// The GUIDs of up to count stored bills of six lines, spread over the
// shop's years.
QStringList SixLineBills(Database& db, const GoodsBillSide& side, int count)
{
    Statement query = db.prepare(
        QStringLiteral("SELECT GUID FROM %1 GROUP BY GUID HAVING COUNT(*) = 6 ORDER BY MIN(RowNo) % 97, GUID LIMIT ?")
            .arg(QLatin1String(side.table))
            .toUtf8()
            .constData());
    query.bind(1, count);
    QStringList guids;
    while (query.next())
        guids << query.text(QStringLiteral("GUID"));
    return guids;
}

} // namespace

int main(int argc, char** argv)
{
    UseOffscreenPlatform();
    QuietOffscreenHints();
    QApplication app(argc, argv);
    InitAppResources();
    // Nobody is there to answer: dialogs are closed.
    UnattendedInteraction user;
    user.SetModalAnswer([](QDialog* dialog) {
        dialog->reject();
        return dialog->result();
    });
    QTemporaryDir folder;
    int status = 0;
    try {
        Database db(GoodsBillBenchShop(app.arguments(), folder), Database::OpenMode::ReadWrite);
        g_pConnection = &db;
        for (const GoodsBillSide* side : {&GoodsBillSide::Sales(), &GoodsBillSide::Purchase()}) {
            const QStringList guids = SixLineBills(db, *side, kRuns);
            if (guids.size() < kRuns)
                throw std::runtime_error("the shop has too few six-line bills");

            const int mode = side->party == PartyProvider ? 12 : 2;
            int filledLines = 0;
            const BenchTiming open = MeasureRuns(kRuns, [&](int run) {
                // The tile's click: the bill read by its GUID, then the
                // editor set up and shown.
                const GoodsBillLines lines = GoodsBillStore(db, *side).LoadBill(guids.at(run));
                CDlgNewShipment editor;
                editor.SetIntMember(mode);
                editor.SetBillRows(lines);
                editor.show();
                QCoreApplication::processEvents();
                // Painted, as the person sees it.
                editor.repaint();
                const CCellTypesGridCtrl* grid = editor.Grid();
                for (int row = CCellTypesGridCtrl::FirstLineRow; row < grid->TotalsRow(); ++row)
                    filledLines += grid->CellText(row, CCellTypesGridCtrl::CodeCol).isEmpty() ? 0 : 1;
                editor.hide();
            });
            if (filledLines != 6 * kRuns)
                throw std::runtime_error("the editor did not show every line of the bills");
            PrintGoal(
                QStringLiteral("%1: open a stored six-line bill from its tile").arg(side->sideWord), open, kGoalMs);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        status = 1;
    }
    g_pConnection = nullptr;
    return status;
}
