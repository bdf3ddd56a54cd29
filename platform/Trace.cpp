#include "Trace.h"

Q_LOGGING_CATEGORY(lcTrace, "jxc.trace", QtWarningMsg)
