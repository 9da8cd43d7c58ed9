// Test entry point for tests without widgets: a QGuiApplication (fonts, images) around GoogleTest.
#include "support/KeepGlDriverLoaded.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    keepGlDriverLoaded();
    // Fonts and images need a GUI application, never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
