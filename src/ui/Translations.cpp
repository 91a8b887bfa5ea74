#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>

namespace ui {

bool installQtTranslations(QCoreApplication &app) {
    const QString name = QStringLiteral("qtbase_zh_CN");
    if (app.findChild<QTranslator *>(name, Qt::FindDirectChildrenOnly)) return true;
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto *translator = new QTranslator(&app);
    translator->setObjectName(name);
    if (!translator->load(name, dir) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        std::fprintf(
            stderr,
            "Lumibo: Qt's Chinese texts (%s/%s.qm, Debian package qt6-translations-l10n) are missing; "
            "dialog buttons stay in English.\n",
            qUtf8Printable(dir), qUtf8Printable(name));
        return false;
    }
    return true;
}

} // namespace ui
