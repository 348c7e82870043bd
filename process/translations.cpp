// SPDX-License-Identifier: GPL-3.0-or-later
#include "process/translations.h"

#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tavo {

namespace {

// Loads `name` for `language` from `folder` and installs it; false when there is no such file.
bool install(QCoreApplication& app, const QString& name, const QString& language, const QString& folder) {
    auto* translator = new QTranslator(&app);
    // Only the file of that exact language: a search that falls back to a shorter name could
    // load another language's file or none of this one's.
    if (!translator->load(name + QLatin1Char('_') + language, folder, QString())) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace

QString translationsFolder() {
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral(TAVO_TRANSLATIONS_RELATIVE));
}

void installTranslations(QCoreApplication& app) {
    installTranslations(app, translationsFolder());
}

void installTranslations(QCoreApplication& app, const QString& folder) {
    // The user's languages in the order preferred ("ja-JP", ...), each also without its country;
    // the first that is English or has a translation decides.
    for (QString language : QLocale::system().uiLanguages()) {
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        const QString withoutCountry = language.section(QLatin1Char('_'), 0, 0);
        if (language == QLatin1String("C") || withoutCountry == QLatin1String("en")) {
            return;
        }
        for (const QString& candidate : {language, withoutCountry}) {
            if (install(app, QStringLiteral("tavo"), candidate, folder)) {
                const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
                if (!install(app, QStringLiteral("qtbase"), candidate, qtFolder)) {
                    install(app, QStringLiteral("qtbase"), withoutCountry, qtFolder);
                }
                return;
            }
        }
    }
}

} // namespace tavo
