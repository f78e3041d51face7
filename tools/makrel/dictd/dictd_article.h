#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "makrel/core/entry_text.h"
#include "makrel/dictd/paragraph_reflow.h"

namespace makrel {

// An article of a dictd dictionary as a dictionary entry (UTF-8 entry text).
struct TDictdEntry {
    std::string Word;
    std::string Definition;
};

// Turns dictd articles into entries. An article starts with a headline that
// repeats the headword, often followed by a pronunciation between slashes,
// variants in parentheses and grammar in angle brackets (as FreeDict writes
// them: `Apfel /ˈapfəl/ <masc, n, sg>`). Index words are folded to lower
// case without punctuation, so the headword is taken from the headline (or
// from the variant) that folds to the index word, keeping its case; only
// when none does is the index word itself the headword and the headline part
// of the body.
//
// In the body, lines stay lines (the hard line break), blank lines go;
// `{word}` becomes a link, `<...>` grammar, a leading `[...]` a field label,
// the labels Note:, Synonym(s):, Antonym(s): and see: field labels, a
// pronunciation (a token from / to /) and the quoted phrase of an example
// line italic. In the headline a `\syl*la*ble\` form is a pronunciation
// too: italic, with a syllable dot for `*` and a stress mark for `"`.
//
// Prose that the source wrapped at a column (SetWrapColumn) is joined into
// paragraphs again (see TParagraphReflow), and read as prose: lines that are
// only a bracketed note closing a paragraph ("[1913 Webster]", "[Obs.]") go
// quietly (in grammar style) at the end of its text; Syn: and Usage: are
// labels too; a bracket of more than three words or holding links is a
// remark, not a label; letter codes ("C[ae]sar") become letters. Lines
// aligned in columns (a table, a drawing, a program) are written as they
// are, without any of this.
class TDictdArticleFormatter {
public:
    explicit TDictdArticleFormatter(TEntryText& Text) : FText(Text) {}

    // The column the source's prose was wrapped at (TWrapColumn), or 0 to
    // keep every line a line.
    void SetWrapColumn(int Column) { FWrapColumn = Column; }
    // Whether the index words are spellings of their own rather than folded
    // keys (an index that keeps case): then an index word stays the headword
    // even where the headline spells it differently ("Aard-vark" for an
    // article headed "aardvark").
    void SetIndexSpells(bool Spells) { FIndexSpells = Spells; }

    // Occurrence counts the earlier index lines with the same word for the
    // same article: spellings that fold alike ("BC" and "B.C.") share one
    // index word, listed once per spelling, and the n-th line takes the n-th
    // spelling. Returns false, and formats nothing, for a line that repeats
    // an earlier one with no spelling left for it.
    bool Format(std::string_view IndexWord, std::string_view Article, int Occurrence, TDictdEntry& Entry);

    // Entry text folded the way dictd folds index words: letters and digits
    // only (of any script), case folded.
    static std::string Fold(std::string_view Text);

private:
    // The headline's head (before the pronunciation or grammar) and the
    // headwords of its parenthesised variants, head first.
    struct Candidate {
        std::string_view Text;
        bool Head;
    };
    static std::vector<Candidate> Candidates(std::string_view Headline);

    // The body's paragraphs; the first is the rest of the headline when
    // StartsWithHeadline, and then formatted as the headline's rest (without
    // labels or examples) when RestIsHeadline.
    void AppendBody(std::string& Out, const std::vector<TParagraphReflow::TParagraph>& Paragraphs,
                    bool StartsWithHeadline, bool RestIsHeadline);
    bool IsCitation(const std::vector<TParagraphReflow::TParagraph>& Paragraphs, size_t I) const;
    void AppendLine(std::string& Out, std::string_view Line, bool Headline = false);
    void AppendInline(std::string& Out, std::string_view Line, bool Headline = false);
    void AppendSyllables(std::string& Out, std::string_view Form);

    TEntryText& FText;
    int FWrapColumn = 0;
    bool FIndexSpells = false;
};

}  // namespace makrel
