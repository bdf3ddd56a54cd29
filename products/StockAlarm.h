#pragma once

class QWidget;

// Lists the products whose stock count is below their alarm count, when
// there are any. Runs at the first finance-supervisor login of a run.
void ShowStockAlarm(QWidget *parent);
