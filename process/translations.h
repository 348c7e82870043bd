// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

namespace tavo {

// Installs the translations of the desktop's language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG, as Qt
// reads them): the programs' own texts and Qt's, for its standard buttons. English is the language
// the texts are written in, so an English desktop, or one whose language has no translation, gets
// them as they are. Call once for each application object, once it exists; the translators live
// as long as it does.
void installTranslations(QCoreApplication& app);

// The same from another folder than the one the program finds beside itself (a test in the build
// tree).
void installTranslations(QCoreApplication& app, const QString& folder);

// Where the program looks for its translations: installed, ../share/tavo/translations beside the
// program's folder; in the build tree, the same path below the build folder.
[[nodiscard]] QString translationsFolder();

} // namespace tavo
