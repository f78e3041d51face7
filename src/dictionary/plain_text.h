#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "dictionary/markup_codes.h"
#include "dictionary/word_order.h"

namespace lirabo {

// Entry text as a reader sees it, for finding words in it: the mark-up codes
// are gone (a word whose letters change style halfway is still one word),
// a hard line break and the end of the headword read as a space, and the
// text ends where the view stops showing it (byte 0, 2 or 16..31).
// Emit(Byte, Index) gets each plain byte, as it stands, and the index of the
// byte it stands for.
template <typename Emit>
void WalkPlainBytes(std::string_view Text, Emit&& Sink)
{
    for (size_t i = 0; i < Text.size(); ++i) {
        const auto c = static_cast<unsigned char>(Text[i]);
        if (c >= 32) {
            Sink(c, i);
            continue;
        }
        switch (c) {
            case static_cast<unsigned char>(markup::kBody):
            case static_cast<unsigned char>(markup::kLineBreak):
                Sink(static_cast<unsigned char>(' '), i);
                break;
            case 0:
            case 2:
                return;
            default:
                if (c >= 16)
                    return;
                break;  // a style, element, link or selection code: no text
        }
    }
}

// The plain text of WalkPlainBytes with the ASCII letters upper-cased.
template <typename Emit>
void WalkPlainText(std::string_view Text, Emit&& Sink)
{
    WalkPlainBytes(Text, [&](unsigned char Byte, size_t Index) { Sink(UpperAscii(Byte), Index); });
}

// The plain text of Text into Out, which keeps its capacity between calls.
inline void UpperPlainText(std::string_view Text, std::string& Out)
{
    Out.clear();
    Out.reserve(Text.size());
    WalkPlainText(Text, [&](unsigned char Byte, size_t) { Out.push_back(static_cast<char>(Byte)); });
}

}  // namespace lirabo
