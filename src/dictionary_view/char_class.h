#pragma once

#include <cstddef>
#include <string_view>

namespace lirabo {

// What the view needs to know of a character to lay it out, pick words and
// order a line: answered from ICU's character data, cached for the range
// below U+0800 (Latin, Greek, Cyrillic, Hebrew, Arabic) so that such text
// never leaves a table. Never raises.

// The character at Text[Position], moving Position past it. A byte that
// does not begin a well-formed character is one character of its own, shown
// as U+FFFD, so that damaged text still moves on byte by byte.
char32_t NextChar(std::string_view Text, size_t& Position);

// Characters the glyphs of which depend on their neighbours: combining
// marks, joiners and other format characters, right-to-left letters, and
// the scripts whose letters change shape or order in context (Indic, Thai
// and their kin, Hangul jamo, emoji modifiers). A piece of a word holding
// one is shaped whole; every other character is measured alone, digits of
// right-to-left scripts included, since they neither join nor reorder.
bool NeedsShaping(char32_t Char);

// Characters that belong to the cluster before them: combining marks,
// joiners and other format characters, emoji modifiers.
bool ExtendsCluster(char32_t Char);

// Letters of right-to-left scripts (bidirectional class R or AL).
bool IsStrongRightToLeft(char32_t Char);

// Characters of strong right-to-left direction, Arabic digits and the
// explicit direction controls: a line holding one is put in visual order.
bool IsRightToLeft(char32_t Char);

// The character drawn for Char in right-to-left order: its mirror image
// for brackets and the like, else Char itself.
char32_t MirroredChar(char32_t Char);

// Characters of scripts written without spaces between words (Chinese,
// Japanese, Korean, Thai and their kin), between which lines may break.
bool BreaksWithoutSpaces(char32_t Char);

// Whether Char ends a word for the right-click word pick: the mark-up
// codes 0..2 and 7..31, the ASCII characters space ! ( ) , . / : ; ? [ \ ] { },
// and from U+0080 on every space and every punctuation mark (dashes
// included) except quotation marks and hyphens, which belong to words as the
// ASCII quotes and hyphen do.
bool IsWordDelimiter(char32_t Char);

}  // namespace lirabo
