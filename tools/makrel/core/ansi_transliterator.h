#pragma once

#include <string>
#include <string_view>

#include "makrel/core/entry_text.h"

namespace makrel {

// Turns UTF-8 entry text into Windows-1252, for dictionaries that must be
// written in that code page. Unlike the strict conversion of makrel's own
// input format, nothing here is an error: a character without a
// Windows-1252 byte is transliterated or dropped, and counted, because real
// dictionaries carry IPA, Greek and the odd stray symbol that no one wants
// to fix by hand.
//
// - IPA letters become their X-SAMPA letters (ɪ I, ə @, ʊ U, ɛ E, ɔ O, ɒ Q,
//   ʌ V, ɑ A, ʃ S, ʒ Z, ŋ N, ɜ 3, ɐ 6, ɡ g), except that θ is th and the
//   r-sounds ɹ and ɾ, whose X-SAMPA forms puzzle readers, are plain r; the
//   stress marks ˈ ˌ become ' and , and the length mark ː a colon.
// - Latin letters with diacritics outside the code page lose the diacritic
//   (ł l, ő o, ș s); Greek and Cyrillic letters are transliterated (α a,
//   θ th, ж zh); a combining tilde becomes ~, other combining marks vanish.
// - Typographic symbols get ASCII stand-ins (− -, → ->, ≤ <=, ⅓ 1/3), odd
//   spaces become spaces, zero-width characters vanish.
// - Anything else becomes ?.
// Control characters, C1 controls and bytes that are not UTF-8 are first
// treated as in all entry text (see TEntryText, not composed here); what it
// drops or reads as Windows-1252 counts as replaced too.
class TAnsiTransliterator {
public:
    // Converts Utf8; every character not copied as it is counts as replaced.
    std::string Convert(std::string_view Utf8, bool KeepLineBreaks = false);
    // Appends the conversion of Utf8 to Out.
    void Append(std::string& Out, std::string_view Utf8, bool KeepLineBreaks = false);

    size_t Replaced() const { return FReplaced; }

private:
    TEntryText FEntryText{false};
    std::string FClean;  // the entry text of the current conversion
    size_t FReplaced = 0;
};

}  // namespace makrel
