#pragma once

#include <QString>

#include <ostream>

// Texts in failure messages as they read, not as a list of UTF-16 units.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
