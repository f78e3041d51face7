#pragma once

#include "makrel/core/importer.h"
#include "makrel/wordnet/wordnet_database.h"

namespace makrel {

// A WordNet database folder (data.*, index.*, *.exc). Each distinct lemma
// spelling is one entry ("bush" and "Bush" are two entries of one group);
// its body lists the senses per part of speech in WordNet's sense order,
// each with its domain labels, gloss, examples and synonyms as links; an
// inflected form from the exception lists points to its base forms. The
// pointers become relations of the entry (semantic pointers to every lemma
// of the target synset, lexical ones to the one lemma they name), without
// duplicates within a kind; pointers without a relation code are left out
// and counted in a warning. Headwords and definitions are English.
class TWordNetImporter : public TImporter {
public:
    void Import(const std::string& Input, TDictionaryWriter& Writer, TImportReport& Report,
                const TProgress& Progress) override;

    // Builds from an already loaded database (for tests without files).
    void ImportDatabase(TWordNetDatabase& Database, TDictionaryWriter& Writer, TImportReport& Report,
                        const TProgress& Progress);

    // The relation code of a pointer symbol from a synset of part of speech
    // Pos, or 0 when the symbol has none there.
    static uint8_t RelationKind(EWordNetPos Pos, const std::string& Symbol);
};

}  // namespace makrel
