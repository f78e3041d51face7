#pragma once

#include <string>
#include <string_view>

#include "makrel/core/entry_text.h"

namespace makrel {

// Turns the simple HTML of dictionary articles into entry mark-up: b/strong
// bold, i/em italic, u underline, s/strike/del strike-out, br a hard line
// break, a a link, block elements (p, div, li, tr, h1..h6) line breaks around
// them; script and style vanish with their content, every other tag
// vanishes and keeps its content. Entities are decoded (the named ones
// common in dictionaries and every numeric one); white space collapses as a
// browser collapses it. Nested bold or italic toggles once; whatever is
// still open at the end is closed, so texts can be joined safely.
class THtmlConverter {
public:
    explicit THtmlConverter(TEntryText& Text) : FText(Text) {}

    // Appends the entry text of Html to Out.
    void Append(std::string& Out, std::string_view Html);

    // Html as plain entry text, line breaks as CR LF: for the descriptive
    // texts of a dictionary, which hold no mark-up.
    std::string PlainText(std::string_view Html);

    // Html with its entities decoded (UTF-8), tags untouched.
    static std::string DecodeEntities(std::string_view Html);

private:
    TEntryText& FText;
};

}  // namespace makrel
