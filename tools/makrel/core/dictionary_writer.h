#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/text_encoding.h"
#include "dictionary/word_item.h"

namespace makrel {

// Which encoding a dictionary is written in. Auto: Windows-1252 when every
// character fits it, so that older readers read the file, else UTF-8.
// Windows1252: characters without a byte are transliterated and counted.
enum class TEncodingChoice { Auto, Windows1252, Utf8 };

struct TWriterOptions {
    int SectionSize = 256;  // entries per compressed section
    int BlockSize = 9;      // bzip2 block size, 1..9
    int BufferSize = 32;    // KB the reader should decompress with, 1..4096
    bool WriteCRC = true;
    TEncodingChoice Encoding = TEncodingChoice::Auto;
    std::string HeadwordLanguage;  // ISO 639-1, empty: unknown
    std::string DefinitionLanguage;
    bool KeepLanguages = false;  // true: importers' suggestions are ignored
    std::string Name;            // the four descriptive texts, UTF-8
    std::string Notice;
    std::string URL;
    std::string Information;
};

// Builds a dictionary file from entries given in any order. All text comes
// in as UTF-8 (bytes below 32 in definitions are mark-up codes) and is kept
// well-formed and in NFC; Build decides the file's encoding. Entries are
// sorted by the order of that encoding (stable: equal headwords keep the
// order in which they were added); relations are given between entries by
// the ids Add returned and written in the order they were added.
class TDictionaryWriter {
public:
    using TProgress = std::function<void(size_t Done, size_t Total)>;

    // Raises std::invalid_argument when an option is out of range, a text
    // over its limit or a language not an ISO 639-1 code.
    explicit TDictionaryWriter(TWriterOptions Options);

    // Adds an entry and returns its id. A byte that is not part of a
    // well-formed character is read as a Windows-1252 byte. Raises
    // std::invalid_argument when the headword, as UTF-8 in NFC, is over 255
    // bytes or the definition over 65535; std::logic_error after a Build that
    // converted the entries to Windows-1252.
    int Add(std::string Word, std::string Definition);
    // A relation of entry From to entry To; Kind must not be 0.
    void AddRelation(int From, uint8_t Kind, int To);
    // Writes a relation block even when no entry has relations.
    void SetForceRelations(bool Force) { FForceRelations = Force; }
    // Fills those of the four descriptive texts (UTF-8) that the options
    // left empty: for importers whose input describes itself. A text over
    // its limit is cut between characters, at a line break when there is one.
    void SuggestDescription(const std::string& Name, const std::string& Notice, const std::string& URL,
                            const std::string& Information);

    // Fills those of the two languages the options left empty, for importers
    // whose input names them; a code that is not ISO 639-1 is ignored, and
    // so is everything when the options keep their languages.
    void SuggestLanguages(const std::string& Headword, const std::string& Definition);

    size_t EntryCount() const { return FEntries.size(); }
    size_t RelationCount() const { return FRelations.size(); }

    // The id of the first entry (in sorted order) whose headword is the same
    // word as Word (UTF-8), or -1.
    int FindFirst(std::string_view Word);

    // The whole file. Progress, when given, is told of each section written.
    std::vector<unsigned char> Build(const TProgress& Progress = {});
    // After Build: the file's encoding, the characters transliterated to fit
    // Windows-1252 (0 unless it was forced), and the entries that
    // transliteration made too long and that were shortened.
    lirabo::TTextEncoding Encoding() const { return FEncoding; }
    // After Build: what the header says of the text, the languages being
    // the options' or, where those left one empty, an importer's suggestion.
    lirabo::TTextDescription Text() const
    {
        return {FEncoding, FOptions.HeadwordLanguage, FOptions.DefinitionLanguage};
    }
    size_t ReplacedCharacters() const { return FReplacedCharacters; }
    size_t ShortenedEntries() const { return FShortenedEntries; }
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

    lirabo::TTextEncoding ChooseEncoding() const;
    void ConvertToWindows1252();
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
    // The encoding of the texts held: UTF-8 until a Build converts them.
    lirabo::TTextEncoding FEncoding = lirabo::TTextEncoding::Utf8;
    size_t FReplacedCharacters = 0;
    size_t FShortenedEntries = 0;
};

}  // namespace makrel
