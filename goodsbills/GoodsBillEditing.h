#pragma once

#include "GoodsBillLines.h"

class QWidget;
class CBCGPGoodsBillButton;
class CBCGPProviderGoodsBillButton;
class CDlgTabData_Provider;
class CDlgTabGoods;
class CDlgTabProviderGoods;

// What opening the goods bill editor takes: its GoodsBillMode, the lines it
// starts from (a stored bill, one line made out to a party, or none) and
// the windows it updates once a write has committed.
struct GoodsBillEditRequest
{
    int mode = 0;
    GoodsBillLines lines;
    CDlgTabGoods *salesPage = nullptr;
    CDlgTabProviderGoods *purchasePage = nullptr;
    // The tile that opened the bill (change modes 2/3, 12/13).
    CBCGPGoodsBillButton *salesTile = nullptr;
    CBCGPProviderGoodsBillButton *purchaseTile = nullptr;
    // The report page that opened the bill (modes 8/9, 14/15).
    CDlgTabData_Provider *reportPage = nullptr;
};

// How the pages, the chooser, the report page and the parties' detail
// window open the goods bill editor. The program installs the one that
// runs CDlgNewShipment; tests install a scripted one.
class GoodsBillEditorLauncher
{
public:
    virtual ~GoodsBillEditorLauncher() = default;
    // Runs the editor modally: 1 when it saved or deleted the bill, else 0.
    virtual int Run(QWidget *parent, const GoodsBillEditRequest &request) = 0;

    static GoodsBillEditorLauncher *current();
    // The caller keeps ownership; nullptr removes it.
    static void install(GoodsBillEditorLauncher *launcher);

protected:
    GoodsBillEditorLauncher() = default;
    GoodsBillEditorLauncher(const GoodsBillEditorLauncher &) = default;
    GoodsBillEditorLauncher &operator=(const GoodsBillEditorLauncher &) = default;
};
