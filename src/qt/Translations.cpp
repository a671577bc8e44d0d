#include "qt/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool InstallJapaneseTranslations(QCoreApplication& application) {
    if (application.findChild<QTranslator*>(QStringLiteral("qtbaseJapanese"))) return true;
    auto* translator = new QTranslator(&application);
    translator->setObjectName(QStringLiteral("qtbaseJapanese"));
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}
