// Test entry point for widget tests: a QApplication around GoogleTest (run under Xvfb).
#include "support/KeepGlDriverLoaded.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    keepGlDriverLoaded();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
