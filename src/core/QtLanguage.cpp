#include "core/QtLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace {
struct Installed {
    std::unique_ptr<QTranslator> translator;
    QString language;
};

Installed& installed()
{
    static Installed current;
    return current;
}

void removeInstalled()
{
    Installed& current = installed();
    if (current.translator && QCoreApplication::instance())
        QCoreApplication::removeTranslator(current.translator.get());
    current.translator.reset();
    current.language.clear();
}
} // namespace

QLocale languageLocale(const QString& languageCode)
{
    const QString code = languageCode.trimmed().toLower();
    return code.isEmpty() ? QLocale::c() : QLocale(code);
}

void applyQtLanguage(const QString& languageCode)
{
    const QString code = languageCode.trimmed().toLower();
    if (!code.isEmpty() && code == installed().language)
        return;
    removeInstalled();
    if (code.isEmpty() || !QCoreApplication::instance())
        return;
    const QLocale locale = languageLocale(code);
    if (locale.language() == QLocale::C || locale.language() == QLocale::English)
        return;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(translator.get());
    installed().translator = std::move(translator);
    installed().language = code;
}

QString appliedQtLanguage()
{
    return installed().language;
}
