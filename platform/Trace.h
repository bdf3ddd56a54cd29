#pragma once

#include <QLoggingCategory>

// Developer trace; silent unless enabled with
// QT_LOGGING_RULES="jxc.trace.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcTrace)
