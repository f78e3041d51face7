#include "word_forms/word_forms.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include "dictionary/dictionary_store.h"
#include "dictionary/display_text.h"
#include "dictionary/exceptions.h"
#include "dictionary/text_encoding.h"
#include "dictionary/utf8_text.h"
#include "word_forms/english_forms.h"
#include "word_forms/hunspell_dictionary_files.h"
#include "word_forms/hunspell_stemmer.h"

namespace lirabo {

namespace {

std::string Folded(std::string_view Text)
{
    std::string folded;
    AppendFoldedBytes(folded, Text);
    return folded;
}

std::string LowerAscii(std::string_view Text)
{
    std::string out(Text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The XDG base-directory rule: an unset, empty or relative value means the
// default.
std::string XdgValue(const char* Name, const std::string& Default)
{
    const char* value = std::getenv(Name);
    return value && *value == '/' ? value : Default;
}

void AddFolder(std::vector<std::string>& Folders, std::string Folder)
{
    if (std::find(Folders.begin(), Folders.end(), Folder) == Folders.end())
        Folders.push_back(std::move(Folder));
}

}  // namespace

struct TWordForms::TState {
    std::vector<std::string> Folders;
    // Per language, its opened dictionary, or null when it has none: a
    // folder is searched once per language and object, not once per word.
    std::map<std::string, std::unique_ptr<THunspellStemmer>, std::less<>> Stemmers;

    // Only codes of the ISO 639-1 table are looked for, which also bounds
    // what Stemmers can hold whatever callers pass.
    THunspellStemmer* Stemmer(const std::string& Language)
    {
        if (!IsLanguageCode(Language))
            return nullptr;
        auto it = Stemmers.find(Language);
        if (it == Stemmers.end()) {
            std::unique_ptr<THunspellStemmer> stemmer;
            if (const auto files = FindHunspellDictionary(Folders, Language)) {
                const THunspellLibrary& library = THunspellLibrary::System();
                if (library.Loaded())
                    stemmer = std::make_unique<THunspellStemmer>(library, files->AffixFile, files->WordFile);
            }
            it = Stemmers.emplace(Language, std::move(stemmer)).first;
        }
        return it->second.get();
    }
};

TWordForms::TWordForms(std::vector<std::string> HunspellFolders) : FState(std::make_unique<TState>())
{
    FState->Folders = std::move(HunspellFolders);
}

TWordForms::~TWordForms() = default;

std::vector<std::string> TWordForms::DefaultHunspellFolders()
{
    const char* home = std::getenv("HOME");
    std::vector<std::string> folders;
    const std::string userData =
        XdgValue("XDG_DATA_HOME", home && *home == '/' ? std::string(home) + "/.local/share" : "");
    if (!userData.empty())
        AddFolder(folders, userData + "/hunspell");
    const std::string dataValue = XdgValue("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    std::string_view dataFolders = dataValue;
    while (!dataFolders.empty()) {
        const size_t colon = dataFolders.find(':');
        const std::string_view folder = dataFolders.substr(0, colon);
        if (folder.starts_with('/'))
            AddFolder(folders, std::string(folder) + "/hunspell");
        dataFolders.remove_prefix(colon == std::string_view::npos ? dataFolders.size() : colon + 1);
    }
    AddFolder(folders, "/usr/share/myspell/dicts");
    AddFolder(folders, "/usr/share/myspell");
    return folders;
}

bool TWordForms::HasLanguage(std::string_view Language)
{
    const std::string language = LowerAscii(Language);
    return language == "en" || FState->Stemmer(language) != nullptr;
}

std::vector<std::string> TWordForms::Candidates(std::string_view Word, std::string_view Language)
{
    if (Word.empty() || Word.size() > kMaxWordBytes || FindInvalidUtf8(Word) != std::string_view::npos)
        return {};
    const std::string word = NormalizeNfc(Word);
    const std::string folded = Folded(word);
    const std::string language = LowerAscii(Language);
    if (language == "en")
        return EnglishBaseForms(folded);
    THunspellStemmer* stemmer = FState->Stemmer(language);
    if (!stemmer)
        return {};
    // Hunspell keeps the case its dictionary writes ("Haus"), which is worth
    // keeping; only a stem that is Word itself in another case goes.
    std::vector<std::string> stems = stemmer->Stems(word);
    std::erase_if(stems, [&](const std::string& Stem) { return Folded(Stem) == folded; });
    return stems;
}

std::vector<std::string> TWordForms::FormsIn(TDictionaryStore& Store, std::string_view Word,
                                             std::string_view Language)
{
    std::vector<std::string> forms;
    if (Store.Source() == TDictionaryStore::kSourceNone)
        return forms;
    const TTextEncoding encoding = Store.Rule().Encoding();
    std::vector<std::string> seen;  // folded forms
    for (const std::string& candidate : Candidates(Word, Language)) {
        const TStoredText stored = ToStoredText(candidate, encoding);
        if (!stored.Fits || stored.Text.empty())
            continue;
        int first = -1;
        int count = 0;
        try {
            Store.FindWord(stored.Text, true, first, count);
        } catch (const EInvalidDictionary&) {
            throw;
        } catch (const EScanStopped&) {
            throw;
        } catch (const EAbort&) {
            continue;  // not a headword
        }
        const TWordItem* item = Store.GetItem(first);
        if (!item)
            continue;
        std::string form = ToDisplayText(item->Word, encoding);
        std::string folded = Folded(form);
        if (std::find(seen.begin(), seen.end(), folded) != seen.end())
            continue;
        seen.push_back(std::move(folded));
        forms.push_back(std::move(form));
    }
    return forms;
}

}  // namespace lirabo
