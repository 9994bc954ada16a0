#include "core/windows/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace tv {

bool useQtTranslations(int language)
{
    // The one translator of the program's lifetime; replaced at each switch.
    static std::unique_ptr<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    if (language != 0)
        return true;
    auto german = std::make_unique<QTranslator>();
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!german->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                      QStringLiteral("_"), folder)) {
        qWarning("Tramvik GPS: Qt's German texts (qtbase_de.qm) were not found in %s; Qt's "
                 "dialogs stay English",
                 qUtf8Printable(folder));
        return false;
    }
    QCoreApplication::installTranslator(german.get());
    installed = std::move(german);
    return true;
}

} // namespace tv
