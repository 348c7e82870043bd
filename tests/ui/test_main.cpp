// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/look.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    // Test discovery runs the binary without the test environment.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // English whoever runs it: the tests pin English names, and the fonts' family names are the
    // ones fontconfig gives in English.
    qputenv("LANG", "C.UTF-8");
    for (const char* overriding : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) {
        qunsetenv(overriding);
    }
    QApplication app(argc, argv);
    tavo::installLookAndFeel();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
