#include "word_forms/hunspell_dictionary_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "dictionary/word_order.h"

namespace lirabo {

namespace {

namespace fs = std::filesystem;

bool IsLanguage(std::string_view Code)
{
    return (Code.size() == 2 || Code.size() == 3) &&
           std::all_of(Code.begin(), Code.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// Countries are ISO 3166 letters (DE) or UN M.49 digits (es_419).
bool IsCountry(std::string_view Code)
{
    return (Code.size() == 2 || Code.size() == 3) && std::all_of(Code.begin(), Code.end(), [](char c) {
               return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
           });
}

bool IsFile(const fs::path& Path)
{
    std::error_code error;
    return fs::is_regular_file(Path, error);
}

// The rank of a dictionary named Stem for Language: 0 the language's own
// country, 1 another country, 2 the plain language; -1 another language.
int Rank(const std::string& Stem, std::string_view Language)
{
    if (Stem == Language)
        return 2;
    if (Stem.size() <= Language.size() + 1 || !Stem.starts_with(Language) || Stem[Language.size()] != '_')
        return -1;
    const std::string_view country = std::string_view(Stem).substr(Language.size() + 1);
    if (!IsCountry(country))
        return -1;
    return country == UpperCaseAscii(Language) ? 0 : 1;
}

std::optional<THunspellDictionaryFiles> FindInFolder(const fs::path& Folder, std::string_view Language)
{
    std::vector<std::pair<int, std::string>> found;
    std::error_code error;
    fs::directory_iterator entries(Folder, error);
    for (const fs::directory_iterator end; !error && entries != end; entries.increment(error)) {
        const fs::path& path = entries->path();
        if (path.extension() != ".aff")
            continue;
        const std::string stem = path.stem().string();
        const int rank = Rank(stem, Language);
        if (rank >= 0 && IsFile(path) && IsFile(Folder / (stem + ".dic")))
            found.emplace_back(rank, stem);
    }
    if (found.empty())
        return std::nullopt;
    const auto& [rank, stem] = *std::min_element(found.begin(), found.end());
    return THunspellDictionaryFiles{(Folder / (stem + ".aff")).string(), (Folder / (stem + ".dic")).string()};
}

}  // namespace

std::optional<THunspellDictionaryFiles> FindHunspellDictionary(const std::vector<std::string>& Folders,
                                                               std::string_view Language)
{
    if (!IsLanguage(Language))
        return std::nullopt;
    for (const std::string& folder : Folders)
        if (!folder.empty())
            if (auto files = FindInFolder(folder, Language))
                return files;
    return std::nullopt;
}

}  // namespace lirabo
