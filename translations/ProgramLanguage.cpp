#include "translations/ProgramLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

#include <array>

namespace {

constexpr const char* EnglishLanguage = "en";
constexpr const char* ProgramCatalogue = "dazederir";
constexpr const char* QtCatalogue = "qt";
constexpr const char* CatalogueFolder = ":/translations";
constexpr const char* CataloguePrefix = "_";

// The one list of languages: a new translation is one more row and one more Linguist file.
constexpr std::array Choices {
    LanguageChoice { SystemLanguage, QT_TRANSLATE_NOOP("LanguageChoice", "System") },
    LanguageChoice { EnglishLanguage, "English" },
    LanguageChoice { "de", "Deutsch" },
    LanguageChoice { "es", "Español" },
};

QLocale ChosenLocale(const QString& choice)
{
    if (choice == QLatin1String(SystemLanguage))
        return QLocale::system();
    return QLocale(choice);
}

} // namespace

std::span<const LanguageChoice> LanguageChoices()
{
    return Choices;
}

QString KnownLanguage(const QString& code)
{
    for (const LanguageChoice& choice : Choices) {
        if (code == QLatin1String(choice.code))
            return code;
    }
    return QString::fromLatin1(SystemLanguage);
}

ProgramLanguage::ProgramLanguage(const QString& choice)
{
    const QLocale locale = ChosenLocale(KnownLanguage(choice));
    // English is what the code holds; a language with no translation stays English, and so do
    // Qt's own dialogs, so a window never mixes two languages.
    if (locale.language() == QLocale::English
        || !m_program.load(locale, QString::fromLatin1(ProgramCatalogue),
            QString::fromLatin1(CataloguePrefix), QString::fromLatin1(CatalogueFolder))) {
        return;
    }
    m_translated = QCoreApplication::installTranslator(&m_program);
    // Qt's texts come from the system (Debian's qt6-translations-l10n); without them the standard
    // buttons stay English.
    if (m_qt.load(locale, QString::fromLatin1(QtCatalogue), QString::fromLatin1(CataloguePrefix),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qt);
}

ProgramLanguage::~ProgramLanguage()
{
    QCoreApplication::removeTranslator(&m_qt);
    QCoreApplication::removeTranslator(&m_program);
}
