#include "makrel/cli/suggest_command.h"

#include <stdexcept>

#include "dictionary/utf8_text.h"
#include "makrel/core/text_escape.h"
#include "suggestions/headword_index.h"

namespace makrel {

int RunSuggest(const std::string& File, const std::string& Word, std::ostream& Out)
{
    if (lirabo::FindInvalidUtf8(Word) != std::string::npos)
        throw std::runtime_error(lirabo::ShowableUtf8(Word) + ": invalid UTF-8");
    lirabo::THeadwordIndex index;
    try {
        index = lirabo::THeadwordIndex::FromFile(File);
    } catch (const std::exception& e) {
        throw std::runtime_error(File + ": " + (*e.what() ? e.what() : "not a dictionary file"));
    }
    for (const std::string& suggestion : index.Suggest(Word))
        Out << EscapeForOutput(suggestion, lirabo::TTextEncoding::Utf8) << '\n';
    return 0;
}

}  // namespace makrel
