#pragma once

#include <QString>

// One entry of a parameter list as the options page and the name dialogs
// hand it to each other: the name shown and stored in bills, and the key
// of its row.
struct ParameterEntry
{
    QString Name;
    QString Guid;

    bool operator==(const ParameterEntry &) const = default;
};
