// SPDX-License-Identifier: GPL-3.0-or-later
// The Japanese window tests' main: the process speaks Japanese whoever runs it, with the
// translations loaded as the programs load them, from the build tree.

#include "process/translations.h"
#include "ui/look.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Before the application object reads the language; LANGUAGE, LC_ALL and LC_MESSAGES would
    // come before LANG.
    qputenv("LANG", "ja_JP.UTF-8");
    for (const char* overriding : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) {
        qunsetenv(overriding);
    }
    QApplication app(argc, argv);
    tavo::installLookAndFeel();
    tavo::installTranslations(app, QStringLiteral(TAVO_TRANSLATIONS_BUILD_DIR));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
