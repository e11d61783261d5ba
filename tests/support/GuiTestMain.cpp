// Entry point of the window tests: one QApplication for the whole test
// program (on the offscreen platform that CTest selects).

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    // Test discovery runs this program at build time, outside CTest's
    // environment: without a display it must still start.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
