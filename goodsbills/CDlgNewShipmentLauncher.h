#pragma once

#include "GoodsBillEditing.h"

// The program's way of opening a goods bill: runs CDlgNewShipment modally
// on the request, set up as its openers set it (mode, page, lines, tile,
// report page). The main window installs one for its life.
class CDlgNewShipmentLauncher : public GoodsBillEditorLauncher
{
public:
    int Run(QWidget* parent, const GoodsBillEditRequest& request) override;
};
