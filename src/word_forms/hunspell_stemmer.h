#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "word_forms/charset_converter.h"
#include "word_forms/hunspell_library.h"

namespace lirabo {

// One Hunspell dictionary (an .aff/.dic pair) asked for the stems of words,
// in UTF-8 whatever the dictionary's own SET is. Not thread-safe.
class THunspellStemmer {
public:
    // Library must outlive the stemmer. A library that is not loaded makes a
    // stemmer that finds nothing.
    THunspellStemmer(const THunspellLibrary& Library, const std::string& AffixFile,
                     const std::string& WordFile);
    ~THunspellStemmer();
    THunspellStemmer(const THunspellStemmer&) = delete;
    THunspellStemmer& operator=(const THunspellStemmer&) = delete;

    // Hunspell's stems of Word (UTF-8), in its order, repeats removed.
    // Nothing when Word has a character the dictionary's set lacks; a stem
    // that cannot be read in that set is left out.
    std::vector<std::string> Stems(std::string_view Word);

private:
    const THunspellLibrary& FLibrary;
    Hunhandle* FHandle = nullptr;
    std::unique_ptr<TCharsetConverter> FConverter;
};

}  // namespace lirabo
