#include "platform/afx/toolkit_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool UseToolkitTranslations(bool japanese)
{
    static QTranslator translator;
    static bool installed = false;
    if (!japanese) {
        if (installed)
            QCoreApplication::removeTranslator(&translator);
        installed = false;
        return true;
    }
    if (installed)
        return true;
    if (!translator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    installed = QCoreApplication::installTranslator(&translator);
    return installed;
}
