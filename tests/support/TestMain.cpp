#include <gtest/gtest.h>

#include <QApplication>

// Widget and painting tests need an application object; CTest runs them on
// the offscreen platform so nothing reaches a real screen.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
