#pragma once

#include <QString>
#include <QTranslator>

#include <span>

// A language the windows can be shown in, as Options > Language offers it.
struct LanguageChoice {
    const char* code; // as kept in the settings file
    const char* name; // as the menu shows it: each language in its own words
};

// The choice that follows the system's language; the default.
inline constexpr const char* SystemLanguage = "System";

// System first, then English, the language the texts are written in, then the translations.
std::span<const LanguageChoice> LanguageChoices();

// `code` if it names a choice, else the system's language, so a hand-edited settings file cannot
// leave the program without one.
QString KnownLanguage(const QString& code);

// While it lives, the application's texts, and Qt's own in its standard dialogs, are looked up in
// the chosen language. Texts made before it was made stay as they were: the windows are made after.
class ProgramLanguage {
public:
    explicit ProgramLanguage(const QString& choice);
    ~ProgramLanguage();
    ProgramLanguage(const ProgramLanguage&) = delete;
    ProgramLanguage& operator=(const ProgramLanguage&) = delete;

    // True when the windows are shown translated, false when in English.
    bool Translated() const { return m_translated; }

private:
    QTranslator m_program;
    QTranslator m_qt;
    bool m_translated = false;
};
