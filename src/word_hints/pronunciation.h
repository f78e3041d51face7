#pragma once

#include <QString>
#include <string>

#include "speech/speech.h"

namespace lirabo {

// The window's texts for speech that cannot be had; "%s" is the language.
struct TSpeechTexts {
    QString NoLibrary = QStringLiteral("Pronunciation needs the speech library espeak-ng (package libespeak-ng1)");
    QString NoVoice = QStringLiteral("No voice is installed for %s");
    QString UnknownLanguage;
};

// What Pronounce speaks, in which language (an ISO 639-1 code, empty when
// the dictionary does not say), and why it cannot be spoken.
struct TPronunciation {
    QString Text;
    std::string Language;

    // The word menu: the word the right click marked when it lies in a
    // definition, in the definition language; else the entry's headword,
    // or the word of a link (which names a headword) when there is no
    // entry, in the headword language.
    static TPronunciation ForWordMenu(const QString& MarkedWord, bool InDefinition, const QString& Headword,
                                      const std::string& HeadwordLanguage, const std::string& DefinitionLanguage);
    // The key: the current entry's headword, else the lookup box's word, in
    // the headword language.
    static TPronunciation ForKey(const QString& CurrentHeadword, const QString& LookupText,
                                 const std::string& HeadwordLanguage);

    // Why Availability keeps Language from being spoken, in Texts; empty
    // when Ready. A voice missing for no language at all is the
    // dictionary's unknown language, not a missing voice.
    static QString UnavailableReason(TSpeech::TAvailability Availability, const std::string& Language,
                                     const TSpeechTexts& Texts);
};

}  // namespace lirabo
