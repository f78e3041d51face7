#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/word_item.h"

namespace makrel {

// Which encoding a dictionary is written in. Auto: Windows-1252 when every
// character fits it, so that older readers read the file, else UTF-8.
enum class TEncodingChoice { Auto, Windows1252, Utf8 };

struct TWriterOptions {
    int SectionSize = 256;  // entries per compressed section
    int BlockSize = 9;      // bzip2 block size, 1..9
    int BufferSize = 32;    // KB the reader should decompress with, 1..4096
    bool WriteCRC = true;
    TEncodingChoice Encoding = TEncodingChoice::Auto;
    std::string HeadwordLanguage;    // ISO 639-1, empty: unknown
    std::string DefinitionLanguage;
    std::string Name;       // the four descriptive texts, Windows-1252
    std::string Notice;
    std::string URL;
    std::string Information;
};

// Builds a dictionary file from entries given in any order. Entries are
// sorted by headword order (stable: equal headwords keep the order in which
// they were added); relations are given between entries by the ids Add
// returned and written in the order they were added.
class TDictionaryWriter {
public:
    using TProgress = std::function<void(size_t Done, size_t Total)>;

    // Raises std::invalid_argument when an option is out of range.
    explicit TDictionaryWriter(TWriterOptions Options);

    // Adds an entry and returns its id. Raises std::invalid_argument when the
    // headword is over 255 bytes or the definition over 65535.
    int Add(std::string Word, std::string Definition);
    // A relation of entry From to entry To; Kind must not be 0.
    void AddRelation(int From, uint8_t Kind, int To);
    // Writes a relation block even when no entry has relations.
    void SetForceRelations(bool Force) { FForceRelations = Force; }
    // Fills those of the four descriptive texts (Windows-1252) that the
    // options left empty: for importers whose input describes itself. A
    // text over its limit is cut, at a line break when there is one.
    void SuggestDescription(const std::string& Name, const std::string& Notice, const std::string& URL,
                            const std::string& Information);

    // Fills those of the two languages the options left empty, for importers
    // whose input names them; a code that is not ISO 639-1 is ignored.
    void SuggestLanguages(const std::string& Headword, const std::string& Definition);

    size_t EntryCount() const { return FEntries.size(); }
    size_t RelationCount() const { return FRelations.size(); }

    // The id of the first entry (in sorted order) whose headword is the same
    // word as Word, or -1.
    int FindFirst(std::string_view Word);

    // The whole file. Progress, when given, is told of each section written.
    std::vector<unsigned char> Build(const TProgress& Progress = {});
    // Builds the file and puts it in FileName's place whole (see
    // TReplacementFile): a failure never leaves a half-written dictionary
    // or a temporary. Raises std::runtime_error.
    void WriteFile(const std::string& FileName, const TProgress& Progress = {});

private:
    struct Relation {
        int From;
        uint8_t Kind;
        int To;
    };

    void SortEntries();
    std::vector<unsigned char> CompressSection(size_t First, size_t Count) const;
    std::vector<unsigned char> CompressRelations(const std::vector<int>& Position) const;
    std::vector<unsigned char> Compress(const std::vector<unsigned char>& Data) const;

    TWriterOptions FOptions;
    std::vector<lirabo::TWordItem> FEntries;  // by id
    std::vector<Relation> FRelations;
    std::vector<int> FOrder;  // ids in sorted order; valid while FSorted
    bool FSorted = false;
    bool FForceRelations = false;
};

}  // namespace makrel
