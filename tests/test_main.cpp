// Test entry point: a QApplication on the offscreen platform, then every test.

#include <gtest/gtest.h>
#include "app/preferences.h"

#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <cstring>

int main(int argc, char** argv) {
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) listing = true;
    ::testing::InitGoogleTest(&argc, argv);
    if (listing) return RUN_ALL_TESTS();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // No test may touch the user's own configuration folder.
    QStandardPaths::setTestModeEnabled(true);
    // Every run of the tests starts with no remembered preferences.
    QFile::remove(Preferences::DefaultFile());
    return RUN_ALL_TESTS();
}
