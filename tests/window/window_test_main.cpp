// Window tests: the real main window and its dialogs on an X display (Xvfb), driven with Qt's
// test events. Screenshots go to QUILLRUN_SCREENSHOTS when that names a folder.

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
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    // Every run of the tests starts with no remembered preferences.
    QFile::remove(Preferences::DefaultFile());
    return RUN_ALL_TESTS();
}
