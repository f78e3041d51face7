#pragma once

#include "makrel/core/importer.h"

namespace makrel {

// A dictd database: the index named on the command line and the data file
// beside it (the same name with .dict.dz or .dict instead of .index).
// Articles are read in the order they lie in the data file, so a dictzip
// file is inflated once from front to back; entries are still added in
// index order, which keeps the index's order among equal headwords. The
// index's 00-database entries are not words: their short name, URL and info
// serve as the dictionary's Name, URL and Information where the command
// line gives none, and a file name that names the languages (FreeDict's
// "freedict-deu-eng.index") gives the dictionary's languages.
class TDictdImporter : public TImporter {
public:
    void Import(const std::string& Input, TDictionaryWriter& Writer, TImportReport& Report,
                const TProgress& Progress) override;

    // The data file that belongs to Index, or an empty string.
    static std::string FindDataFile(const std::string& Index);

    // The languages an index file's name gives, as ISO 639-1 codes: a name
    // of two three-letter codes ("deu-eng.index", "freedict-deu-eng.index"),
    // each for a language that has a two-letter code; else both empty.
    struct TLanguages {
        std::string Headword;
        std::string Definition;
    };
    static TLanguages LanguagesOf(const std::string& Index);
};

}  // namespace makrel
