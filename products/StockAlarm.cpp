#include "StockAlarm.h"

#include "CDlgProductCountTip.h"
#include "Interaction.h"

void ShowStockAlarm(QWidget *parent)
{
    CDlgProductCountTip dialog(parent);
    if (dialog.LoadLowStockProducts() == 1)
        Interaction::current().runModal(&dialog);
}
