#include "word_forms/hunspell_stemmer.h"

#include <algorithm>

namespace lirabo {

THunspellStemmer::THunspellStemmer(const THunspellLibrary& Library, const std::string& AffixFile,
                                   const std::string& WordFile)
    : FLibrary(Library)
{
    if (!Library.Loaded())
        return;
    FHandle = Library.Create(AffixFile.c_str(), WordFile.c_str());
    if (!FHandle)
        return;
    const char* encoding = Library.DictionaryEncoding(FHandle);
    // Hunspell reads a dictionary without SET as ISO8859-1.
    FConverter = std::make_unique<TCharsetConverter>(encoding && *encoding ? encoding : "ISO8859-1");
}

THunspellStemmer::~THunspellStemmer()
{
    if (FHandle)
        FLibrary.Destroy(FHandle);
}

std::vector<std::string> THunspellStemmer::Stems(std::string_view Word)
{
    std::vector<std::string> stems;
    if (!FHandle || !FConverter->Valid())
        return stems;
    const std::optional<std::string> word = FConverter->FromUtf8(Word);
    // A zero byte would end the word early: Hunspell would stem another one.
    if (!word || word->empty() || word->find('\0') != std::string::npos)
        return stems;
    char** list = nullptr;
    const int count = FLibrary.Stem(FHandle, &list, word->c_str());
    for (int i = 0; i < count; ++i) {
        if (!list[i])
            continue;
        std::optional<std::string> stem = FConverter->ToUtf8(list[i]);
        if (stem && !stem->empty() && std::find(stems.begin(), stems.end(), *stem) == stems.end())
            stems.push_back(std::move(*stem));
    }
    if (list)
        FLibrary.FreeList(FHandle, &list, count);
    return stems;
}

}  // namespace lirabo
