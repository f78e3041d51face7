#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace makrel {

// Puts the paragraphs of hard-wrapped prose back together. A source wrapped
// at a column (see TWrapColumn) breaks a paragraph wherever the next word
// would not fit; the view wraps again at its own width, so those breaks only
// leave short lines and a ragged edge. A line is joined to the one before
// when that line was full (the next line's first word would have run past
// the column) and the next line does not start something of its own:
//
// - after a blank line;
// - a numbered or lettered sense ("2.", "b)", "(c)"), a list item ("* ",
//   "- "), a label ("Note:", "Usage:", a leading "[...]" or "<...>" before
//   text);
// - a line that is only a bracketed note ("[1913 Webster]");
// - deeper indentation than the paragraph's text: a quotation or example
//   (a hanging indent of up to three columns still continues the first
//   line);
// - blanks inside that align it with its neighbours (a table, a drawing, a
//   program): such a line keeps its breaks and its blanks.
//
// A line starting with "--" (a quotation's source) always joins, and so does
// the wrapped rest of such a source however it is indented. Joined lines
// lose the runs of blanks that aligned them. Without a column every line
// stays a line of its own, exactly as it was, which keeps dictionaries whose
// lines carry meaning as they are.
class TParagraphReflow {
public:
    // One non-blank line of the source.
    struct TLine {
        std::string_view Text;    // without indentation or trailing blanks
        int Indent = 0;           // columns before Text
        int Width = 0;            // Indent and the columns of Text (TWrapColumn::Width)
        bool AfterBlank = false;  // a blank line stood before it
    };
    // A line of the result: one or more source lines joined.
    struct TParagraph {
        std::string Text;
        bool AfterBlank = false;  // of its first source line
        size_t First = 0;         // its source lines: First..Last
        size_t Last = 0;
        // One source line aligned in columns, kept exactly as the source
        // has it: a table, a drawing or a program, not prose to read into.
        bool Aligned = false;
    };

    explicit TParagraphReflow(int WrapColumn) : FColumn(WrapColumn) {}

    // The non-blank lines of Text (lines end at '\n').
    static std::vector<TLine> Split(std::string_view Text);

    std::vector<TParagraph> Reflow(const std::vector<TLine>& Lines) const;

    // A line that is only a bracketed note: "[1913 Webster]", "[PJC]".
    static bool IsBracketNote(std::string_view Text);

private:
    // The columns a sense number or list mark takes with the blanks after
    // it, or 0 for a line of running text.
    static int MarkerWidth(std::string_view Text);
    // The columns a leading label ("Note:", "[bot.]", "<n>") takes with the
    // blanks after it, or 0.
    static int LabelWidth(std::string_view Text);
    // Whether Text holds a run of blanks other than before a source.
    static bool IsAligned(std::string_view Text);
    // Whether Text ends in a quotation's source ("... --Sir").
    static bool EndsInSource(std::string_view Text);
    static void AppendCollapsed(std::string& Out, std::string_view Text);
    bool Continues(const TLine& Previous, const TLine& Next, int TextColumn, bool Second) const;

    int FColumn;
};

}  // namespace makrel
