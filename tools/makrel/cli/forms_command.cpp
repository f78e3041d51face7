#include "makrel/cli/forms_command.h"

#include <stdexcept>

#include "dictionary/dictionary_store.h"
#include "dictionary/utf8_text.h"
#include "makrel/core/text_escape.h"
#include "word_forms/word_forms.h"

namespace makrel {

using namespace lirabo;

namespace {

constexpr int kNoForms = 1;

std::runtime_error Failure(const std::string& Subject, const std::string& Message)
{
    return std::runtime_error(Subject + ": " + Message);
}

}  // namespace

int RunForms(const std::string& File, const std::string& Word, std::ostream& Out, std::ostream& Err)
{
    if (FindInvalidUtf8(Word) != std::string::npos)
        throw Failure(ShowableUtf8(Word), "invalid UTF-8");
    TDictionaryStore store;
    try {
        store.OpenDictionary(File);
    } catch (const std::exception& e) {
        throw Failure(File, *e.what() ? e.what() : "not a dictionary file");
    }
    const std::string& language = store.Header().Text.HeadwordLanguage;
    // An empty answer would claim the word has no forms here; say instead
    // why none can be known.
    if (language.empty()) {
        Err << "makrel: " << File
            << ": the headword language is unknown (makrel build or recode --languages sets it)\n";
        return kNoForms;
    }
    TWordForms forms;
    if (!forms.HasLanguage(language)) {
        Err << "makrel: " << File << ": no word forms are known for the language " << language
            << ": install its Hunspell dictionary (Debian: apt search hunspell-" << language << ")\n";
        return kNoForms;
    }
    std::vector<std::string> found;
    try {
        found = forms.FormsIn(store, Word, language);
    } catch (const std::exception& e) {
        throw Failure(File, e.what());
    }
    for (const std::string& form : found)
        Out << EscapeForOutput(form, TTextEncoding::Utf8) << '\n';
    return 0;
}

}  // namespace makrel
