#include "platform/ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace ui {

bool installQtDutch()
{
    static QTranslator *installed = nullptr;
    if (installed)
        return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_nl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(translator.get()))
        return false;
    // Installed: the application owns it from here on.
    translator->setParent(QCoreApplication::instance());
    installed = translator.release();
    return true;
}

} // namespace ui
