#include "word_hints/pronunciation.h"

#include <QLocale>

namespace lirabo {

namespace {

// The language's name ("German"), which Qt knows in English only: its
// native name would bring a country along ("American English") that the
// dictionary never stated. The code itself when Qt does not know it.
QString LanguageName(const std::string& Code)
{
    const QString code = QString::fromStdString(Code);
    const QLocale::Language language = QLocale(code).language();
    return language == QLocale::C ? code : QLocale::languageToString(language);
}

}  // namespace

TPronunciation TPronunciation::ForWordMenu(const QString& MarkedWord, bool InDefinition, const QString& Headword,
                                           const std::string& HeadwordLanguage, const std::string& DefinitionLanguage)
{
    if (InDefinition && !MarkedWord.isEmpty())
        return {MarkedWord, DefinitionLanguage};
    return {Headword.isEmpty() ? MarkedWord : Headword, HeadwordLanguage};
}

TPronunciation TPronunciation::ForKey(const QString& CurrentHeadword, const QString& LookupText,
                                      const std::string& HeadwordLanguage)
{
    return {CurrentHeadword.isEmpty() ? LookupText.trimmed() : CurrentHeadword, HeadwordLanguage};
}

QString TPronunciation::UnavailableReason(TSpeech::TAvailability Availability, const std::string& Language,
                                          const TSpeechTexts& Texts)
{
    switch (Availability) {
        case TSpeech::TAvailability::Ready:
            return {};
        case TSpeech::TAvailability::NoLibrary:
            return Texts.NoLibrary;
        case TSpeech::TAvailability::NoVoice:
            break;
    }
    if (Language.empty())
        return Texts.UnknownLanguage;
    QString text = Texts.NoVoice;
    return text.replace(QStringLiteral("%s"), LanguageName(Language));
}

}  // namespace lirabo
