#include <QApplication>

#include <gtest/gtest.h>

// The preview dialog is a widget, so the tests need a QApplication; the
// offscreen platform keeps every window invisible.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
