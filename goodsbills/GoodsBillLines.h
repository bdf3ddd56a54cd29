#pragma once

#include <vector>

#include "GoodsBillSide.h"
#include "RecordTypes.h"

// A goods bill as the store, the writer and the editor exchange it: its
// lines in the sales layout on both sides (the purchase side converts with
// ToSalesLayout / ToPurchaseLayout at its tiles and records).
using GoodsBillLines = std::vector<struct_button_goodsbill>;
