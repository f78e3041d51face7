#pragma once

#include <hunspell/hunspell.h>

#include <span>

namespace lirabo {

// Hunspell's C entry points, looked up at run time: the program starts and
// works without the library, and does not load it until a language other
// than English first needs word forms. Only the header's prototypes are
// used, so any soname with the same C interface serves.
class THunspellLibrary {
public:
    // Tries each of Names in order with dlopen; Loaded() says whether one had
    // every entry point.
    explicit THunspellLibrary(std::span<const char* const> Names);
    ~THunspellLibrary();
    THunspellLibrary(const THunspellLibrary&) = delete;
    THunspellLibrary& operator=(const THunspellLibrary&) = delete;

    // The system's library, loaded on the first call and kept until the
    // process ends (dictionaries opened through it may live that long).
    // Thread-safe.
    static const THunspellLibrary& System();

    bool Loaded() const { return FHandle != nullptr; }

    // Null unless Loaded().
    decltype(&Hunspell_create) Create = nullptr;
    decltype(&Hunspell_destroy) Destroy = nullptr;
    decltype(&Hunspell_stem) Stem = nullptr;
    decltype(&Hunspell_free_list) FreeList = nullptr;
    decltype(&Hunspell_get_dic_encoding) DictionaryEncoding = nullptr;

private:
    void* FHandle = nullptr;
};

}  // namespace lirabo
