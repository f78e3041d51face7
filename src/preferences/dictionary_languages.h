#pragma once

#include <QMap>
#include <QString>
#include <optional>
#include <string>

#include "dictionary/text_encoding.h"

class QSettings;

namespace lirabo {

// The languages of a dictionary's headwords and of its definitions, as
// ISO 639-1 codes; empty where unknown.
struct TDictionaryLanguages {
    std::string Headword;
    std::string Definition;

    bool Empty() const { return Headword.empty() && Definition.empty(); }
    bool operator==(const TDictionaryLanguages&) const = default;
};

// What counts for a dictionary: each language as its file states it, else as
// the person chose it for that file, else unknown. A file's own word always
// wins, so a choice made for an older copy cannot contradict a newer one.
TDictionaryLanguages EffectiveLanguages(const TTextDescription& Stated, const TDictionaryLanguages& Chosen);

// A choice as the settings keep it: "de-en", a side left empty when unknown
// ("de-", "-en").
QString FormatLanguages(const TDictionaryLanguages& Languages);
// The choice a stored text holds; nothing unless it is exactly two table
// codes or empties around one "-": the settings file is edited by hand.
std::optional<TDictionaryLanguages> ParseLanguages(const QString& Text);

// The person's choices by dictionary file name (without folder: the same
// file in another data folder is the same dictionary).
using TLanguageChoices = QMap<QString, TDictionaryLanguages>;

// The choices under the store's group kLanguageChoicesGroup. Values of
// another type, values that do not parse and values that choose nothing are
// left out. Never raises.
inline constexpr const char* kLanguageChoicesGroup = "DictionaryLanguages";
TLanguageChoices ReadLanguageChoices(const QSettings& Key);
// Replaces the whole group with Choices (empty choices left out).
void WriteLanguageChoices(QSettings& Key, const TLanguageChoices& Choices);

// A language as a person reads it: its name and its code ("Greek (el)"). A
// code the platform has no name for shows as the code alone.
QString LanguageName(const std::string& Code);

}  // namespace lirabo
