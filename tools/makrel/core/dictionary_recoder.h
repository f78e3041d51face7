#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "makrel/core/code_page_decoder.h"

namespace makrel {

// The languages a recoded file names (ISO 639-1, empty: unknown).
struct TRecodeOptions {
    std::string HeadwordLanguage;
    std::string DefinitionLanguage;
};

// What a recode did, for the summary.
struct TRecodeReport {
    size_t Entries = 0;
    size_t Relations = 0;
    size_t DroppedRelations = 0;  // targets outside the old file
    size_t ReplacedBytes = 0;     // bytes the code page leaves undefined, now U+FFFD
    size_t ShortenedEntries = 0;  // grown past the format's limits by the longer UTF-8 form
    std::vector<std::string> Warnings;
};

// Rewrites a dictionary made on a system with another code page than
// Windows-1252 (its text word untagged, its text in Decoder's code page) as
// a UTF-8 dictionary: every entry, the four descriptive texts and every
// relation, re-sorted by the UTF-8 rule. Progress is told of the entries
// read and the sections written.
//
// Raises EInputError for an input that cannot be recoded: not a readable
// dictionary, already UTF-8 or tagged, damaged, or the output's own file.
// Other errors are the output's. Output is replaced whole or not at all.
TRecodeReport RecodeDictionary(const std::string& Input, const std::string& Output, TCodePageDecoder& Decoder,
                               const TRecodeOptions& Options = {},
                               const std::function<void(const char* Stage, size_t Done, size_t Total)>& Progress = {});

}  // namespace makrel
