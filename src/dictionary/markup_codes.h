#pragma once

namespace lirabo::markup {

// The mark-up bytes of an entry: every byte below 32 in a definition is one
// of these. Builders write them, the view interprets them.
constexpr char kEnd = 0;          // ends the text
constexpr char kBody = 1;         // ends the headword; the body starts at the definition column
constexpr char kBold = 3;         // 3..6 toggle one font style
constexpr char kItalic = 4;
constexpr char kUnderline = 5;
constexpr char kStrikeOut = 6;
constexpr char kDefinition = 7;   // 7, 8 and 10 select an element
constexpr char kGrammar = 8;
constexpr char kLinkStart = 9;    // the text up to kLinkEnd looks itself up when clicked
constexpr char kField = 10;
constexpr char kSelStart = 11;    // 11 and 12 are the view's own, while selecting
constexpr char kSelEnd = 12;
constexpr char kLineBreak = 13;   // a hard line break
constexpr char kSoftBreak = 14;   // inserted by the layout where a line wraps
constexpr char kLinkEnd = 15;

}  // namespace lirabo::markup
