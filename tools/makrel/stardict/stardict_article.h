#pragma once

#include <map>
#include <string>
#include <string_view>

#include "makrel/core/entry_text.h"
#include "makrel/stardict/html_converter.h"

namespace makrel {

// Turns the data of one StarDict article (one or more typed fields) into an
// entry's definition. Text fields (m, l, w) keep their line breaks; HTML and
// Pango mark-up (h, g) and XDXF (x) go through the HTML conversion; a
// phonetic field (t, y) becomes an italic [pronunciation]; KingSoft XML (k)
// loses its tags. Fields are separated by line breaks. Resource lists (r)
// and binary fields (upper-case types: sound, pictures) cannot be shown and
// are left out and counted.
class TStarDictArticleConverter {
public:
    // TypeSequence is the .ifo's sametypesequence, empty when each field
    // carries its type.
    TStarDictArticleConverter(TEntryText& Text, std::string TypeSequence)
        : FText(Text), FHtml(Text), FTypeSequence(std::move(TypeSequence))
    {
    }

    std::string Convert(std::string_view Data);

    // Field types left out, with how often.
    const std::map<char, size_t>& Skipped() const { return FSkipped; }
    // Articles whose fields ran past the end of their data.
    size_t Malformed() const { return FMalformed; }

private:
    void AppendField(std::string& Out, char Type, std::string_view Field);

    TEntryText& FText;
    THtmlConverter FHtml;
    std::string FTypeSequence;
    std::map<char, size_t> FSkipped;
    size_t FMalformed = 0;
};

}  // namespace makrel
