#pragma once

#include <QString>

// The path of a finance picture (":/finance/bmp221.svg" for "bmp221.svg"),
// its resources registered on first use: a static library's resources are
// not registered by themselves.
QString FinanceImage(const char *fileName);
