#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <unordered_map>
#include <vector>

namespace makrel {

// Parts of speech in the order entries list them.
enum EWordNetPos { wpNoun, wpVerb, wpAdjective, wpAdverb, wpCount };

struct TWordNetPointer {
    std::string Symbol;  // "@", "#m", "\\" ...
    int Target = -1;     // synset index, -1 when the target synset does not exist
    uint32_t TargetOffset = 0;
    EWordNetPos TargetPos = wpNoun;
    int SourceWord = 0;  // 1-based word of the synset; 0 for the whole synset
    int TargetWord = 0;
};

struct TWordNetSynset {
    EWordNetPos Pos = wpNoun;
    std::vector<std::string> Words;  // lemmas as written, underscores already spaces
    std::vector<TWordNetPointer> Pointers;
    std::string Gloss;  // UTF-8
};

// The WordNet database files of one folder (data.*, index.*, *.exc), read
// into memory. Every line is checked: counts must match the fields that
// are there, so a damaged file is an EInputError naming file and line,
// never a read past the end of a line.
class TWordNetDatabase {
public:
    // Reads the four data files (required), index files and exception
    // lists (optional). Raises EInputError or std::runtime_error.
    void Load(const std::string& Folder);

    // Parse one file's lines; File names the file in messages.
    void ReadData(std::istream& In, EWordNetPos Pos, const std::string& File);
    void ReadIndex(std::istream& In, EWordNetPos Pos, const std::string& File);
    void ReadExceptions(std::istream& In, EWordNetPos Pos, const std::string& File);
    // Connects pointers to their synsets; returns how many point nowhere.
    size_t ResolvePointers();

    const std::vector<TWordNetSynset>& Synsets() const { return FSynsets; }

    // The synset offsets of a lemma (lower case, spaces) in sense order, or null.
    const std::vector<uint32_t>* Senses(EWordNetPos Pos, const std::string& Lemma) const;
    // The offset a synset was read from.
    uint32_t OffsetOf(int Synset) const { return FOffsets[static_cast<size_t>(Synset)]; }

    // Inflected forms and their base forms, per part of speech, in file order.
    struct TException {
        std::string Form;
        std::vector<std::string> Bases;
    };
    const std::vector<TException>& Exceptions(EWordNetPos Pos) const { return FExceptions[Pos]; }

private:
    std::vector<TWordNetSynset> FSynsets;
    std::vector<uint32_t> FOffsets;
    std::unordered_map<uint64_t, int> FByOffset;  // pos << 32 | offset -> synset
    std::unordered_map<std::string, std::vector<uint32_t>> FIndex[wpCount];
    std::vector<TException> FExceptions[wpCount];
};

// The file-name suffix (noun, verb, adj, adv) of a part of speech.
const char* WordNetFileSuffix(EWordNetPos Pos);

}  // namespace makrel
