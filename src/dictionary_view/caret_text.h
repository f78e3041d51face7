#pragma once

#include <string_view>

namespace lirabo {

// Where a caret may stand in laid-out entry text (UTF-8 with mark-up codes,
// without selection marks), and how it steps through it. The caret stands
// between grapheme clusters; the codes that take no room are stepped over as
// if they were not there, while the body mark (the gap before the
// definition) and a hard break count as one character each. Every function
// is O(length of Text) at worst and never raises; an Index past the end is
// taken as the end.
class TCaretText {
public:
    // Index in Text for Plain, an index of the same text without its soft
    // breaks; and back. A layout for another width moves soft breaks, not
    // characters, so a caret kept as a plain index stays on its character.
    // A plain index at a wrap is the start of the next line, unless
    // BeforeBreak asks for the end of the line before.
    static int ToLaid(std::string_view Text, int Plain, bool BeforeBreak = false);
    static int ToPlain(std::string_view Text, int Laid);

    // The next stop after Index: past the next character, and past the
    // codes that take no room after it; Text.size() at the end.
    static int NextChar(std::string_view Text, int Index);
    // The stop before Index: the start of the character before it; 0 at the start.
    static int PrevChar(std::string_view Text, int Index);
    // The start of the next word after Index (the end when none follows).
    static int NextWord(std::string_view Text, int Index);
    // The start of the word before Index, or of the word Index is inside.
    static int PrevWord(std::string_view Text, int Index);
    // Index moved back to the start of its character, never inside a UTF-8
    // sequence or a cluster.
    static int Snap(std::string_view Text, int Index);
};

}  // namespace lirabo
