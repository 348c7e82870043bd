// SPDX-License-Identifier: GPL-3.0-or-later
// The window tests' main, with the translations of the user's language loaded as the programs
// load them, from the build tree.

#include "process/translations.h"
#include "ui/look.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    tavo::installLookAndFeel();
    tavo::installTranslations(app, QStringLiteral(TAVO_TRANSLATIONS_BUILD_DIR));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
