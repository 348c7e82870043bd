// SPDX-License-Identifier: GPL-3.0-or-later
#include "process/translations.h"

#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <array>

namespace tavo {

namespace {

// Texts of Qt's own that the programs translate in their files, which are looked up before Qt's:
// the two that Qt's translations lack, and those they give in another style than the programs'
// own texts beside them in `--help` (Japanese: the plain form where the programs say です/ます).
[[maybe_unused]] constexpr std::array kQtTextsTranslatedHere{
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help on commandline options."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help including Qt specific options."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays version information."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown options: %1."),
};

// The translator of `name` for `language` from `folder`, or none when there is no such file.
QTranslator* load(QCoreApplication& app, const QString& name, const QString& language, const QString& folder) {
    auto* translator = new QTranslator(&app);
    // Only the file of that exact language: a search that falls back to a shorter name could
    // load another language's file or none of this one's.
    if (!translator->load(name + QLatin1Char('_') + language, folder, QString())) {
        delete translator;
        return nullptr;
    }
    return translator;
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
            QTranslator* own = load(app, QStringLiteral("tavo"), candidate, folder);
            if (own == nullptr) {
                continue;
            }
            // Qt's words (standard buttons, the command line's help) and its serial ports' errors.
            const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
            for (const QString& module : {QStringLiteral("qtbase"), QStringLiteral("qtserialport")}) {
                QTranslator* qt = load(app, module, candidate, qtFolder);
                if (qt == nullptr) {
                    qt = load(app, module, withoutCountry, qtFolder);
                }
                if (qt != nullptr) {
                    QCoreApplication::installTranslator(qt);
                }
            }
            // The one installed last is asked first: the programs' own texts before Qt's.
            QCoreApplication::installTranslator(own);
            return;
        }
    }
}

} // namespace tavo
