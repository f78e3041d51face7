#pragma once

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

    // Where the desktop keeps Hunspell dictionaries.
    static std::vector<std::string> DefaultHunspellFolders();

    // The base forms Word (UTF-8) may be an inflected form of in Language
    // (an ISO 639-1 code), most likely first, whether or not any dictionary
    // holds them. Word itself and repeats are left out. Empty for an empty or
    // unknown language, or one with no Hunspell dictionary installed.
    std::vector<std::string> Candidates(std::string_view Word, std::string_view Language);

    // The candidates that are headwords of what Store has open (compared by
    // its rule), each as the dictionary writes it, in UTF-8, most likely
    // first. Word is UTF-8. May decode sections of Store (and raise as its
    // FindWord does).
    std::vector<std::string> FormsIn(TDictionaryStore& Store, std::string_view Word, std::string_view Language);

private:
    struct TState;
    std::unique_ptr<TState> FState;
};

}  // namespace lirabo
