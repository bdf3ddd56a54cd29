// main() of the tests that need Qt: the program's application object on
// the offscreen platform, with the program's resources, then every test.

#include <gtest/gtest.h>

#include "ProgramDatabase.h"
#include "SafeApplication.h"

namespace {
QtMessageHandler s_defaultHandler = nullptr;

// The offscreen platform warns about window hints it cannot honour; the
// rest of Qt's messages stay visible.
void filterMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("does not support propagateSizeHints")))
        return;
    s_defaultHandler(type, context, message);
}
} // namespace

int main(int argc, char **argv)
{
    s_defaultHandler = qInstallMessageHandler(filterMessages);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    SafeApplication app(argc, argv);
    InitAppResources();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
