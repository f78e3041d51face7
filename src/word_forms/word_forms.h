#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lirabo {

class TDictionaryStore;

// The base forms a word may be an inflected form of: "houses" of house,
// "went" of go, "Häuser" of Haus. English follows WordNet's detachment rules
// and exception lists, compiled into the program; any other language uses
// the Hunspell dictionary installed for it, read on first need. Not
// thread-safe: one object per thread.
class TWordForms {
public:
    // Folders searched for Hunspell's LANG_COUNTRY.aff/.dic pairs, in order.
    explicit TWordForms(std::vector<std::string> HunspellFolders = DefaultHunspellFolders());
    ~TWordForms();
    TWordForms(const TWordForms&) = delete;
    TWordForms& operator=(const TWordForms&) = delete;

    // Longer words are nobody's inflection: they are not looked at.
    static constexpr size_t kMaxWordBytes = 200;

    // Where the desktop keeps Hunspell dictionaries: the user's
    // $XDG_DATA_HOME/hunspell, hunspell/ in each of $XDG_DATA_DIRS, then the
    // older myspell folders.
    static std::vector<std::string> DefaultHunspellFolders();

    // Whether Candidates can know anything of Language: English, or a
    // language with a Hunspell dictionary in the folders while the library
    // is there. Opens that dictionary (on first need, as Candidates would).
    bool HasLanguage(std::string_view Language);

    // The base forms Word (UTF-8) may be an inflected form of in Language
    // (an ISO 639-1 code), most likely first, whether or not any dictionary
    // holds them. Word itself and repeats are left out. English results are
    // lower case; Hunspell's keep its case ("Haus"). Empty for an empty or
    // unknown language, one with no Hunspell dictionary installed, and a
    // Word that is empty, not UTF-8 or longer than kMaxWordBytes. Never
    // raises for any input.
    std::vector<std::string> Candidates(std::string_view Word, std::string_view Language);

    // The candidates that are headwords of what Store has open (compared by
    // its rule), each as the dictionary writes it, in UTF-8, most likely
    // first, repeats (by folded text) left out. Word is UTF-8. A candidate the
    // file's encoding cannot hold is passed over. Empty when nothing is open.
    // May decode sections of Store, and raises what decoding raises (a read
    // or bzip2 error), never the EAbort of a word that is not there.
    std::vector<std::string> FormsIn(TDictionaryStore& Store, std::string_view Word, std::string_view Language);

private:
    struct TState;
    std::unique_ptr<TState> FState;
};

}  // namespace lirabo
